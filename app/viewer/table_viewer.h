// The viewer: a table's fields and records in a window of its own, the mend
// report of the repair that wrote it above them, the whole text of the current
// cell beside them; find, go to a record, copy cells, export to CSV.
#ifndef TESSALY_TABLE_VIEWER_H
#define TESSALY_TABLE_VIEWER_H

#include <QWidget>
#include <optional>

#include "viewer/repair_report.h"

class QLabel;
class QLineEdit;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QTreeWidget;
class TRecordTableModel;

class TTableViewer : public QWidget {
  Q_OBJECT

 public:
  // Opens a viewer on the table, shown; when the table cannot be opened, says
  // why in an error box and returns null.
  static TTableViewer* Open(QWidget* parent, const QString& path,
                            const std::optional<RepairReport>& repair = std::nullopt);

  TRecordTableModel* Model() const { return FModel; }
  // Finds the next (or previous) cell holding the text, from the current cell
  // on and around; true when one was found and made current.
  bool FindText(const QString& text, bool forward);
  // Makes record number (from 1) current and shows it.
  void GoToRecord(int number);
  // The selected cells as tab-separated text, one line per record.
  QString SelectedCellsText() const;
  // Writes the table as CSV into path, the text read in codePage where the
  // table names no code page; false when nothing was written.
  bool ExportCsv(const QString& path, uint32_t codePage);

  QLabel* labReport = nullptr;
  QPlainTextEdit* txtReport = nullptr;
  QLabel* labFields = nullptr;
  QTreeWidget* lvFields = nullptr;
  QLabel* labRecords = nullptr;
  QTableView* grdRecords = nullptr;
  QLabel* labCellText = nullptr;
  QPlainTextEdit* txtCellText = nullptr;
  QLabel* labSourceBytes = nullptr;
  QLabel* labFind = nullptr;
  QLineEdit* txtFind = nullptr;
  QPushButton* btnFindNext = nullptr;
  QPushButton* btnFindPrevious = nullptr;
  QLabel* labGoToRecord = nullptr;
  QSpinBox* udGoToRecord = nullptr;
  QPushButton* btnExportCsv = nullptr;
  QPushButton* btnClose = nullptr;
  QLabel* labStatus = nullptr;

 public slots:
  void btnFindNextClick();
  void btnFindPreviousClick();
  void btnExportCsvClick();
  void CopyCells();

 private:
  TTableViewer(TRecordTableModel* model, const std::optional<RepairReport>& repair,
               QWidget* parent);
  void BuildWindow(const std::optional<RepairReport>& repair);
  QWidget* CreateFieldsPane();
  QWidget* CreateRecordsPane();
  QWidget* CreateCellPane();
  QLayout* CreateCommandRow();
  void DescribeControls();
  void CreateShortcuts();
  void ShowReport(const std::optional<RepairReport>& repair);
  void FillFieldList();
  int FieldListWidth() const;
  void SizeColumns();
  void ShowCurrentCell(const QModelIndex& current);
  void ShowStatus(const QString& text);
  QString TableStatus() const;
  // Paths a CSV file must never replace: the table, its memo file, the source.
  bool IsProtectedPath(const QString& path) const;

  TRecordTableModel* FModel;
  QString FSourcePath;  // the repair's source, empty for a table opened on its own
  QString FTableStatus;
};

#endif
