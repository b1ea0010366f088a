#include "platform/Application.h"
#include "platform/TestHooks.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// An answer queued for a box a test never raised would otherwise answer the next test's box.
class ForgetModalAnswers : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo& /*info*/) override {
        platform::test::forgetModalAnswers();
    }
};

} // namespace

int main(int argc, char** argv) {
    // Tests never need a display; a real one would only make them flaky.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    // The listener list owns and deletes its listeners.
    testing::UnitTest::GetInstance()->listeners().Append(new ForgetModalAnswers);
    platform::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
