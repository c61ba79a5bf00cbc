// Streams: complete reads and writes, files, memory, and replacing a file in one step.
#include "platform/Stream.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace platform {
namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() : FPath(fs::temp_directory_path() / ("platform-stream-" + std::to_string(::getpid()))) {
        fs::create_directories(FPath);
    }
    ~TempDir() { fs::remove_all(FPath); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }
    std::size_t EntryCount() const { return std::size_t(std::distance(fs::directory_iterator(FPath), {})); }

private:
    fs::path FPath;
};

std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(MemoryStream, ReadsWritesSeeksAndGrows) {
    TMemoryStream s;
    s.WriteBuffer("abcdef", 6);
    EXPECT_EQ(s.Size(), 6);
    s.SetPosition(4);
    s.WriteBuffer("XYZ", 3);
    EXPECT_EQ(s.Size(), 7);
    s.SetPosition(1);
    char buf[4] = {};
    EXPECT_EQ(s.Read(buf, 3), 3u);
    EXPECT_EQ(std::string(buf, 3), "bcd");
    EXPECT_EQ(s.Remaining(), 3);
    EXPECT_EQ(s.Seek(-1, TSeekOrigin::soEnd), 6);
    EXPECT_EQ(s.Read(buf, 4), 1u);
    EXPECT_THROW(s.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
}

TEST(Stream, ShortFixedSizeReadRaisesReadError) {
    TMemoryStream s(std::vector<std::uint8_t>{1, 2, 3});
    std::uint8_t buf[4];
    try {
        s.ReadBuffer(buf, 4);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}

TEST(FileStream, CreatesReadsAndReportsMissingFiles) {
    TempDir dir;
    const auto name = dir.File("a.bin");
    {
        TFileStream out(name, TFileStream::TMode::Create);
        out.WriteBuffer("hello", 5);
    }
    TFileStream in(name, TFileStream::TMode::OpenRead);
    EXPECT_EQ(in.Size(), 5);
    char buf[8];
    EXPECT_EQ(in.Read(buf, 8), 5u);
    EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
    EXPECT_THROW(TFileStream(dir.File("missing"), TFileStream::TMode::OpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(dir.File("no/such/dir"), TFileStream::TMode::Create), EFCreateError);
}

TEST(ReplacingFileStream, ReplacesOnlyOnCommitAndKeepsPermissions) {
    TempDir dir;
    const auto name = dir.File("target.txt");
    std::ofstream(name) << "old";
    ::chmod(name.c_str(), 0640);
    {
        TReplacingFileStream s(name);
        s.WriteBuffer("new contents", 12);
        EXPECT_EQ(Contents(name), "old"); // not visible before the commit
        // abandoned: no commit
    }
    EXPECT_EQ(Contents(name), "old");
    EXPECT_EQ(dir.EntryCount(), 1u);
    {
        TReplacingFileStream s(name);
        s.WriteBuffer("new contents", 12);
        s.Commit();
    }
    EXPECT_EQ(Contents(name), "new contents");
    EXPECT_EQ(dir.EntryCount(), 1u);
    struct stat st {};
    ::stat(name.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(ReplacingFileStream, FailsCleanlyInAMissingFolder) {
    TempDir dir;
    EXPECT_THROW(TReplacingFileStream(dir.File("none/x.bmp")), EFCreateError);
}

} // namespace
} // namespace platform
