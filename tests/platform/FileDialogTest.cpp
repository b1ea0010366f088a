#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

namespace {

OPENFILENAME saveRequest(WCHAR* file, DWORD size) {
    OPENFILENAME request;
    request.lpstrFile = file;
    request.nMaxFile = size;
    request.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT;
    return request;
}

} // namespace

// The answer fills the path, its name and extension offsets; one that does not fit is refused
// and says so, and a cancel is no error.
TEST(FileDialog, AnAnswerFillsTheRequestOrSaysWhyItCouldNot) {
    std::array<WCHAR, 32> file{};
    OPENFILENAME request = saveRequest(file.data(), file.size());
    platform::test::queueFileDialogAnswer(u"/tmp/kiv-no-such-dir/notes.txt");
    ASSERT_TRUE(GetSaveFileName(&request));
    EXPECT_EQ(std::u16string(file.data()), u"/tmp/kiv-no-such-dir/notes.txt");
    EXPECT_EQ(request.nFileOffset, 21);
    EXPECT_EQ(request.nFileExtension, 27);

    platform::test::queueFileDialogAnswer(u"/a/path/far/too/long/for/the/buffer/given.txt");
    EXPECT_FALSE(GetSaveFileName(&request));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    platform::test::queueFileDialogAnswer(std::nullopt);
    EXPECT_FALSE(GetOpenFileName(&request));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_EQ(platform::test::takeFileDialogCalls().size(), 3u);
}

TEST(FileDialog, ReplacingAnExistingFileIsAskedFirst) {
    const std::filesystem::path existing = std::filesystem::temp_directory_path() / "kiv-dlg.txt";
    std::ofstream(existing) << "x";
    std::array<WCHAR, 260> file{};
    OPENFILENAME request = saveRequest(file.data(), file.size());
    const std::u16string path = existing.u16string();
    platform::test::takeMessageBoxCalls();
    platform::test::queueFileDialogAnswer(path);
    platform::test::queueMessageBoxAnswer(IDNO);
    EXPECT_FALSE(GetSaveFileName(&request));
    platform::test::queueFileDialogAnswer(path);
    platform::test::queueMessageBoxAnswer(IDYES);
    EXPECT_TRUE(GetSaveFileName(&request));
    const auto asked = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, u"kiv-dlg.txt already exists.\r\nDo you want to replace it?");
    std::filesystem::remove(existing);
}
