#include "document/DocumentSaver.h"

#include "document/DocumentEncoder.h"
#include "document/TextEncoding.h"
#include "platform/FileWriteFault.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using document::saveDocumentFile;

namespace {

class SaveFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("kiv-saver-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        platform::test::clearFileFaults();
        fs::remove_all(folder_);
    }
    fs::path path(const std::string& name) const { return folder_ / name; }
    static void write(const fs::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    // Nothing but the named files is left in the folder (no temporary file).
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }
    fs::path folder_;
};

std::string expectedBytes(std::u16string_view text, std::int32_t encoding) {
    const auto bytes = document::encodeDocumentBytes(text, encoding, document::LB_CRLF);
    return {bytes.begin(), bytes.end()};
}

} // namespace

// Wherever the disk fills up or the flush fails, the old file stays whole, nothing is left
// behind, and the result names the file and the reason; without a fault the new bytes are
// there and the file keeps its permissions.
TEST_F(SaveFolder, AFailingDiskNeverDamagesTheOldFileNorPassesForASave) {
    const fs::path target = path("doc.txt");
    const std::u16string text = u"新しい本文\r二行目\rthird line";
    const std::string expected = expectedBytes(text, document::ENC_SJIS);
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        write(target, "the old contents");
        fs::permissions(target,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        const int fault = round % 4;
        if (fault == 3) {
            platform::test::failFileFlushes(EIO);
        } else if (fault != 0) {
            platform::test::failFileWritesAfter(
                std::uniform_int_distribution<std::uint64_t>(0, expected.size() - 1)(random),
                ENOSPC);
        }
        const document::SaveResult saved =
            saveDocumentFile(target.u16string(), text, document::ENC_SJIS, document::LB_CRLF);
        platform::test::clearFileFaults();
        EXPECT_EQ(entries(), 1u);
        if (fault == 0) {
            ASSERT_TRUE(saved) << round;
            EXPECT_EQ(read(target), expected);
            EXPECT_EQ(fs::status(target).permissions(),
                      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        } else {
            ASSERT_FALSE(saved) << round;
            EXPECT_EQ(read(target), "the old contents");
            EXPECT_EQ(saved.failedPath, target.u16string());
            EXPECT_EQ(saved.reason,
                      fault == 3 ? u"Input/output error" : u"No space left on device");
        }
    }
}

TEST_F(SaveFolder, ALinkIsWrittenThroughAndAFolderOrMissingFolderRefused) {
    const fs::path real = path("real.txt");
    const fs::path link = path("link.txt");
    write(real, "old");
    fs::create_symlink(real, link);
    ASSERT_TRUE(saveDocumentFile(link.u16string(), u"new", document::ENC_UTF8, document::LB_LF));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(read(real), "new");
    // A link named relative to its own folder.
    fs::create_symlink("real.txt", path("relative.txt"));
    ASSERT_TRUE(saveDocumentFile(path("relative.txt").u16string(), u"next", document::ENC_UTF8,
                                 document::LB_LF));
    EXPECT_EQ(read(real), "next");
    fs::remove(path("relative.txt"));

    // The file a link names is the one a failure reports.
    platform::test::failFileWritesAfter(1, ENOSPC);
    const document::SaveResult failed =
        saveDocumentFile(link.u16string(), u"newer", document::ENC_UTF8, document::LB_LF);
    platform::test::clearFileFaults();
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.failedPath, real.u16string());
    EXPECT_EQ(read(real), "next");

    fs::create_directory(path("folder.txt"));
    const document::SaveResult folder =
        saveDocumentFile(path("folder.txt").u16string(), u"x", document::ENC_UTF8, document::LB_LF);
    EXPECT_FALSE(folder);
    EXPECT_EQ(folder.reason, u"Is a directory");
    EXPECT_TRUE(fs::is_directory(path("folder.txt")));
    EXPECT_FALSE(saveDocumentFile(path("none/x.txt").u16string(), u"x", document::ENC_UTF8,
                                  document::LB_LF));
    EXPECT_EQ(entries(), 3u);
}

// A folder that takes no new file (read-only for this user) still lets a writable file be
// saved, in place; a failure then puts the old bytes back. Root writes anywhere, so the case
// only exists for other users.
TEST_F(SaveFolder, WhereTheFolderTakesNoNewFileTheFileIsWrittenInPlace) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may create files in any folder";
    const fs::path target = path("fixed.txt");
    write(target, "old bytes");
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    ASSERT_TRUE(saveDocumentFile(target.u16string(), u"new", document::ENC_UTF8, document::LB_LF));
    EXPECT_EQ(read(target), "new");
    platform::test::failFileWritesAfter(2, ENOSPC);
    EXPECT_FALSE(
        saveDocumentFile(target.u16string(), u"newer text", document::ENC_UTF8, document::LB_LF));
    platform::test::clearFileFaults();
    EXPECT_EQ(read(target), "new");
    fs::permissions(folder_, fs::perms::owner_all);
}

// A read-only file is not replaced behind its owner's back, though its folder would allow the
// rename; once writable again it saves with its permissions as they are.
TEST_F(SaveFolder, AReadOnlyFileIsRefusedAndKeptWhole) {
    const fs::path target = path("kept.txt");
    write(target, "read-only contents");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
    const document::SaveResult refused =
        saveDocumentFile(target.u16string(), u"overwritten", document::ENC_UTF8, document::LB_LF);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.failedPath, target.u16string());
    EXPECT_EQ(refused.reason, u"Permission denied");
    EXPECT_EQ(read(target), "read-only contents");
    EXPECT_EQ(entries(), 1u);

    fs::permissions(target, fs::perms::owner_write, std::filesystem::perm_options::add);
    ASSERT_TRUE(
        saveDocumentFile(target.u16string(), u"overwritten", document::ENC_UTF8, document::LB_LF));
    EXPECT_EQ(read(target), "overwritten");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
