#include "platform/NamedMutex.h"
#include "platform/SharedMemory.h"

#include "support/ScratchProgramDirectory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using platform::NamedMutex;
using platform::SharedMemory;

namespace {

// Starts a thread that takes `mutex` and reports when it has it.
class Contender {
public:
    explicit Contender(NamedMutex& mutex)
        : thread_([this, &mutex] {
              got_ = mutex.lock();
              done_ = true;
              mutex.unlock();
          }) {}
    ~Contender() { thread_.join(); }
    // Whether the thread got the mutex within `ms` milliseconds.
    bool gotWithin(int ms) const {
        for (int waited = 0; waited < ms && !done_; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return done_ && got_;
    }

private:
    std::atomic<bool> got_{false};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

} // namespace

TEST(NamedMutexes, RecursiveForOneThreadExclusiveForOthers) {
    ScratchProgramDirectory dir;
    NamedMutex mutex("//kiv/test.mru/mutex");
    NamedMutex sameName("//kiv/test.mru/mutex");
    ASSERT_TRUE(mutex.valid());
    ASSERT_TRUE(mutex.lock());
    ASSERT_TRUE(sameName.lock()) << "the same thread takes it again, under any handle";
    mutex.unlock();
    Contender other(mutex);
    EXPECT_FALSE(other.gotWithin(100)) << "one unlock of two leaves it held";
    sameName.unlock();
    EXPECT_TRUE(other.gotWithin(5000));
}

TEST(NamedMutexes, DifferentNamesAndProgramDirectoriesAreIndependent) {
    ScratchProgramDirectory dir;
    NamedMutex a("//kiv/a.mru/mutex");
    NamedMutex b("//kiv/b.mru/mutex");
    ASSERT_TRUE(a.lock());
    Contender onB(b);
    EXPECT_TRUE(onB.gotWithin(5000));
    {
        ScratchProgramDirectory elsewhere;
        NamedMutex sameNameElsewhere("//kiv/a.mru/mutex");
        Contender onOther(sameNameElsewhere);
        EXPECT_TRUE(onOther.gotWithin(5000));
    }
    a.unlock();
}

TEST(SharedSections, SharedWhileOpenAndGoneWithTheLastUser) {
    ScratchProgramDirectory dir;
    {
        SharedMemory first("//kiv/test.mru/share", 65536);
        SharedMemory second("//kiv/test.mru/share", 65536);
        ASSERT_TRUE(first.valid());
        ASSERT_TRUE(second.valid());
        ASSERT_EQ(first.bytes().size(), 65536u);
        EXPECT_EQ(second.bytes()[65535], std::byte{0});
        first.bytes()[65535] = std::byte{0x5A};
        EXPECT_EQ(second.bytes()[65535], std::byte{0x5A});
        SharedMemory other("//kiv/other.mru/share", 16);
        EXPECT_EQ(other.bytes()[0], std::byte{0});
    }
    SharedMemory again("//kiv/test.mru/share", 65536);
    ASSERT_TRUE(again.valid());
    EXPECT_EQ(again.bytes()[65535], std::byte{0}) << "a section no one holds starts afresh";
}
