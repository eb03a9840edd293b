#include "content_matcher.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kChunkSize = 1 << 20;

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsWordByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : FFd(fd) {}
  ~FileDescriptor() {
    if (FFd >= 0) close(FFd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return FFd; }

 private:
  int FFd;
};

}  // namespace

void ContentMatcher::Prepare(const QString& expression, TSearchOptions options) {
  FMatchCase = options.testFlag(MatchCase);
  FWholeWords = options.testFlag(WholeWordsOnly);
  FPattern = QFile::encodeName(FMatchCase ? expression : expression.toUpper());
}

bool ContentMatcher::MatchesAt(const char* data, size_t size, size_t position,
                               bool atFileStart) const {
  const size_t length = static_cast<size_t>(FPattern.size());
  if (position + length > size) return false;
  for (size_t i = 0; i < length; ++i) {
    const char c = FMatchCase ? data[position + i] : UpperAscii(data[position + i]);
    if (c != FPattern[i]) return false;
  }
  if (!FWholeWords) return true;
  const bool startsWord = atFileStart || !IsWordByte(data[position - 1]);
  const bool endsWord = position + length == size || !IsWordByte(data[position + length]);
  return startsWord && endsWord;
}

ContentMatcher::Result ContentMatcher::Search(const std::string& path) const {
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) return Result::CannotOpen;
  const size_t length = static_cast<size_t>(FPattern.size());
  // Offsets are file offsets. The buffer always keeps the byte before the next candidate, so
  // that the word test sees it, and a candidate is tested once the byte after it has arrived
  // (or the file has ended).
  std::vector<char> buffer;
  size_t bufferStart = 0;
  size_t nextCandidate = 0;
  for (;;) {
    const size_t old = buffer.size();
    buffer.resize(old + kChunkSize);
    const ssize_t count = read(file.Get(), buffer.data() + old, kChunkSize);
    if (count < 0) return Result::CannotOpen;
    buffer.resize(old + static_cast<size_t>(count));
    const bool atEnd = count == 0;
    const size_t bufferEnd = bufferStart + buffer.size();
    const size_t needed = length + (atEnd ? 0 : 1);
    for (; nextCandidate + needed <= bufferEnd; ++nextCandidate) {
      if (MatchesAt(buffer.data(), buffer.size(), nextCandidate - bufferStart, nextCandidate == 0))
        return Result::Found;
    }
    if (atEnd) return Result::NotFound;
    const size_t keepFrom = nextCandidate > 0 ? nextCandidate - 1 : 0;
    buffer.erase(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(keepFrom - bufferStart));
    bufferStart = keepFrom;
  }
}
