#include "StampRecord.h"

#include "FileHolder.h"
#include "OpenDescriptors.h"

#include "TestEnvironment.h"

#include "FileSizeLimit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace {

struct RecordCase {
    const char* identifier;
    const char* record;
};

class StampRecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(StampRecordTest, PutsImInFrontUnlessTheIdentifierHoldsIt)
{
    EXPECT_EQ(BuildStampRecord(GetParam().identifier), GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(Identifiers, StampRecordTest,
                         ::testing::Values(RecordCase{"12345", "Value1=IM12345\r"},
                                           RecordCase{"IM12345", "Value1=IM12345\r"},
                                           RecordCase{"A1IM9", "Value1=A1IM9\r"},
                                           RecordCase{"77IM", "Value1=77IM\r"},
                                           RecordCase{"im5", "Value1=IMim5\r"},
                                           RecordCase{"Im", "Value1=IMIm\r"},
                                           RecordCase{"", "Value1=IM\r"},
                                           RecordCase{" 42 ", "Value1=IM 42 \r"}));

off_t SizeOf(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_size : -1;
}

struct StampFileTest : ::testing::Test {
    TestEnvironment environment;
    std::string Path(const char* name) const { return environment.Folder() + "/" + name; }
};

TEST_F(StampFileTest, AppendsTheRecordAfterTheUnchangedBytes)
{
    std::string original(1000, '\0');
    for (size_t i = 0; i < original.size(); ++i)
        original[i] = char(i * 7);
    const std::string path = Path("pla1_0.exe");
    WriteBytes(path, original);

    ASSERT_EQ(StampFile(path, "12345"), StampOutcome::Stamped);
    EXPECT_EQ(ReadBytes(path), original + "Value1=IM12345\r");
    EXPECT_EQ(SizeOf(path), 1015);

    ASSERT_EQ(StampFile(path, "A1IM9"), StampOutcome::Stamped);
    EXPECT_EQ(ReadBytes(path), original + "Value1=IM12345\rValue1=A1IM9\r");
}

TEST_F(StampFileTest, AMissingFileInAnExistingFolderIsMadeWithTheRecordOnly)
{
    ASSERT_EQ(StampFile(Path("new.exe"), ""), StampOutcome::Stamped);
    EXPECT_EQ(ReadBytes(Path("new.exe")), "Value1=IM\r");
    // A relative path is taken from the current folder.
    ASSERT_EQ(StampFile("new.exe", "IM1"), StampOutcome::Stamped);
    EXPECT_EQ(ReadBytes(Path("new.exe")), "Value1=IM\rValue1=IM1\r");
}

TEST_F(StampFileTest, PathsThatCannotBeOpenedAreRefusedAndLeftAlone)
{
    ::mkdir(Path("folder").c_str(), 0777);
    char self[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", self, sizeof self - 1), 0);  // a running program
    for (const std::string& path : {std::string(), Path("missing/pla1_0.exe"), Path("folder"),
                                   std::string(self)}) {
        const off_t before = SizeOf(path);
        EXPECT_EQ(StampFile(path, "12345"), StampOutcome::NotOpened) << path;
        EXPECT_EQ(SizeOf(path), before) << path;
    }
    EXPECT_EQ(SizeOf(Path("missing")), -1);
}

// Runs `step` in a child process; its exit status comes back.
template <typename Step>
int InChild(Step step)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(step());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(StampFileTest, AReadOnlyFileIsRefused)
{
    const std::string path = Path("read-only.exe");
    WriteBytes(path, "MZ");
    ::chmod(path.c_str(), 0444);
    // Write access is checked for an ordinary user, also when the tests run as root.
    const int outcome = InChild([&] {
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            return 99;
        return int(StampFile(path, "12345"));
    });
    EXPECT_EQ(outcome, int(StampOutcome::NotOpened));
    EXPECT_EQ(ReadBytes(path), "MZ");
}

TEST_F(StampFileTest, AFileLockedByAnotherProcessIsRefused)
{
    const std::string path = Path("locked.exe");
    WriteBytes(path, "MZ");
    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(path.c_str(), O_RDWR);
        const char locked = ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
        char done = 0;
        if (::write(ready[1], &locked, 1) != 1 || ::read(release[0], &done, 1) < 0)
            ::_exit(1);
        ::_exit(0);
    }
    char locked = 0;
    ASSERT_EQ(::read(ready[0], &locked, 1), 1);
    ASSERT_EQ(locked, 'y');
    EXPECT_EQ(StampFile(path, "12345"), StampOutcome::NotOpened);
    EXPECT_EQ(ReadBytes(path), "MZ");

    ASSERT_EQ(::write(release[1], "x", 1), 1);
    ::waitpid(holder, nullptr, 0);
    for (int fd : {ready[0], ready[1], release[0], release[1]})
        ::close(fd);
    EXPECT_EQ(StampFile(path, "12345"), StampOutcome::Stamped);
}

// While a writer appends and while a reader holds the file, `stamp` is
// refused and the file is as the writer left it; once it is closed, `stamp`
// succeeds after the writer's lines.
void ExpectRefusedWhileHeld(const std::string& path, uid_t user, const std::function<StampOutcome()>& stamp)
{
    for (const FileHolder::Kind kind : {FileHolder::Kind::AppendingWriter, FileHolder::Kind::Reader}) {
        WriteBytes(path, "");
        ::chmod(path.c_str(), 0666);
        FileHolder holder(path, kind, user);
        ASSERT_TRUE(holder.Held());
        EXPECT_EQ(stamp(), StampOutcome::NotOpened);
        const int lines = holder.Release();
        ASSERT_GE(lines, 0);
        EXPECT_EQ(ReadBytes(path), FileHolder::Written(lines));
        EXPECT_EQ(stamp(), StampOutcome::Stamped);
        EXPECT_EQ(ReadBytes(path), FileHolder::Written(lines) + "Value1=IM12345\r");
    }
}

TEST_F(StampFileTest, AFileAnotherProcessHoldsOpenIsRefusedUntilItIsClosed)
{
    // The owner's open takes a write lease, which no other open descriptor allows.
    const std::string path = Path("pla1_0.exe");
    ExpectRefusedWhileHeld(path, ::geteuid(), [&] { return StampFile(path, "12345"); });
}

TEST_F(StampFileTest, WithoutALeaseTheOpenFilesOfTheUsersProcessesAreSearched)
{
    // A user who does not own the file gets no lease.
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as two users";
    const uid_t nobody = 65534;
    const std::string path = Path("pla1_0.exe");
    ::chmod(environment.Folder().c_str(), 0755);
    ::chmod((environment.Folder() + "/..").c_str(), 0755);
    ExpectRefusedWhileHeld(path, nobody, [&] {
        return StampOutcome(InChild([&] { return ::setuid(nobody) == 0 ? int(StampFile(path, "12345")) : 99; }));
    });
}

TEST_F(StampFileTest, AnotherDescriptorOfTheFileIsFoundInAnyProcessThisOneIncluded)
{
    const std::string path = Path("held.exe");
    WriteBytes(path, "MZ");
    const int fd = ::open(path.c_str(), O_RDWR);
    EXPECT_FALSE(IsOpenElsewhere(fd));
    {
        FileHolder holder(path, FileHolder::Kind::Reader, ::geteuid());
        ASSERT_TRUE(holder.Held());
        EXPECT_TRUE(IsOpenElsewhere(fd));
    }
    EXPECT_FALSE(IsOpenElsewhere(fd));
    const int second = ::open(path.c_str(), O_RDONLY);
    EXPECT_TRUE(IsOpenElsewhere(fd));
    ::close(second);
    ::close(fd);
}

// Appends in a child whose write call is `write`; the child's exit status
// (1 appended, 0 refused) or, when the write call ends the child, 3.
int AppendInChild(const std::string& path, const std::string& bytes, CExclusiveFile::WriteCall write)
{
    return InChild([&] {
        CExclusiveFile file(path);
        return file.IsOpen() ? int(file.AppendInOneWrite(bytes, write)) : 99;
    });
}

TEST_F(StampFileTest, AnAppendCutShortLeavesTheOldBytesAndTimeOrTheWholeRecord)
{
    const std::string record = BuildStampRecord("12345");
    const struct {
        const char* what;
        CExclusiveFile::WriteCall write;
        int status;
        bool recordKept;
    } cases[] = {
        {"a write that fails", [](int, const void*, size_t, off_t) -> ssize_t { errno = ENOSPC; return -1; }, 0, false},
        {"a short write", [](int fd, const void* b, size_t n, off_t at) { return ::pwrite(fd, b, n / 2, at); }, 0, false},
        {"killed before writing", [](int, const void*, size_t, off_t) -> ssize_t { ::_exit(3); }, 3, false},
        {"killed after writing",
         [](int fd, const void* b, size_t n, off_t at) -> ssize_t {
             if (::pwrite(fd, b, n, at) == ssize_t(n))
                 ::_exit(3);
             return -1;
         },
         3, true},
    };
    const std::string path = Path("pla1_0.exe");
    const timespec longAgo[2] = {{1000000000, 0}, {1000000000, 0}};
    for (const auto& c : cases) {
        WriteBytes(path, "MZ old bytes");
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), longAgo, 0), 0);
        EXPECT_EQ(AppendInChild(path, record, c.write), c.status) << c.what;
        EXPECT_EQ(ReadBytes(path), "MZ old bytes" + std::string(c.recordKept ? record : "")) << c.what;
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        if (!c.recordKept) {
            EXPECT_EQ(info.st_mtim.tv_sec, longAgo[1].tv_sec) << c.what;
        }
    }
    EXPECT_EQ(AppendInChild(path, record, ::pwrite), 1);
    EXPECT_EQ(ReadBytes(path), "MZ old bytes" + record + record);
}

TEST_F(StampFileTest, AFileThatCannotGrowKeepsItsLength)
{
    const std::string path = Path("full.exe");
    WriteBytes(path, std::string(5000, 'x'));
    {
        FileSizeLimit limit(5010);
        EXPECT_EQ(StampFile(path, "12345"), StampOutcome::NotWritten);
    }
    {
        FileSizeLimit limit(10);
        EXPECT_EQ(StampFile(Path("made.exe"), "12345"), StampOutcome::NotWritten);
    }
    EXPECT_EQ(ReadBytes(path), std::string(5000, 'x'));
    EXPECT_EQ(SizeOf(Path("made.exe")), -1) << "a file made for a failed stamp goes again";
}

TEST_F(StampFileTest, AFileOfFourGibibytesOrMoreGetsItsRecordAtItsTrueEnd)
{
    const std::string path = Path("large.exe");
    const off_t size = (off_t(1) << 32) + 10;
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0666);
    ASSERT_EQ(::ftruncate(fd, size), 0);  // sparse: no blocks behind the zeros
    ::close(fd);

    ASSERT_EQ(StampFile(path, "12345"), StampOutcome::Stamped);
    ASSERT_EQ(SizeOf(path), size + 15);
    char tail[16] = {};
    const int in = ::open(path.c_str(), O_RDONLY);
    ASSERT_EQ(::pread(in, tail, 16, size - 1), 16);
    ::close(in);
    EXPECT_EQ(std::string(tail, 16), std::string(1, '\0') + "Value1=IM12345\r");
}

}  // namespace
