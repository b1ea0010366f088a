#include "platform/Application.h"

#include "platform/CaretInternal.h"
#include "platform/FrameWidget.h"
#include "platform/ModalAnswers.h"
#include "platform/WindowInternal.h"

#include <QApplication>

namespace platform {

struct Application::Impl {
    Impl(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {
    QApplication::setApplicationName(QStringLiteral("kiv"));
    // Windows end when their procedures destroy them, never because the desktop closed one.
    QApplication::setQuitOnLastWindowClosed(false);
}

Application::~Application() {
    // Windows, timers and the caret hold toolkit objects that must go before the toolkit.
    releaseAllTimers();
    releaseCaretTimer();
    shutdownWindowLayer();
}

int Application::run() {
    return QApplication::exec();
}

void Application::quit(int exitCode) {
    QApplication::exit(exitCode);
}

void Application::processPending() {
    drainPostedMessages();
}

void Application::leaveModalLoopsUnattended() {
    setModalLoopsUnattended();
}

bool Application::saveWindowImage(HWND window, const std::string& pngPath) {
    PlatformWindow* w = liveWindow(window);
    if (w == nullptr)
        return false;
    return w->frame->grab().save(QString::fromStdString(pngPath), "PNG");
}

} // namespace platform
