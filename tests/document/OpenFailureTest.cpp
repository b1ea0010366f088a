// What the user is told when a file cannot be opened.
#include "document/OpenFailure.h"
#include "CodecTestSupport.h"
#include "document/MappedFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

using namespace document;
using Kind = platform::FileError::Kind;

TEST(OpenFailure, EveryRefusalSaysWhyInTheMessage) {
    codectest::ScratchFolder folder;
    MappedFile file;
    const std::u16string missing = codectest::u16path(folder.path("missing.txt"));
    ASSERT_FALSE(file.open(missing));
    EXPECT_EQ(openFailureMessage(missing, file.error()),
              u"Can't open the file.\r\n" + missing + u"\r\nNo such file or directory.");
    // A folder, a named pipe (opening it would wait for a writer) and a device.
    ASSERT_EQ(::mkfifo(folder.path("pipe").c_str(), 0600), 0);
    struct Refusal {
        std::filesystem::path path;
        Kind kind;
        std::string_view reason;
    };
    const Refusal refusals[] = {
        {folder.path(""), Kind::Folder, "It is a folder, not a file."},
        {folder.path("pipe"), Kind::Pipe, "It is a named pipe"},
        {"/dev/null", Kind::Device, "It is a device, not a file."},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.path.string());
        ASSERT_FALSE(file.open(codectest::u16path(r.path)));
        EXPECT_EQ(file.error().kind, r.kind);
        EXPECT_TRUE(openFailureReason(file.error()).starts_with(r.reason));
    }
    // A file larger than the editor holds is refused by its size, before anything is read.
    const auto huge = folder.path("huge");
    codectest::writeFile(huge, {});
    std::filesystem::resize_file(huge, kMaxDocumentBytes + 1);
    ASSERT_FALSE(file.open(codectest::u16path(huge)));
    EXPECT_EQ(file.error().kind, Kind::TooLarge);
    EXPECT_EQ(openFailureReason(file.error()),
              "It is too large: 2,147,418,113 bytes, and the editor holds at most 2,147,418,112 "
              "bytes.");
    // Out of memory keeps the editor's own message.
    EXPECT_EQ(openFailureMessage(u"/a", {Kind::OutOfMemory, 0, 9}), u"Out of memory.\r\n/a");
}
