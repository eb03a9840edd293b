#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "logdlg/setting_information.h"

class QWidget;

// What the save dialog returned: the chosen file and whether system information goes in.
struct SaveLogTarget {
  QString fileName;
  bool includeSysInfo = true;
};

// The lines of a log box's text; an empty log has none.
QStringList SplitLogText(const QString& text);

// The lines of the saved file: the log alone, or the separator, the system-information
// block, the setting-information block and then the log.
QStringList BuildSavedLog(const QStringList& logLines, const OptionControlsDescription& options,
                          bool includeSysInfo);

// Writes every line followed by CR LF. The file is replaced only once everything is
// written; on failure nothing is left behind and the previous file stays as it was.
bool WriteLogFile(const QString& fileName, const QStringList& lines);

// Saves the log to the file the dialog chose; nothing happens when the dialog was
// cancelled. A file that cannot be written is reported in a modal "Error" box.
// Returns whether a file was written.
bool SaveRepairLog(QWidget* parent, const std::optional<SaveLogTarget>& target,
                   const QStringList& logLines, const OptionControlsDescription& options);
