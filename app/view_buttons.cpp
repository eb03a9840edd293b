// The "Repair" page's ways into the viewer: the tables the last repair wrote,
// compared with their source, and any table the user chooses.
#include <QDir>
#include <QFileDialog>

#include "dialog_filter.h"
#include "main_form.h"
#include "viewer/table_viewer.h"

void TMainForm::btnViewClick() {
  for (const ReportedTable& table : FLastRepairTables)
    TTableViewer::Open(this, table.path, table.report);
}

void TMainForm::btnViewTableClick() {
  SelectFilterIndex(OpenDialog, FSetting.OpenFilterIndex);
  if (OpenDialog->exec() != QDialog::Accepted || OpenDialog->selectedFiles().isEmpty()) return;
  FSetting.OpenFilterIndex = SelectedFilterIndex(OpenDialog);
  TTableViewer::Open(this, QDir::toNativeSeparators(OpenDialog->selectedFiles().first()));
}
