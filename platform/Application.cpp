#include "platform/Application.h"

#include <QApplication>
#include <QWidget>

namespace platform {

struct Application::Impl {
    Impl(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
    std::unique_ptr<QWidget> bareWindow;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>(argc, argv)) {
    QApplication::setApplicationName(QStringLiteral("kiv"));
}

Application::~Application() = default;

int Application::run() { return QApplication::exec(); }

void Application::quit(int exitCode) { QApplication::exit(exitCode); }

} // namespace platform

namespace platform {

void Application::showBareWindow(const std::u16string& caption, int width, int height) {
    impl_->bareWindow = std::make_unique<QWidget>();
    impl_->bareWindow->setWindowTitle(QString::fromStdU16String(caption));
    impl_->bareWindow->resize(width, height);
    impl_->bareWindow->show();
}

} // namespace platform
