// Bad input from the user's side, run end to end through tessaly-cli and the engine:
// each case gets a message that says what went wrong, a failing exit status, and no
// file that was there before is changed.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <map>

#include "cli_process.h"
#include "memo_builder.h"
#include "native_file.h"
#include "table_builder.h"
#include "temp_dir.h"

using namespace tessaly_cli_test;
using tessaly_test::Bytes;
using tessaly_test::MemoBuilder;
using tessaly_test::MemoPointerText;
using tessaly_test::ReadWholeFile;
using tessaly_test::TableBuilder;
using tessaly_test::TempDir;
using tessaly_test::WriteWholeFile;
namespace fs = std::filesystem;

namespace {

const std::string kSeparator(56, '-');

using Files = std::map<std::string, Bytes>;

// Every file under a folder with its bytes, by path relative to the folder.
Files Snapshot(const TempDir& dir) {
  Files files;
  for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), dir.path()).string()] = ReadWholeFile(entry.path().string());
  return files;
}

Bytes MemoTable() {
  return TableBuilder()
      .Version(0x83)
      .Field("NAME", 'C', 6)
      .Field("NOTE", 'M', 10)
      .Record("Alice " + MemoPointerText(1))
      .Record("Bob   " + MemoPointerText(2))
      .Build();
}

Bytes MemoFile() { return MemoBuilder::Dbt().Dbase3(1, "likes tea").Dbase3(2, "likes coffee").bytes(); }

// The error line the log frames between two separators.
std::string FramedError(const CliResult& run) {
  const auto lines = SplitLines(run.out);
  for (size_t i = 1; i + 1 < lines.size(); ++i)
    if (lines[i].rfind("Error ", 0) == 0 && lines[i - 1] == kSeparator && lines[i + 1] == kSeparator)
      return lines[i];
  return "";
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

void ExpectFailure(const CliResult& run, const std::string& source) {
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(Contains(run.out, "Fail to repair file '" + source + "'!")) << run.out;
  EXPECT_FALSE(Contains(run.out, "repaired successfully")) << run.out;
}

#ifndef _WIN32
constexpr uid_t kUnprivilegedId = 65534;  // nobody
constexpr int kExecFailed = 127;

// tessaly-cli as a user without privileges, so that file permissions apply to it even when
// the tests run as root; the folder must let that user in.
CliResult RunCliUnprivileged(const std::vector<std::string>& args, const TempDir& dir) {
  if (geteuid() != 0) return RunCli(args, dir.path());
  TempDir capture;
  const int out = open(capture.File("out").c_str(), O_RDWR | O_CREAT, 0600);
  const int err = open(capture.File("err").c_str(), O_RDWR | O_CREAT, 0600);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    setenv("LC_ALL", "C", 1);
    std::vector<char*> argv{const_cast<char*>(TESSALY_CLI_PATH)};
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (setgroups(0, nullptr) == 0 && setgid(kUnprivilegedId) == 0 && setuid(kUnprivilegedId) == 0 &&
        chdir(dir.path().string().c_str()) == 0)
      execv(TESSALY_CLI_PATH, argv.data());
    _exit(kExecFailed);
  }
  close(out);
  close(err);
  int status = 0;
  waitpid(pid, &status, 0);
  const Bytes outBytes = ReadWholeFile(capture.File("out"));
  const Bytes errBytes = ReadWholeFile(capture.File("err"));
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
          std::string(outBytes.begin(), outBytes.end()), std::string(errBytes.begin(), errBytes.end())};
}

// While it lives, child processes started meanwhile cannot write files longer than
// limit bytes; a write beyond fails with EFBIG instead of a signal.
class FileSizeLimitForChildren {
 public:
  explicit FileSizeLimitForChildren(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = limit;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    savedHandler_ = signal(SIGXFSZ, SIG_IGN);
  }
  ~FileSizeLimitForChildren() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, savedHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t savedHandler_;
};
#endif

// The cause the system gives for an output in a folder that does not exist.
#ifdef _WIN32
const std::string kMissingFolder = " contains an invalid path.";
#else
const std::string kMissingFolder = " was not found.";
#endif

}  // namespace

TEST(CliBadInput, ASourceThatIsMissingAFolderOrNoTableCreatesNothingAndSaysWhy) {
  TempDir dir;
  fs::create_directory(dir.File("folder.dbf"));
  WriteWholeFile(dir.File("empty.dbf"), {});
  WriteWholeFile(dir.File("zeros.dbf"), Bytes(200, '\0'));
  const Files before = Snapshot(dir);
  const std::map<std::string, std::string> expected = {
      {"missing.dbf", "Error 1: Cannot open the file to be repaired. missing.dbf was not found."},
      {"folder.dbf", "Error 1: Cannot open the file to be repaired. Access to folder.dbf was denied."},
      {"empty.dbf", ""},
      {"zeros.dbf", ""},
  };
  for (const auto& [source, error] : expected) {
    const CliResult run = RunCli({"repair", source}, dir.path());
    ExpectFailure(run, source);
    EXPECT_EQ(FramedError(run), error) << run.out;
    if (error.empty()) {
      // The engine ends such a run without a word; the program says what it found.
      EXPECT_TRUE(
          Contains(run.err, "tessaly-cli: '" + source + "' holds no field list that can be recovered"))
          << run.err;
    }
    EXPECT_EQ(Snapshot(dir), before) << source;
  }
}

#ifdef _WIN32
// What keeps a reader out here is another program holding the table without sharing.
TEST(CliBadInput, ASourceHeldByAnotherProgramIsASharingViolation) {
  TempDir dir;
  WriteWholeFile(dir.File("held.dbf"), MemoTable());
  const Files before = Snapshot(dir);
  tessaly_test::NativeFile holder(dir.File("held.dbf"), tessaly_test::NativeFile::Mode::exclusive);
  const CliResult run = RunCli({"repair", "held.dbf"}, dir.path());
  ExpectFailure(run, "held.dbf");
  EXPECT_EQ(FramedError(run),
            "Error 1: Cannot open the file to be repaired. A sharing violation occurred while accessing "
            "held.dbf.");
  EXPECT_FALSE(fs::exists(dir.File("held_fixed.dbf")));
}
#else
TEST(CliBadInput, AnUnreadableSourceIsReportedAsAccessDenied) {
  TempDir dir;
  WriteWholeFile(dir.File("locked.dbf"), MemoTable());
  fs::permissions(dir.File("locked.dbf"), fs::perms::none);
  fs::permissions(dir.path(), fs::perms::all);
  const CliResult run = RunCliUnprivileged({"repair", "locked.dbf"}, dir);
  if (run.exitCode == kExecFailed) GTEST_SKIP() << "tessaly-cli cannot be run as an unprivileged user here";
  ExpectFailure(run, "locked.dbf");
  EXPECT_EQ(FramedError(run),
            "Error 1: Cannot open the file to be repaired. Access to locked.dbf was denied.");
  EXPECT_FALSE(fs::exists(dir.File("locked_fixed.dbf")));
}
#endif

#ifdef _WIN32
// Permissions do not hold back a test run as root under Wine; a folder in the output's
// place is refused the same way on every Windows.
TEST(CliBadInput, AnOutputFolderThatIsMissingOrAFolderAsOutputIsError4AndNoSuccess) {
  TempDir dir;
  WriteWholeFile(dir.File("t.dbf"), MemoTable());
  WriteWholeFile(dir.File("t.dbt"), MemoFile());
  fs::create_directory(dir.File("taken.dbf"));
  const Files before = Snapshot(dir);

  const CliResult missing = RunCli({"repair", "t.dbf", "-o", "missing/o.dbf"}, dir.path());
  ExpectFailure(missing, "t.dbf");
  EXPECT_EQ(FramedError(missing), "Error 4: Cannot create file. missing/o.dbf" + kMissingFolder);

  const CliResult folder = RunCli({"repair", "--overwrite", "t.dbf", "-o", "taken.dbf"}, dir.path());
  ExpectFailure(folder, "t.dbf");
  EXPECT_EQ(FramedError(folder), "Error 4: Cannot create file. Access to taken.dbf was denied.");
  EXPECT_EQ(Snapshot(dir), before);
}
#else
TEST(CliBadInput, AnOutputFolderThatIsMissingOrReadOnlyIsError4AndNoSuccess) {
  TempDir dir;
  WriteWholeFile(dir.File("t.dbf"), MemoTable());
  WriteWholeFile(dir.File("t.dbt"), MemoFile());
  fs::create_directory(dir.File("readonly"));
  fs::permissions(dir.File("readonly"), fs::perms::owner_read | fs::perms::owner_exec |
                                            fs::perms::group_read | fs::perms::group_exec |
                                            fs::perms::others_read | fs::perms::others_exec);
  const Files before = Snapshot(dir);

  const CliResult missing = RunCli({"repair", "t.dbf", "-o", "missing/o.dbf"}, dir.path());
  ExpectFailure(missing, "t.dbf");
  EXPECT_EQ(FramedError(missing), "Error 4: Cannot create file. missing/o.dbf" + kMissingFolder);

  fs::permissions(dir.path(), fs::perms::all);
  const CliResult readOnly = RunCliUnprivileged({"repair", "t.dbf", "-o", "readonly/o.dbf"}, dir);
  if (readOnly.exitCode == kExecFailed)
    GTEST_SKIP() << "tessaly-cli cannot be run as an unprivileged user here";
  ExpectFailure(readOnly, "t.dbf");
  EXPECT_EQ(FramedError(readOnly), "Error 4: Cannot create file. Access to readonly/o.dbf was denied.");
  EXPECT_EQ(Snapshot(dir), before);
}
#endif

TEST(CliBadInput, AnOutputThatIsTheSourceOrItsMemoFileIsRefusedAndTheSourceKept) {
  TempDir dir;
  WriteWholeFile(dir.File("t.dbf"), MemoTable());
  WriteWholeFile(dir.File("t.dbt"), MemoFile());
#ifdef _WIN32
  fs::create_hard_link(dir.File("t.dbf"), dir.File("link.dbf"));  // a second name of the table
#else
  fs::create_symlink("t.dbf", dir.File("link.dbf"));
#endif
  const Files before = Snapshot(dir);
  for (const std::string output : {"t.dbf", "./t.dbf", "link.dbf"}) {
    const CliResult run = RunCli({"repair", "--overwrite", "t.dbf", "-o", output}, dir.path());
    ExpectFailure(run, "t.dbf");
    EXPECT_EQ(FramedError(run),
              "Error 4: Cannot create file. A sharing violation occurred while accessing " + output + ".");
    EXPECT_EQ(Snapshot(dir), before) << output;
  }

  // t.new takes its memo file's name from the source's: t.dbt.
  const CliResult run = RunCli({"repair", "t.dbf", "-o", "t.new"}, dir.path());
  ExpectFailure(run, "t.dbf");
  EXPECT_EQ(FramedError(run),
            "Error 4: Cannot create file. A sharing violation occurred while accessing t.dbt.");
  Files after = Snapshot(dir);
  EXPECT_EQ(after["t.new"], Bytes{}) << "the table whose memo file cannot be made stays empty";
  after.erase("t.new");
  EXPECT_EQ(after, before);
}

#ifndef _WIN32
// Folders that can be searched but not listed exist only where permissions are POSIX ones.
TEST(CliBadInput, AFolderThatCannotBeListedNeverLetsTheOutputTakeTheSourceMemoFile) {
  TempDir dir;
  WriteWholeFile(dir.File("t.dbf"), MemoTable());
  WriteWholeFile(dir.File("t.dbt"), MemoFile());
  fs::permissions(dir.File("t.dbt"), fs::perms::all);  // the user's own file, writable
  // Write and search permission only: files can be opened and made by name, not listed.
  const fs::perms searchOnly = fs::perms::owner_write | fs::perms::owner_exec | fs::perms::group_write |
                               fs::perms::group_exec | fs::perms::others_write | fs::perms::others_exec;
  fs::permissions(dir.path(), searchOnly);
  const CliResult run = RunCliUnprivileged({"repair", "t.dbf", "-o", "t.new"}, dir);
  fs::permissions(dir.path(), fs::perms::owner_all);
  if (run.exitCode == kExecFailed) GTEST_SKIP() << "tessaly-cli cannot be run as an unprivileged user here";
  ExpectFailure(run, "t.dbf");
  EXPECT_EQ(FramedError(run),
            "Error 4: Cannot create file. A sharing violation occurred while accessing t.dbt.");
  EXPECT_EQ(ReadWholeFile(dir.File("t.dbt")), MemoFile());
}
#endif

TEST(CliBadInput, NamesWithSpacesAndLettersBeyondAsciiAreRepairedAndShown) {
  TempDir dir;
  const std::string stem = "Kunden März ölig";
  WriteWholeFile(dir.File(stem + ".dbf"), MemoTable());
  WriteWholeFile(dir.File(stem + ".DBT"), MemoFile());
  const CliResult run = RunCli({"repair", stem + ".dbf"}, dir.path());
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_TRUE(Contains(run.out, "File '" + stem + ".dbf' has been repaired successfully!")) << run.out;
  EXPECT_TRUE(Contains(run.out, "Output fixed file as: '" + stem + "_fixed.dbf'"));
  ASSERT_TRUE(fs::exists(dir.File(stem + "_fixed.dbt")));

  const CliResult shown = RunCli({"show", stem + "_fixed.dbf"}, dir.path());
  EXPECT_EQ(shown.exitCode, 0) << shown.err;
  EXPECT_TRUE(Contains(shown.out, "likes coffee")) << shown.out;
}

#ifndef _WIN32
// A full disk is brought about by a per-process file size limit, which POSIX alone offers.
TEST(CliBadInput, AFullDiskEndsTheRepairWithDiskFullAndKeepsTheSource) {
  TempDir dir;
  constexpr rlim_t kRoomPerFile = 4096;
  TableBuilder big;
  big.Field("TEXT", 'C', 100);
  for (int i = 0; i < 100; ++i) big.Record(std::string(100, 'a' + i % 26));
  WriteWholeFile(dir.File("big.dbf"), big.Build());
  // A short table whose one memo does not fit.
  WriteWholeFile(dir.File("memo.dbf"),
                 TableBuilder().Version(0x83).Field("NOTE", 'M', 10).Record(MemoPointerText(1)).Build());
  WriteWholeFile(dir.File("memo.dbt"), MemoBuilder::Dbt().Dbase3(1, std::string(10000, 'm')).bytes());
  const Files before = Snapshot(dir);

  for (const auto& [source, full] :
       {std::pair{"big.dbf", "big_fixed.dbf"}, std::pair{"memo.dbf", "memo_fixed.dbt"}}) {
    CliResult run;
    {
      FileSizeLimitForChildren limit(kRoomPerFile);
      run = RunCli({"repair", source}, dir.path());
    }
    ExpectFailure(run, source);
    EXPECT_EQ(FramedError(run), "Error 2: General error. Disk full while accessing " + dir.File(full) + ".");
    Files after = Snapshot(dir);
    for (const auto& [name, bytes] : before) EXPECT_EQ(after[name], bytes) << name;
  }
}
#endif
