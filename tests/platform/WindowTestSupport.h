#pragma once
// A window class for tests that records every message its windows receive and lets a test
// answer chosen messages itself.

#include "platform/TestHooks.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace kivtest {

struct Received {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool shiftHeld;   // GetKeyState(VK_SHIFT) while the message was handled
    bool controlHeld; // GetKeyState(VK_CONTROL) likewise
};

// Answers a message instead of DefWindowProc when it returns a value.
using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

// Registers the class "kivTestWindow" (and "kivTestDbl" with CS_DBLCLKS) once, and clears the
// log and handler for each test.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible top-level window of the test class.
    HWND makeTopLevel(int width = 200, int height = 150, DWORD style = 0,
                      const char16_t* className = u"kivTestWindow");
    // A visible child of parent with the given id.
    HWND makeChild(HWND parent, int id, int x, int y, int width, int height, DWORD style = 0,
                   const char16_t* className = u"kivTestWindow");
    // The messages of one kind received so far (all windows).
    std::vector<Received> received(UINT msg) const;
    // Every message received so far.
    const std::vector<Received>& log() const;
    void clearLog();
    void setHandler(Handler handler);
};

} // namespace kivtest
