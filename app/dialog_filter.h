// File-dialog filters written as "description|pattern|description|pattern".
#ifndef TESSALY_DIALOG_FILTER_H
#define TESSALY_DIALOG_FILTER_H

#include <QString>
#include <QStringList>

class QFileDialog;

// Extension (without its dot) of the first pattern of entry n, counted from 1;
// empty when the filter has fewer entries.
QString FilterExtension(const QString& filter, int n);
// Number of description/pattern entries.
int FilterCount(const QString& filter);
// The entries as file-dialog name filters. "*.*" means every file, as it does
// on the system the filters were written for, so it becomes "*".
QStringList DialogNameFilters(const QString& filter);

// Index (from 1) of the dialog's chosen filter.
int SelectedFilterIndex(const QFileDialog* dialog);
// Chooses entry index (from 1), the first entry when there is no such entry.
void SelectFilterIndex(QFileDialog* dialog, int index);

#endif
