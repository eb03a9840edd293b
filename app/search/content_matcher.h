#pragma once

#include <QByteArray>
#include <QString>

#include <string>

#include "search_types.h"

// The content search: a plain text that a file must contain. Without MatchCase letters match
// regardless of case (ASCII letters; other bytes compare exactly); with WholeWordsOnly a match
// must not touch a letter, digit or "_" on either side. NearestLength has no meaning for a
// plain text and is ignored.
class ContentMatcher {
 public:
  enum class Result { Found, NotFound, CannotOpen };

  // An empty expression is no valid text to search for.
  static bool IsValidExpression(const QString& expression) { return !expression.isEmpty(); }

  // The expression as the search takes it: upper-cased unless MatchCase is set.
  void Prepare(const QString& expression, TSearchOptions options);
  Result Search(const std::string& path) const;

 private:
  // `data` ends at the end of the file or one byte after the candidate.
  bool MatchesAt(const char* data, size_t size, size_t position, bool atFileStart) const;

  QByteArray FPattern;
  bool FMatchCase = false;
  bool FWholeWords = false;
};
