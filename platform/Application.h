#pragma once
// The one application object of a kiv process: owns the toolkit's application and runs the
// message loop. Create it first in main(); every window needs it.

#include "platform/WinTypes.h"

#include <memory>
#include <string>

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
    // Runs what is pending (posted messages, paints, the toolkit's own events) until nothing
    // is left, without waiting for more.
    static void processPending();
    // From now on no modal loop waits for a person: message boxes, dialogs and popup menus
    // that nobody answered are dismissed at once, as on the headless display (a run that only
    // renders its window, for instance).
    static void leaveModalLoopsUnattended();
    // Saves a window as the screen shows it (its children and scroll bars included) to a PNG
    // file; false when it cannot be written.
    static bool saveWindowImage(HWND window, const std::string& pngPath);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
