// The "Repair" page: its controls, the two path boxes and their dialogs, the log.
// The run itself is in single_file_repair.cpp, log saving in save_log.cpp, help
// in help.cpp.
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "animation_view.h"
#include "app_strings.h"
#include "dialog_filter.h"
#include "drag_edit.h"
#include "logdlg/save_log_dialog.h"
#include "main_form.h"
#include "message_box.h"
#include "path_functions.h"
#include "ui_metrics.h"

namespace {

constexpr StrId kVersionNames[] = {
    StrId::VersionAutoDetect, StrId::VersionDbase3,   StrId::VersionDbase4,
    StrId::VersionDbase5,     StrId::VersionFoxBase,  StrId::VersionFoxPro20,
    StrId::VersionFoxPro25,   StrId::VersionFoxPro26, StrId::VersionVisualFoxPro,
};

// Text other than blanks and control characters.
bool HoldsText(const QString& text) {
  for (const QChar c : text)
    if (c.unicode() > u' ') return true;
  return false;
}

QPushButton* BrowseButton(QWidget* parent, const char* name) {
  auto* button = new QPushButton(AppString(StrId::BrowseButton), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) +
                        ScaledX(parent, 14));
  return button;
}

}  // namespace

QWidget* TMainForm::CreateRepairPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsRepair"));

  labSelSrcFile = new QLabel(page);
  txtSrcFile = new TDragEdit(page);
  txtSrcFile->setObjectName(QStringLiteral("txtSrcFile"));
  txtSrcFile->setMinimumWidth(ScaledX(this, 161));
  labSelSrcFile->setBuddy(txtSrcFile);
  btnSrcMore = BrowseButton(page, "btnSrcMore");
  btnSrcSearch = new QToolButton(page);
  btnSrcSearch->setObjectName(QStringLiteral("btnSrcSearch"));
  btnSrcSearch->setIcon(QIcon(QStringLiteral(":/search.png")));
  Label2 = new QLabel(AppString(StrId::VersionLabel), page);
  cmbDBFVersion = new QComboBox(page);
  cmbDBFVersion->setObjectName(QStringLiteral("cmbDBFVersion"));
  for (const StrId name : kVersionNames) cmbDBFVersion->addItem(AppString(name));
  Label2->setBuddy(cmbDBFVersion);

  Label3 = new QLabel(AppString(StrId::OutputFilePrompt), page);
  txtDstFile = new QLineEdit(page);
  txtDstFile->setObjectName(QStringLiteral("txtDstFile"));
  txtDstFile->setMinimumWidth(ScaledX(this, 316));
  Label3->setBuddy(txtDstFile);
  btnDstMore = BrowseButton(page, "btnDstMore");

  Label4 = new QLabel(AppString(StrId::RepairLogLabel), page);
  txtRepairLog = new QPlainTextEdit(page);
  txtRepairLog->setObjectName(QStringLiteral("txtRepairLog"));
  txtRepairLog->setReadOnly(true);
  txtRepairLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtRepairLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtRepairLog->setFixedSize(ScaledSize(this, 390, 117));

  btnRepair = new QPushButton(AppString(StrId::StartRepair), page);
  btnRepair->setObjectName(QStringLiteral("btnRepair"));
  btnRepair->setDefault(true);
  btnRepair->setEnabled(false);
  btnView = new QPushButton(AppString(StrId::View), page);
  btnView->setObjectName(QStringLiteral("btnView"));
  btnView->setEnabled(false);
  btnViewTable = new QPushButton(AppString(StrId::ViewTable), page);
  btnViewTable->setObjectName(QStringLiteral("btnViewTable"));
  btnSaveLog = new QPushButton(AppString(StrId::SaveLog), page);
  btnSaveLog->setObjectName(QStringLiteral("btnSaveLog"));
  btnHelp = new QPushButton(AppString(StrId::Help), page);
  btnHelp->setObjectName(QStringLiteral("btnHelp"));

  auto* sourceRow = new QHBoxLayout;
  sourceRow->addWidget(txtSrcFile, 1);
  sourceRow->addWidget(btnSrcMore);
  sourceRow->addWidget(btnSrcSearch);
  sourceRow->addSpacing(ScaledX(this, 8));
  sourceRow->addWidget(Label2);
  sourceRow->addWidget(cmbDBFVersion);
  FRepairAnimationSlot = CreateAnimationSlot(page);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(FRepairAnimationSlot, 0, Qt::AlignHCenter);
  buttons->addStretch();
  buttons->addWidget(btnRepair);
  buttons->addWidget(btnView);
  buttons->addWidget(btnViewTable);
  buttons->addWidget(btnSaveLog);
  buttons->addWidget(btnHelp);

  auto* grid = new QGridLayout(page);
  SetScaledMargins(grid, this, 8, 6);
  grid->setHorizontalSpacing(ScaledX(this, 12));
  grid->addWidget(labSelSrcFile, 0, 0);
  grid->addLayout(sourceRow, 1, 0);
  grid->addWidget(Label3, 2, 0);
  grid->addLayout(LeftAlignedRow({txtDstFile, btnDstMore}), 3, 0);
  grid->addWidget(Label4, 4, 0);
  grid->addWidget(txtRepairLog, 5, 0);
  grid->addLayout(buttons, 2, 1, 4, 1);
  grid->setColumnStretch(0, 1);

  connect(txtSrcFile, &QLineEdit::textChanged, this, &TMainForm::txtSrcFileChange);
  connect(txtDstFile, &QLineEdit::textChanged, this, &TMainForm::txtDstFileChange);
  connect(txtSrcFile, &TDragEdit::OnDropFile, this, &TMainForm::txtSrcFileDropFile);
  // Enter in a path box presses the default button, as it does in a dialog.
  for (QLineEdit* box : {static_cast<QLineEdit*>(txtSrcFile), txtDstFile})
    connect(box, &QLineEdit::returnPressed, btnRepair, [this] {
      if (btnRepair->isEnabled()) btnRepair->click();
    });
  connect(btnSrcMore, &QPushButton::clicked, this, &TMainForm::btnSrcMoreClick);
  connect(btnSrcSearch, &QToolButton::clicked, this, &TMainForm::btnSrcSearchClick);
  connect(btnDstMore, &QPushButton::clicked, this, &TMainForm::btnDstMoreClick);
  connect(btnRepair, &QPushButton::clicked, this, &TMainForm::btnRepairClick);
  connect(btnView, &QPushButton::clicked, this, &TMainForm::btnViewClick);
  connect(btnViewTable, &QPushButton::clicked, this, &TMainForm::btnViewTableClick);
  connect(btnSaveLog, &QPushButton::clicked, this, &TMainForm::btnSaveLogClick);
  connect(btnHelp, &QPushButton::clicked, this, &TMainForm::btnHelpClick);
  return page;
}

void TMainForm::CreateFileDialogs() {
  const QStringList filters = DialogNameFilters(AppString(StrId::DbfFileFilter));
  OpenDialog = new QFileDialog(this);
  OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
  OpenDialog->setAcceptMode(QFileDialog::AcceptOpen);
  OpenDialog->setFileMode(QFileDialog::ExistingFile);
  OpenDialog->setNameFilters(filters);

  SaveDialog = new QFileDialog(this);
  SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
  SaveDialog->setAcceptMode(QFileDialog::AcceptSave);
  SaveDialog->setFileMode(QFileDialog::AnyFile);
  SaveDialog->setNameFilters(filters);
  connect(SaveDialog, &QFileDialog::filterSelected, this, &TMainForm::SaveDialogTypeChange);

  SaveLogDialog = new TSaveLogDialog(this);
  SaveLogDialog->setObjectName(QStringLiteral("SaveLogDialog"));
}

void TMainForm::txtSrcFileChange() {
  txtDstFileChange();
  // The output follows the source while it holds the name derived from it (or
  // nothing); a name the user gave stays.
  const QString output = txtDstFile->text();
  if (!output.isEmpty() && output != FDerivedOutput) return;
  const QString source = txtSrcFile->text();
  FDerivedOutput = HoldsText(source) ? MakeFixedFileName(source) : QString();
  txtDstFile->setText(FDerivedOutput);
}

void TMainForm::txtDstFileChange() {
  btnRepair->setEnabled(FRunActive ||
                        (HoldsText(txtSrcFile->text()) && HoldsText(txtDstFile->text())));
}

void TMainForm::txtSrcFileDropFile(QObject* /*sender*/, const QString& fileName) {
  txtSrcFile->setText(fileName);
}

void TMainForm::btnSrcMoreClick() {
  const QString table = ChooseTableToOpen();
  if (!table.isEmpty()) txtSrcFile->setText(table);
}

QString TMainForm::ChooseTableToOpen() {
  SelectFilterIndex(OpenDialog, FSetting.OpenFilterIndex);
  if (OpenDialog->exec() != QDialog::Accepted || OpenDialog->selectedFiles().isEmpty()) return {};
  FSetting.OpenFilterIndex = SelectedFilterIndex(OpenDialog);
  return QDir::toNativeSeparators(OpenDialog->selectedFiles().first());
}

void TMainForm::btnDstMoreClick() {
  SaveDialog->selectFile(QString());
  SelectFilterIndex(SaveDialog, FSetting.SaveFilterIndex);
  SaveDialogTypeChange();
  if (SaveDialog->exec() != QDialog::Accepted || SaveDialog->selectedFiles().isEmpty()) return;
  FSetting.SaveFilterIndex = SelectedFilterIndex(SaveDialog);
  txtDstFile->setText(QDir::toNativeSeparators(SaveDialog->selectedFiles().first()));
}

void TMainForm::SaveDialogTypeChange() {
  const QString extension =
      FilterExtension(AppString(StrId::DbfFileFilter), SelectedFilterIndex(SaveDialog));
  SaveDialog->setDefaultSuffix(extension == u"*" ? QString() : extension);
}

void TMainForm::AppendLog(const QString& text) {
  for (const QString& line : text.split(QStringLiteral("\r\n"))) {
    txtRepairLog->appendPlainText(line);
    if (FEntryLog != nullptr) FEntryLog->append(line);
  }
}
