// The "Options" and "Advanced Options" pages: their controls, the transfer
// between controls and stored settings, the number boxes' key filter, and the
// option word of a run.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>

#include "app_strings.h"
#include "drag_edit.h"
#include "engine_binding.h"
#include "main_form.h"
#include "message_box.h"
#include "ui_metrics.h"

namespace {

constexpr int kUpDownMin = 1;
constexpr int kUpDownMax = 32767;

QCheckBox* OptionBox(QWidget* parent, StrId caption, const char* name) {
  auto* box = new QCheckBox(AppString(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QSpinBox* UpDown(QWidget* parent, int position, int designWidth, const char* name) {
  auto* upDown = new QSpinBox(parent);
  upDown->setObjectName(QString::fromLatin1(name));
  upDown->setRange(kUpDownMin, kUpDownMax);
  upDown->setWrapping(false);
  upDown->setGroupSeparatorShown(true);
  upDown->setValue(position);
  upDown->setFixedWidth(ScaledX(parent, designWidth) + ScaledX(parent, 17));
  return upDown;
}

// A stored count brought into the range the up-down can hold.
int UpDownPosition(int32_t stored) { return std::clamp<int32_t>(stored, kUpDownMin, kUpDownMax); }

int32_t WidenedPosition(const QSpinBox* upDown) { return static_cast<int16_t>(upDown->value()); }

// A "..." button beside a path box.
QPushButton* BrowseButton(QWidget* page, const char* name) {
  auto* button = new QPushButton(AppString(StrId::BrowseButton), page);
  button->setObjectName(QString::fromLatin1(name));
  button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + ScaledX(page, 14));
  return button;
}

QString StartFolderForBrowsing() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  return QDir(desktop).exists() ? desktop : QDir::homePath();
}

}  // namespace

QWidget* TMainForm::CreateOptionsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsOptions"));
  chkOpenFixed = OptionBox(page, StrId::OpenFixedWhenFinished, "chkOpenFixed");
  chkRecoverDeleted = OptionBox(page, StrId::RecoverDeletedRecords, "chkRecoverDeleted");
  chkRepairDate = OptionBox(page, StrId::RepairIncorrectDates, "chkRepairDate");
  chkSplitTable = OptionBox(page, StrId::SplitTableWhenMore, "chkSplitTable");
  udMaxFieldCount = UpDown(page, 255, 56, "udMaxFieldCount");
  txtMaxFieldCount = udMaxFieldCount->findChild<QLineEdit*>();
  txtMaxFieldCount->setObjectName(QStringLiteral("txtMaxFieldCount"));
  labFields = new QLabel(AppString(StrId::FieldsLabel), page);
  labFields->setObjectName(QStringLiteral("labFields"));
  chkReadSrcMemoFile = OptionBox(page, StrId::ReadSourceMemoFile, "chkReadSrcMemoFile");
  chkIgnoreAllZeroSrcMemoFile =
      OptionBox(page, StrId::IgnoreAllZeroMemoFile, "chkIgnoreAllZeroSrcMemoFile");

  auto* layout = new QVBoxLayout(page);
  SetScaledMargins(layout, this, 16, 12);
  layout->setSpacing(ScaledY(this, 8));
  layout->addWidget(chkOpenFixed);
  layout->addWidget(chkRecoverDeleted);
  layout->addWidget(chkRepairDate);
  layout->addLayout(LeftAlignedRow({chkSplitTable, udMaxFieldCount, labFields}));
  layout->addWidget(chkReadSrcMemoFile);
  layout->addWidget(chkIgnoreAllZeroSrcMemoFile);
  layout->addStretch();

  connect(chkSplitTable, &QCheckBox::toggled, this, &TMainForm::chkSplitTableClick);
  for (QObject* keySource :
       {static_cast<QObject*>(udMaxFieldCount), static_cast<QObject*>(txtMaxFieldCount)})
    keySource->installEventFilter(this);
  return page;
}

QWidget* TMainForm::CreateAdvOptionsPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsAdvOptions"));
  labTempDir = new QLabel(AppString(StrId::TempDirLabel), page);
  labTempDir->setObjectName(QStringLiteral("labTempDir"));
  txtTempDir = new QLineEdit(page);
  txtTempDir->setObjectName(QStringLiteral("txtTempDir"));
  txtTempDir->setFixedWidth(ScaledX(this, 315));
  labTempDir->setBuddy(txtTempDir);
  btnMoreDir = BrowseButton(page, "btnMoreDir");
  labBufSize = new QLabel(AppString(StrId::BufSizeLabel), page);
  labBufSize->setObjectName(QStringLiteral("labBufSize"));
  udBufSize = UpDown(page, 1, 59, "udBufSize");
  txtBufSize = udBufSize->findChild<QLineEdit*>();
  txtBufSize->setObjectName(QStringLiteral("txtBufSize"));
  labBufSize->setBuddy(udBufSize);
  Label16 = new QLabel(AppString(StrId::BytesLabel), page);
  chkTemplate = OptionBox(page, StrId::TemplateCheckBox, "chkTemplate");
  txtTemplate = new TDragEdit(page);
  txtTemplate->setObjectName(QStringLiteral("txtTemplate"));
  txtTemplate->setFixedWidth(ScaledX(this, 315));
  txtTemplate->AcceptFiles(true);
  btnTemplateMore = BrowseButton(page, "btnTemplateMore");

  auto* layout = new QVBoxLayout(page);
  SetScaledMargins(layout, this, 16, 12);
  layout->setSpacing(ScaledY(this, 6));
  layout->addWidget(labTempDir);
  layout->addLayout(LeftAlignedRow({txtTempDir, btnMoreDir}));
  layout->addSpacing(ScaledY(this, 12));
  layout->addLayout(LeftAlignedRow({labBufSize, udBufSize, Label16}));
  layout->addSpacing(ScaledY(this, 12));
  layout->addWidget(chkTemplate);
  layout->addLayout(LeftAlignedRow({txtTemplate, btnTemplateMore}));
  layout->addStretch();

  connect(btnMoreDir, &QPushButton::clicked, this, &TMainForm::btnMoreDirClick);
  connect(chkTemplate, &QCheckBox::toggled, this, &TMainForm::chkTemplateClick);
  connect(btnTemplateMore, &QPushButton::clicked, this, &TMainForm::btnTemplateMoreClick);
  connect(txtTemplate, &TDragEdit::OnDropFile, this,
          [this](QObject*, const QString& fileName) { txtTemplate->setText(QDir::toNativeSeparators(fileName)); });
  chkTemplateClick();
  for (QObject* keySource : {static_cast<QObject*>(udBufSize), static_cast<QObject*>(txtBufSize)})
    keySource->installEventFilter(this);
  return page;
}

void TMainForm::ApplySettings() {
  chkOpenFixed->setChecked(FSetting.OpenFixed);
  chkRecoverDeleted->setChecked(FSetting.RecoverDeleted);
  chkRepairDate->setChecked(FSetting.RepairDate);
  chkSplitTable->setChecked(FSetting.SplitTable);
  udMaxFieldCount->setValue(UpDownPosition(FSetting.MaxFieldCount));
  chkSplitTableClick();
  chkReadSrcMemoFile->setChecked(FSetting.ReadSrcMemoFile);
  chkIgnoreAllZeroSrcMemoFile->setChecked(FSetting.IgnoreAllZeroSrcMemoFile);
  txtTempDir->setText(FSetting.TempDir);
  udBufSize->setValue(UpDownPosition(FSetting.BufSize));
}

void TMainForm::CollectSettings() {
  FSetting.OpenFixed = chkOpenFixed->isChecked();
  FSetting.RecoverDeleted = chkRecoverDeleted->isChecked();
  FSetting.RepairDate = chkRepairDate->isChecked();
  FSetting.SplitTable = chkSplitTable->isChecked();
  FSetting.MaxFieldCount = WidenedPosition(udMaxFieldCount);
  FSetting.ReadSrcMemoFile = chkReadSrcMemoFile->isChecked();
  FSetting.IgnoreAllZeroSrcMemoFile = chkIgnoreAllZeroSrcMemoFile->isChecked();
  FSetting.TempDir = txtTempDir->text();
  FSetting.BufSize = WidenedPosition(udBufSize);
}

uint32_t TMainForm::GetRepairOptions() const {
  RepairOptionState state;
  state.recoverDeleted = chkRecoverDeleted->isChecked();
  state.repairDate = chkRepairDate->isChecked();
  state.splitTable = chkSplitTable->isChecked();
  state.readSrcMemoFile = chkReadSrcMemoFile->isChecked();
  state.ignoreAllZeroSrcMemoFile = chkIgnoreAllZeroSrcMemoFile->isChecked();
  state.versionIndex = cmbDBFVersion->currentIndex();
  state.maxFieldCount = udMaxFieldCount->value();
  return PackRepairOptions(state);
}

void TMainForm::chkSplitTableClick() {
  const bool split = chkSplitTable->isChecked();
  udMaxFieldCount->setEnabled(split);
  txtMaxFieldCount->setEnabled(split);
}

// Not stored with the settings: like the output version, a template belongs to the
// tables of one session, and a forgotten one would impose its fields on the next table.
QString TMainForm::GetTemplatePath() const {
  return chkTemplate->isChecked() ? txtTemplate->text().trimmed() : QString();
}

void TMainForm::chkTemplateClick() {
  const bool wanted = chkTemplate->isChecked();
  txtTemplate->setEnabled(wanted);
  btnTemplateMore->setEnabled(wanted);
}

void TMainForm::btnTemplateMoreClick() {
  const QString table = ChooseTableToOpen();
  if (!table.isEmpty()) txtTemplate->setText(table);
}

bool TMainForm::TemplateReadyForRun() {
  if (!chkTemplate->isChecked() || !GetTemplatePath().isEmpty()) return true;
  ShowError(this, AppString(StrId::TemplateNotChosen));
  pcMain->setCurrentWidget(tsAdvOptions);
  txtTemplate->setFocus();
  return false;
}

void TMainForm::btnMoreDirClick() {
  const QString folder =
      QFileDialog::getExistingDirectory(this, AppString(StrId::SelectTempDirTitle),
                                        StartFolderForBrowsing(), QFileDialog::ShowDirsOnly);
  if (!folder.isEmpty()) txtTempDir->setText(QDir::toNativeSeparators(folder));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    const QChar key = text.isEmpty() ? QChar() : text.front();
    if (watched == udMaxFieldCount || watched == txtMaxFieldCount)
      return txtMaxFieldCountKeyPress(key);
    if (watched == udBufSize || watched == txtBufSize) return txtBufSizeKeyPress(key);
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TMainForm::txtMaxFieldCountKeyPress(QChar key) { return DiscardNonDigit(key); }

bool TMainForm::txtBufSizeKeyPress(QChar key) { return DiscardNonDigit(key); }

// A typed character other than a digit is refused with a beep; control keys
// (backspace, delete, arrows) pass.
bool TMainForm::DiscardNonDigit(QChar key) {
  if (key.isNull() || !key.isPrint() || (key >= u'0' && key <= u'9')) return false;
  QApplication::beep();
  emit KeyDiscarded();
  return true;
}
