#include "platform/SystemCompositionWindow.h"

#include "platform/ClientWidget.h"
#include "platform/FrameWidget.h"
#include "platform/WindowInternal.h"

#include <QLabel>
#include <QPointer>

namespace platform {

namespace {

struct Shown {
    QPointer<QLabel> label; // a child of the owner's top-level widget, so it goes with it
    std::uint64_t owner = 0;
};

Shown& shown() {
    static Shown s;
    return s;
}

QLabel* labelFor(QWidget* top) {
    QPointer<QLabel>& label = shown().label;
    if (label != nullptr && label->parentWidget() != top) {
        delete label.data();
    }
    if (label == nullptr) {
        label = new QLabel(top, Qt::ToolTip | Qt::FramelessWindowHint);
        label->setAttribute(Qt::WA_ShowWithoutActivating);
        label->setFocusPolicy(Qt::NoFocus);
        label->setMargin(2);
        label->setAutoFillBackground(true);
        label->setFrameShape(QFrame::Box);
        QFont font = label->font();
        font.setUnderline(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

void showSystemComposition(HWND hwnd, QPoint clientPoint, const std::u16string& text) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr)
        return;
    if (text.empty()) {
        hideSystemComposition(hwnd);
        return;
    }
    QLabel* label = labelFor(w->frame->window());
    shown().owner = windowSerial(hwnd);
    label->setText(QString::fromStdU16String(text));
    label->adjustSize();
    label->move(w->client->mapToGlobal(clientPoint));
    label->show();
    label->raise();
}

void hideSystemComposition(HWND hwnd) {
    Shown& s = shown();
    if (s.label != nullptr && s.owner != 0 && s.owner == windowSerial(hwnd)) {
        s.label->hide();
        s.owner = 0;
    }
}

std::u16string shownSystemComposition() {
    const Shown& s = shown();
    if (s.label == nullptr || !s.label->isVisible() || s.owner == 0)
        return {};
    return s.label->text().toStdU16String();
}

} // namespace platform
