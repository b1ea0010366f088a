#pragma once
// The client area of a window: shows the backing image and the caret, and turns the
// toolkit's input events into window messages.

#include "platform/WindowInternal.h"

#include <QWidget>

namespace platform {

class ClientWidget final : public QWidget {
public:
    ClientWidget(HWND hwnd, QWidget* frame);

    HWND hwnd() const { return hwnd_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool alive() const;
    void deliverKey(QKeyEvent* event, bool down);
    void deliverMouse(QMouseEvent* event, UINT leftMsg, UINT rightMsg, UINT middleMsg);
    bool wantsTab();

    HWND hwnd_;
};

} // namespace platform
