#include "batch_confirm_overwrite.h"

#include <QFileInfo>

#include "batch_overwrite_dialog.h"

bool ConfirmOverwrite(QWidget* parent, const QString& target, bool& yesToAll, bool& noToAll,
                      bool& cancel) {
  cancel = false;
  const QFileInfo existing(target);
  if (!existing.exists() || existing.isDir()) return true;
  if (noToAll) return false;
  if (yesToAll) return true;

  TConfirmOverwriteDialog dialog(existing.fileName(), parent);
  switch (dialog.Ask()) {
    case OverwriteAnswer::Yes:
      return true;
    case OverwriteAnswer::No:
      return false;
    case OverwriteAnswer::NoToAll:
      noToAll = true;
      return false;
    case OverwriteAnswer::YesToAll:
      yesToAll = true;
      return true;
    case OverwriteAnswer::Cancel:
      break;
  }
  cancel = true;
  return false;
}
