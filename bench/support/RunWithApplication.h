// The main of a benchmark program that draws or opens windows: the toolkit needs an
// application object (offscreen unless the caller chose a platform) before any window exists.
#pragma once

#include <functional>

namespace bench {

// Creates the application, runs the benchmarks named on the command line, calls `beforeExit`
// (to close windows while the application still exists) and returns the exit status.
int runWithApplication(int argc, char** argv, const std::function<void()>& beforeExit = {});

} // namespace bench
