#include "document/FileLock.h"

#include "document/PeerProcess.h"
#include "support/ScratchProgramDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <unistd.h>

using document::FileLock;

namespace {

std::u16string u16(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}

std::string heldBy(pid_t pid, int window) {
    return "held " + std::to_string(pid) + " " + std::to_string(window);
}

} // namespace

TEST(FileLockClaims, OneHolderAtATimeAndReleaseFreesIt) {
    ScratchProgramDirectory dir;
    const std::u16string path = u16(dir.root() + "a.txt");
    FileLock mine;
    EXPECT_FALSE(FileLock::holderOf(path));
    ASSERT_EQ(mine.claim(path, 77).result, FileLock::Result::Claimed);
    EXPECT_TRUE(mine.held());
    const auto holder = FileLock::holderOf(path);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->processId, getpid());
    EXPECT_EQ(holder->window, 77u);

    FileLock second;
    const auto refused = second.claim(path, 78);
    EXPECT_EQ(refused.result, FileLock::Result::HeldElsewhere);
    EXPECT_EQ(refused.holder, *holder) << "a held lock is never taken over, even by its own copy";
    EXPECT_FALSE(second.held());

    mine.release();
    EXPECT_FALSE(FileLock::holderOf(path));
    EXPECT_EQ(second.claim(path, 78).result, FileLock::Result::Claimed);
    EXPECT_TRUE(mine.path().empty());
    EXPECT_EQ(second.path(), path);
}

TEST(FileLockClaims, EverySpellingOfAFileNamesOneLock) {
    ScratchProgramDirectory dir;
    std::filesystem::create_directory(dir.root() + "d");
    std::filesystem::create_symlink(dir.root() + "d", dir.root() + "link");
    FileLock lock;
    ASSERT_EQ(lock.claim(u16(dir.root() + "d/f.txt"), 1).result, FileLock::Result::Claimed);
    EXPECT_TRUE(FileLock::holderOf(u16(dir.root() + "d/./x/../f.txt")));
    EXPECT_TRUE(FileLock::holderOf(u16(dir.root() + "link/f.txt")));
    EXPECT_FALSE(FileLock::holderOf(u16(dir.root() + "d/F.txt")));
    EXPECT_EQ(FileLock::lockName(u"/My Documents\\memo.txt"), "//kiv/lock//My Documents/memo.txt");
}

TEST(FileLockProcesses, AnotherCopySeesTheHolderAndAKilledHolderLeavesNoLock) {
    ScratchProgramDirectory dir;
    const std::string path = dir.root() + "shared.txt";
    PeerProcess peer;
    ASSERT_EQ(peer.run("claim " + path + " 4242"), std::vector<std::string>{"claimed"});
    const auto holder = FileLock::holderOf(u16(path));
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->processId, peer.pid());
    EXPECT_EQ(holder->window, 4242u);
    FileLock mine;
    EXPECT_EQ(mine.claim(u16(path), 1).result, FileLock::Result::HeldElsewhere);

    peer.kill();
    EXPECT_FALSE(FileLock::holderOf(u16(path))) << "a killed holder's claim is gone";
    ASSERT_EQ(mine.claim(u16(path), 5).result, FileLock::Result::Claimed);

    PeerProcess later;
    EXPECT_EQ(later.run("claim " + path + " 9"), std::vector<std::string>{heldBy(getpid(), 5)});
    mine.release();
    EXPECT_EQ(later.run("claim " + path + " 9"), std::vector<std::string>{"claimed"});
}

TEST(FileLockProcesses, TheHolderIsAskedToComeToTheFront) {
    ScratchProgramDirectory dir;
    const std::string path = dir.root() + "front.txt";
    PeerProcess peer;
    ASSERT_EQ(peer.run("listen"), std::vector<std::string>{"listening"});
    peer.run("claim " + path + " 31337");
    FileLock mine;
    const auto outcome = mine.claim(u16(path), 1);
    ASSERT_EQ(outcome.result, FileLock::Result::HeldElsewhere);
    EXPECT_TRUE(FileLock::bringToFront(outcome.holder));
    EXPECT_EQ(peer.run("requests"), std::vector<std::string>{"31337"});

    const platform::ClaimHolder gone = outcome.holder;
    peer.kill();
    EXPECT_FALSE(FileLock::bringToFront(gone));
}

// Another copy only looking at a lock (Save As testing its target) must never make a claim of
// this copy see the file as held, which would close this copy.
TEST(FileLockClaims, AnotherCopyLookingAtALockNeverMakesAClaimFail) {
    ScratchProgramDirectory dir;
    const std::string path = dir.root() + "probed.txt";
    PeerProcess prober;
    std::thread probing([&] { prober.run("probe 30000 " + path); });
    int refused = 0;
    for (int n = 0; n < 3000; ++n) {
        FileLock lock;
        if (lock.claim(u16(path), 5).result != FileLock::Result::Claimed)
            ++refused;
    }
    probing.join();
    EXPECT_EQ(refused, 0);
}
