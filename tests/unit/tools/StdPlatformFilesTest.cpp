#include "tools/common/StdPlatformFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace lumetra::test {
namespace {

namespace fs = std::filesystem;

class StdPlatformFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("lumetra-files-" + std::string(info->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }

    fs::path dir_;
    StdPlatformFiles files_{"/opt/tools/lumetra-render"};
};

std::string ReadAllBytes(IByteReader& reader) {
    std::string bytes;
    std::uint8_t byte = 0;
    while (reader.ReadByte(byte)) bytes += static_cast<char>(byte);
    return bytes;
}

TEST_F(StdPlatformFilesTest, ReadsFilesByteForByte) {
    const std::vector<std::string> contents = {"", "Lock=1\r\n", std::string("a\0b\xFF\r", 5),
                                               std::string(200000, 'x')};
    for (const std::string& bytes : contents) {
        Write("f.lng", bytes);
        const auto whole = files_.ReadWholeFile(PathOf("f.lng"));
        ASSERT_TRUE(whole);
        EXPECT_EQ(*whole, bytes);
        const auto reader = files_.OpenForReading(PathOf("f.lng"));
        ASSERT_NE(reader, nullptr);
        EXPECT_EQ(ReadAllBytes(*reader), bytes);
    }
}

TEST_F(StdPlatformFilesTest, MissingFilesAndFoldersAreNotReadable) {
    fs::create_directory(dir_ / "sub");
    for (const std::string& path : {PathOf("missing.lng"), PathOf("sub")}) {
        EXPECT_FALSE(files_.ReadWholeFile(path)) << path;
        EXPECT_EQ(files_.OpenForReading(path), nullptr) << path;
        EXPECT_FALSE(files_.FileExists(path)) << path;
    }
    EXPECT_TRUE(files_.FolderExists(PathOf("sub")));
    EXPECT_FALSE(files_.FolderExists(PathOf("missing.lng")));
}

TEST_F(StdPlatformFilesTest, TooLargeFileIsRefused) {
    {
        std::ofstream big(dir_ / "big", std::ios::binary);
        big.seekp(static_cast<std::streamoff>(StdPlatformFiles::kMaxWholeFile));
        big.put('x');
    }
    EXPECT_FALSE(files_.ReadWholeFile(PathOf("big")));
}

TEST_F(StdPlatformFilesTest, ReplaceFileContentsWritesAWholeNewFile) {
    struct Case {
        const char* existing;  // nullptr: no file yet
        std::string written;
    };
    const std::vector<Case> cases = {
        {nullptr, "<svg/>"},
        {"a much longer old content that must not survive", "new"},
        {"old", ""},
    };
    for (const Case& c : cases) {
        fs::remove(dir_ / "out.svg");
        if (c.existing != nullptr) Write("out.svg", c.existing);
        EXPECT_TRUE(files_.ReplaceFileContents(PathOf("out.svg"), c.written));
        EXPECT_EQ(files_.ReadWholeFile(PathOf("out.svg")), c.written);
        EXPECT_FALSE(fs::exists(dir_ / "out.svg.tmp"));
    }
}

TEST_F(StdPlatformFilesTest, ReplaceWritesThroughLinksAndIntoDevices) {
    Write("real.svg", "old");
    fs::create_symlink(dir_ / "real.svg", dir_ / "link.svg");
    EXPECT_TRUE(files_.ReplaceFileContents(PathOf("link.svg"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.svg"));
    EXPECT_EQ(files_.ReadWholeFile(PathOf("real.svg")), "new");

    EXPECT_TRUE(files_.ReplaceFileContents("/dev/null", "<svg/>"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_FALSE(fs::exists("/dev/null.tmp"));
}

TEST_F(StdPlatformFilesTest, EndlessInputEnds) {
    EXPECT_FALSE(files_.ReadWholeFile("/dev/zero"));
    const auto reader = files_.OpenForReading("/dev/zero");
    ASSERT_NE(reader, nullptr);
    std::size_t count = 0;
    std::uint8_t byte = 0;
    while (reader->ReadByte(byte)) ++count;
    EXPECT_EQ(count, StdPlatformFiles::kMaxWholeFile);
}

TEST_F(StdPlatformFilesTest, ReplaceInAMissingFolderFailsAndLeavesNothing) {
    EXPECT_FALSE(files_.ReplaceFileContents(PathOf("no/such/out.svg"), "x"));
    EXPECT_FALSE(fs::exists(dir_ / "no"));
}

TEST_F(StdPlatformFilesTest, CreateFolderMakesOneLevelOnly) {
    EXPECT_TRUE(files_.CreateFolder(PathOf("made")));
    EXPECT_TRUE(files_.FolderExists(PathOf("made")));
    EXPECT_FALSE(files_.CreateFolder(PathOf("made/deeper/still")));
}

}  // namespace
}  // namespace lumetra::test
