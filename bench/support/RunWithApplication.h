// The main of a benchmark program that draws or opens windows: the toolkit needs an
// application object (offscreen unless the caller chose a platform) before any window exists.
#pragma once

namespace bench {

// Creates the application, runs the benchmarks named on the command line and returns the exit
// status.
int runWithApplication(int argc, char** argv);

} // namespace bench
