// Helpers of the batch tests: an answerer for the overwrite question and
// readers of the batch list.
#ifndef TESSALY_BATCH_TEST_SUPPORT_H
#define TESSALY_BATCH_TEST_SUPPORT_H

#include <QPushButton>
#include <QTreeWidget>

#include "app_test_support.h"
#include "batch_overwrite_dialog.h"

// Records each overwrite question and presses the next queued answer ("&Yes",
// the default button, once the queue is empty).
class OverwriteAnswerer {
 public:
  explicit OverwriteAnswerer(QList<OverwriteAnswer> answers = {})
      : FAnswers(std::move(answers)), FWatcher([this](QWidget* modal) { Answer(modal); }) {}

  QStringList questions;

 private:
  void Answer(QWidget* modal) {
    auto* dialog = qobject_cast<TConfirmOverwriteDialog*>(modal);
    if (dialog == nullptr) return;
    questions << dialog->Text();
    const OverwriteAnswer answer =
        FAnswers.isEmpty() ? OverwriteAnswer::Yes : FAnswers.takeFirst();
    dialog->Button(answer)->click();
  }

  QList<OverwriteAnswer> FAnswers;
  ModalWatcher FWatcher;
};

// The record count of a table's header, 0 when it cannot be read.
inline quint32 RecordCountOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  const QByteArray header = file.read(8);
  return header.size() < 8 ? 0 : qFromLittleEndian<quint32>(header.constData() + 4);
}

inline QStringList BatchColumn(const QTreeWidget* list, int column) {
  QStringList texts;
  for (int row = 0; row < list->topLevelItemCount(); ++row)
    texts << list->topLevelItem(row)->text(column);
  return texts;
}

#endif
