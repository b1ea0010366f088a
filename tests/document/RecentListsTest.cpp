#include "document/RecentFileList.h"
#include "document/StringHistory.h"

#include "document/ListTestBytes.h"

#include <gtest/gtest.h>

#include <vector>

using document::FileRecord;
using document::RecentFileList;
using document::SharedListStore;
using document::StringHistory;

namespace {

constexpr auto kMemoryOnly = SharedListStore::Sharing::MemoryOnly;

std::vector<std::u16string> entries(const StringHistory& history) {
    history.checkInvariants();
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i < history.count(); ++i)
        out.emplace_back(history.entry(i));
    return out;
}

std::vector<std::u16string> paths(const RecentFileList& list) {
    list.checkInvariants();
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i < list.count(); ++i)
        out.push_back(list.entry(i)->path);
    return out;
}

FileRecord caretAt(int caret) {
    FileRecord record;
    record.setCaretPosition(caret);
    return record;
}

std::string serialized(const SharedListStore& list, std::size_t room = 65528) {
    std::vector<std::byte> out(room);
    const std::size_t size = list.serialize(out);
    return {reinterpret_cast<const char*>(out.data()), size};
}

} // namespace

TEST(StringHistoryOrder, AddMovesToFrontAndKeepsFive) {
    StringHistory history("find.mru", kMemoryOnly);
    for (const char16_t* text : {u"y", u"abc", u"x"})
        history.add(text);
    history.add(u"abc");
    EXPECT_EQ(entries(history), (std::vector<std::u16string>{u"abc", u"x", u"y"}));
    history.add(u"ABC");
    EXPECT_EQ(entries(history).front(), u"ABC") << "strings compare case-sensitively";
    EXPECT_EQ(history.count(), 4u);
    for (const char16_t* text : {u"5", u"6", u"7"})
        history.add(text);
    EXPECT_EQ(entries(history), (std::vector<std::u16string>{u"7", u"6", u"5", u"ABC", u"abc"}));
    history.add(u"");
    history.add(std::u16string_view(u"\0tail", 5));
    EXPECT_EQ(history.count(), 5u) << "empty text changes nothing";
    history.add(std::u16string_view(u"cut\0here", 8));
    EXPECT_EQ(entries(history).front(), u"cut");
}

TEST(RecentFileOrder, PathsIgnoreCaseAndRecordsFollowThem) {
    RecentFileList list("file.mru", kMemoryOnly);
    list.add(u"/home/a/Memo.txt", caretAt(10));
    list.add(u"/home/a/other.txt", caretAt(20));
    EXPECT_EQ(list.lookup(u"/HOME/A/memo.TXT").caretPosition(), 10);
    list.add(u"/home/a/MEMO.txt", list.lookup(u"/home/a/MEMO.txt"));
    EXPECT_EQ(paths(list),
              (std::vector<std::u16string>{u"/home/a/MEMO.txt", u"/home/a/other.txt"}));
    EXPECT_EQ(list.entry(0)->record.caretPosition(), 10);
    EXPECT_EQ(list.lookup(u"/nowhere"), FileRecord{});
    EXPECT_EQ(list.entry(2), nullptr);
    EXPECT_TRUE(RecentFileList::samePath(u"/ＡÉЖΩ", u"/ａéжω"));
    EXPECT_FALSE(RecentFileList::samePath(u"/a", u"/a/"));
}

TEST(RecentFileOrder, CapacityOnAddAndRemove) {
    RecentFileList list("file.mru", kMemoryOnly);
    for (int i = 0; i < 70; ++i)
        list.add(u"/f" + std::u16string(static_cast<std::size_t>(i), u'x'), caretAt(i));
    EXPECT_EQ(list.count(), 60u);
    EXPECT_EQ(list.entry(0)->record.caretPosition(), 69);
    EXPECT_EQ(list.entry(59)->record.caretPosition(), 10);
    list.remove(u"/not/there");
    EXPECT_EQ(list.count(), 59u) << "a failed open of a full list drops the oldest too";
    list.remove(u"/F");
    EXPECT_EQ(list.count(), 59u);
    list.remove(u"/FXXXXXXXXXXX");
    EXPECT_EQ(list.count(), 58u);
    EXPECT_EQ(list.lookup(u"/fxxxxxxxxxxx"), FileRecord{});
}

TEST(ListBodies, ExactByteFormats) {
    StringHistory history("find.mru", kMemoryOnly);
    EXPECT_EQ(serialized(history), std::string(2, '\0'));
    history.add(u"b");
    history.add(u"あa");
    EXPECT_EQ(serialized(history), std::string("\x42\x30"
                                               "a\0\0\0"
                                               "b\0\0\0"
                                               "\0\0",
                                               12));

    RecentFileList list("file.mru", kMemoryOnly);
    FileRecord record = caretAt(0x01020304);
    record.setAutoSave(1);
    list.add(u"/p", record);
    const std::string image = serialized(list);
    ASSERT_EQ(image.size(), 4u + 2 + 64 + 2);
    EXPECT_EQ(image.substr(0, 6), std::string("/\0p\0\0\0", 6));
    EXPECT_EQ(image.substr(6, 8), std::string("\x04\x03\x02\x01\x01\0\0\0", 8));
    EXPECT_EQ(image.substr(14), std::string(58, '\0'));

    RecentFileList copy("file.mru", kMemoryOnly);
    copy.deserialize(asBytes(image));
    EXPECT_EQ(paths(copy), std::vector<std::u16string>{u"/p"});
    EXPECT_EQ(copy.entry(0)->record, record);
}

TEST(ListBodies, DamagedBodiesKeepWhatWasValid) {
    StringHistory history("find.mru", kMemoryOnly);
    const std::string cut = ListImage("MRUS").string(u"one").string(u"two", false).finish();
    history.deserialize(asBytes(cut.substr(8)));
    EXPECT_EQ(entries(history), std::vector<std::u16string>{u"one"}) << "missing terminator";
    history.deserialize(asBytes(cut.substr(8, 11)));
    EXPECT_EQ(entries(history), std::vector<std::u16string>{u"one"}) << "odd byte count";
    history.deserialize(asBytes(ListImage("MRUS").string(u"").string(u"late").finish().substr(8)));
    EXPECT_EQ(history.count(), 0u) << "an empty string ends the list";
    history.deserialize({});
    EXPECT_EQ(history.count(), 0u);

    RecentFileList list("file.mru", kMemoryOnly);
    const std::string body =
        ListImage("MRUF").string(u"/a").record(1).string(u"/b").record(2, 63).finish().substr(8);
    list.deserialize(asBytes(body));
    EXPECT_EQ(paths(list), std::vector<std::u16string>{u"/a"}) << "a cut record drops its entry";
}

TEST(ListBodies, HeaderRules) {
    const SharedListStore::Tag tag{'M', 'R', 'U', 'S'};
    const std::string good = ListImage("MRUS").string(u"x").raw("trailing").finish(14);
    auto body = SharedListStore::bodyOf(asBytes(good), tag);
    ASSERT_TRUE(body);
    EXPECT_EQ(body->size(), 6u) << "bytes after the stated size are not part of the list";
    EXPECT_FALSE(SharedListStore::bodyOf(asBytes(good), {'M', 'R', 'U', 'F'}));
    EXPECT_FALSE(SharedListStore::bodyOf(asBytes(good.substr(0, 7)), tag));
    body = SharedListStore::bodyOf(asBytes(ListImage("MRUS").string(u"x").finish(1u << 31)), tag);
    ASSERT_TRUE(body);
    EXPECT_EQ(body->size(), 4u) << "a size beyond the image is bounded by it";
    body = SharedListStore::bodyOf(asBytes(ListImage("MRUS").string(u"x").finish(3)), tag);
    ASSERT_TRUE(body);
    EXPECT_TRUE(body->empty());
}

TEST(ListBodies, SerializingIntoLittleRoomDropsTheOldest) {
    StringHistory history("find.mru", kMemoryOnly);
    history.add(std::u16string(40, u'o'));
    history.add(std::u16string(10, u'n'));
    const std::string image = serialized(history, 30);
    EXPECT_EQ(image.size(), 24u);
    history.deserialize(asBytes(image));
    EXPECT_EQ(entries(history), std::vector<std::u16string>{std::u16string(10, u'n')});
    EXPECT_EQ(serialized(history, 1), "");

    RecentFileList list("file.mru", kMemoryOnly);
    for (int i = 0; i < 60; ++i)
        list.add(u"/" + std::u16string(1000, static_cast<char16_t>(u'a' + i % 26)) +
                     std::u16string(static_cast<std::size_t>(i), u'x'),
                 caretAt(i));
    const std::string big = serialized(list);
    EXPECT_LE(big.size(), 65528u);
    RecentFileList back("file.mru", kMemoryOnly);
    back.deserialize(asBytes(big));
    ASSERT_GT(back.count(), 0u);
    EXPECT_LT(back.count(), 60u);
    EXPECT_EQ(back.entry(0)->record.caretPosition(), 59) << "the most recent entries are kept";
}

// One entry too large for the shared block costs that entry, not the list.
TEST(ListBodies, AnEntryTooLargeForTheBlockIsTheOnlyOneLeftOut) {
    StringHistory history("find.mru", kMemoryOnly);
    history.add(u"older");
    history.add(u"old");
    history.add(std::u16string(40000, u'h'));
    history.deserialize(asBytes(serialized(history)));
    EXPECT_EQ(entries(history), (std::vector<std::u16string>{u"old", u"older"}));

    RecentFileList list("file.mru", kMemoryOnly);
    list.add(u"/kept.txt", caretAt(3));
    list.add(u"/" + std::u16string(40000, u'p'), caretAt(9));
    RecentFileList back("file.mru", kMemoryOnly);
    back.deserialize(asBytes(serialized(list)));
    ASSERT_EQ(back.count(), 1u);
    EXPECT_EQ(back.entry(0)->path, u"/kept.txt");
    EXPECT_EQ(back.entry(0)->record.caretPosition(), 3);
}
