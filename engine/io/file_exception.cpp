#include "io/file_exception.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine_strings.h"
#include "io/os_error.h"

namespace mendrel {
namespace {

// The longest description the engine inserts into its own texts.
constexpr uint32_t kMessageBufferSize = 4096;

void CopyCut(const std::string& message, char* text, uint32_t size) {
  size_t length = std::min<size_t>(message.size(), size - 1);
  std::memcpy(text, message.data(), length);
  text[length] = '\0';
}

bool CopyText(const char* message, char* text, uint32_t size) {
  if (text == nullptr || size == 0) return false;
  CopyCut(message, text, size);
  return true;
}

}  // namespace

std::string CException::ErrorMessage() const {
  std::vector<char> text(kMessageBufferSize, '\0');
  if (!GetErrorMessage(text.data(), kMessageBufferSize)) return {};
  return std::string(text.data());
}

int32_t CFileException::OsErrorToCause(int32_t osError) { return CauseOfOsError(osError); }

void CFileException::ThrowOsError(int32_t osError, const std::string& fileName) {
  throw CFileException(OsErrorToCause(osError), osError, fileName);
}

bool CFileException::GetErrorMessage(char* text, uint32_t size) const {
  if (text == nullptr || size == 0) return false;
  text[0] = '\0';
  if (m_cause < none || m_cause > endOfFile) return false;
  std::string name = m_strFileName.empty() ? EngineText(kTextUnnamedFile) : m_strFileName;
  CopyCut(InsertDescription(EngineText(kTextFileExceptionBase + m_cause), name), text, size);
  return true;
}

bool CNotSupportedException::GetErrorMessage(char* text, uint32_t size) const {
  return CopyText(EngineText(kTextNotSupported), text, size);
}

bool CMemoryException::GetErrorMessage(char* text, uint32_t size) const {
  return CopyText(EngineText(kTextOutOfMemory), text, size);
}

}  // namespace mendrel
