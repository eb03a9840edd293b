#include <gtest/gtest.h>

#include "io/file_exception.h"
#include "io/os_error.h"
#include "system_error_codes.h"

using namespace mendrel;
using namespace tessaly_test;

namespace {

std::string Message(const CException& e, uint32_t size = 4096) {
  std::vector<char> text(size + 1, '#');
  if (!e.GetErrorMessage(text.data(), size)) return "<none>";
  return text.data();
}

TEST(FileException, MessagesNameTheFileOrAnUnnamedOne) {
  EXPECT_EQ(Message(CFileException(CFileException::fileNotFound, kErrorFileNotFound, "t.dbf")),
            "t.dbf was not found.");
  EXPECT_EQ(Message(CFileException(CFileException::sharingViolation, kErrorSharingViolation, "/a/b.dbf")),
            "A sharing violation occurred while accessing /a/b.dbf.");
  EXPECT_EQ(Message(CFileException(CFileException::diskFull, -1)),
            "Disk full while accessing an unnamed file.");
  EXPECT_EQ(Message(CFileException(CFileException::badSeek, 0, "x")), "Seek failed on x");
  EXPECT_EQ(Message(CFileException()), "No error occurred.");
  EXPECT_EQ(Message(CMemoryException()), "Out of memory.");
  EXPECT_EQ(CFileException(CFileException::hardIO, kErrorHardIO, "d").ErrorMessage(),
            "A hardware I/O error was reported while accessing d.");
}

TEST(FileException, MessageIsCutToTheBufferIncludingItsTerminator) {
  CFileException e(CFileException::accessDenied, kErrorAccessDenied, "f");
  EXPECT_EQ(Message(e, 10), "Access to");
  EXPECT_EQ(Message(e, 1), "");
  EXPECT_EQ(Message(e, 0), "<none>");
  EXPECT_EQ(Message(CFileException(15, 0, "f")), "<none>");
}

struct CodeCause {
  int error;
  int32_t cause;
};

#ifdef _WIN32
// The system's error numbers, a sample of each row of the table and its edges.
TEST(FileException, SystemErrorNumbersMapToTheirCauses) {
  for (CodeCause c : {CodeCause{0, CFileException::none}, {2, CFileException::fileNotFound},
                      {6, CFileException::fileNotFound}, {107, CFileException::fileNotFound},
                      {3, CFileException::badPath}, {123, CFileException::badPath},
                      {267, CFileException::badPath}, {4, CFileException::tooManyOpenFiles},
                      {113, CFileException::tooManyOpenFiles}, {5, CFileException::accessDenied},
                      {183, CFileException::accessDenied}, {999, CFileException::accessDenied},
                      {11, CFileException::invalidFile}, {193, CFileException::invalidFile},
                      {16, CFileException::removeCurrentDir},
                      {145, CFileException::removeCurrentDir},
                      {62, CFileException::directoryFull}, {24, CFileException::badSeek},
                      {131, CFileException::badSeek}, {23, CFileException::hardIO},
                      {997, CFileException::hardIO}, {32, CFileException::sharingViolation},
                      {33, CFileException::lockViolation}, {167, CFileException::lockViolation},
                      {39, CFileException::diskFull}, {112, CFileException::diskFull},
                      {38, CFileException::endOfFile}, {1, CFileException::generic},
                      {87, CFileException::generic}, {-1, CFileException::generic}})
    EXPECT_EQ(CFileException::OsErrorToCause(c.error), c.cause) << c.error;
}
#else
TEST(FileException, PlatformCodesMapToCausesByMeaning) {
  for (CodeCause c : {CodeCause{0, CFileException::none}, {ENOENT, CFileException::fileNotFound},
                      {ENOTDIR, CFileException::badPath}, {ENAMETOOLONG, CFileException::badPath},
                      {EMFILE, CFileException::tooManyOpenFiles},
                      {ENFILE, CFileException::tooManyOpenFiles},
                      {EACCES, CFileException::accessDenied}, {EPERM, CFileException::accessDenied},
                      {EROFS, CFileException::accessDenied}, {EBADF, CFileException::invalidFile},
                      {EINVAL, CFileException::badSeek}, {EIO, CFileException::hardIO},
                      {EAGAIN, CFileException::sharingViolation},
                      {ENOLCK, CFileException::lockViolation}, {ENOSPC, CFileException::diskFull},
                      {EDQUOT, CFileException::diskFull}, {EPROTO, CFileException::generic},
                      {-1, CFileException::generic}})
    EXPECT_EQ(CFileException::OsErrorToCause(c.error), c.cause) << c.error;
}
#endif

TEST(FileException, TheSharingViolationCodeHasItsCause) {
  EXPECT_EQ(CFileException::OsErrorToCause(kSharingViolationError), CFileException::sharingViolation);
}

TEST(FileException, ThrownForAPlatformCodeCarriesCodeCauseAndName) {
  try {
    CFileException::ThrowOsError(kErrorDiskFull, "out.dbf");
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::diskFull);
    EXPECT_EQ(e.m_lOsError, kErrorDiskFull);
    EXPECT_EQ(e.m_strFileName, "out.dbf");
  }
}

}  // namespace
