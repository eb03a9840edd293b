#pragma once

#include <cstdint>
#include <string>

namespace mendrel {

// Base of the engine's own failure family; the repair pass catches it once.
class CException {
 public:
  virtual ~CException() = default;
  // Copies the description into text, cut to size including the NUL. False when there is none.
  virtual bool GetErrorMessage(char* text, uint32_t size) const = 0;
  std::string ErrorMessage() const;
};

class CFileException : public CException {
 public:
  enum Cause : int32_t {
    none = 0,
    generic = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };

  CFileException() = default;
  CFileException(int32_t cause, int32_t osError, std::string fileName = {})
      : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

  // The cause for a platform error code (errno, or a Windows error number); 0 gives none.
  static int32_t OsErrorToCause(int32_t osError);
  // Throws a CFileException for a platform error code.
  [[noreturn]] static void ThrowOsError(int32_t osError, const std::string& fileName = {});

  bool GetErrorMessage(char* text, uint32_t size) const override;

  int32_t m_cause = none;
  int32_t m_lOsError = -1;
  std::string m_strFileName;
};

class CNotSupportedException : public CException {
 public:
  bool GetErrorMessage(char* text, uint32_t size) const override;
};

class CMemoryException : public CException {
 public:
  bool GetErrorMessage(char* text, uint32_t size) const override;
};

}  // namespace mendrel
