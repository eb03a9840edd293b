#include "viewer/table_viewer.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>
#include <optional>

#include "app_strings.h"
#include "control_description.h"
#include "engine_table.h"
#include "message_box.h"
#include "ui_metrics.h"
#include "viewer/record_header.h"
#include "viewer/record_table_model.h"

namespace {

enum FieldColumn { kFieldName, kFieldType, kFieldLength, kFieldDecimals };
// Columns as wide as their values up to this many characters.
constexpr int kWidestColumnCharacters = 32;
constexpr int kMemoColumnCharacters = 24;
constexpr int kReportLines = 6;

QLabel* BuddyLabel(StrId text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(AppString(text), parent);
  label->setBuddy(buddy);
  return label;
}

// A pane: its label above the control.
QWidget* LabelledPane(QLabel* label, QWidget* control, QWidget* below = nullptr) {
  auto* pane = new QWidget;
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(control, 1);
  if (below != nullptr) layout->addWidget(below);
  return pane;
}

}  // namespace

TTableViewer* TTableViewer::Open(QWidget* parent, const QString& path,
                                 const std::optional<RepairReport>& repair) {
  std::unique_ptr<TRecordTableModel> model;
  try {
    model = std::make_unique<TRecordTableModel>(path, repair);
  } catch (const tessaly_common::TableOpenFailure& failure) {
    ShowError(parent,
              AppString(StrId::ViewerCannotOpen).arg(path, QString::fromUtf8(failure.what())));
    return nullptr;
  }
  auto* viewer = new TTableViewer(model.release(), repair, parent);
  viewer->show();
  return viewer;
}

TTableViewer::TTableViewer(TRecordTableModel* model, const std::optional<RepairReport>& repair,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), FModel(model) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("TableViewer"));
  FModel->setParent(this);
  if (repair) FSourcePath = repair->sourcePath;
  BuildWindow(repair);
}

void TTableViewer::BuildWindow(const std::optional<RepairReport>& repair) {
  setWindowTitle(AppString(StrId::ViewerTitle).arg(QFileInfo(FModel->TablePath()).fileName()));
  txtReport = new QPlainTextEdit(this);
  txtReport->setObjectName(QStringLiteral("txtReport"));
  txtReport->setReadOnly(true);
  txtReport->setFixedHeight(txtReport->fontMetrics().lineSpacing() * kReportLines +
                            ScaledY(this, 8));
  labReport = BuddyLabel(StrId::ViewerReportLabel, txtReport, this);
  ShowReport(repair);

  auto* panes = new QSplitter(Qt::Horizontal, this);
  panes->setChildrenCollapsible(false);
  panes->addWidget(CreateFieldsPane());
  panes->addWidget(CreateRecordsPane());
  panes->addWidget(CreateCellPane());
  panes->setStretchFactor(1, 1);
  panes->setSizes({FieldListWidth(), ScaledX(this, 520), ScaledX(this, 140)});

  labStatus = new QLabel(this);
  labStatus->setObjectName(QStringLiteral("labStatus"));
  labStatus->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  SetScaledMargins(layout, this, 8, 6);
  layout->addWidget(labReport);
  layout->addWidget(txtReport);
  layout->addWidget(panes, 1);
  layout->addLayout(CreateCommandRow());
  layout->addWidget(labStatus);

  DescribeControls();
  CreateShortcuts();
  setTabOrder(txtReport, lvFields);
  setTabOrder(lvFields, grdRecords);
  setTabOrder(grdRecords, txtCellText);
  setTabOrder(txtCellText, txtFind);
  setTabOrder(txtFind, btnFindNext);
  setTabOrder(btnFindNext, btnFindPrevious);
  setTabOrder(btnFindPrevious, udGoToRecord);
  setTabOrder(udGoToRecord, btnExportCsv);
  setTabOrder(btnExportCsv, btnClose);

  const bool reported = repair.has_value();
  FTableStatus = TableStatus();
  if (reported && FModel->ComparesWithSource())
    FTableStatus += u' ' + AppString(StrId::ViewerStatusCompared);
  if (reported && !FModel->ComparesWithSource())
    FTableStatus += u' ' + AppString(StrId::ViewerNotCompared).arg(FSourcePath);
  ShowStatus(QString());
  resize(ScaledSize(this, 840, 500).boundedTo(screen()->availableGeometry().size() * 0.9));
  if (FModel->rowCount() > 0 && FModel->columnCount() > 0)
    grdRecords->setCurrentIndex(FModel->index(0, 0));
  grdRecords->setFocus();
}

QWidget* TTableViewer::CreateFieldsPane() {
  lvFields = new QTreeWidget;
  lvFields->setObjectName(QStringLiteral("lvFields"));
  lvFields->setRootIsDecorated(false);
  lvFields->setUniformRowHeights(true);
  lvFields->header()->setStretchLastSection(false);
  lvFields->setHeaderLabels({AppString(StrId::ViewerColumnName), AppString(StrId::ViewerColumnType),
                             AppString(StrId::ViewerColumnLength),
                             AppString(StrId::ViewerColumnDecimals)});
  FillFieldList();
  labFields = BuddyLabel(StrId::ViewerFieldsLabel, lvFields, this);
  connect(lvFields, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item == nullptr) return;
    // The field's column comes into view, in the current record.
    const int column = lvFields->indexOfTopLevelItem(item);
    const QModelIndex current = grdRecords->currentIndex();
    if (FModel->rowCount() > 0)
      grdRecords->setCurrentIndex(FModel->index(current.isValid() ? current.row() : 0, column));
  });
  return LabelledPane(labFields, lvFields);
}

QWidget* TTableViewer::CreateRecordsPane() {
  grdRecords = new QTableView;
  grdRecords->setObjectName(QStringLiteral("grdRecords"));
  auto* header = new TRecordHeader(grdRecords);
  grdRecords->setVerticalHeader(header);
  header->setDefaultSectionSize(grdRecords->fontMetrics().height() + ScaledY(this, 6));
  grdRecords->setModel(FModel);
  grdRecords->setSelectionMode(QAbstractItemView::ExtendedSelection);
  grdRecords->setWordWrap(false);
  grdRecords->horizontalHeader()->setSectionsMovable(false);
  SizeColumns();
  connect(grdRecords->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { ShowCurrentCell(current); });
  labRecords = BuddyLabel(StrId::ViewerRecordsLabel, grdRecords, this);
  return LabelledPane(labRecords, grdRecords);
}

QWidget* TTableViewer::CreateCellPane() {
  txtCellText = new QPlainTextEdit;
  txtCellText->setObjectName(QStringLiteral("txtCellText"));
  txtCellText->setReadOnly(true);
  labSourceBytes = new QLabel;
  labSourceBytes->setObjectName(QStringLiteral("labSourceBytes"));
  labSourceBytes->setWordWrap(true);
  labSourceBytes->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  labSourceBytes->setTextFormat(Qt::PlainText);
  labCellText = BuddyLabel(StrId::ViewerCellTextLabel, txtCellText, this);
  return LabelledPane(labCellText, txtCellText, labSourceBytes);
}

QLayout* TTableViewer::CreateCommandRow() {
  txtFind = new QLineEdit(this);
  txtFind->setObjectName(QStringLiteral("txtFind"));
  txtFind->setClearButtonEnabled(true);
  labFind = BuddyLabel(StrId::ViewerFindLabel, txtFind, this);
  btnFindNext = new QPushButton(AppString(StrId::ViewerFindNext), this);
  btnFindNext->setObjectName(QStringLiteral("btnFindNext"));
  btnFindPrevious = new QPushButton(AppString(StrId::ViewerFindPrevious), this);
  btnFindPrevious->setObjectName(QStringLiteral("btnFindPrevious"));
  udGoToRecord = new QSpinBox(this);
  udGoToRecord->setObjectName(QStringLiteral("udGoToRecord"));
  udGoToRecord->setRange(1, qMax(1, FModel->rowCount()));
  udGoToRecord->setMinimumWidth(ScaledX(this, 90));
  labGoToRecord = BuddyLabel(StrId::ViewerGoToLabel, udGoToRecord, this);
  btnExportCsv = new QPushButton(AppString(StrId::ViewerExportCsv), this);
  btnExportCsv->setObjectName(QStringLiteral("btnExportCsv"));
  btnClose = new QPushButton(AppString(StrId::ViewerClose), this);
  btnClose->setObjectName(QStringLiteral("btnClose"));

  connect(txtFind, &QLineEdit::returnPressed, this, &TTableViewer::btnFindNextClick);
  connect(btnFindNext, &QPushButton::clicked, this, &TTableViewer::btnFindNextClick);
  connect(btnFindPrevious, &QPushButton::clicked, this, &TTableViewer::btnFindPreviousClick);
  // Enter in the box goes there; leaving the box does not.
  connect(udGoToRecord, &QAbstractSpinBox::editingFinished, this, [this] {
    if (udGoToRecord->hasFocus()) GoToRecord(udGoToRecord->value());
  });
  connect(btnExportCsv, &QPushButton::clicked, this, &TTableViewer::btnExportCsvClick);
  connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

  auto* row = new QHBoxLayout;
  row->addWidget(labFind);
  row->addWidget(txtFind, 1);
  row->addWidget(btnFindNext);
  row->addWidget(btnFindPrevious);
  row->addSpacing(ScaledX(this, 12));
  row->addWidget(labGoToRecord);
  row->addWidget(udGoToRecord);
  row->addStretch();
  row->addWidget(btnExportCsv);
  row->addWidget(btnClose);
  return row;
}

void TTableViewer::CreateShortcuts() {
  auto* copy = new QAction(grdRecords);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, &TTableViewer::CopyCells);
  grdRecords->addAction(copy);
  connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
    txtFind->setFocus(Qt::ShortcutFocusReason);
    txtFind->selectAll();
  });
  // F3 alone: the desktop's own find keys may include Ctrl+G, which goes to a record here.
  connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this,
          &TTableViewer::btnFindNextClick);
  connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this), &QShortcut::activated, this,
          &TTableViewer::btnFindPreviousClick);
  connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this), &QShortcut::activated, this,
          [this] {
            udGoToRecord->setFocus(Qt::ShortcutFocusReason);
            udGoToRecord->selectAll();
          });
}

void TTableViewer::DescribeControls() {
  ApplyControlDescriptions({
      {txtReport, StrId::NameViewerReport, StrId::TipViewerReport},
      {lvFields, StrId::NameViewerFields, StrId::TipViewerFields},
      {grdRecords, StrId::NameViewerRecords, StrId::TipViewerRecords},
      {txtCellText, StrId::NameViewerCellText, StrId::TipViewerCellText},
      {labSourceBytes, StrId::NameViewerSourceBytes, StrId::TipViewerSourceBytes},
      {txtFind, std::nullopt, StrId::TipViewerFind},
      {btnFindNext, std::nullopt, StrId::TipViewerFindNext},
      {btnFindPrevious, std::nullopt, StrId::TipViewerFindPrevious},
      {udGoToRecord, std::nullopt, StrId::TipViewerGoTo},
      {btnExportCsv, std::nullopt, StrId::TipViewerExportCsv},
      {btnClose, std::nullopt, StrId::TipViewerClose},
  });
}

void TTableViewer::ShowReport(const std::optional<RepairReport>& repair) {
  // The record-area line is there for programs: this window reads it itself.
  const QStringList lines = repair ? repair->lines.mid(1) : QStringList();
  txtReport->setPlainText(lines.join(u'\n'));
  labReport->setVisible(repair.has_value());
  txtReport->setVisible(repair.has_value());
}

void TTableViewer::FillFieldList() {
  const auto& fields = FModel->Table().Fields();
  for (int column = 0; column < int(fields.size()); ++column) {
    const MendrelField& field = fields[column];
    auto* item = new QTreeWidgetItem(lvFields);
    item->setText(kFieldName, FModel->FieldName(column));
    item->setText(kFieldType, QString(QChar::fromLatin1(field.type)));
    item->setText(kFieldLength, QString::number(field.length));
    item->setText(kFieldDecimals, QString::number(field.decimals));
    item->setTextAlignment(kFieldLength, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(kFieldDecimals, Qt::AlignRight | Qt::AlignVCenter);
  }
  for (int column = kFieldName; column <= kFieldDecimals; ++column)
    lvFields->resizeColumnToContents(column);
}

// Room for the field list's columns, so that it shows them whole.
int TTableViewer::FieldListWidth() const {
  int width = 2 * lvFields->frameWidth() + lvFields->verticalScrollBar()->sizeHint().width();
  for (int column = kFieldName; column <= kFieldDecimals; ++column)
    width += lvFields->columnWidth(column);
  return width;
}

// From the fields' lengths and names, so that sizing reads no records.
void TTableViewer::SizeColumns() {
  const QFontMetrics metrics = grdRecords->fontMetrics();
  const int padding = ScaledX(this, 12);
  const int digit = metrics.horizontalAdvance(u'0');
  const auto& fields = FModel->Table().Fields();
  for (int column = 0; column < int(fields.size()); ++column) {
    // A memo's pointer is short, its first line is not.
    const int length =
        fields[column].isMemo != 0 ? kMemoColumnCharacters : int(fields[column].length);
    const int characters = qMin(length, kWidestColumnCharacters);
    const int values = digit * characters;
    const int name = metrics.horizontalAdvance(FModel->FieldName(column));
    grdRecords->setColumnWidth(column, qMax(values, name) + padding);
  }
}

void TTableViewer::ShowCurrentCell(const QModelIndex& current) {
  if (!current.isValid()) {
    txtCellText->clear();
    labSourceBytes->clear();
    ShowStatus(QString());
    return;
  }
  txtCellText->setPlainText(FModel->data(current, TRecordTableModel::WholeTextRole).toString());
  labSourceBytes->setText(FModel->data(current, TRecordTableModel::SourceBytesRole).toString());
  if (lvFields->topLevelItem(current.column()) != lvFields->currentItem()) {
    const QSignalBlocker quiet(lvFields);
    lvFields->setCurrentItem(lvFields->topLevelItem(current.column()));
  }
  ShowStatus(AppString(StrId::ViewerCurrentCell)
                 .arg(QString::number(current.row() + 1), QString::number(FModel->rowCount()),
                      FModel->FieldName(current.column())));
}

void TTableViewer::ShowStatus(const QString& text) {
  labStatus->setText(text.isEmpty() ? FTableStatus : FTableStatus + QStringLiteral("  ") + text);
}

QString TTableViewer::TableStatus() const {
  return AppString(StrId::ViewerStatus)
      .arg(GroupedNumber(FModel->rowCount()), QString::number(FModel->columnCount()),
           QString::number(FModel->CodePage()));
}
