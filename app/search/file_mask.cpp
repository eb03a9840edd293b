#include "file_mask.h"

#include <fnmatch.h>

#include <QFile>

#include <cstring>

namespace {

bool IsAscii(const char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  }
  return true;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool HasWildcard(const QByteArray& text) {
  return text.contains('*') || text.contains('?') || text.contains('[');
}

}  // namespace

FileMask::FileMask(const QString& mask)
    : FPattern(QFile::encodeName(mask)), FMatchesAll(mask == u"*.*" || mask == u"*") {
  const QByteArray rest = FPattern.mid(1);
  if (FPattern.startsWith('*') && !HasWildcard(rest) && IsAscii(rest.constData(), rest.size())) {
    FSuffix = rest.toLower();
  }
}

// Decides "*.ext" without the general matcher when the name ends in ASCII: such bytes are
// whole characters in UTF-8, so the comparison is exact.
bool FileMask::MatchesSuffix(const char* name, bool& decided) const {
  const size_t length = std::strlen(name);
  const size_t suffixLength = static_cast<size_t>(FSuffix.size());
  decided = length < suffixLength || IsAscii(name + length - suffixLength, suffixLength);
  if (!decided || length < suffixLength) return false;
  const char* tail = name + length - suffixLength;
  for (size_t i = 0; i < suffixLength; ++i) {
    if (LowerAscii(tail[i]) != FSuffix[i]) return false;
  }
  return true;
}

bool FileMask::Matches(const char* name) const {
  if (FMatchesAll) return true;
  if (!FSuffix.isEmpty()) {
    bool decided = false;
    const bool matches = MatchesSuffix(name, decided);
    if (decided) return matches;
  }
  // A backslash is an ordinary character in a mask, not an escape.
  return fnmatch(FPattern.constData(), name, FNM_CASEFOLD | FNM_NOESCAPE) == 0;
}
