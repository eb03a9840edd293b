// The main window: banner, five pages, the shared progress gauge and animation.
// Its controls are public so that the pages' handlers, the log saving and the
// tests reach them by their names.
#ifndef TESSALY_MAIN_FORM_H
#define TESSALY_MAIN_FORM_H

#include <QElapsedTimer>
#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "logdlg/setting_information.h"
#include "setting.h"
#include "viewer/repair_report.h"

class QCheckBox;
class QComboBox;
class QFileDialog;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class TAnimate;
class TDragEdit;
class TSaveLogDialog;
class THelpWindow;
class TSearchForm;
class THyperlinkLabel;
class QTreeWidgetItem;

// How one repair ended, as the window reports it.
enum class RepairOutcome {
  kRepaired,  // the engine accepted fields and reported no error
  kFailed,    // no field list, or an error the engine reported
  kStopped,   // the user stopped it (or kept an existing output), whatever the engine answered
};

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // arguments: the command line without the program name.
  explicit TMainForm(const QStringList& arguments = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Reaction to one engine event; true answers a stop query with "stop".
  bool OnMessage(int32_t code, const void* data);
  // The packed option word from the current state of the option controls.
  uint32_t GetRepairOptions() const;
  // The sound table a run takes its field list from; empty for none.
  QString GetTemplatePath() const;
  // The command line asked to end the program after its repair.
  bool EndRequested() const { return FEndRequested; }
  // The program's exit status after a command-line repair: 0 when the table was
  // repaired, 1 when it failed, was stopped or could not be opened.
  int CommandLineExitStatus() const;
  // Appends a batch entry unless the list holds that source path, ignoring case.
  void AddBatchFile(const QString& path);
  // The lines of the repair log box, none when it is empty.
  QStringList RepairLogLines() const;
  // Every batch entry's lines, entry by entry in list order.
  QStringList BatchLogLines() const;
  void AppendLog(const QString& text);
  // Shows the window in the middle of its screen.
  void ShowCentred();

  bool FRunning = false;
  TSetting FSetting;

  // Window
  QLabel* Image1 = nullptr;
  QTabWidget* pcMain = nullptr;
  QWidget* tsRepair = nullptr;
  QWidget* tsBatch = nullptr;
  QWidget* tsOptions = nullptr;
  QWidget* tsAdvOptions = nullptr;
  QWidget* tsAbout = nullptr;
  QFrame* Panel2 = nullptr;
  QProgressBar* Gauge = nullptr;
  TAnimate* Animate = nullptr;
  QFileDialog* OpenDialog = nullptr;
  QFileDialog* SaveDialog = nullptr;
  TSaveLogDialog* SaveLogDialog = nullptr;
  TSearchForm* SearchForm = nullptr;  // created after the window, lives as long
  THelpWindow* HelpWindow = nullptr;  // created when first needed

  // "Repair" page
  QLabel* labSelSrcFile = nullptr;
  TDragEdit* txtSrcFile = nullptr;
  QPushButton* btnSrcMore = nullptr;
  QToolButton* btnSrcSearch = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* cmbDBFVersion = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* txtDstFile = nullptr;
  QPushButton* btnDstMore = nullptr;
  QLabel* Label4 = nullptr;
  QPlainTextEdit* txtRepairLog = nullptr;
  QPushButton* btnRepair = nullptr;
  QPushButton* btnView = nullptr;       // the tables the last repair on this page wrote
  QPushButton* btnViewTable = nullptr;  // any table
  QPushButton* btnSaveLog = nullptr;
  QPushButton* btnHelp = nullptr;

  // "Batch Repair" page
  QLabel* Label9 = nullptr;
  QTreeWidget* FileList = nullptr;
  QPushButton* btnRepairFiles = nullptr;
  QPushButton* btnAddFiles = nullptr;
  QPushButton* btnSearchFiles = nullptr;
  QPushButton* btnRemoveFiles = nullptr;
  QPushButton* btnRemoveAll = nullptr;

  // "Options" page
  QCheckBox* chkOpenFixed = nullptr;
  QCheckBox* chkRecoverDeleted = nullptr;
  QCheckBox* chkRepairDate = nullptr;
  QCheckBox* chkSplitTable = nullptr;
  QSpinBox* udMaxFieldCount = nullptr;
  QLineEdit* txtMaxFieldCount = nullptr;  // the edit box of udMaxFieldCount
  QLabel* labFields = nullptr;
  QCheckBox* chkReadSrcMemoFile = nullptr;
  QCheckBox* chkIgnoreAllZeroSrcMemoFile = nullptr;

  // "Advanced Options" page
  QLabel* labTempDir = nullptr;
  QLineEdit* txtTempDir = nullptr;
  QPushButton* btnMoreDir = nullptr;
  QLabel* labBufSize = nullptr;
  QSpinBox* udBufSize = nullptr;
  QLineEdit* txtBufSize = nullptr;  // the edit box of udBufSize
  QLabel* Label16 = nullptr;
  QCheckBox* chkTemplate = nullptr;  // "Take the field list from a sound table"
  TDragEdit* txtTemplate = nullptr;
  QPushButton* btnTemplateMore = nullptr;

  // "About" page
  QLabel* imgIcon = nullptr;
  QLabel* labTitle = nullptr;
  QLabel* labVersion = nullptr;
  QLabel* labNotice = nullptr;
  THyperlinkLabel* labManual = nullptr;   // the manual that ships with the program
  THyperlinkLabel* labLicense = nullptr;  // the license that ships with it

 signals:
  // A typed character was refused by a number box's key filter (it beeped).
  void KeyDiscarded();

 public slots:
  // "Repair" page
  void btnRepairClick();
  void btnSrcMoreClick();
  void btnDstMoreClick();
  void SaveDialogTypeChange();
  void txtSrcFileChange();
  void txtDstFileChange();
  void txtSrcFileDropFile(QObject* sender, const QString& fileName);
  void btnViewClick();
  void btnViewTableClick();
  void btnSaveLogClick();
  void btnHelpClick();
  void btnSrcSearchClick();
  void pcMainChange(int index);

  // "Batch Repair" page
  void btnRepairFilesClick();
  void btnAddFilesClick();
  void btnSearchFilesClick();
  void btnRemoveFilesClick();
  void btnRemoveAllClick();
  // Delete removes the selected entries, Shift+Delete all; true when handled.
  bool FileListKeyDown(QKeyEvent* event);

  // Option pages
  void chkSplitTableClick();
  void btnMoreDirClick();
  void chkTemplateClick();
  void btnTemplateMoreClick();

  // "About" page
  void labManualClick();
  void labLicenseClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildWindow();
  QWidget* CreateRepairPage();
  QWidget* CreateBatchPage();
  QWidget* CreateOptionsPage();
  QWidget* CreateAdvOptionsPage();
  QWidget* CreateAboutPage();
  QWidget* CreateAnimationSlot(QWidget* page);
  void CreateFileDialogs();
  void CreateSearchForm();
  void SetTabOrders();
  void DescribeControls();
  void CreateHelpShortcut();
  void ShowShippedFileLinks();
  // Opens the manual or the license (kManualFileName, kLicenseFileName).
  void OpenShippedFile(const char* name);

  void FormCreate(const QStringList& arguments);
  void FormDestroy();
  void RunCommandLine(const QStringList& arguments);
  void OpenFromCommandLine(const QString& fileName);
  void RepairCommandLineFile(const QString& fileName, bool openFixed);
  void ApplySettings();
  void CollectSettings();

  // Single-file repair, the steps after the run has begun.
  RepairOutcome RunSingleFileRepair(const QString& source, const QString& output);
  // The log lines of one repair from the file's size to the result; returns the
  // outcome, and in resultLines the result with what explains it.
  RepairOutcome RepairAndLog(const QString& source, const QString& output,
                             QStringList& resultLines);
  // A start button clicked during a run asks the run to stop; true when the
  // click went to the run and must not start another.
  bool ClickTakenByRun();
  // One engine call and how it ended (the engine also answers 1 when an error
  // cut its output short, and may answer 1 after a stop).
  RepairOutcome RepairWithEngine(const QString& source, const QString& target);
  void BeginRun();
  void EndRun();
  void SetStartButtonCaptions(const QString& caption);
  bool OpenFixedRequested() const;
  // The mend report's lines, gathered per output table as the engine sends them.
  void NoteReportLine(const QString& line);
  void NoteRepairedTables(const QString& source, const QString& output);
  // A table chosen in the open dialog (which keeps its filter choice); empty when cancelled.
  QString ChooseTableToOpen();
  // False, after telling the user, when the template option is ticked without a table.
  bool TemplateReadyForRun();
  void OpenFixedFile(const QString& path);

  // Batch entries' own log lines
  void ClearBatchLogs();
  void StoreEntryLog(QTreeWidgetItem* item, const QStringList& lines);
  void FileListSelectionChange();
  void ShowLogLines(const QStringList& lines);
  QStringList LogLinesToSave() const;
  OptionControlsDescription DescribeOptionControls() const;

  // Moves the gauge; true when its value changed.
  bool ShowProgress(unsigned percent);
  void PumpEventsIfDue();
  void PlaceAnimation();
  bool txtMaxFieldCountKeyPress(QChar key);
  bool txtBufSizeKeyPress(QChar key);
  bool DiscardNonDigit(QChar key);

  QWidget* FRepairAnimationSlot = nullptr;
  QWidget* FBatchAnimationSlot = nullptr;
  bool FEndRequested = false;
  std::optional<RepairOutcome> FLastRunOutcome;  // of the last single-file run
  std::optional<bool> FOpenFixedForRun;  // the O switch, for the command line's run only
  QList<QStringList> FRunReports;  // the running repair's mend reports, one per output table
  // The tables the last repair on the "Repair" page wrote, in part order, each
  // with the report of its repair.
  QList<ReportedTable> FLastRepairTables;
  bool FViewAfterRun = false;  // the result box's "View" was chosen
  QString FDerivedOutput;  // the output name last derived from the source
  QStringList* FEntryLog = nullptr;  // the running batch entry's lines, while it runs
  bool FLogShowsBatch = false;  // the log box holds batch entries' lines
  bool FRunActive = false;  // from a start click until the engine has returned
  int FEngineErrorCount = 0;  // error events of the running process, for the result
  bool FCloseAfterRun = false;
  int FGaugePercent = -1;
  int FPumpCountdown = 0;  // progress events until the clock is read again
  QElapsedTimer FLastEventPump;
};

#endif
