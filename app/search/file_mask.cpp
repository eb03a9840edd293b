#include "file_mask.h"

#include <fnmatch.h>

#include <QFile>

FileMask::FileMask(const QString& mask)
    : FPattern(QFile::encodeName(mask)), FMatchesAll(mask == u"*.*" || mask == u"*") {}

bool FileMask::Matches(const char* name) const {
  if (FMatchesAll) return true;
  // A backslash is an ordinary character in a mask, not an escape.
  return fnmatch(FPattern.constData(), name, FNM_CASEFOLD | FNM_NOESCAPE) == 0;
}
