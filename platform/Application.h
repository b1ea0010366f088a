#pragma once
// The one application object of a kiv process: owns the toolkit's application and runs the
// message loop. Create it first in main(); every window needs it.

#include <memory>

namespace platform {

class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the message loop until the last window closes or quit() is called; returns the exit
    // code.
    int run();
    // Ends the message loop with the given exit code.
    static void quit(int exitCode = 0);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
