// The "Batch Repair" page: its controls and the handlers that fill and empty
// the list. The run over the list is in batch_run.cpp.
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

#include "app_strings.h"
#include "batch_columns.h"
#include "dialog_filter.h"
#include "main_form.h"
#include "ui_metrics.h"

namespace {

QPushButton* PageButton(StrId caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(AppString(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

// Hands the list's key presses to the window's handler.
class FileListKeyFilter : public QObject {
 public:
  explicit FileListKeyFilter(TMainForm* form) : QObject(form), FForm(form) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && FForm->FileListKeyDown(static_cast<QKeyEvent*>(event)))
      return true;
    return QObject::eventFilter(watched, event);
  }

 private:
  TMainForm* FForm;
};

// Case is ignored by Unicode case folding rather than by locale collation:
// collation also equates names that this file system keeps apart, such as
// composed and decomposed accents.
bool ListsSource(const QTreeWidget* list, const QString& path) {
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    if (list->topLevelItem(row)->text(kBatchSourceColumn).compare(path, Qt::CaseInsensitive) == 0)
      return true;
  return false;
}

}  // namespace

QWidget* TMainForm::CreateBatchPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsBatch"));
  Label9 = new QLabel(AppString(StrId::BatchListLabel), page);
  FileList = new QTreeWidget(page);
  FileList->setObjectName(QStringLiteral("FileList"));
  FileList->setRootIsDecorated(false);
  FileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  FileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FileList->setHeaderLabels({AppString(StrId::ColumnSourceFile), AppString(StrId::ColumnTargetFile),
                             AppString(StrId::ColumnRepairStatus)});
  FileList->setColumnWidth(0, ScaledX(this, 150));
  FileList->setColumnWidth(1, ScaledX(this, 150));
  FileList->setColumnWidth(2, ScaledX(this, 85));
  FileList->setFixedSize(ScaledSize(this, 390, 195));
  FileList->installEventFilter(new FileListKeyFilter(this));
  Label9->setBuddy(FileList);

  btnRepairFiles = PageButton(StrId::StartRepair, "btnRepairFiles", page);
  btnAddFiles = PageButton(StrId::AddFiles, "btnAddFiles", page);
  btnRemoveFiles = PageButton(StrId::RemoveFiles, "btnRemoveFiles", page);
  btnRemoveAll = PageButton(StrId::RemoveAll, "btnRemoveAll", page);
  btnSearchFiles = PageButton(StrId::SearchFiles, "btnSearchFiles", page);

  FBatchAnimationSlot = CreateAnimationSlot(page);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(btnRepairFiles);
  buttons->addWidget(btnAddFiles);
  buttons->addWidget(btnRemoveFiles);
  buttons->addWidget(btnRemoveAll);
  buttons->addWidget(btnSearchFiles);
  buttons->addStretch();
  buttons->addWidget(FBatchAnimationSlot, 0, Qt::AlignHCenter);
  buttons->addStretch();

  auto* grid = new QGridLayout(page);
  SetScaledMargins(grid, this, 8, 6);
  grid->setHorizontalSpacing(ScaledX(this, 12));
  grid->addWidget(Label9, 0, 0);
  grid->addWidget(FileList, 1, 0);
  grid->addLayout(buttons, 1, 1);
  grid->setRowStretch(2, 1);

  connect(btnRepairFiles, &QPushButton::clicked, this, &TMainForm::btnRepairFilesClick);
  connect(btnAddFiles, &QPushButton::clicked, this, &TMainForm::btnAddFilesClick);
  connect(btnRemoveFiles, &QPushButton::clicked, this, &TMainForm::btnRemoveFilesClick);
  connect(btnRemoveAll, &QPushButton::clicked, this, &TMainForm::btnRemoveAllClick);
  connect(btnSearchFiles, &QPushButton::clicked, this, &TMainForm::btnSearchFilesClick);
  connect(FileList, &QTreeWidget::itemSelectionChanged, this, &TMainForm::FileListSelectionChange);
  return page;
}

void TMainForm::AddBatchFile(const QString& path) {
  if (ListsSource(FileList, path)) return;
  new QTreeWidgetItem(FileList, {path, QString(), AppString(StrId::StatusNotRepaired)});
}

// The open dialog of the "Repair" page, with multiple selection for this use only.
void TMainForm::btnAddFilesClick() {
  SelectFilterIndex(OpenDialog, FSetting.OpenFilterIndex);
  OpenDialog->setFileMode(QFileDialog::ExistingFiles);
  const auto singleAgain =
      qScopeGuard([this] { OpenDialog->setFileMode(QFileDialog::ExistingFile); });
  if (OpenDialog->exec() != QDialog::Accepted) return;
  FSetting.OpenFilterIndex = SelectedFilterIndex(OpenDialog);
  for (const QString& file : OpenDialog->selectedFiles())
    AddBatchFile(QDir::toNativeSeparators(file));
}

void TMainForm::btnRemoveFilesClick() {
  for (int row = FileList->topLevelItemCount() - 1; row >= 0; --row)
    if (FileList->topLevelItem(row)->isSelected()) {
      const std::unique_ptr<QTreeWidgetItem> removed(FileList->takeTopLevelItem(row));
    }
  FileListSelectionChange();
}

void TMainForm::btnRemoveAllClick() {
  FileList->clear();
  FileListSelectionChange();
}

bool TMainForm::FileListKeyDown(QKeyEvent* event) {
  if (event->key() != Qt::Key_Delete) return false;
  if (event->modifiers().testFlag(Qt::ShiftModifier))
    btnRemoveAllClick();
  else
    btnRemoveFilesClick();
  return true;
}
