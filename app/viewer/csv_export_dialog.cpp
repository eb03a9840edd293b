#include "viewer/csv_export_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app_strings.h"
#include "code_page.h"
#include "control_description.h"
#include "dialog_filter.h"
#include "message_box.h"
#include "ui_metrics.h"

TCsvExportDialog::TCsvExportDialog(QWidget* parent, const QString& defaultPath,
                                   uint32_t tableCodePage)
    : QDialog(parent) {
  setObjectName(QStringLiteral("CsvExportDialog"));
  setWindowTitle(AppString(StrId::CsvExportTitle));
  txtCsvFile = new QLineEdit(QDir::toNativeSeparators(defaultPath), this);
  txtCsvFile->setObjectName(QStringLiteral("txtCsvFile"));
  txtCsvFile->setMinimumWidth(ScaledX(this, 320));
  labCsvFile = new QLabel(AppString(StrId::CsvFileLabel), this);
  labCsvFile->setBuddy(txtCsvFile);
  btnCsvFileMore = new QPushButton(AppString(StrId::BrowseButton), this);
  btnCsvFileMore->setObjectName(QStringLiteral("btnCsvFileMore"));
  cmbCodePage = new QComboBox(this);
  cmbCodePage->setObjectName(QStringLiteral("cmbCodePage"));
  labCodePage = new QLabel(AppString(StrId::CsvCodePageLabel), this);
  labCodePage->setBuddy(cmbCodePage);
  labCodePageNote = new QLabel(this);
  labCodePageNote->setWordWrap(true);
  FillCodePages(tableCodePage);
  ButtonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

  ApplyControlDescriptions({
      {txtCsvFile, std::nullopt, StrId::TipCsvFile},
      {btnCsvFileMore, StrId::NameCsvFileMore, StrId::TipCsvFileMore},
      {cmbCodePage, std::nullopt, StrId::TipCsvCodePage},
  });

  auto* layout = new QGridLayout(this);
  layout->addWidget(labCsvFile, 0, 0);
  layout->addWidget(txtCsvFile, 0, 1);
  layout->addWidget(btnCsvFileMore, 0, 2);
  layout->addWidget(labCodePage, 1, 0);
  layout->addWidget(cmbCodePage, 1, 1, Qt::AlignLeft);
  layout->addWidget(labCodePageNote, 2, 1, 1, 2);
  layout->addWidget(ButtonBox, 3, 0, 1, 3);

  connect(btnCsvFileMore, &QPushButton::clicked, this, &TCsvExportDialog::btnCsvFileMoreClick);
  connect(ButtonBox, &QDialogButtonBox::accepted, this, &TCsvExportDialog::accept);
  connect(ButtonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(txtCsvFile, &QLineEdit::textChanged, this, [this](const QString& text) {
    ButtonBox->button(QDialogButtonBox::Ok)->setEnabled(!text.trimmed().isEmpty());
  });
}

void TCsvExportDialog::FillCodePages(uint32_t tableCodePage) {
  if (tableCodePage != 0) {
    cmbCodePage->addItem(AppString(StrId::CsvCodePageNamed).arg(tableCodePage), tableCodePage);
    cmbCodePage->setEnabled(false);
    labCodePageNote->setText(AppString(StrId::CsvCodePageNoteNamed));
    return;
  }
  for (const uint32_t codePage : tessaly_common::ChoosableCodePages())
    cmbCodePage->addItem(QString::number(codePage), codePage);
  cmbCodePage->setCurrentIndex(cmbCodePage->findData(kDefaultCodePage));
  labCodePageNote->setText(AppString(StrId::CsvCodePageNoteChoose));
}

QString TCsvExportDialog::FilePath() const { return txtCsvFile->text().trimmed(); }

uint32_t TCsvExportDialog::CodePage() const { return cmbCodePage->currentData().toUInt(); }

void TCsvExportDialog::btnCsvFileMoreClick() {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("CsvFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(DialogNameFilters(AppString(StrId::CsvFileFilter)));
  dialog.setDefaultSuffix(FilterExtension(AppString(StrId::CsvFileFilter), 1));
  // OK asks about an existing file, browsed for or typed.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.selectFile(FilePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  txtCsvFile->setText(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}

void TCsvExportDialog::accept() {
  const QString path = FilePath();
  if (path.isEmpty()) return;
  const QFileInfo file(path);
  if (file.exists() && !ConfirmYesNo(this, AppString(StrId::OverwriteQuestion).arg(path))) return;
  QDialog::accept();
}
