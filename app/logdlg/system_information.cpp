#include "logdlg/system_information.h"

#include <dlfcn.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>

#include "logdlg/drive_information.h"
#include "logdlg/file_version_text.h"
#include "logdlg/logdlg_strings.h"
#include "logdlg/memory_information.h"

namespace {

const char kRootDirectory[] = "/";
const char kDefaultTemporaryDirectory[] = "/tmp";

QString CannotGetInformationText(int errorCode) {
  return LogDlgText(kTextCannotGetInformation).arg(errorCode);
}

// The folder the C library was loaded from stands for the system directory.
QString SystemLibraryDirectory(int& errorCode) {
  Dl_info info{};
  errno = 0;
  if (dladdr(reinterpret_cast<void*>(&::getpid), &info) == 0 || info.dli_fname == nullptr) {
    errorCode = errno;
    return {};
  }
  return QFileInfo(QFileInfo(QFile::decodeName(info.dli_fname)).canonicalFilePath()).path();
}

QString TemporaryDirectory() {
  QString path = qEnvironmentVariable("TMPDIR");
  if (path.isEmpty()) path = QString::fromLatin1(kDefaultTemporaryDirectory);
  if (!path.endsWith(u'/')) path += u'/';
  return path;
}

void AddSeparator(QStringList& list) { list.append(LogDlgText(kTextSeparator)); }

// Parts of variable names that mark values not to be handed to whoever reads the log.
const char* const kSecretNameParts[] = {"TOKEN",  "SECRET",  "PASSWORD",   "PASSWD",
                                        "PASS",   "KEY",     "CREDENTIAL", "AUTH",
                                        "COOKIE", "SESSION", "PRIVATE"};

bool NamesSecret(QStringView name) {
  for (const char* part : kSecretNameParts)
    if (name.contains(QLatin1StringView(part), Qt::CaseInsensitive)) return true;
  return false;
}

}  // namespace

void AddVersionInformation(QStringList& list, const QString& executablePath) {
  list.append(LogDlgText(kTextVersionInformation));
  list.append(
      LogDlgText(kTextFileVersion).arg(GetFileVersionText(executablePath, kFileVersionFull)));
  list.append(
      LogDlgText(kTextProductVersion).arg(GetFileVersionText(executablePath, kProductVersionFull)));
}

void AddOperatingSystemInformation(QStringList& list, const QString& systemName,
                                   const QString& kernelRelease) {
  // Only the leading "major.minor.patch" counts; "-18-amd64" and the like are left out.
  static const QRegularExpression kReleaseNumbers(
      QStringLiteral(R"(^(\d+)(?:\.(\d+))?(?:\.(\d+))?)"));
  const QRegularExpressionMatch numbers = kReleaseNumbers.match(kernelRelease);
  const auto number = [&numbers](int part) {
    return QString::number(numbers.captured(part).toInt());
  };
  list.append(LogDlgText(kTextOperatingSystem)
                  .arg(systemName, number(1), number(2).rightJustified(2, u'0'), number(3)));
}

void AddOperatingSystemInformation(QStringList& list) {
  utsname names{};
  if (uname(&names) != 0) {
    AddOperatingSystemInformation(list, QString(), QString());
    return;
  }
  AddOperatingSystemInformation(list, QString::fromLocal8Bit(names.sysname),
                                QString::fromLocal8Bit(names.release));
}

void AddDirectoryInformation(QStringList& list) {
  int errorCode = 0;
  QString systemDirectory = SystemLibraryDirectory(errorCode);
  if (systemDirectory.isEmpty()) systemDirectory = CannotGetInformationText(errorCode);
  list.append(LogDlgText(kTextWindowsDirectory).arg(QString::fromLatin1(kRootDirectory)));
  list.append(LogDlgText(kTextSystemDirectory).arg(systemDirectory));
  list.append(LogDlgText(kTextTemporaryDirectory).arg(TemporaryDirectory()));
}

QString EnvironmentLine(const QString& entry) {
  // The name ends at the first "=" after its first character: "=C:=C:\data" names "=C:".
  const qsizetype equals = entry.indexOf(u'=', 1);
  if (equals < 0 || !NamesSecret(QStringView(entry).left(equals))) return entry;
  return entry.left(equals + 1) + LogDlgText(kTextHiddenValue);
}

void AddEnvironmentInformation(QStringList& list) {
  list.append(LogDlgText(kTextEnvironmentInformation));
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    list.append(EnvironmentLine(QString::fromLocal8Bit(*entry)));
  }
}

void AddSystemInformation(QStringList& list) {
  AddVersionInformation(list, QCoreApplication::applicationFilePath());
  AddSeparator(list);
  AddOperatingSystemInformation(list);
  AddSeparator(list);
  AddDirectoryInformation(list);
  AddSeparator(list);
  AddMemoryInformation(list);
  AddSeparator(list);
  AddEnvironmentInformation(list);
  AddSeparator(list);
  AddDriveInformation(list);
  AddSeparator(list);
  list.append(LogDlgText(kTextEndOfSystemInformation));
  AddSeparator(list);
}
