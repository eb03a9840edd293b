// Whether a batch run may repair into its target: asked only when the target
// exists and no "to all" answer of the run has decided already.
#ifndef TESSALY_BATCH_CONFIRM_OVERWRITE_H
#define TESSALY_BATCH_CONFIRM_OVERWRITE_H

#include <QString>

class QWidget;

// True when the target may be written. Reads and sets the run's two "to all"
// memories; cancel becomes true when the user ends the batch.
bool ConfirmOverwrite(QWidget* parent, const QString& target, bool& yesToAll, bool& noToAll,
                      bool& cancel);

#endif
