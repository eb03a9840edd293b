#include "search_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimeEdit>
#include <QTreeWidget>

#include "local_hard_drives.h"
#include "search_animation.h"
#include "search_file_grep.h"
#include "search_strings.h"

namespace {

constexpr QSize kInitialSize(640, 520);
constexpr QSize kMinimumSize(640, 480);
constexpr QChar kPathDelimiter = u'/';
constexpr QChar kFilterSeparator = u'|';
const QString kAllFilesMask = QStringLiteral("*.*");

enum ResultColumnIndex { kColumnName, kColumnDirectory, kColumnSize, kColumnCreated,
                         kColumnLastAccessed, kColumnLastModified };

// The time format of the user's locale without the zone name that its long form carries.
QString LocaleTimeFormat() {
  QString format = QLocale().timeFormat(QLocale::LongFormat);
  format.remove(u't');
  return format.trimmed();
}

}  // namespace

TSearchForm::TSearchForm(QWidget* parent) : QDialog(parent) {
  lf = new TSearchFileGrep(this);
  lf->InternalFoundList = false;
  lf->ResultValues = TSPResults(srsDir) | srsFilename | srsAttr | srsSize | srsCreateDate |
                     srsLastAccessDate | srsLastModifiedDate;
  lf->FileMasks = kAllFilesMask;
  lf->SetThreadPriority(QThread::LowestPriority);
  lf->OnFinished = [this](TSearchFileGrep* sender) { lfFinished(sender); };
  lf->OnCancel = [this](TSearchFileGrep* sender) { lfCancel(sender); };
  lf->OnDirChange = [this](TSearchFileGrep* sender, const QString& folder) { lfDirChange(sender, folder); };
  lf->OnEnd = [this](TSearchFileGrep* sender) { lfEnd(sender); };

  setSizeGripEnabled(true);
  resize(kInitialSize);
  setMinimumSize(kMinimumSize);
  BuildLayout();
  ConnectHandlers();
  FormCreate();
  if (const QScreen* screen = this->screen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

TSearchForm::~TSearchForm() = default;

void TSearchForm::ConnectHandlers() {
  connect(cbCreated, &QCheckBox::toggled, this, &TSearchForm::cbCreatedClick);
  connect(cbAccessed, &QCheckBox::toggled, this, &TSearchForm::cbAccessedClick);
  connect(cbModified, &QCheckBox::toggled, this, &TSearchForm::cbModifiedClick);
  connect(cbFileAttr, &QCheckBox::toggled, this, &TSearchForm::cbFileAttrClick);
  connect(cbFileMinSize, &QCheckBox::toggled, this, &TSearchForm::cbFileMinSizeClick);
  connect(cbFileMaxSize, &QCheckBox::toggled, this, &TSearchForm::cbFileMaxSizeClick);
  connect(btnBrowse, &QPushButton::clicked, this, &TSearchForm::btnBrowseClick);
  connect(Button1, &QPushButton::clicked, this, &TSearchForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TSearchForm::Button2Click);
  connect(btnOK, &QPushButton::clicked, this, &TSearchForm::btnOKClick);
  connect(btnCancel, &QPushButton::clicked, this, &TSearchForm::btnCancelClick);
  txtMinSize->installEventFilter(this);
  txtMaxSize->installEventFilter(this);
}

void TSearchForm::FormCreate() {
  setWindowTitle(SearchText(kTextSearchCaption));
  lf->OnFound = [this](TSearchFileGrep* sender, PSPFileRecord record) { lfFound(sender, record); };
  SetFileFilter(SearchText(kTextFileFilter));
  cmbFileName->setCurrentIndex(0);
  FLocalDrives = GetLocalHardDrives();
  cmbDirectory->addItem(SearchText(kTextLocalHarddrives).arg(FLocalDrives));
  cmbDirectory->setCurrentIndex(0);
  PageControl1->setCurrentIndex(0);
  cbCreatedClick();
  cbAccessedClick();
  cbModifiedClick();
  cbFileAttrClick();
  cbFileMinSizeClick();
  cbFileMaxSizeClick();
  ClearResults();
  FSearching = false;
  FReportCancel = true;
}

// A filter is "description|mask" pairs; each pair becomes an entry that carries its mask.
void TSearchForm::SetFileFilter(const QString& filter) {
  cmbFileName->clear();
  const QStringList parts = filter.split(kFilterSeparator);
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) cmbFileName->addItem(parts[i], parts[i + 1]);
}

QString TSearchForm::GetLocalHardDrives() const { return LocalHardDrives(ListMountedDrives()); }

void TSearchForm::EnableChildControls(QWidget* container, bool enabled) {
  const QList<QWidget*> children = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* child : children) {
    EnableChildControls(child, enabled);
    child->setEnabled(enabled);
  }
}

void TSearchForm::cbCreatedClick() { EnableChildControls(gbCreated, cbCreated->isChecked()); }
void TSearchForm::cbAccessedClick() { EnableChildControls(gbAccessed, cbAccessed->isChecked()); }
void TSearchForm::cbModifiedClick() { EnableChildControls(gbModified, cbModified->isChecked()); }
void TSearchForm::cbFileAttrClick() { EnableChildControls(gbFileAttr, cbFileAttr->isChecked()); }
void TSearchForm::cbFileMinSizeClick() { txtMinSize->setEnabled(cbFileMinSize->isChecked()); }
void TSearchForm::cbFileMaxSizeClick() { txtMaxSize->setEnabled(cbFileMaxSize->isChecked()); }

// The size edits take digits and control keys only; anything else typed is refused with a beep.
bool TSearchForm::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == txtMinSize || watched == txtMaxSize) && event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!text.isEmpty() && text[0] >= u' ' && !(text[0] >= u'0' && text[0] <= u'9')) {
      QApplication::beep();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TSearchForm::btnBrowseClick() {
  const QString current = cmbDirectory->currentText();
  const QString start = QDir(current).exists() ? current : QDir::currentPath();
  const QString folder = QFileDialog::getExistingDirectory(this, QString(), start);
  if (folder.isEmpty()) return;
  cmbDirectory->setCurrentIndex(-1);
  cmbDirectory->setEditText(folder);
}

TSPFileAttributes TSearchForm::ChosenAttributes() const {
  if (!cbFileAttr->isChecked()) return fmAnyfile;
  const TSPFileAttribute itemAttributes[] = {fmReadOnly, fmHidden, fmSystem, fmArchive};
  TSPFileAttributes attributes;
  for (int i = 0; i < AttrBox->count(); ++i) {
    if (AttrBox->item(i)->checkState() == Qt::Checked) attributes |= itemAttributes[i];
  }
  return attributes;
}

TSPCheckDates TSearchForm::ChosenDateChecks() const {
  TSPCheckDates checks;
  if (cbCreated->isChecked()) checks |= TSPCheckDates(scdCreateAfter) | scdCreateBefore;
  if (cbAccessed->isChecked()) checks |= TSPCheckDates(scdAccessedAfter) | scdAccessedBefore;
  if (cbModified->isChecked()) checks |= TSPCheckDates(scdModifiedAfter) | scdModifiedBefore;
  return checks;
}

QString TSearchForm::ChosenFileMask() {
  if (cmbFileName->count() == 0) return kAllFilesMask;
  if (cmbFileName->currentIndex() < 0) cmbFileName->setCurrentIndex(cmbFileName->count() - 1);
  return cmbFileName->currentData().toString();
}

void TSearchForm::ApplyDateBounds() {
  const auto bound = [](const QDateEdit* date, const QTimeEdit* time) {
    return QDateTime(date->date(), time->time());
  };
  lf->CreatedAfter.SetDateTime(bound(MinC, MinCT));
  lf->CreatedBefore.SetDateTime(bound(MaxC, MaxCT));
  lf->AccessedAfter.SetDateTime(bound(MinA, MinAT));
  lf->AccessedBefore.SetDateTime(bound(MaxA, MaxAT));
  lf->ModifiedAfter.SetDateTime(bound(MinM, MinMT));
  lf->ModifiedBefore.SetDateTime(bound(MaxM, MaxMT));
}

// Hands the dialog's settings to the search component; false (after an error box) when a size
// edit holds no 32-bit integer.
bool TSearchForm::ApplySearchSettings() {
  const TSPFileAttributes attributes = ChosenAttributes();
  lf->CheckDates = ChosenDateChecks();
  lf->FileMasks = ChosenFileMask();
  const bool localDrives = cmbDirectory->currentIndex() == 0 &&
                           cmbDirectory->currentText() == cmbDirectory->itemText(0);
  lf->Dirs = localDrives ? FLocalDrives : cmbDirectory->currentText();
  lf->FixedDrivesOnly = localDrives;
  lf->RecurseSubDirs = RecurseSubDirs->isChecked();
  qint64 sizes[2] = {0, 0};
  const std::pair<QCheckBox*, QLineEdit*> bounds[2] = {{cbFileMinSize, txtMinSize},
                                                      {cbFileMaxSize, txtMaxSize}};
  for (int i = 0; i < 2; ++i) {
    if (!bounds[i].first->isChecked()) continue;
    bool valid = false;
    sizes[i] = bounds[i].second->text().toInt(&valid);
    if (!valid) {
      QMessageBox::critical(this, SearchText(kTextCaptionError),
                            SearchText(kTextInvalidInteger).arg(bounds[i].second->text()));
      return false;
    }
  }
  lf->MinSize = sizes[0];
  lf->MaxSize = sizes[1];
  ApplyDateBounds();
  lf->Attributes = attributes;
  lf->ThreadedSearch = false;
  lf->SearchOptions = {};
  lf->SetSearchString(QString());
  return true;
}

void TSearchForm::Button1Click() {
  if (!ApplySearchSettings()) return;
  Button1->setEnabled(false);
  Button2->setEnabled(true);
  ClearResults();
  Animate->Start();
  FReportCancel = true;
  FSearching = true;
  lf->StartSearch();
}

void TSearchForm::Button2Click() {
  FReportCancel = true;
  lf->StopSearch();
}

void TSearchForm::ClearResults() {
  fl->clear();
  StatusPanel0->setText(SearchText(kTextFilesFound).arg(0));
  StatusPanel1->clear();
}

void TSearchForm::lfDirChange(TSearchFileGrep*, const QString& filename) {
  StatusPanel1->setText(filename);
}

QString TSearchForm::FormatFileTime(const QDateTime& time) const {
  // A time the file system's old date form cannot hold has no date to show.
  if (!time.isValid()) return {};
  const QLocale locale;
  QString text = locale.toString(time.date(), QLocale::ShortFormat);
  if (time.time() != QTime(0, 0)) text += u' ' + locale.toString(time.time(), LocaleTimeFormat());
  return text;
}

void TSearchForm::lfFound(TSearchFileGrep*, PSPFileRecord filedata) {
  auto* row = new QTreeWidgetItem(fl);
  row->setText(kColumnName, filedata->FileName);
  row->setText(kColumnDirectory, filedata->Dir);
  row->setText(kColumnSize, QString::number(filedata->Size));
  row->setTextAlignment(kColumnSize, Qt::AlignRight | Qt::AlignVCenter);
  row->setText(kColumnCreated, FormatFileTime(filedata->CreateDate));
  row->setText(kColumnLastAccessed, FormatFileTime(filedata->LastAccessDate));
  row->setText(kColumnLastModified, FormatFileTime(filedata->LastModifiedDate));
  StatusPanel0->setText(SearchText(kTextFilesFound).arg(fl->topLevelItemCount()));
}

void TSearchForm::ReturnToIdle() {
  Animate->Stop();
  Button1->setEnabled(true);
  Button2->setEnabled(false);
  StatusPanel1->clear();
  FSearching = false;
}

void TSearchForm::lfCancel(TSearchFileGrep*) {
  ReturnToIdle();
  if (FReportCancel) {
    QMessageBox::information(this, SearchText(kTextCaptionInformation),
                             SearchText(kTextSearchCancelled));
  }
}

void TSearchForm::lfFinished(TSearchFileGrep*) {
  ReturnToIdle();
  QMessageBox::information(this, SearchText(kTextCaptionInformation),
                           SearchText(kTextSearchCompleted).arg(fl->topLevelItemCount()));
}

void TSearchForm::lfEnd(TSearchFileGrep*) {
  Animate->Stop();
  FSearching = false;
}

void TSearchForm::btnOKClick() {
  if (fl->selectedItems().isEmpty()) {
    QMessageBox::critical(this, SearchText(kTextCaptionError), SearchText(kTextSelectFiles));
    return;
  }
  QMetaObject::invokeMethod(this, [this] { CloseRequest(true); }, Qt::QueuedConnection);
}

void TSearchForm::btnCancelClick() {
  QMetaObject::invokeMethod(this, [this] { CloseRequest(false); }, Qt::QueuedConnection);
}

void TSearchForm::reject() { CloseRequest(false); }
void TSearchForm::accept() { CloseRequest(true); }

// While a search runs, closing needs the user's word; the search then ends without a message.
bool TSearchForm::MayClose() {
  if (!FSearching) return true;
  const auto answer = QMessageBox::warning(this, SearchText(kTextCaptionConfirm),
                                           SearchText(kTextConfirmCloseSearch),
                                           QMessageBox::Yes | QMessageBox::No);
  if (answer != QMessageBox::Yes) return false;
  FReportCancel = false;
  lf->StopSearch();
  return true;
}

// Tag becomes 1 only when an accepted close is carried out, so that a refused close followed by
// Cancel does not hand over the selection.
void TSearchForm::CloseRequest(bool accepted) {
  if (!MayClose()) return;
  if (accepted) Tag = 1;
  QDialog::done(accepted ? Accepted : Rejected);
}

QList<QTreeWidgetItem*> TSearchForm::SelectedRowsInListOrder() const {
  QList<QTreeWidgetItem*> rows;
  for (int i = 0; i < fl->topLevelItemCount(); ++i) {
    if (fl->topLevelItem(i)->isSelected()) rows.append(fl->topLevelItem(i));
  }
  return rows;
}

QString TSearchForm::RowPath(const QTreeWidgetItem* row) const {
  QString folder = row->text(kColumnDirectory);
  if (!folder.endsWith(kPathDelimiter)) folder += kPathDelimiter;
  return folder + row->text(kColumnName);
}

void TSearchForm::ShowModalWithSelection(bool multiple) {
  fl->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection
                                : QAbstractItemView::SingleSelection);
  Tag = 0;
  exec();
}

void TSearchForm::ChooseSourceFile() {
  ShowModalWithSelection(false);
  const QList<QTreeWidgetItem*> rows = SelectedRowsInListOrder();
  if (Tag != 0 && !rows.isEmpty()) emit SourceFileChosen(RowPath(rows.first()));
}

void TSearchForm::ChooseBatchFiles() {
  ShowModalWithSelection(true);
  if (Tag == 0) return;
  QStringList paths;
  for (const QTreeWidgetItem* row : SelectedRowsInListOrder()) {
    const QString path = RowPath(row);
    if (!paths.contains(path)) paths.append(path);
  }
  emit BatchFilesChosen(paths);
}
