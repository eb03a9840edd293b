#include <gtest/gtest.h>

#include <cerrno>

#include "io/file_exception.h"

using namespace mendrel;

namespace {

std::string Message(const CException& e, uint32_t size = 4096) {
  std::vector<char> text(size + 1, '#');
  if (!e.GetErrorMessage(text.data(), size)) return "<none>";
  return text.data();
}

TEST(FileException, MessagesNameTheFileOrAnUnnamedOne) {
  EXPECT_EQ(Message(CFileException(CFileException::fileNotFound, ENOENT, "t.dbf")),
            "t.dbf was not found.");
  EXPECT_EQ(Message(CFileException(CFileException::sharingViolation, EAGAIN, "/a/b.dbf")),
            "A sharing violation occurred while accessing /a/b.dbf.");
  EXPECT_EQ(Message(CFileException(CFileException::diskFull, -1)),
            "Disk full while accessing an unnamed file.");
  EXPECT_EQ(Message(CFileException(CFileException::badSeek, EINVAL, "x")), "Seek failed on x");
  EXPECT_EQ(Message(CFileException()), "No error occurred.");
  EXPECT_EQ(Message(CMemoryException()), "Out of memory.");
  EXPECT_EQ(CFileException(CFileException::hardIO, EIO, "d").ErrorMessage(),
            "A hardware I/O error was reported while accessing d.");
}

TEST(FileException, MessageIsCutToTheBufferIncludingItsTerminator) {
  CFileException e(CFileException::accessDenied, EACCES, "f");
  EXPECT_EQ(Message(e, 10), "Access to");
  EXPECT_EQ(Message(e, 1), "");
  EXPECT_EQ(Message(e, 0), "<none>");
  EXPECT_EQ(Message(CFileException(15, 0, "f")), "<none>");
}

TEST(FileException, PlatformCodesMapToCausesByMeaning) {
  struct Case {
    int error;
    int32_t cause;
  };
  for (Case c : {Case{0, CFileException::none}, {ENOENT, CFileException::fileNotFound},
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

TEST(FileException, ThrownForAPlatformCodeCarriesCodeCauseAndName) {
  try {
    CFileException::ThrowOsError(ENOSPC, "out.dbf");
  } catch (const CFileException& e) {
    EXPECT_EQ(e.m_cause, CFileException::diskFull);
    EXPECT_EQ(e.m_lOsError, ENOSPC);
    EXPECT_EQ(e.m_strFileName, "out.dbf");
  }
}

}  // namespace
