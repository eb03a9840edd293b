// One batch run: every entry listed when it starts is repaired into its
// "_fixed" file beside it, unless the user keeps an existing one.
#include <QPersistentModelIndex>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>

#include "app_strings.h"
#include "batch_columns.h"
#include "batch_confirm_overwrite.h"
#include "main_form.h"
#include "message_box.h"
#include "path_functions.h"

namespace {

struct BatchRunState {
  int successCount = 0;
  bool yesToAll = false;
  bool noToAll = false;
  bool cancel = false;
};

// The entries present when the run starts. They are held by persistent
// indexes: entries removed during the run become invalid instead of shifting
// the rest, and entries added later are not among them.
QList<QPersistentModelIndex> EntriesAtStart(const QTreeWidget* list) {
  QList<QPersistentModelIndex> entries;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    entries.append(QPersistentModelIndex(list->indexFromItem(list->topLevelItem(row))));
  return entries;
}

// The entry's item, or null once the entry has been removed.
QTreeWidgetItem* EntryItem(const QTreeWidget* list, const QPersistentModelIndex& entry) {
  return entry.isValid() ? list->itemFromIndex(entry) : nullptr;
}

}  // namespace

void TMainForm::btnRepairFilesClick() {
  if (ClickTakenByRun()) return;
  if (FileList->topLevelItemCount() == 0) {
    ShowInformation(this, AppString(StrId::AddFilesFirst));
    return;
  }
  BeginRun(btnRepairFiles);
  const auto endRun = qScopeGuard([this] {
    EndRun(btnRepairFiles);
    txtRepairLog->clear();
  });
  BatchRunState state;
  for (const QPersistentModelIndex& entry : EntriesAtStart(FileList)) {
    if (!FRunning) break;
    QTreeWidgetItem* item = EntryItem(FileList, entry);
    if (item == nullptr) continue;
    const QString source = item->text(kBatchSourceColumn);
    const QString target = MakeFixedFileName(source);
    item->setText(kBatchTargetColumn, target);
    if (!ConfirmOverwrite(this, target, state.yesToAll, state.noToAll, state.cancel)) {
      if (state.cancel) break;
      continue;
    }
    if (EntryItem(FileList, entry) == nullptr) continue;  // removed while the question stood
    const bool succeeded = RepairWithEngine(source, target);
    if (succeeded) ++state.successCount;
    // The entry may have gone while the engine ran.
    item = EntryItem(FileList, entry);
    if (item == nullptr) continue;
    const StrId status = succeeded  ? StrId::StatusSuccessful
                         : FRunning ? StrId::StatusFailed
                                    : StrId::StatusAborted;
    item->setText(kBatchStatusColumn, AppString(status));
  }
  ShowInformation(this, AppString(StrId::FilesRepairedSuccessfully).arg(QString::number(state.successCount)));
}
