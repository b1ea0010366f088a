#include "editctl/TextStore.h"
#include "editctl/COomEx.h"
#include "editctl/UndoHistory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using editctl::BlockAllocator;
using editctl::CaseMode;
using editctl::TextStore;
using editctl::UndoHistory;
using editctl::UndoKind;

namespace {

std::u16string readAll(const TextStore& store) {
    std::u16string viaAt;
    for (int i = 0; i < store.length(); ++i) {
        viaAt.push_back(store.at(i));
    }
    std::u16string viaSpans;
    const TextStore::Spans spans = store.spansFrom(0);
    for (int k = 0; k < spans.count; ++k) {
        const auto& span = spans.parts[static_cast<std::size_t>(k)];
        EXPECT_EQ(span.start, static_cast<int>(viaSpans.size()));
        viaSpans.append(span.data, static_cast<std::size_t>(span.length));
    }
    EXPECT_EQ(viaAt, viaSpans);
    EXPECT_EQ(viaAt, store.substr(0, store.length()));
    return viaAt;
}

void setText(TextStore& store, std::u16string_view text) {
    store.replaceAll(store.prepareReplace(text, CaseMode::Keep));
}

class TextStoreTest : public ::testing::Test {
protected:
    BlockAllocator allocator;
    TextStore store{allocator};
    UndoHistory history{allocator};
};

TEST_F(TextStoreTest, PendingInsertionIsReadAsLogicalText) {
    setText(store, u"hello world");
    store.append(u"XY", 5, 0, CaseMode::Keep);
    ASSERT_TRUE(store.checkInvariants());
    EXPECT_EQ(readAll(store), u"helloXY world");
    EXPECT_EQ(store.at(5), u'X'); // in the typed run
    EXPECT_EQ(store.at(7), u' '); // just after it
    EXPECT_EQ(store.length(), 13);
    // Reading from the middle of the typed run.
    EXPECT_EQ(store.substr(6, 4), u"Y wo");

    // Overwriting: the replaced base characters disappear from the logical text.
    store.append(u"ab", 7, 2, CaseMode::Keep);
    ASSERT_TRUE(store.checkInvariants());
    EXPECT_EQ(readAll(store), u"helloXYaborld");
    EXPECT_EQ(store.at(9), u'o');
    EXPECT_EQ(store.baseLength(), 11); // nothing moved in the base text yet
}

TEST_F(TextStoreTest, PendingDeletionIsReadAsLogicalText) {
    setText(store, u"abcdefgh");
    ASSERT_TRUE(store.erase(2, 4));
    ASSERT_TRUE(store.checkInvariants());
    EXPECT_EQ(readAll(store), u"abefgh");
    EXPECT_EQ(store.substr(1, 3), u"bef");
    EXPECT_EQ(store.substr(3, 2), u"fg");
}

TEST_F(TextStoreTest, DeleteAndBackspaceGrowOnePendingDeletion) {
    setText(store, u"0123456789");
    // Delete twice at index 4.
    ASSERT_TRUE(store.erase(4, 5));
    ASSERT_TRUE(store.deletionAdjoins(4, 5));
    ASSERT_TRUE(store.erase(4, 5));
    // Backspace twice walking left from 4.
    ASSERT_TRUE(store.erase(3, 4));
    ASSERT_TRUE(store.erase(2, 3));
    ASSERT_TRUE(store.checkInvariants());
    EXPECT_EQ(store.pending().deletionPoint, 2);
    EXPECT_EQ(store.pending().deletionCount, 4);
    EXPECT_EQ(readAll(store), u"016789");
    // A deletion elsewhere does not join it.
    EXPECT_FALSE(store.deletionAdjoins(4, 5));
    EXPECT_FALSE(store.erase(4, 5));

    store.commit(&history);
    ASSERT_TRUE(store.checkInvariants());
    EXPECT_EQ(readAll(store), u"016789");
    ASSERT_EQ(history.position(), 1);
    const auto& record = history.at(0);
    EXPECT_EQ(record.kind, UndoKind::Deletion);
    EXPECT_EQ(record.index, 2);
    ASSERT_EQ(record.length, 4);
    EXPECT_EQ(std::u16string(record.text, 4), u"2345");
}

TEST_F(TextStoreTest, OutOfRangeDeletionsChangeNothing) {
    setText(store, u"abc");
    EXPECT_FALSE(store.erase(3, 4));
    EXPECT_FALSE(store.erase(1, 5)); // ends past the text
    EXPECT_FALSE(store.erase(-1, 1));
    EXPECT_FALSE(store.erase(2, 2));
    EXPECT_FALSE(store.hasPendingEdit());
    EXPECT_EQ(readAll(store), u"abc");
}

TEST_F(TextStoreTest, OverwritingCommitRecordsDeletionThenInsertion) {
    setText(store, u"abcdef");
    store.append(u"XYZ", 1, 2, CaseMode::Keep);
    store.commit(&history);
    EXPECT_EQ(readAll(store), u"aXYZdef");
    ASSERT_EQ(history.position(), 2);
    EXPECT_EQ(history.at(0).kind, UndoKind::Deletion);
    EXPECT_EQ(std::u16string(history.at(0).text, 2), u"bc");
    EXPECT_EQ(history.at(1).kind, UndoKind::Insertion);
    EXPECT_EQ(history.at(1).index, 1);
    EXPECT_EQ(history.at(1).length, 3);
    EXPECT_EQ(history.at(1).text, nullptr);
}

TEST_F(TextStoreTest, CommitReallocatesWhenTheTerminatorWouldNotFit) {
    // replaceAll leaves room for n + 1025 characters: 1024 more plus the terminator.
    setText(store, std::u16string(10, u'a'));
    ASSERT_EQ(store.baseCapacity(), 1035);
    store.append(std::u16string(1024, u'b'), 10, 0, CaseMode::Keep);
    store.commit(nullptr);
    EXPECT_EQ(store.baseCapacity(), 1035) << "1034 characters and the terminator still fit";
    store.append(u"c", 1034, 0, CaseMode::Keep);
    store.commit(nullptr);
    // 1035 characters need 1036 slots: a new array of length + 1025.
    EXPECT_EQ(store.baseCapacity(), 1035 + 1025);
    EXPECT_TRUE(store.checkInvariants());
    EXPECT_EQ(store.length(), 1035);
    EXPECT_EQ(store.at(1034), u'c');
    EXPECT_EQ(store.contiguousText()[1035], u'\0');
}

TEST_F(TextStoreTest, CommitShrinksOnlyPastTheSlack) {
    setText(store, std::u16string(3000, u'x'));
    ASSERT_EQ(store.baseCapacity(), 4025); // 1024 spare after the terminator
    ASSERT_TRUE(store.erase(0, 1));
    store.commit(nullptr);
    EXPECT_EQ(store.baseCapacity(), 2999 + 1025) << "1025 spare characters shrink the array";
    store.append(u"y", 0, 0, CaseMode::Keep);
    store.commit(nullptr);
    ASSERT_TRUE(store.erase(0, 1));
    store.commit(nullptr);
    EXPECT_EQ(store.baseCapacity(), 2999 + 1025) << "1024 spare characters are kept";
    ASSERT_TRUE(store.erase(0, 1));
    store.commit(nullptr);
    EXPECT_EQ(store.baseCapacity(), 2998 + 1025);
    EXPECT_TRUE(store.checkInvariants());
    EXPECT_EQ(readAll(store), std::u16string(2998, u'x'));
}

TEST_F(TextStoreTest, LargeTextShrinksWithoutMovingTheArray) {
    // Deleting from a large document must not copy the whole text into a fresh array; it gives
    // room back only once a good part of the text is gone, so small deletions move nothing.
    const int big = 400000;
    setText(store, std::u16string(big, u'x') + u"tail");
    const char16_t* before = store.contiguousText();
    const int capacity = store.baseCapacity();
    ASSERT_TRUE(allocator.isMapped(before));
    ASSERT_TRUE(store.erase(10, 5000));
    store.commit(nullptr);
    EXPECT_EQ(store.baseCapacity(), capacity) << "a small deletion keeps its room";
    ASSERT_TRUE(store.erase(10, 100000));
    store.commit(nullptr);
    EXPECT_LT(store.baseCapacity(), capacity - 50000);
    EXPECT_GE(store.baseCapacity(), store.length() + 1025);
    EXPECT_EQ(store.contiguousText(), before) << "the array shrank where it lies";
    EXPECT_TRUE(store.checkInvariants());
    EXPECT_EQ(store.substr(store.length() - 5, 5), u"xtail");
    EXPECT_EQ(store.length(), big + 4 - 4990 - 99990);
}

TEST_F(TextStoreTest, EditsAnywhereReadBackAsAPlainString) {
    // Typing, Backspace and Delete runs and overwriting at random places, each followed by a
    // commit now and then, against a plain string; the array grows past its slack on the way.
    setText(store, u"0123456789");
    std::u16string model = u"0123456789";
    std::mt19937 random(5);
    auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    int caret = 3;
    for (int step = 0; step < 4000; ++step) {
        const int length = static_cast<int>(model.size());
        const int action = pick(5);
        if (action == 0) {
            store.commit(step % 2 == 0 ? &history : nullptr);
            caret = pick(length);
        } else if (action <= 2) {
            if (store.hasPendingDeletion()) {
                store.commit(nullptr);
            }
            const std::u16string typed(
                static_cast<std::size_t>(1 + pick(step % 500 == 0 ? 3000 : 3)),
                static_cast<char16_t>(u'a' + step % 26));
            const int replaced = action == 2 ? std::min(pick(2), length - caret) : 0;
            store.append(typed, caret, replaced, CaseMode::Keep);
            model.replace(static_cast<std::size_t>(caret), static_cast<std::size_t>(replaced),
                          typed);
            caret += static_cast<int>(typed.size());
        } else if (length > 0) {
            if (store.hasPendingInsertion()) {
                store.commit(nullptr);
            }
            const bool backspace = action == 3 && caret > 0;
            const int d = backspace ? caret - 1 : caret;
            if (d < length && store.deletionAdjoins(d, d + 1)) {
                ASSERT_TRUE(store.erase(d, d + 1));
                model.erase(static_cast<std::size_t>(d), 1);
                caret = d;
            }
        }
        ASSERT_TRUE(store.checkInvariants()) << "step " << step;
        ASSERT_EQ(readAll(store), model) << "step " << step;
    }
    store.commit(nullptr);
    EXPECT_EQ(std::u16string(store.contiguousText()), model);
}

TEST_F(TextStoreTest, CaseModesApplyToInsertedAndSetText) {
    store.replaceAll(store.prepareReplace(u"Mixed ÄÖ", CaseMode::Upper));
    EXPECT_EQ(readAll(store), u"MIXED ÄÖ");
    store.append(u"aB", 8, 0, CaseMode::Lower);
    EXPECT_EQ(readAll(store), u"MIXED ÄÖab");
}

TEST_F(TextStoreTest, FailedAllocationsLeaveTheTextAsItWas) {
    setText(store, u"keep me");
    store.append(u"!", 7, 0, CaseMode::Keep);
    allocator.setFailureThreshold(0);
    // The array must grow for this one.
    EXPECT_THROW(store.append(std::u16string(2000, u'z'), 8, 0, CaseMode::Keep), COomEx);
    EXPECT_EQ(readAll(store), u"keep me!");
    // Committing with recording needs a record text: nothing is merged when it cannot be had.
    ASSERT_TRUE(store.checkInvariants());
    allocator.setFailureThreshold(std::nullopt);
    store.commit(nullptr);
    ASSERT_TRUE(store.erase(0, 5));
    allocator.setFailureThreshold(0);
    EXPECT_THROW(store.commit(&history), COomEx);
    EXPECT_TRUE(store.hasPendingDeletion());
    EXPECT_EQ(history.position(), 0);
    EXPECT_EQ(readAll(store), u"me!");
    EXPECT_THROW(store.prepareReplace(u"other", CaseMode::Keep), COomEx);
    EXPECT_EQ(readAll(store), u"me!");
    EXPECT_TRUE(store.checkInvariants());
}

TEST_F(TextStoreTest, ReplaceAllWritesItsOwnTerminator) {
    const std::u16string source = u"abcdef";
    // Only the first three characters are handed over; the fourth is not a terminator.
    store.replaceAll(
        store.prepareReplace(std::u16string_view(source).substr(0, 3), CaseMode::Keep));
    EXPECT_EQ(store.length(), 3);
    EXPECT_EQ(store.contiguousText()[3], u'\0');
    EXPECT_TRUE(store.checkInvariants());
}

} // namespace
