#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include "search_types.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QTimeEdit;
class QTreeWidget;
class QTreeWidgetItem;
class SearchAnimation;
class TSearchFileGrep;

// The dialog that finds DBF files by name, folder, dates, size and attributes and hands the
// chosen ones back: one file for the single-file repair, several for the batch list. It is
// created once and keeps its results between two showings until the next search starts.
class TSearchForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSearchForm(QWidget* parent = nullptr);
  ~TSearchForm() override;

  // Shows the dialog with single selection; when the user accepts a row, emits
  // SourceFileChosen with its path.
  void ChooseSourceFile();
  // Shows the dialog with multiple selection; when the user accepts, emits BatchFilesChosen with
  // the selected paths in list order, each once.
  void ChooseBatchFiles();

  // The path of a result row: its folder, a path delimiter when the folder has none, its name.
  QString RowPath(const QTreeWidgetItem* row) const;

  // 1 when the user accepted a selection with OK, otherwise what the caller set before showing.
  int Tag = 0;

  QWidget* palOptions = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QComboBox* cmbFileName = nullptr;
  QComboBox* cmbDirectory = nullptr;
  QPushButton* btnBrowse = nullptr;
  QCheckBox* RecurseSubDirs = nullptr;
  QCheckBox* cbCreated = nullptr;
  QGroupBox* gbCreated = nullptr;
  QDateEdit *MinC = nullptr, *MaxC = nullptr;
  QTimeEdit *MinCT = nullptr, *MaxCT = nullptr;
  QCheckBox* cbAccessed = nullptr;
  QGroupBox* gbAccessed = nullptr;
  QDateEdit *MinA = nullptr, *MaxA = nullptr;
  QTimeEdit *MinAT = nullptr, *MaxAT = nullptr;
  QCheckBox* cbModified = nullptr;
  QGroupBox* gbModified = nullptr;
  QDateEdit *MinM = nullptr, *MaxM = nullptr;
  QTimeEdit *MinMT = nullptr, *MaxMT = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QCheckBox* cbFileMinSize = nullptr;
  QLineEdit* txtMinSize = nullptr;
  QCheckBox* cbFileMaxSize = nullptr;
  QLineEdit* txtMaxSize = nullptr;
  QCheckBox* cbFileAttr = nullptr;
  QGroupBox* gbFileAttr = nullptr;
  QListWidget* AttrBox = nullptr;
  QPushButton* Button1 = nullptr;  // "Search Now"
  QPushButton* Button2 = nullptr;  // "Stop Search"
  SearchAnimation* Animate = nullptr;
  QWidget* palResults = nullptr;
  QTreeWidget* fl = nullptr;
  QStatusBar* StatusBar = nullptr;
  QLabel* StatusPanel0 = nullptr;  // count of found files
  QLabel* StatusPanel1 = nullptr;  // folder being searched
  QPushButton* btnOK = nullptr;
  QPushButton* btnCancel = nullptr;
  TSearchFileGrep* lf = nullptr;

 signals:
  void SourceFileChosen(const QString& path);
  void BatchFilesChosen(const QStringList& paths);

 public slots:
  void reject() override;
  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  QWidget* BuildOptionsPanel();
  QWidget* BuildGeneralPage();
  QWidget* BuildDateTimePage();
  QWidget* BuildSizeAttributesPage();
  QWidget* BuildResultsPanel();
  void FormCreate();
  void ConnectHandlers();
  void SetFileFilter(const QString& filter);
  QString GetLocalHardDrives() const;

  void EnableChildControls(QWidget* container, bool enabled);
  void cbCreatedClick();
  void cbAccessedClick();
  void cbModifiedClick();
  void cbFileAttrClick();
  void cbFileMinSizeClick();
  void cbFileMaxSizeClick();
  void btnBrowseClick();
  void Button1Click();
  void Button2Click();
  void btnOKClick();
  void btnCancelClick();
  void ClearResults();

  void lfDirChange(TSearchFileGrep* Sender, const QString& filename);
  void lfFound(TSearchFileGrep* Sender, PSPFileRecord filedata);
  void lfCancel(TSearchFileGrep* Sender);
  void lfFinished(TSearchFileGrep* Sender);
  void lfEnd(TSearchFileGrep* Sender);
  void ReturnToIdle();

  bool ApplySearchSettings();
  TSPFileAttributes ChosenAttributes() const;
  TSPCheckDates ChosenDateChecks() const;
  QString ChosenFileMask();
  void ApplyDateBounds();
  void ShowModalWithSelection(bool multiple);
  QList<QTreeWidgetItem*> SelectedRowsInListOrder() const;
  QString FormatFileTime(const QDateTime& time) const;
  void CloseRequest(bool accepted);
  bool MayClose();

  QString FLocalDrives;
  bool FSearching = false;
  bool FReportCancel = true;
};
