#include "platform/TestHooks.h"

#include "platform/ControlHost.h"

#include "platform/Application.h"
#include "platform/ClientWidget.h"
#include "platform/FrameWidget.h"
#include "platform/KeyMap.h"
#include "platform/KeyState.h"
#include "platform/SystemCompositionWindow.h"
#include "platform/WindowInternal.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QPointingDevice>
#include <QTextCharFormat>
#include <QWheelEvent>

namespace {

Qt::KeyboardModifiers qtModifiers(unsigned modifiers) {
    Qt::KeyboardModifiers m;
    if (modifiers & platform::test::Shift)
        m |= Qt::ShiftModifier;
    if (modifiers & platform::test::Control)
        m |= Qt::ControlModifier;
    if (modifiers & platform::test::Alt)
        m |= Qt::AltModifier;
    return m;
}

// The text a US keyboard types for a virtual key with these modifiers.
QString typedText(int virtualKey, unsigned modifiers) {
    const bool shift = (modifiers & platform::test::Shift) != 0;
    const bool control = (modifiers & platform::test::Control) != 0;
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        if (control)
            return QString(QChar(virtualKey - 'A' + 1));
        return QString(QChar(shift ? virtualKey : virtualKey - 'A' + 'a'));
    }
    if (virtualKey >= '0' && virtualKey <= '9' && !control && !shift)
        return QString(QChar(virtualKey));
    switch (virtualKey) {
    case VK_RETURN:
        return QStringLiteral("\r");
    case VK_TAB:
        return QStringLiteral("\t");
    case VK_BACK:
        return QStringLiteral("\b");
    case VK_ESCAPE:
        return QStringLiteral("\x1b");
    case VK_SPACE:
        return QStringLiteral(" ");
    case VK_DELETE:
        return QStringLiteral("\x7f");
    default:
        return QString();
    }
}

// Where the toolkit delivers a window's input: a standard control's widget, else the client
// area.
QWidget* clientWidget(HWND hwnd) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return nullptr;
    QWidget* hosted = platform::hostedInputWidget(hwnd);
    return hosted != nullptr ? hosted : w->client;
}

Qt::MouseButton qtButton(platform::test::MouseButton button) {
    return button == platform::test::MouseButton::Left ? Qt::LeftButton : Qt::RightButton;
}

void sendMouse(HWND hwnd, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, int x,
               int y, unsigned modifiers) {
    QWidget* client = clientWidget(hwnd);
    if (client == nullptr)
        return;
    const QPointF local(x, y);
    const QPointF global = client->mapToGlobal(local);
    QMouseEvent event(type, local, local, global, button, held, qtModifiers(modifiers));
    QApplication::sendEvent(client, &event);
}

QScrollBar* toolkitBar(HWND hwnd, int bar) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr || (bar != SB_VERT && bar != SB_HORZ))
        return nullptr;
    return w->frame->bar(bar);
}

} // namespace

namespace platform::test {

void pumpMessages() {
    drainPostedMessages();
}

void pumpFor(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    drainPostedMessages();
}

bool pumpUntil(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    drainPostedMessages();
    while (!condition()) {
        if (clock.elapsed() >= milliseconds)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        drainPostedMessages();
    }
    return true;
}

COLORREF clientPixel(HWND hwnd, int x, int y) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr || x < 0 || y < 0 || x >= w->clientSize.width() || y >= w->clientSize.height())
        return ~0u;
    const QRgb p = w->backing.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

COLORREF screenPixel(HWND hwnd, int x, int y) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr || x < 0 || y < 0 || x >= w->clientSize.width() || y >= w->clientSize.height())
        return ~0u;
    const QImage shown = w->client->grab(QRect(x, y, 1, 1)).toImage();
    const QRgb p = shown.pixel(0, 0);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

bool grabToPng(HWND hwnd, const std::string& path) {
    return Application::saveWindowImage(hwnd, path);
}

void pressKey(HWND hwnd, int virtualKey, unsigned modifiers) {
    QWidget* client = clientWidget(hwnd);
    const int key = qtKeyFor(virtualKey);
    if (client == nullptr || key == 0)
        return;
    const QString text = typedText(virtualKey, modifiers);
    const int qtKey = (virtualKey == VK_TAB && (modifiers & Shift)) ? Qt::Key_Backtab : key;
    QKeyEvent press(QEvent::KeyPress, qtKey, qtModifiers(modifiers), text);
    QApplication::sendEvent(client, &press);
    if ((client = clientWidget(hwnd)) == nullptr)
        return;
    QKeyEvent release(QEvent::KeyRelease, qtKey, qtModifiers(modifiers), text);
    QApplication::sendEvent(client, &release);
    // A keyboard lets go of the modifier keys too; without this Control would stay held for
    // every later key and typed characters would be taken as shortcuts.
    noteModifiers(effectiveModifiers(Qt::NoModifier));
}

void typeText(HWND hwnd, const std::u16string& text) {
    QWidget* client = clientWidget(hwnd);
    if (client == nullptr)
        return;
    const QString s = QString::fromStdU16String(text);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, s);
    QApplication::sendEvent(client, &press);
    if ((client = clientWidget(hwnd)) == nullptr)
        return;
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, s);
    QApplication::sendEvent(client, &release);
}

void mousePress(HWND hwnd, MouseButton button, int x, int y, unsigned modifiers) {
    sendMouse(hwnd, QEvent::MouseButtonPress, qtButton(button), qtButton(button), x, y, modifiers);
}

void mouseRelease(HWND hwnd, MouseButton button, int x, int y, unsigned modifiers) {
    sendMouse(hwnd, QEvent::MouseButtonRelease, qtButton(button), Qt::NoButton, x, y, modifiers);
}

void mouseDoubleClick(HWND hwnd, MouseButton button, int x, int y, unsigned modifiers) {
    sendMouse(hwnd, QEvent::MouseButtonDblClick, qtButton(button), qtButton(button), x, y,
              modifiers);
}

void mouseMove(HWND hwnd, int x, int y, bool leftHeld, unsigned modifiers) {
    sendMouse(hwnd, QEvent::MouseMove, Qt::NoButton, leftHeld ? Qt::LeftButton : Qt::NoButton, x, y,
              modifiers);
}

void mouseWheel(HWND hwnd, int x, int y, int delta, unsigned modifiers) {
    QWidget* client = clientWidget(hwnd);
    if (client == nullptr)
        return;
    const QPointF local(x, y);
    QWheelEvent event(local, client->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                      qtModifiers(modifiers), Qt::NoScrollPhase, false);
    QApplication::sendEvent(client, &event);
}

void clickAt(HWND hwnd, int x, int y) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr)
        return;
    QWidget* target = w->frame->childAt(x, y);
    if (target == nullptr)
        target = w->frame;
    const QPointF local = target->mapFrom(w->frame, QPoint(x, y));
    const QPointF global = w->frame->mapToGlobal(QPointF(x, y));
    QMouseEvent press(QEvent::MouseButtonPress, local, local, global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, local, global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

void scrollBarAction(HWND hwnd, int bar, int code, int trackPos) {
    QScrollBar* b = toolkitBar(hwnd, bar);
    if (b == nullptr)
        return;
    switch (code) {
    case SB_LINEUP:
        b->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case SB_LINEDOWN:
        b->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case SB_PAGEUP:
        b->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case SB_PAGEDOWN:
        b->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    case SB_TOP:
        b->triggerAction(QAbstractSlider::SliderToMinimum);
        break;
    case SB_BOTTOM:
        b->triggerAction(QAbstractSlider::SliderToMaximum);
        break;
    default:
        // A thumb drag: press, move to the position, release.
        b->setSliderDown(true);
        b->setSliderPosition(trackPos);
        if (toolkitBar(hwnd, bar) == b)
            b->setSliderDown(false);
        break;
    }
}

bool scrollBarVisible(HWND hwnd, int bar) {
    const QScrollBar* b = toolkitBar(hwnd, bar);
    return b != nullptr && !b->isHidden();
}

bool scrollBarEnabled(HWND hwnd, int bar) {
    const QScrollBar* b = toolkitBar(hwnd, bar);
    return b != nullptr && b->isEnabled();
}

std::u16string desktopClipboardText() {
    return QGuiApplication::clipboard()->text().toStdU16String();
}

void setDesktopClipboardText(const std::u16string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(text));
}

namespace {

// Asks hwnd's client area one question, as the toolkit's input method asks it.
QVariant askInputMethodQuery(HWND hwnd, Qt::InputMethodQuery query) {
    QWidget* client = clientWidget(hwnd);
    if (client == nullptr)
        return {};
    QInputMethodQueryEvent event(query);
    QApplication::sendEvent(client, &event);
    return event.value(query);
}

void deliverToInputWindow(HWND hwnd, QInputMethodEvent& event) {
    QWidget* client = clientWidget(hwnd);
    if (client != nullptr && inputMethodAccepted(hwnd))
        QApplication::sendEvent(client, &event);
}

} // namespace

void inputMethodEvent(HWND hwnd, const std::u16string& preedit,
                      const std::vector<PreeditFormat>& formats, int cursor,
                      const std::u16string& commit) {
    QList<QInputMethodEvent::Attribute> attributes;
    const QPalette palette = QApplication::palette();
    for (const PreeditFormat& f : formats) {
        QTextCharFormat format;
        if (f.highlighted) {
            format.setBackground(palette.highlight());
            format.setForeground(palette.highlightedText());
        } else {
            format.setUnderlineStyle(QTextCharFormat::DashUnderline);
        }
        attributes.append(
            QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, f.start, f.length, format));
    }
    if (cursor >= 0)
        attributes.append(QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, cursor, 1));
    QInputMethodEvent event(QString::fromStdU16String(preedit), attributes);
    event.setCommitString(QString::fromStdU16String(commit));
    deliverToInputWindow(hwnd, event);
}

void inputMethodPreedit(HWND hwnd, const std::u16string& text,
                        const std::vector<PreeditClause>& clauses, int cursor,
                        const std::u16string& commit) {
    std::vector<PreeditFormat> formats;
    int start = 0;
    for (const PreeditClause& clause : clauses) {
        formats.push_back({start, clause.length, clause.kind == ClauseKind::Target});
        start += clause.length;
    }
    inputMethodEvent(hwnd, text, formats, cursor, commit);
}

void inputMethodCommit(HWND hwnd, const std::u16string& text) {
    inputMethodEvent(hwnd, {}, {}, -1, text);
}

bool inputMethodAccepted(HWND hwnd) {
    return askInputMethodQuery(hwnd, Qt::ImEnabled).toBool();
}

RECT inputMethodCursorRectangle(HWND hwnd) {
    return platform::toRECT(askInputMethodQuery(hwnd, Qt::ImCursorRectangle).toRect());
}

std::u16string systemCompositionText() {
    return platform::shownSystemComposition();
}

} // namespace platform::test
