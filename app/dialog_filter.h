// File-dialog filters written as "description|pattern|description|pattern".
#ifndef TESSALY_DIALOG_FILTER_H
#define TESSALY_DIALOG_FILTER_H

#include <QString>
#include <QStringList>

// Extension (without its dot) of the first pattern of entry n, counted from 1;
// empty when the filter has fewer entries.
QString FilterExtension(const QString& filter, int n);
// Number of description/pattern entries.
int FilterCount(const QString& filter);
// The entries as file-dialog name filters. "*.*" means every file, as it does
// on the system the filters were written for, so it becomes "*".
QStringList DialogNameFilters(const QString& filter);

#endif
