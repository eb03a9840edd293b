// The "Repair" page's ways into the viewer: the tables the last repair wrote,
// compared with their source, and any table the user chooses.
#include "main_form.h"
#include "viewer/table_viewer.h"

void TMainForm::btnViewClick() {
  for (const ReportedTable& table : FLastRepairTables)
    TTableViewer::Open(this, table.path, table.report);
}

void TMainForm::btnViewTableClick() {
  const QString table = ChooseTableToOpen();
  if (!table.isEmpty()) TTableViewer::Open(this, table);
}
