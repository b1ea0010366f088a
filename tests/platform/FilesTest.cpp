#include "platform/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sys/stat.h>
#include <thread>
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

TEST_F(Files, ReadsAWholeFileAndAnEmptyOne) {
    put(u"a.txt", "hello\r\n");
    put(u"empty.txt", "");
    platform::InputFile in;
    ASSERT_TRUE(in.open(path(u"a.txt")));
    EXPECT_EQ(in.size(), 7u);
    platform::FileContents contents;
    ASSERT_TRUE(contents.read(in, 1000));
    in.close();
    EXPECT_EQ(text(contents.data()), "hello\r\n"); // the bytes outlive the handle

    ASSERT_TRUE(in.open(path(u"empty.txt")));
    ASSERT_TRUE(contents.read(in, 1000));
    EXPECT_TRUE(contents.data().empty());
    contents.release();
    contents.release();
    in.close();
    in.close();
    EXPECT_FALSE(in.isOpen());
    EXPECT_FALSE(contents.read(in, 1000)); // nothing open
    // More than the caller can hold is refused.
    ASSERT_TRUE(in.open(path(u"a.txt")));
    EXPECT_FALSE(contents.read(in, 6));
    EXPECT_EQ(contents.error().kind, platform::FileError::Kind::TooLarge);
    EXPECT_EQ(contents.error().size, 7u);
}

TEST_F(Files, MissingFilesFoldersPipesAndDevicesFailAtOnceAndSayWhy) {
    using Kind = platform::FileError::Kind;
    platform::InputFile in;
    EXPECT_FALSE(in.open(path(u"missing.txt")));
    EXPECT_FALSE(in.isOpen());
    EXPECT_FALSE(in.size().has_value());
    EXPECT_EQ(in.error().kind, Kind::System);
    EXPECT_EQ(in.error().systemReason(), "No such file or directory");
    put(u"plain", "x");
    EXPECT_FALSE(in.open(path(u"plain/inside")));
    EXPECT_EQ(in.error().systemReason(), "Not a directory");
    EXPECT_FALSE(in.open(std::u16string(u"a\0b", 3))); // an embedded NUL names no file
    EXPECT_FALSE(in.open(path(u"")));
    EXPECT_EQ(in.error().kind, Kind::Folder);
    // A named pipe without a writer: opening it for reading would wait for ever.
    ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0600), 0);
    EXPECT_FALSE(in.open(path(u"pipe")));
    EXPECT_EQ(in.error().kind, Kind::Pipe);
    EXPECT_FALSE(in.open(u"/dev/zero")); // would never end
    EXPECT_EQ(in.error().kind, Kind::Device);
    EXPECT_TRUE(in.open(path(u"plain")));
    EXPECT_FALSE(in.error().failed());
    platform::OutputFile out;
    EXPECT_FALSE(out.create(path(u"no/such/folder.txt")));
    EXPECT_FALSE(out.write(Bytes{1}));
    EXPECT_TRUE(out.close());
    EXPECT_FALSE(platform::fileExists(path(u"missing.txt")));
}

// Another program shortening a file while the editor reads it: a mapping would fault on the
// pages past the new end; read bytes stay as they were read.
TEST_F(Files, AFileShortenedWhileItIsReadCannotFault) {
    const std::string big(4u << 20, 'k');
    put(u"big", big);
    platform::InputFile in;
    ASSERT_TRUE(in.open(path(u"big")));
    platform::FileContents contents;
    ASSERT_TRUE(contents.read(in, big.size()));
    fs::resize_file(dir_ / "big", 0);
    EXPECT_EQ(text(contents.data()), big);
    // Shortened after it was opened and before it was read: the bytes now there are read.
    put(u"big", big);
    ASSERT_TRUE(in.open(path(u"big")));
    fs::resize_file(dir_ / "big", 1u << 20);
    ASSERT_TRUE(contents.read(in, big.size()));
    EXPECT_EQ(contents.data().size(), 1u << 20);
}

TEST_F(Files, AFileRewrittenWhileItIsReadIsNeverHalfOldAndHalfNew) {
    // A writer rewrites the file over and over, each version in a byte of its own; every read
    // gives bytes of one version (the whole of it, or as much as was written when it was read),
    // or says that the file kept changing.
    const auto file = dir_ / "busy";
    put(u"busy", std::string(1u << 20, 'a'));
    struct Writer {
        std::atomic<bool> stop = false;
        std::thread thread;
        ~Writer() {
            stop = true;
            thread.join();
        }
    } writer;
    writer.thread = std::thread([&] {
        for (int version = 0; !writer.stop; ++version) {
            std::ofstream(file, std::ios::binary | std::ios::trunc) << std::string(
                (1u << 20) + 4096u * (version % 7), static_cast<char>('a' + version % 7));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    platform::InputFile in;
    ASSERT_TRUE(in.open(path(u"busy")));
    for (int i = 0; i < 100; ++i) {
        platform::FileContents contents;
        if (!contents.read(in, 1u << 24)) {
            ASSERT_EQ(contents.error().kind, platform::FileError::Kind::Changing);
            continue;
        }
        const auto data = contents.data();
        if (data.empty()) {
            continue;
        }
        ASSERT_LE(data.size(), (1u << 20) + 4096u * static_cast<unsigned>(data[0] - 'a'));
        ASSERT_EQ(std::count(data.begin(), data.end(), data[0]),
                  static_cast<std::ptrdiff_t>(data.size()));
    }
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
