// The widgets of the search dialog and their places; the behaviour is in search_form.cpp.
#include <QCheckBox>
#include <QFontMetrics>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "search_animation.h"
#include "search_form.h"
#include "search_strings.h"

namespace {

constexpr int kOptionsPanelHeight = 246;
constexpr int kHeadingPixelSize = 16;
constexpr int kStatusCountWidth = 100;
constexpr int kStatusFolderWidth = 50;
const QDate kInitialPickerDate(1998, 9, 11);
const QTime kInitialPickerTime(10, 21, 3);

struct ResultColumn {
  SearchTextId Caption;
  int Width;
};
constexpr ResultColumn kResultColumns[] = {
    {kTextColumnName, 150},     {kTextColumnDirectory, 200},    {kTextColumnSize, 65},
    {kTextColumnCreated, 112},  {kTextColumnLastAccessed, 125}, {kTextColumnLastModified, 125},
};
constexpr int kSizeColumn = 2;
constexpr int kHeaderPadding = 16;

QLabel* Heading(SearchTextId text, QWidget* parent) {
  auto* label = new QLabel(SearchText(text), parent);
  QFont font = label->font();
  font.setBold(true);
  font.setPixelSize(kHeadingPixelSize);
  label->setFont(font);
  return label;
}

QDateEdit* DatePicker(QWidget* parent) {
  auto* picker = new QDateEdit(kInitialPickerDate, parent);
  picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
  picker->setCalendarPopup(true);
  return picker;
}

QTimeEdit* TimePicker(QWidget* parent) {
  auto* picker = new QTimeEdit(kInitialPickerTime, parent);
  picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  return picker;
}

// A check box above the group of "From:" and "To:" pickers that it switches on and off.
void AddDateCriterion(QVBoxLayout* page, SearchTextId caption, QCheckBox*& check, QGroupBox*& group,
                      QDateEdit*& minDate, QTimeEdit*& minTime, QDateEdit*& maxDate,
                      QTimeEdit*& maxTime) {
  QWidget* parent = page->parentWidget();
  check = new QCheckBox(SearchText(caption), parent);
  group = new QGroupBox(parent);
  auto* pickers = new QHBoxLayout(group);
  pickers->setContentsMargins(6, 2, 6, 2);
  pickers->addWidget(new QLabel(SearchText(kTextFrom), group));
  minDate = DatePicker(group);
  minTime = TimePicker(group);
  pickers->addWidget(minDate);
  pickers->addWidget(minTime);
  pickers->addSpacing(12);
  pickers->addWidget(new QLabel(SearchText(kTextTo), group));
  maxDate = DatePicker(group);
  maxTime = TimePicker(group);
  pickers->addWidget(maxDate);
  pickers->addWidget(maxTime);
  pickers->addStretch();
  page->addWidget(check);
  page->addWidget(group);
}

// "At least"/"At most" with its edit and the word "bytes".
QLineEdit* AddSizeBound(QGridLayout* grid, int row, SearchTextId caption, QCheckBox*& check) {
  QWidget* group = grid->parentWidget();
  check = new QCheckBox(SearchText(caption), group);
  auto* edit = new QLineEdit(QStringLiteral("0"), group);
  grid->addWidget(check, row, 0);
  grid->addWidget(edit, row, 1);
  grid->addWidget(new QLabel(SearchText(kTextBytes), group), row, 2);
  return edit;
}

}  // namespace

void TSearchForm::BuildLayout() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 0);
  layout->addWidget(BuildOptionsPanel());
  layout->addWidget(BuildResultsPanel(), 1);
}

QWidget* TSearchForm::BuildOptionsPanel() {
  palOptions = new QWidget(this);
  palOptions->setFixedHeight(kOptionsPanelHeight);
  auto* layout = new QVBoxLayout(palOptions);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Heading(kTextSearchOptions, palOptions));

  auto* row = new QHBoxLayout;
  PageControl1 = new QTabWidget(palOptions);
  PageControl1->addTab(BuildGeneralPage(), SearchText(kTextPageGeneral));
  PageControl1->addTab(BuildDateTimePage(), SearchText(kTextPageDateTime));
  PageControl1->addTab(BuildSizeAttributesPage(), SearchText(kTextPageSizeAttributes));
  row->addWidget(PageControl1, 1);

  auto* buttons = new QVBoxLayout;
  Button1 = new QPushButton(SearchText(kTextSearchNow), palOptions);
  Button1->setDefault(true);
  Button2 = new QPushButton(SearchText(kTextStopSearch), palOptions);
  Button2->setEnabled(false);
  Animate = new SearchAnimation(palOptions);
  buttons->addSpacing(PageControl1->tabBar()->sizeHint().height());
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(Animate, 0, Qt::AlignHCenter);
  buttons->addStretch();
  row->addLayout(buttons);
  layout->addLayout(row, 1);
  return palOptions;
}

QWidget* TSearchForm::BuildGeneralPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  cmbFileName = new QComboBox(page);
  grid->addWidget(new QLabel(SearchText(kTextFilesNamed), page), 0, 0);
  grid->addWidget(cmbFileName, 0, 1);
  cmbDirectory = new QComboBox(page);
  cmbDirectory->setEditable(true);
  cmbDirectory->setInsertPolicy(QComboBox::NoInsert);
  auto* lookIn = new QLabel(SearchText(kTextLookIn), page);
  lookIn->setBuddy(cmbDirectory);
  btnBrowse = new QPushButton(SearchText(kTextBrowse), page);
  grid->addWidget(lookIn, 1, 0);
  grid->addWidget(cmbDirectory, 1, 1);
  grid->addWidget(btnBrowse, 1, 2);
  RecurseSubDirs = new QCheckBox(SearchText(kTextSearchSubfolders), page);
  RecurseSubDirs->setChecked(true);
  grid->addWidget(RecurseSubDirs, 2, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);
  return page;
}

QWidget* TSearchForm::BuildDateTimePage() {
  auto* page = new QWidget;
  auto* rows = new QVBoxLayout(page);
  rows->setSpacing(2);
  AddDateCriterion(rows, kTextFileCreatedTime, cbCreated, gbCreated, MinC, MinCT, MaxC, MaxCT);
  AddDateCriterion(rows, kTextFileLastAccessedTime, cbAccessed, gbAccessed, MinA, MinAT, MaxA, MaxAT);
  AddDateCriterion(rows, kTextFileModifiedTime, cbModified, gbModified, MinM, MinMT, MaxM, MaxMT);
  rows->addStretch();
  return page;
}

QWidget* TSearchForm::BuildSizeAttributesPage() {
  auto* page = new QWidget;
  auto* row = new QHBoxLayout(page);

  GroupBox1 = new QGroupBox(SearchText(kTextFileSize), page);
  auto* sizes = new QGridLayout(GroupBox1);
  txtMinSize = AddSizeBound(sizes, 0, kTextAtLeast, cbFileMinSize);
  txtMaxSize = AddSizeBound(sizes, 1, kTextAtMost, cbFileMaxSize);
  sizes->setRowStretch(2, 1);
  row->addWidget(GroupBox1, 1);

  auto* attributes = new QVBoxLayout;
  cbFileAttr = new QCheckBox(SearchText(kTextFileAttributes), page);
  gbFileAttr = new QGroupBox(page);
  auto* box = new QVBoxLayout(gbFileAttr);
  AttrBox = new QListWidget(gbFileAttr);
  for (SearchTextId item : {kTextAttrReadOnly, kTextAttrHidden, kTextAttrSystem, kTextAttrArchive}) {
    auto* entry = new QListWidgetItem(SearchText(item), AttrBox);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
  }
  box->addWidget(AttrBox);
  attributes->addWidget(cbFileAttr);
  attributes->addWidget(gbFileAttr, 1);
  row->addLayout(attributes, 1);
  return page;
}

QWidget* TSearchForm::BuildResultsPanel() {
  palResults = new QWidget(this);
  auto* layout = new QVBoxLayout(palResults);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Heading(kTextSearchResults, palResults));

  fl = new QTreeWidget(palResults);
  fl->setRootIsDecorated(false);
  fl->setUniformRowHeights(true);
  fl->setEditTriggers(QAbstractItemView::NoEditTriggers);
  fl->setSelectionBehavior(QAbstractItemView::SelectRows);
  fl->setColumnCount(std::size(kResultColumns));
  QStringList captions;
  for (const ResultColumn& column : kResultColumns) captions << SearchText(column.Caption);
  fl->setHeaderLabels(captions);
  // The platform font may be wider than the one the widths were chosen for: no caption is cut.
  const QFontMetrics metrics(fl->header()->font());
  for (int i = 0; i < static_cast<int>(std::size(kResultColumns)); ++i) {
    const int captionWidth = metrics.horizontalAdvance(captions[i]) + kHeaderPadding;
    fl->header()->resizeSection(i, std::max(kResultColumns[i].Width, captionWidth));
  }
  fl->headerItem()->setTextAlignment(kSizeColumn, Qt::AlignRight | Qt::AlignVCenter);
  // The selection stays visible when the list loses the focus.
  QPalette palette = fl->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  fl->setPalette(palette);
  layout->addWidget(fl, 1);

  auto* bottom = new QHBoxLayout;
  StatusBar = new QStatusBar(palResults);
  StatusPanel0 = new QLabel(StatusBar);
  StatusPanel0->setMinimumWidth(kStatusCountWidth);
  StatusPanel1 = new QLabel(StatusBar);
  StatusPanel1->setMinimumWidth(kStatusFolderWidth);
  // A long folder path must not widen the dialog.
  StatusPanel1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  StatusBar->addWidget(StatusPanel0);
  StatusBar->addWidget(StatusPanel1, 1);
  btnOK = new QPushButton(SearchText(kTextOK), palResults);
  btnCancel = new QPushButton(SearchText(kTextCancel), palResults);
  bottom->addWidget(StatusBar, 1);
  bottom->addWidget(btnOK);
  bottom->addWidget(btnCancel);
  layout->addLayout(bottom);
  return palResults;
}
