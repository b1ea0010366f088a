#include "support/RunWithApplication.h"

#include "platform/Application.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace bench {

int runWithApplication(int argc, char** argv, const std::function<void()>& beforeExit) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const platform::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (beforeExit) {
        beforeExit();
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
