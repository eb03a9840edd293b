#include "logdlg/save_repair_log.h"

#include <QMessageBox>
#include <QSaveFile>

#include "logdlg/logdlg_strings.h"
#include "logdlg/system_information.h"

namespace {

const char kLineEnd[] = "\r\n";

}  // namespace

QStringList SplitLogText(const QString& text) {
  if (text.isEmpty()) return {};
  QStringList lines = text.split(u'\n');
  if (lines.last().isEmpty()) lines.removeLast();
  return lines;
}

QStringList BuildSavedLog(const QStringList& logLines, const OptionControlsDescription& options,
                          bool includeSysInfo) {
  if (!includeSysInfo) return logLines;
  QStringList lines{LogDlgText(kTextSeparator)};
  AddSystemInformation(lines);
  AddSettingInformation(lines, options);
  lines.append(logLines);
  return lines;
}

bool WriteLogFile(const QString& fileName, const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += line.toLocal8Bit() + kLineEnd;
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool SaveRepairLog(QWidget* parent, const std::optional<SaveLogTarget>& target,
                   const QStringList& logLines, const OptionControlsDescription& options) {
  if (!target) return false;
  const QStringList lines = BuildSavedLog(logLines, options, target->includeSysInfo);
  if (WriteLogFile(target->fileName, lines)) return true;
  QMessageBox::critical(parent, LogDlgText(kTextErrorCaption),
                        LogDlgText(kTextCannotCreateFile).arg(target->fileName));
  return false;
}
