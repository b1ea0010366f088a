#include "shell/DocumentProgram.h"

#include "document/DocumentDecoder.h"
#include "document/FileLock.h"
#include "document/PeerProcess.h"
#include "document/RecentFileList.h"
#include "document/TextEncoding.h"
#include "editctl/NEditMessages.h"
#include "platform/Device.h"
#include "resources/CommandIds.h"

#include <gtest/gtest.h>

#include <filesystem>

using kivtest::DocumentProgram;
using kivtest::findItem;

namespace {

std::u16string decoded(const std::string& bytes, std::int32_t encoding, std::int32_t lineBreak) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return document::decodeDocumentBytes({data, bytes.size()}, encoding, lineBreak).text;
}

bool startsWith(const std::u16string& text, std::u16string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

using DocumentLifecycle = DocumentProgram;

TEST_F(DocumentLifecycle, EachFileComesBackWithItsCaretAndTheRecentMenuNamesTheLatest) {
    start("[init]\nfirst=1\nmrunum=2\n");
    const std::string a = docPath("a.txt");
    writeBytes(a, "あいうえお\nかきくけこ\n");
    writeBytes(docPath("b.txt"), "b\n");
    writeBytes(docPath("c.txt"), "c\n");
    openThroughRecent(a);
    EXPECT_EQ(text(), u"あいうえお\rかきくけこ\r");
    EXPECT_EQ(caption(), u"a.txt");
    EXPECT_EQ(caret(), 0);
    SendMessage(editor(), EM_SETSEL, 7, 7);
    openThroughRecent(docPath("b.txt"));
    openThroughRecent(docPath("c.txt"));
    EXPECT_EQ(caret(), 0);

    const auto file = pressSoftKey(0);
    const auto& recent = findItem(file, u"Recent")->submenu;
    ASSERT_EQ(recent.size(), 2u);
    EXPECT_EQ(recent[0].text, u"c.txt");
    EXPECT_EQ(recent[0].id, ID_RECENT_FIRST);
    EXPECT_EQ(recent[1].text, u"b.txt");
    EXPECT_EQ(recent[1].id, ID_RECENT_FIRST + 1);

    // The third entry is not shown but still remembered, caret included.
    command(ID_RECENT_FIRST + 2);
    EXPECT_EQ(view().Path(), u16(a));
    EXPECT_EQ(caret(), 7);
    EXPECT_TRUE(platform::test::takeMessageBoxCalls().empty());
}

TEST_F(DocumentLifecycle, ReopenWithAutoOffDecodesTheSameBytesInTheChosenEncoding) {
    start("[init]\nfirst=1\ndisautodetect=1\n");
    const std::string path = docPath("sjis.txt");
    const std::string bytes = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6\x8f\xcd\r\n\x82\xa0";
    writeBytes(path, bytes);
    openThroughRecent(path);
    EXPECT_EQ(text(), u"日本語の文章\rあ");
    EXPECT_EQ(view().Encoding(), document::ENC_SJIS);
    EXPECT_EQ(view().LineBreak(), document::LB_CRLF);

    command(ID_LINEBREAK_LF);
    command(ID_ENCODE_EUC);
    EXPECT_FALSE(view().AutoDetect());
    command(ID_FILE_REOPEN);
    EXPECT_EQ(text(), decoded(bytes, document::ENC_EUC, document::LB_LF));
    EXPECT_EQ(view().Encoding(), document::ENC_EUC);
    // The line break is not detected again.
    EXPECT_EQ(view().LineBreak(), document::LB_LF);

    command(ID_ENCODE_AUTO);
    command(ID_FILE_REOPEN);
    EXPECT_EQ(text(), u"日本語の文章\rあ");
    EXPECT_EQ(view().LineBreak(), document::LB_CRLF);
}

TEST_F(DocumentLifecycle, AFileThatCannotBeOpenedIsDroppedFromTheListAndEndsAStartUp) {
    start("[init]\nfirst=1\n");
    const std::string path = docPath("gone.txt");
    writeBytes(path, "here\n");
    openThroughRecent(path);
    type(u"x");
    std::filesystem::remove(path);
    platform::test::queueMessageBoxAnswer(IDNO);
    command(ID_FILE_REOPEN);
    auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, u"Error");
    EXPECT_TRUE(startsWith(boxes[1].text, u"Can't open the file.\r\n" + u16(path)));
    // The previous text stays, and the file is no longer remembered.
    EXPECT_EQ(text(), u"xhere\r");
    EXPECT_EQ(document::RecentFileList().count(), 0u);
    stop();

    start("[init]\nfirst=1\n", u16(path));
    boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[0].caption, u"kiv");
    EXPECT_TRUE(startsWith(boxes[0].text, u"Can't open the file.\r\n" + u16(path)));
    EXPECT_EQ(app().Frame()->hwnd(), nullptr);
}

TEST_F(DocumentLifecycle, QueryCloseSavesOnYesKeepsOnCancelAndDiscardsOnNo) {
    start("[init]\nfirst=1\n");
    const std::string path = docPath("q.txt");
    writeBytes(path, "old");
    openThroughRecent(path);
    type(u"new ");

    platform::test::queueMessageBoxAnswer(IDCANCEL);
    command(ID_FILE_NEW);
    auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"File is modified.Save?");
    EXPECT_EQ(boxes[0].caption, u"Save Confirm");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(text(), u"new old");
    EXPECT_EQ(caption(), u"q.txt*");

    platform::test::queueMessageBoxAnswer(IDNO);
    command(ID_FILE_NEW);
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(caption(), u"kiv");
    EXPECT_EQ(readBytes(path), "old");

    openThroughRecent(path);
    // The caret came back where the text was left.
    type(u" yes");
    platform::test::queueMessageBoxAnswer(IDYES);
    command(ID_FILE_NEW);
    EXPECT_EQ(readBytes(path), "old yes");
    EXPECT_EQ(text(), u"");
}

TEST_F(DocumentLifecycle, OnTheSmartphoneNoAsksWhetherToCloseTheFile) {
    platform::test::setPlatformKind(platform::PlatformKind::Smartphone);
    start("[init]\nfirst=1\n");
    const std::string path = docPath("s.txt");
    writeBytes(path, "old");
    openThroughRecent(path);
    type(u"x");
    platform::test::queueMessageBoxAnswer(IDNO);
    platform::test::queueMessageBoxAnswer(IDCANCEL);
    command(ID_FILE_NEW);
    auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes[1].text, u"Close this file?");
    EXPECT_EQ(text(), u"xold");
    platform::test::queueMessageBoxAnswer(IDNO);
    platform::test::queueMessageBoxAnswer(IDOK);
    command(ID_FILE_NEW);
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(readBytes(path), "old");
}

// A save that fails keeps the document: the question before closing it stops there.
TEST_F(DocumentLifecycle, AFailedSaveIsToldAndStopsTheCloseThatAskedForIt) {
    start("[init]\nfirst=1\n");
    const std::string path = docPath("dir.txt");
    writeBytes(path, "old");
    openThroughRecent(path);
    type(u"x");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    // Save, and save over what now stands there.
    platform::test::queueMessageBoxAnswer(IDYES);
    platform::test::queueMessageBoxAnswer(IDYES);
    command(ID_FILE_NEW);
    const auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].caption, u"Error");
    EXPECT_NE(boxes[2].text.find(u16(path) + u"\r\nIs a directory"), std::u16string::npos);
    EXPECT_EQ(text(), u"xold");
    EXPECT_TRUE(modified());
    EXPECT_EQ(caption(), u"dir.txt*");
}

TEST_F(DocumentLifecycle, AutoSaveFollowsTheFileAndSavesInTheBackgroundAndOnClosing) {
    start("[init]\nfirst=1\n");
    const std::string path = docPath("auto.txt");
    writeBytes(path, "a");
    openThroughRecent(path);
    command(ID_FILE_AUTOSAVE);
    EXPECT_TRUE(view().AutoSave());
    EXPECT_EQ(document::RecentFileList().lookup(u16(path)).autoSave(), 1);

    type(u"1");
    SendMessage(frame().hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    platform::test::pumpUntil([&] { return readBytes(path) == "1a"; }, 15000);
    EXPECT_EQ(readBytes(path), "1a");
    EXPECT_FALSE(modified());

    type(u"2");
    command(ID_FILE_NEW);
    EXPECT_TRUE(platform::test::takeMessageBoxCalls().empty());
    EXPECT_EQ(readBytes(path), "12a");
    // Opened again, the file brings its flag back.
    openThroughRecent(path);
    EXPECT_TRUE(view().AutoSave());
}

TEST_F(DocumentLifecycle, WhatOpeningLostIsToldOnceAndSavingOverItAsksFirst) {
    start("[init]\nfirst=1\ndisautodetect=1\n");
    command(ID_ENCODE_UTF8);
    const std::string path = docPath("lossy.txt");
    const std::string bytes = std::string("ok\xff\r\nnul\0cut\r\nend", 18);
    writeBytes(path, bytes);
    openThroughRecent(path);
    auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(u"(first at line 1, column 3)"), std::u16string::npos);
    EXPECT_NE(boxes[0].text.find(u"(first at line 2, column 4)"), std::u16string::npos);

    platform::test::queueMessageBoxAnswer(IDCANCEL);
    command(ID_FILE_SAVE);
    boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(readBytes(path), bytes);

    // Saved once, the file holds the text; the next save has nothing to ask.
    platform::test::queueMessageBoxAnswer(IDOK);
    command(ID_FILE_SAVE);
    command(ID_FILE_SAVE);
    EXPECT_EQ(platform::test::takeMessageBoxCalls().size(), 1u);
    EXPECT_EQ(readBytes(path), "ok\xef\xbf\xbd\r\nnul\r\nend");
}

TEST_F(DocumentLifecycle, ALossySaveCancelledLeavesTheFileAndTheChangeAsTheyWere) {
    start("[init]\nfirst=1\n");
    const std::string path = docPath("mixed.txt");
    // Shift_JIS with CR LF and one lone LF.
    const std::string bytes = "\x82\xa0\r\n\x82\xa2\n\x82\xa4\r\n";
    writeBytes(path, bytes);
    openThroughRecent(path);
    EXPECT_EQ(view().Encoding(), document::ENC_SJIS);
    SendMessage(editor(), EM_SETSEL, 2, 2);
    type(u"😀");
    platform::test::queueMessageBoxAnswer(IDCANCEL);
    command(ID_FILE_SAVE);
    const auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    const std::u16string& question = boxes[0].text;
    EXPECT_NE(question.find(u"ShiftJIS lacks 1 characters, each written as '?' (first at line 2, "
                            u"column 1)"),
              std::u16string::npos);
    EXPECT_NE(question.find(u"mixed line breaks (LF, CRLF), each written as CRLF (first at line "
                            u"2, column 2)"),
              std::u16string::npos);
    EXPECT_EQ(readBytes(path), bytes);
    EXPECT_TRUE(modified());
    EXPECT_EQ(caption(), u"mixed.txt*");
}

// One file, one editing copy: opening a file another process edits brings that process's
// window up and ends this copy without a word; Save As onto it is refused.
TEST_F(DocumentLifecycle, AFileHeldByAnotherProcessRaisesItsHolder) {
    const std::string path = docPath("held.txt");
    writeBytes(path, "theirs");
    PeerProcess peer;
    ASSERT_EQ(peer.run("listen"), std::vector<std::string>{"listening"});
    ASSERT_EQ(peer.run("claim " + path + " 777"), std::vector<std::string>{"claimed"});

    start("[init]\nfirst=1\n", u16(path));
    EXPECT_TRUE(platform::test::takeMessageBoxCalls().empty());
    EXPECT_EQ(app().Frame()->hwnd(), nullptr);
    EXPECT_EQ(peer.run("requests"), std::vector<std::string>{"777"});
    EXPECT_EQ(readBytes(path), "theirs");
}

// The other side: asked by another copy for its file, this copy comes to the front.
TEST_F(DocumentLifecycle, ACopyAskedForItsFileComesToTheFront) {
    const std::string path = docPath("mine.txt");
    writeBytes(path, "mine");
    start("[init]\nfirst=1\n", u16(path));
    const HWND other = CreateWindow(kNEditClassName, u"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100,
                                    100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    platform::test::pumpMessages();
    ASSERT_EQ(GetActiveWindow(), other);

    const auto holder = document::FileLock::holderOf(u16(path));
    ASSERT_TRUE(holder.has_value());
    ASSERT_TRUE(document::FileLock::bringToFront(*holder));
    EXPECT_TRUE(platform::test::pumpUntil([this] { return GetActiveWindow() == frame().hwnd(); }));
    DestroyWindow(other);
}
