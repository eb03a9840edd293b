#include "main_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "animation_view.h"
#include "app_strings.h"
#include "command_line.h"
#include "drag_edit.h"
#include "hyperlink_label.h"
#include "logdlg/file_version_text.h"
#include "message_box.h"
#include "path_functions.h"
#include "settings_store.h"
#include "ui_metrics.h"

// Resources of a static library are registered by hand.
static void InitAppResources() { Q_INIT_RESOURCE(tessaly); }

namespace {

constexpr int kRepairAnimationResource = 101;
constexpr int kBannerHeight = 60;
constexpr int kRepairPage = 0;
constexpr int kBatchPage = 1;

// Decoded by Qt's image reader, whose JPEG plugin comes with the Qt GUI library.
QPixmap BannerPixmap() { return QPixmap(QStringLiteral(":/banner.jpg")); }

bool FileExists(const QString& path) {
  const QFileInfo info(path);
  return !path.isEmpty() && info.exists() && !info.isDir();
}

}  // namespace

TMainForm::TMainForm(const QStringList& arguments, QWidget* parent) : QMainWindow(parent) {
  InitAppResources();
  BuildWindow();
  FormCreate(arguments);
  CreateSearchForm();
}

TMainForm::~TMainForm() { FormDestroy(); }

void TMainForm::BuildWindow() {
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setWindowIcon(QIcon(QStringLiteral(":/icon.png")));
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, ScaledY(this, 6));
  layout->setSpacing(0);

  Image1 = new QLabel(central);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setFixedHeight(kBannerHeight);
  Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->setPixmap(BannerPixmap());
  layout->addWidget(Image1);

  pcMain = new QTabWidget(central);
  pcMain->setObjectName(QStringLiteral("pcMain"));
  pcMain->addTab(tsRepair = CreateRepairPage(), AppString(StrId::PageRepair));
  pcMain->addTab(tsBatch = CreateBatchPage(), AppString(StrId::PageBatch));
  pcMain->addTab(tsOptions = CreateOptionsPage(), AppString(StrId::PageOptions));
  pcMain->addTab(tsAdvOptions = CreateAdvOptionsPage(), AppString(StrId::PageAdvOptions));
  pcMain->addTab(tsAbout = CreateAboutPage(), AppString(StrId::PageAbout));
  auto* pageMargin = new QVBoxLayout;
  pageMargin->setContentsMargins(ScaledX(this, 6), 0, ScaledX(this, 6), ScaledY(this, 4));
  pageMargin->addWidget(pcMain);
  layout->addLayout(pageMargin);

  Panel2 = new QFrame(central);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setFixedSize(ScaledSize(this, 390, 21));
  QSizePolicy keepPlace = Panel2->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  Panel2->setSizePolicy(keepPlace);
  Gauge = new QProgressBar(Panel2);
  Gauge->setObjectName(QStringLiteral("Gauge"));
  Gauge->setRange(0, 100);
  Gauge->setValue(0);
  Gauge->setTextVisible(true);
  Gauge->setAlignment(Qt::AlignCenter);
  QFont bold = Gauge->font();
  bold.setBold(true);
  Gauge->setFont(bold);
  auto* gaugeLayout = new QHBoxLayout(Panel2);
  gaugeLayout->setContentsMargins(1, 1, 1, 1);
  gaugeLayout->addWidget(Gauge);
  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(ScaledX(this, 16), 0, 0, 0);
  bottom->addWidget(Panel2);
  bottom->addStretch();
  layout->addLayout(bottom);

  Animate = new TAnimate(central);
  Animate->setObjectName(QStringLiteral("Animate"));

  setCentralWidget(central);
  CreateFileDialogs();
  SetTabOrders();
  DescribeControls();
  CreateHelpShortcut();
  txtSrcFile->setFocus();
  connect(pcMain, &QTabWidget::currentChanged, this, &TMainForm::pcMainChange);
  pcMainChange(kRepairPage);
  adjustSize();
  setFixedSize(size());
}

void TMainForm::SetTabOrders() {
  const QList<QList<QWidget*>> chains = {
      {txtSrcFile, btnSrcMore, txtDstFile, btnDstMore, txtRepairLog, btnRepair, btnView,
       btnViewTable, btnSaveLog, btnHelp, cmbDBFVersion, btnSrcSearch},
      {FileList, btnRepairFiles, btnAddFiles, btnRemoveFiles, btnRemoveAll, btnSearchFiles},
  };
  for (const QList<QWidget*>& chain : chains)
    for (qsizetype i = 1; i < chain.size(); ++i) setTabOrder(chain[i - 1], chain[i]);
}

void TMainForm::FormCreate(const QStringList& arguments) {
  const QString title = AppString(StrId::AppTitle);
  const QString executable = QCoreApplication::applicationFilePath();

  labSelSrcFile->setText(AppString(StrId::SelectSourcePrompt));
  ShowShippedFileLinks();
  labNotice->setText(AppString(StrId::NoticeLine));

  setWindowTitle(title + AppString(StrId::VersionCaptionPrefix) +
                 GetFileVersionText(executable, kFileVersionMajorMinor));
  labTitle->setText(title);
  labVersion->setText(GetFileVersionText(executable, kFileVersionFull));

  FRunning = false;
  Animate->SetResource(kRepairAnimationResource);
  cmbDBFVersion->setCurrentIndex(0);

  LoadSettings(FSetting);
  ApplySettings();
  txtSrcFile->AcceptFiles(true);

  if (!arguments.isEmpty()) RunCommandLine(arguments);
}

void TMainForm::ShowCentred() {
  move(screen()->availableGeometry().center() - rect().center());
  show();
}

void TMainForm::RunCommandLine(const QStringList& arguments) {
  ShowCentred();
  if (const std::optional<QString> toOpen = CommandLineOpenFile(arguments)) {
    OpenFromCommandLine(*toOpen);
    return;
  }
  // A script that asked for the end learns the outcome from the exit status.
  FEndRequested = HasCommandLineSwitch(arguments, QStringLiteral("E"));
  const QString fileName = CommandLineFileName(arguments);
  if (FileExists(fileName)) {
    RepairCommandLineFile(fileName, HasCommandLineSwitch(arguments, QStringLiteral("O")));
  } else {
    ShowError(this, AppString(StrId::CannotOpenFile).arg(fileName));
  }
  if (FEndRequested) close();
}

// --open: the file goes into the source box, which derives the output name; the user
// starts the repair. The switches O and E belong to a command-line repair and do nothing here.
void TMainForm::OpenFromCommandLine(const QString& fileName) {
  if (fileName.isEmpty()) return;
  if (!FileExists(fileName)) {
    ShowError(this, AppString(StrId::CannotOpenFile).arg(fileName));
    return;
  }
  txtSrcFile->setText(fileName);
}

// The O switch decides for this run only: the option box, and so the stored
// setting, stay as the user left them.
void TMainForm::RepairCommandLineFile(const QString& fileName, bool openFixed) {
  txtSrcFile->setText(fileName);
  FOpenFixedForRun = openFixed;
  btnRepairClick();
  FOpenFixedForRun.reset();
}

int TMainForm::CommandLineExitStatus() const {
  return FLastRunOutcome == RepairOutcome::kRepaired ? 0 : 1;
}

void TMainForm::FormDestroy() {
  CollectSettings();
  if (!SaveSettings(FSetting))
    ShowError(nullptr,
              AppString(StrId::CannotSaveSettings).arg(SettingsStore::ForApplication().FilePath()));
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // The engine still writes into this window: ask it to stop and close once
  // it has returned.
  if (FRunActive) {
    FRunning = false;
    FCloseAfterRun = true;
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

// The place of the shared animation on a page; it moves to the page shown.
QWidget* TMainForm::CreateAnimationSlot(QWidget* page) {
  auto* slot = new QWidget(page);
  slot->setFixedSize(ScaledSize(this, 48, 48));
  auto* layout = new QVBoxLayout(slot);
  layout->setContentsMargins(0, 0, 0, 0);
  return slot;
}

void TMainForm::pcMainChange(int index) {
  const bool showsProgress = index == kRepairPage || index == kBatchPage;
  Panel2->setVisible(showsProgress);
  QWidget* slot = index == kBatchPage ? FBatchAnimationSlot : FRepairAnimationSlot;
  if (slot != nullptr && Animate->parentWidget() != slot) slot->layout()->addWidget(Animate);
  Animate->setVisible(showsProgress);
}
