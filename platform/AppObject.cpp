#include "platform/AppObject.h"

#include "platform/FrameWindow.h"

namespace platform {

namespace {

AppObject*& currentApp() {
    static AppObject* app = nullptr;
    return app;
}

} // namespace

AppObject::AppObject() : previous_(currentApp()) {
    currentApp() = this;
}

AppObject::~AppObject() {
    if (currentApp() == this)
        currentApp() = previous_;
}

AppObject* AppObject::current() {
    return currentApp();
}

HWND AppObject::mainWindowHandle() const {
    return mainWindow_ != nullptr ? mainWindow_->hwnd() : nullptr;
}

void AppObject::prepareMenu(HMENU /*popup*/) {}

} // namespace platform
