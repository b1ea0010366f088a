#include "shell/DocumentProgram.h"

#include "document/FileLock.h"
#include "document/PeerProcess.h"
#include "platform/FileDialog.h"
#include "platform/FileWriteFault.h"
#include "resources/CommandIds.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

using kivtest::DocumentProgram;

namespace {

bool contains(const std::u16string& text, std::u16string_view part) {
    return text.find(part) != std::u16string::npos;
}

} // namespace

class DocumentSave : public DocumentProgram {
protected:
    void TearDown() override {
        platform::test::clearFileFaults();
        DocumentProgram::TearDown();
    }
};

TEST_F(DocumentSave, OpenAndSaveAsGoThroughTheFileChooser) {
    start("[init]\nfirst=1\n");
    const std::string first = docPath("first.txt");
    writeBytes(first, "first");
    platform::test::queueFileDialogAnswer(u16(first));
    command(ID_FILE_OPEN);
    EXPECT_EQ(text(), u"first");
    auto dialogs = platform::test::takeFileDialogCalls();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_FALSE(dialogs[0].save);
    EXPECT_EQ(dialogs[0].title, u"Open...");
    EXPECT_EQ(dialogs[0].filter,
              (std::vector<std::u16string>{u"Text File(*.txt)", u"*.txt", u"ini File(*.ini)",
                                           u"*.ini", u"All Files(*.*)", u"*.*"}));
    EXPECT_EQ(dialogs[0].flags, static_cast<DWORD>(OFN_EXPLORER | OFN_FILEMUSTEXIST));

    // The next Open starts in the folder of the latest file; a cancel changes nothing.
    platform::test::queueFileDialogAnswer(std::nullopt);
    command(ID_FILE_OPEN);
    dialogs = platform::test::takeFileDialogCalls();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].initialFolder, u16(docPath("")));
    EXPECT_EQ(text(), u"first");

    const std::string second = docPath("second.txt");
    type(u"2 ");
    platform::test::queueFileDialogAnswer(u16(second));
    command(ID_FILE_SAVEAS);
    dialogs = platform::test::takeFileDialogCalls();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs[0].save);
    EXPECT_EQ(dialogs[0].title, u"Save As...");
    EXPECT_EQ(dialogs[0].initialName, u16(first));
    EXPECT_EQ(readBytes(second), "2 first");
    EXPECT_EQ(readBytes(first), "first");
    EXPECT_EQ(caption(), u"second.txt");
    // The copy now edits the new file: another process cannot claim it, but the old one.
    EXPECT_TRUE(document::FileLock::holderOf(u16(second)).has_value());
    EXPECT_FALSE(document::FileLock::holderOf(u16(first)).has_value());
}

TEST_F(DocumentSave, SaveAsOntoTheOwnFileIsAllowedAndOntoAnotherCopysFileRefused) {
    const std::string own = docPath("own.txt");
    const std::string theirs = docPath("theirs.txt");
    writeBytes(own, "own");
    writeBytes(theirs, "theirs");
    PeerProcess peer;
    ASSERT_EQ(peer.run("claim " + theirs + " 5"), std::vector<std::string>{"claimed"});
    start("[init]\nfirst=1\n", u16(own));
    type(u"mine ");

    // Each chosen file exists: the chooser asks first whether to replace it.
    platform::test::queueFileDialogAnswer(u16(theirs));
    platform::test::queueMessageBoxAnswer(IDYES);
    command(ID_FILE_SAVEAS);
    auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, u"The file is currently edited.");
    EXPECT_EQ(boxes[1].caption, u"Error");
    EXPECT_EQ(readBytes(theirs), "theirs");
    EXPECT_TRUE(modified());

    platform::test::queueFileDialogAnswer(u16(own));
    platform::test::queueMessageBoxAnswer(IDYES);
    command(ID_FILE_SAVEAS);
    EXPECT_EQ(platform::test::takeMessageBoxCalls().size(), 1u);
    EXPECT_EQ(readBytes(own), "mine own");
    EXPECT_FALSE(modified());
    // Still this copy's file.
    EXPECT_EQ(peer.run("claim " + own + " 5").at(0).substr(0, 4), "held");
}

// A failed save never passes for a saved one: the old file stays whole, the text stays
// modified, and the close that asked for the save does not go on.
TEST_F(DocumentSave, AFullDiskLeavesTheOldFileWholeAndTheDocumentModified) {
    start("[init]\nfirst=1\n");
    const std::string path = docPath("full.txt");
    writeBytes(path, "previous contents");
    openThroughRecent(path);
    type(u"a much longer text than the disk has room for: ");
    platform::test::failFileWritesAfter(10, ENOSPC);
    platform::test::queueMessageBoxAnswer(IDYES);
    command(ID_FILE_NEW);
    const auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, u"Error");
    EXPECT_TRUE(contains(boxes[1].text, u16(path)));
    EXPECT_TRUE(contains(boxes[1].text, u"No space left on device"));
    EXPECT_EQ(readBytes(path), "previous contents");
    EXPECT_TRUE(modified());
    EXPECT_EQ(caption(), u"full.txt*");

    platform::test::clearFileFaults();
    command(ID_FILE_SAVE);
    EXPECT_EQ(readBytes(path), "a much longer text than the disk has room for: previous contents");
}

TEST_F(DocumentSave, AFileAnotherProgramChangedOrRemovedIsNotOverwrittenWithoutAsking) {
    start("[init]\nfirst=1\n");
    const std::string path = docPath("shared.txt");
    writeBytes(path, "one");
    openThroughRecent(path);
    type(u"mine ");
    writeBytes(path, "their version");

    platform::test::queueMessageBoxAnswer(IDNO);
    command(ID_FILE_SAVE);
    auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(contains(boxes[0].text, u"changed"));
    EXPECT_EQ(readBytes(path), "their version");
    EXPECT_TRUE(modified());

    std::filesystem::remove(path);
    platform::test::queueMessageBoxAnswer(IDYES);
    command(ID_FILE_SAVE);
    boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(contains(boxes[0].text, u"removed"));
    EXPECT_EQ(readBytes(path), "mine one");
    // Saved here, the file is this copy's again: the next save asks nothing.
    type(u"x");
    command(ID_FILE_SAVE);
    EXPECT_TRUE(platform::test::takeMessageBoxCalls().empty());
}

TEST_F(DocumentSave, AFileDroppedOnTheWindowOpensAfterTheChangedTextIsOffered) {
    start("[init]\nfirst=1\n");
    const std::string dropped = docPath("dropped.txt");
    writeBytes(dropped, "dropped text");
    type(u"unsaved");
    platform::test::queueMessageBoxAnswer(IDCANCEL);
    ASSERT_TRUE(platform::test::dropFiles(editor(), {u16(dropped)}, 20, 20));
    platform::test::pumpMessages();
    EXPECT_EQ(text(), u"unsaved");

    platform::test::queueMessageBoxAnswer(IDNO);
    ASSERT_TRUE(platform::test::dropFiles(editor(), {u16(dropped)}, 20, 20));
    platform::test::pumpMessages();
    EXPECT_EQ(text(), u"dropped text");
    EXPECT_EQ(caption(), u"dropped.txt");
}
