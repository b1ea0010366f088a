#pragma once
// The framework's application object: the one object a program derives its application
// from. It knows the main window, ends the route of every command (after the frame's view
// and the frame itself), and may relabel menus loaded for display.

#include "platform/WindowObject.h"

namespace platform {

class FrameWindow;

class AppObject : public CommandTarget {
public:
    // Becomes the current application object until destroyed.
    AppObject();
    ~AppObject() override;

    // The application object of this process, or null.
    static AppObject* current();
    // The main window (not owned), or null.
    FrameWindow* mainWindow() const { return mainWindow_; }
    void setMainWindow(FrameWindow* frame) { mainWindow_ = frame; }
    // The main window's handle, or null.
    HWND mainWindowHandle() const;
    // A popup menu loaded from the resources is about to be shown; the base leaves it alone.
    virtual void prepareMenu(HMENU popup);

private:
    AppObject* previous_;
    FrameWindow* mainWindow_ = nullptr;
};

} // namespace platform
