// Ctrl+C in the records: the selected cells as tab-separated text, as the
// cells show them, so that they paste into a spreadsheet cell by cell.
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QTableView>

#include "app_strings.h"
#include "message_box.h"
#include "viewer/record_table_model.h"
#include "viewer/table_viewer.h"

namespace {

// A copy reads every record it takes; more belongs in a CSV export.
constexpr int kMostCopiedRecords = 10000;

struct CellRange {
  int top = INT_MAX;
  int bottom = -1;
  int left = INT_MAX;
  int right = -1;
  int Rows() const { return bottom < top ? 0 : bottom - top + 1; }
};

// What the selection spans, from its ranges: a whole table selected is a few
// ranges, not a cell list.
CellRange SelectedRange(const QItemSelection& selection) {
  CellRange range;
  for (const QItemSelectionRange& part : selection) {
    range.top = qMin(range.top, part.top());
    range.bottom = qMax(range.bottom, part.bottom());
    range.left = qMin(range.left, part.left());
    range.right = qMax(range.right, part.right());
  }
  return range;
}

QString CellForCopy(QString text) {
  text.replace(u'\t', u' ');
  text.replace(u'\n', u' ');
  return text;
}

}  // namespace

QString TTableViewer::SelectedCellsText() const {
  const QItemSelection selection = grdRecords->selectionModel()->selection();
  const CellRange range = SelectedRange(selection);
  QStringList lines;
  for (int row = range.top; row <= range.bottom; ++row) {
    QStringList cells;
    for (int column = range.left; column <= range.right; ++column) {
      const QModelIndex index = FModel->index(row, column);
      cells << (selection.contains(index) ? CellForCopy(index.data().toString()) : QString());
    }
    lines << cells.join(u'\t');
  }
  return lines.join(u'\n');
}

void TTableViewer::CopyCells() {
  const CellRange range = SelectedRange(grdRecords->selectionModel()->selection());
  if (range.Rows() == 0) return;
  if (range.Rows() > kMostCopiedRecords) {
    ShowInformation(this, AppString(StrId::ViewerCopyLimit).arg(GroupedNumber(kMostCopiedRecords)));
    return;
  }
  QApplication::clipboard()->setText(SelectedCellsText());
}
