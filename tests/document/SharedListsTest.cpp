// Lists shared through the real named objects: within this process, and with a second process.
#include "document/RecentFileList.h"
#include "document/StringHistory.h"

#include "document/ListTestBytes.h"
#include "document/PeerProcess.h"
#include "support/ScratchProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

using document::FileRecord;
using document::RecentFileList;
using document::StringHistory;

namespace {

std::string recentImage(std::initializer_list<std::pair<std::u16string, int>> files) {
    ListImage image("MRUF");
    for (const auto& [path, caret] : files)
        image.string(path).record(caret);
    return image.string(u"").finish();
}

FileRecord caretAt(int caret) {
    FileRecord record;
    record.setCaretPosition(caret);
    return record;
}

} // namespace

TEST(SharedListFiles, WithoutFileOrPeerTheListStartsEmptyAndIsSavedAfterPush) {
    ScratchProgramDirectory dir;
    {
        RecentFileList list;
        ASSERT_TRUE(list.hasBlock());
        EXPECT_EQ(list.count(), 0u);
        list.add(u"/a.txt", caretAt(3));
    }
    EXPECT_FALSE(dir.exists("file.mru")) << "nothing is written before the block is initialised";
    {
        RecentFileList list;
        list.add(u"/a.txt", caretAt(3));
        list.push();
    }
    EXPECT_EQ(dir.readFile("file.mru"), recentImage({{u"/a.txt", 3}}));
}

TEST(SharedListFiles, FirstCopyLoadsTheFileAndLaterOnesShareTheBlock) {
    ScratchProgramDirectory dir;
    dir.writeFile("file.mru", recentImage({{u"/one.txt", 1}, {u"/two.txt", 2}}));
    RecentFileList first;
    ASSERT_EQ(first.count(), 2u);
    EXPECT_EQ(first.entry(1)->record.caretPosition(), 2);
    first.add(u"/three.txt", caretAt(3));
    first.push();
    dir.writeFile("file.mru", recentImage({{u"/stale.txt", 9}}));
    RecentFileList second;
    ASSERT_EQ(second.count(), 3u) << "a later copy pulls the block, not the file";
    EXPECT_EQ(second.entry(0)->path, u"/three.txt");
    second.remove(u"/ONE.txt");
    second.push();
    first.pull();
    EXPECT_EQ(first.count(), 2u);
}

TEST(SharedListFiles, ForeignAndDamagedFiles) {
    ScratchProgramDirectory dir;
    const std::string foreign = ListImage("MRUS").string(u"find me").string(u"").finish();
    dir.writeFile("file.mru", foreign);
    {
        RecentFileList list;
        EXPECT_EQ(list.count(), 0u);
    }
    EXPECT_EQ(dir.readFile("file.mru"), foreign) << "a foreign file stays until a push";

    // Larger than the block: the valid leading entries are kept and the saved file is sound.
    ListImage big("MRUF");
    for (int i = 0; i < 60; ++i)
        big.string(u"/" + std::u16string(600, u'p') +
                   std::u16string(static_cast<std::size_t>(i), u'q'))
            .record(i);
    dir.writeFile("file.mru", big.string(u"").finish());
    std::size_t kept = 0;
    {
        RecentFileList list;
        kept = list.count();
        EXPECT_GT(kept, 10u);
        EXPECT_LT(kept, 60u);
        EXPECT_EQ(list.entry(0)->record.caretPosition(), 0);
    }
    const std::string saved = dir.readFile("file.mru");
    EXPECT_LE(saved.size(), 65536u);
    {
        RecentFileList list;
        EXPECT_EQ(list.count(), kept);
    }

    // A size field that promises more than the file holds.
    dir.writeFile("file.mru", recentImage({{u"/x", 5}}).substr(0, 8 + 6 + 64));
    std::string claimed = dir.readFile("file.mru");
    claimed[5] = '\x7F';
    dir.writeFile("file.mru", claimed);
    {
        RecentFileList list;
        ASSERT_EQ(list.count(), 1u);
        EXPECT_EQ(list.entry(0)->record.caretPosition(), 5);
    }
    EXPECT_EQ(dir.readFile("file.mru"), recentImage({{u"/x", 5}}));
}

TEST(SharedListFiles, ListsWithoutSharedObjectsLiveInMemoryOnly) {
    ScratchProgramDirectory dir;
    std::filesystem::permissions(dir.root() + "run", std::filesystem::perms::group_read,
                                 std::filesystem::perm_options::add);
    {
        StringHistory history("find.mru");
        EXPECT_FALSE(history.hasBlock()) << "a runtime folder others can read is refused";
        history.add(u"word");
        history.push();
        history.pull();
        EXPECT_EQ(history.count(), 1u);
    }
    EXPECT_FALSE(dir.exists("find.mru"));
}

TEST(SharedListProcesses, OneProcessPushesTheOtherPulls) {
    ScratchProgramDirectory dir;
    RecentFileList list;
    StringHistory finds("find.mru");
    PeerProcess peer;
    peer.run("recent");
    peer.run("history find.mru");
    peer.run("add /home/u/日本語.txt 42");
    peer.run("hadd 検索");
    peer.run("push");
    list.pull();
    finds.pull();
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list.entry(0)->path, u"/home/u/日本語.txt");
    EXPECT_EQ(list.entry(0)->record.caretPosition(), 42);
    ASSERT_EQ(finds.count(), 1u);
    EXPECT_EQ(finds.entry(0), u"検索");

    list.add(u"/mine.txt", caretAt(7));
    list.push();
    peer.run("pull");
    EXPECT_EQ(peer.run("dump"),
              (std::vector<std::string>{"/mine.txt\t7", "/home/u/日本語.txt\t42", "= 検索"}));
}

TEST(SharedListProcesses, LaterCopyPullsTheBlockAndTheLastOneEndingWritesTheFile) {
    ScratchProgramDirectory dir;
    dir.writeFile("file.mru", recentImage({{u"/from-file.txt", 1}}));
    auto peer = std::make_unique<PeerProcess>();
    peer->run("recent");
    EXPECT_EQ(peer->run("dump"), std::vector<std::string>{"/from-file.txt\t1"});
    peer->run("add /peer.txt 2");
    peer->run("push");
    dir.writeFile("file.mru", recentImage({{u"/edited-on-disk.txt", 3}}));
    {
        RecentFileList list;
        ASSERT_EQ(list.count(), 2u);
        EXPECT_EQ(list.entry(0)->path, u"/peer.txt");
    }
    EXPECT_EQ(dir.readFile("file.mru"), recentImage({{u"/peer.txt", 2}, {u"/from-file.txt", 1}}));
    EXPECT_TRUE(peer->quit());
    peer.reset();

    // With every copy gone the block is gone as well: the next copy reads the file again.
    dir.writeFile("file.mru", recentImage({{u"/fresh.txt", 4}}));
    RecentFileList list;
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list.entry(0)->path, u"/fresh.txt");
}

TEST(SharedListProcesses, AKilledCopyLeavesTheListUsable) {
    ScratchProgramDirectory dir;
    PeerProcess peer;
    peer.run("recent");
    EXPECT_EQ(peer.run("lock //kiv/file.mru/mutex"), std::vector<std::string>{"locked"});
    peer.kill();
    RecentFileList list;
    list.add(u"/after.txt", caretAt(1));
    list.push();
    list.pull();
    EXPECT_EQ(list.count(), 1u) << "the dead copy's mutex was released";
}
