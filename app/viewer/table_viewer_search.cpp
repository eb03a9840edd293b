// Finding text in the records and going to a record. A search reads the
// records in turn through the engine; on a large table it shows its progress
// and can be cancelled.
#include <QLineEdit>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTableView>

#include "app_strings.h"
#include "viewer/record_table_model.h"
#include "viewer/table_viewer.h"

namespace {

// The progress is updated, and a cancel noticed, every so many records.
constexpr int kRecordsPerProgressStep = 64;
constexpr int kProgressDelayMs = 400;

}  // namespace

void TTableViewer::btnFindNextClick() {
  if (!txtFind->text().isEmpty()) FindText(txtFind->text(), true);
}

void TTableViewer::btnFindPreviousClick() {
  if (!txtFind->text().isEmpty()) FindText(txtFind->text(), false);
}

bool TTableViewer::FindText(const QString& text, bool forward) {
  const int rows = FModel->rowCount();
  const int columns = FModel->columnCount();
  if (text.isEmpty() || rows == 0 || columns == 0) return false;
  const QModelIndex current = grdRecords->currentIndex();
  // From the cell after the current one around to the current one itself.
  const int startRow = current.isValid() ? current.row() : (forward ? 0 : rows - 1);
  const int startColumn = current.isValid() ? current.column() : (forward ? -1 : columns);
  QProgressDialog progress(AppString(StrId::ViewerSearching), AppString(StrId::ButtonCancel), 0,
                           rows, this);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(kProgressDelayMs);
  for (qint64 step = 0; step <= rows; ++step) {
    if (step % kRecordsPerProgressStep == 0) {
      progress.setValue(int(step));
      if (progress.wasCanceled()) return false;
    }
    const int row =
        int(forward ? (startRow + step) % rows : (startRow - step % rows + rows) % rows);
    const QStringList texts = FModel->SearchTexts(row);
    for (int i = 0; i < columns; ++i) {
      const int column = forward ? i : columns - 1 - i;
      const bool afterStart = forward ? column > startColumn : column < startColumn;
      // The first record searched is searched from beside the current cell, and
      // it is searched again at the end up to that cell.
      if (step == 0 && !afterStart) continue;
      if (step == rows && afterStart) continue;
      if (!texts.value(column).contains(text, Qt::CaseInsensitive)) continue;
      const QModelIndex found = FModel->index(row, column);
      grdRecords->setCurrentIndex(found);
      grdRecords->scrollTo(found, QAbstractItemView::PositionAtCenter);
      return true;
    }
  }
  progress.reset();
  ShowStatus(AppString(StrId::ViewerNotFound).arg(text));
  return false;
}

void TTableViewer::GoToRecord(int number) {
  if (number < 1 || number > FModel->rowCount()) return;
  const QModelIndex current = grdRecords->currentIndex();
  const QModelIndex target = FModel->index(number - 1, current.isValid() ? current.column() : 0);
  grdRecords->setCurrentIndex(target);
  grdRecords->scrollTo(target, QAbstractItemView::PositionAtCenter);
  grdRecords->setFocus(Qt::OtherFocusReason);
}
