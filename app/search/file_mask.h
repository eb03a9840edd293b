#pragma once

#include <QByteArray>
#include <QString>

// One file-name mask: "?" stands for one character, "*" for any sequence, letters match
// without regard to case as a Windows directory search does. "*.*" matches every name,
// also one without a dot.
class FileMask {
 public:
  explicit FileMask(const QString& mask);

  bool Matches(const char* name) const;

 private:
  bool MatchesSuffix(const char* name, bool& decided) const;

  QByteArray FPattern;
  bool FMatchesAll = false;
  // For the common "*.ext" form: the ASCII text after the "*", compared directly.
  QByteArray FSuffix;
};
