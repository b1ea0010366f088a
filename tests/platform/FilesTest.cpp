#include "platform/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("kiv-files-" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::u16string path(const std::u16string& name) const {
        const auto full = (dir_ / fs::path(name)).u16string();
        return {full.begin(), full.end()};
    }
    void put(const std::u16string& name, const std::string& bytes) const {
        std::ofstream(dir_ / fs::path(name), std::ios::binary) << bytes;
    }
    std::string get(const std::u16string& name) const {
        std::ifstream in(dir_ / fs::path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

std::string text(std::span<const std::uint8_t> bytes) {
    return {bytes.begin(), bytes.end()};
}

} // namespace

TEST_F(Files, MapsAFileAndAnEmptyFileWithoutAMapping) {
    put(u"a.txt", "hello\r\n");
    put(u"empty.txt", "");
    platform::InputFile in;
    ASSERT_TRUE(in.open(path(u"a.txt")));
    EXPECT_EQ(in.size(), 7u);
    platform::FileMapping map;
    ASSERT_TRUE(map.map(in));
    in.close();
    EXPECT_EQ(text(map.data()), "hello\r\n"); // the mapping outlives the handle

    ASSERT_TRUE(in.open(path(u"empty.txt")));
    EXPECT_EQ(in.size(), 0u);
    ASSERT_TRUE(map.map(in));
    EXPECT_TRUE(map.data().empty());
    map.unmap();
    map.unmap();
    in.close();
    in.close();
    EXPECT_FALSE(in.isOpen());
    EXPECT_FALSE(map.map(in)); // nothing open
}

TEST_F(Files, MissingFilesAndFoldersFailCleanly) {
    platform::InputFile in;
    EXPECT_FALSE(in.open(path(u"missing.txt")));
    EXPECT_FALSE(in.isOpen());
    EXPECT_FALSE(in.size().has_value());
    EXPECT_FALSE(in.open(path(u"")));                  // the folder itself
    EXPECT_FALSE(in.open(std::u16string(u"a\0b", 3))); // an embedded NUL names no file
    platform::OutputFile out;
    EXPECT_FALSE(out.create(path(u"no/such/folder.txt")));
    EXPECT_FALSE(out.write(Bytes{1}));
    EXPECT_TRUE(out.close());
    EXPECT_FALSE(platform::fileExists(path(u"missing.txt")));
}

TEST_F(Files, CreateAlwaysReplacesAndWritesReadBack) {
    put(u"out.txt", std::string(1000, 'x'));
    platform::OutputFile out;
    ASSERT_TRUE(out.create(path(u"out.txt")));
    EXPECT_EQ(get(u"out.txt"), ""); // replaced at once, not overwritten in place
    const Bytes big(200000, 0x5A);
    EXPECT_TRUE(out.write(Bytes{'a', 'b'}));
    EXPECT_TRUE(out.write(big));
    EXPECT_TRUE(out.write({}));
    EXPECT_TRUE(out.close());
    EXPECT_TRUE(out.close());
    EXPECT_EQ(get(u"out.txt"), "ab" + std::string(200000, 'Z'));
}

TEST_F(Files, JapanesePathsReachTheSystemAsUtf8) {
    const std::u16string name = u"日本語のファイル.txt";
    platform::OutputFile out;
    ASSERT_TRUE(out.create(path(name)));
    EXPECT_TRUE(out.write(Bytes{0x82, 0xA0}));
    out.close();
    EXPECT_TRUE(fs::exists(dir_ / "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x95"
                                  "\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB.txt"));
    EXPECT_TRUE(platform::fileExists(path(name)));
    platform::InputFile in;
    ASSERT_TRUE(in.open(path(name)));
    EXPECT_EQ(in.size(), 2u);
}

TEST_F(Files, CopyOnlyWhenTheTargetIsMissing) {
    put(u"misc_.ini", "[misc]\n");
    EXPECT_TRUE(platform::copyFileIfAbsent(path(u"misc_.ini"), path(u"misc.ini")));
    EXPECT_EQ(get(u"misc.ini"), "[misc]\n");
    put(u"misc.ini", "edited");
    EXPECT_FALSE(platform::copyFileIfAbsent(path(u"misc_.ini"), path(u"misc.ini")));
    EXPECT_EQ(get(u"misc.ini"), "edited");
    EXPECT_FALSE(platform::copyFileIfAbsent(path(u"none.ini"), path(u"new.ini")));
    EXPECT_FALSE(platform::fileExists(path(u"new.ini")));
}

TEST(FilesProgramPath, NamesThisExecutable) {
    const auto self = platform::programPath();
    ASSERT_TRUE(self.has_value());
    EXPECT_TRUE(fs::equivalent(fs::path(*self), fs::canonical("/proc/self/exe")));
}
