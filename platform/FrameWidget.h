#pragma once
// The outer widget of a window: its rectangle, border, scroll bars and the client widget
// inside. It owns the PlatformWindow behind the handle.

#include "platform/WindowInternal.h"

#include <QScrollBar>
#include <QWidget>

#include <memory>

namespace platform {

class ClientWidget;

class FrameWidget final : public QWidget {
public:
    // Makes the widgets for a new window; parentWidget is the parent's client widget or null.
    FrameWidget(std::unique_ptr<PlatformWindow> window, QWidget* parentWidget, bool topLevel);
    ~FrameWidget() override;

    // The window this widget stands for.
    HWND hwnd() const { return window_.get(); }
    // The toolkit bar for SB_VERT or SB_HORZ.
    QScrollBar* bar(int which) const { return which == SB_VERT ? vbar_ : hbar_; }
    // Border width from the styles (WS_BORDER 1, WS_EX_CLIENTEDGE 2 more).
    int borderWidth() const;
    // The height of a soft-key bar docked along the bottom edge, 0 without one.
    int dockedBarHeight() const;
    // The client area's rectangle inside this widget.
    QRect clientGeometry() const;
    // Positions the client widget and bars; returns the client size.
    QSize layoutChildren();
    // Copies the program-side state of a bar into the toolkit bar.
    void mirrorBar(int which);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void onBarAction(int which, int action);
    void onBarReleased(int which);

    std::unique_ptr<PlatformWindow> window_;
    QScrollBar* vbar_;
    QScrollBar* hbar_;
    bool mirroring_ = false;
};

} // namespace platform
