#include "path_functions.h"

#include <QFileInfo>

namespace {

#ifdef _WIN32
constexpr QStringView kPathDelimiters = u"\\:";
#else
constexpr QStringView kPathDelimiters = u"/";
#endif

// Index of the "." that starts the extension, or -1.
qsizetype ExtensionStart(const QString& path) {
  for (qsizetype i = path.size() - 1; i >= 0; --i) {
    if (path[i] == u'.') return i;
    if (kPathDelimiters.contains(path[i])) return -1;
  }
  return -1;
}

}  // namespace

QString StripExtension(const QString& path) {
  const qsizetype start = ExtensionStart(path);
  return start < 0 ? path : path.left(start);
}

QString ExtractExtension(const QString& path) {
  const qsizetype start = ExtensionStart(path);
  return start < 0 ? QString() : path.mid(start);
}

QString MakeFixedFileName(const QString& path) {
  return StripExtension(path) + QStringLiteral("_fixed") + ExtractExtension(path);
}

QString MakeSplitFileName(const QString& path, int part) {
  return StripExtension(path) + u'_' + QString::number(part) + ExtractExtension(path);
}

bool HasExtension(const QString& path, const QString& extension) {
  return ExtractExtension(path).compare(extension, Qt::CaseInsensitive) == 0;
}

qint64 GetFileSize64(const QString& path) {
  if (path.isEmpty()) return 0;
  const QFileInfo info(path);
  if (!info.exists() || info.isDir()) return 0;
  return info.size();
}
