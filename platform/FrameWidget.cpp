#include "platform/FrameWidget.h"

#include "platform/ClientWidget.h"

#include <QCloseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace platform {

namespace {

int barCode(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    case QAbstractSlider::SliderMove:
        return SB_THUMBTRACK;
    default:
        return -1;
    }
}

UINT barMessage(int which) {
    return which == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
}

ScrollBarState& stateOf(HWND hwnd, int which) {
    return which == SB_VERT ? hwnd->vbar : hwnd->hbar;
}

} // namespace

FrameWidget::FrameWidget(std::unique_ptr<PlatformWindow> window, QWidget* parentWidget,
                         bool topLevel)
    : QWidget(parentWidget, topLevel ? Qt::Window : Qt::Widget), window_(std::move(window)),
      vbar_(new QScrollBar(Qt::Vertical, this)), hbar_(new QScrollBar(Qt::Horizontal, this)) {
    window_->frame = this;
    window_->client = new ClientWidget(window_.get(), this);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    for (int which : {SB_VERT, SB_HORZ}) {
        QScrollBar* b = bar(which);
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
        connect(b, &QAbstractSlider::actionTriggered, this,
                [this, which](int action) { onBarAction(which, action); });
        connect(b, &QAbstractSlider::sliderReleased, this, [this, which] { onBarReleased(which); });
    }
    hide();
}

FrameWidget::~FrameWidget() = default;

int FrameWidget::borderWidth() const {
    int width = 0;
    if (window_->style & WS_BORDER)
        width += 1;
    if (window_->exStyle & WS_EX_CLIENTEDGE)
        width += 2;
    return width;
}

int FrameWidget::dockedBarHeight() const {
    const HWND bar = window_->dockedBar;
    return liveWindow(bar) != nullptr && bar->frame->parentWidget() == this ? bar->frame->height()
                                                                            : 0;
}

QRect FrameWidget::clientGeometry() const {
    const int border = borderWidth();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int w = width() - 2 * border - (window_->vbar.shown ? extent : 0);
    const int h = height() - 2 * border - (window_->hbar.shown ? extent : 0) - dockedBarHeight();
    return QRect(border, border, std::max(w, 0), std::max(h, 0));
}

QSize FrameWidget::layoutChildren() {
    const QRect client = clientGeometry();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    window_->client->setGeometry(client);
    vbar_->setGeometry(client.right() + 1, client.top(), extent, client.height());
    hbar_->setGeometry(client.left(), client.bottom() + 1, client.width(), extent);
    vbar_->setVisible(window_->vbar.shown);
    hbar_->setVisible(window_->hbar.shown);
    if (const int barHeight = dockedBarHeight(); barHeight > 0) {
        const int border = borderWidth();
        window_->dockedBar->frame->setGeometry(border, height() - border - barHeight,
                                               width() - 2 * border, barHeight);
    }
    return client.size();
}

void FrameWidget::mirrorBar(int which) {
    const ScrollBarState& s = stateOf(hwnd(), which);
    QScrollBar* b = bar(which);
    mirroring_ = true;
    const int page = static_cast<int>(std::min<UINT>(s.page, 0x7FFFFFFF));
    b->setRange(s.minPos, std::max(s.minPos, s.maxPos - std::max(page - 1, 0)));
    b->setPageStep(std::max(page, 1));
    b->setSingleStep(1);
    // While the user drags the thumb it stays where the pointer put it.
    if (!s.tracking)
        b->setValue(s.pos);
    b->setEnabled(s.enabled);
    mirroring_ = false;
}

void FrameWidget::onBarAction(int which, int action) {
    HWND h = hwnd();
    if (mirroring_ || !h->alive)
        return;
    const int code = barCode(action);
    if (code < 0)
        return;
    QScrollBar* b = bar(which);
    ScrollBarState& s = stateOf(h, which);
    WPARAM wParam = MAKEWPARAM(static_cast<WORD>(code), 0);
    if (code == SB_THUMBTRACK) {
        s.tracking = true;
        s.trackPos = b->sliderPosition();
        wParam = MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(s.trackPos));
    }
    SendMessage(h, barMessage(which), wParam, 0);
    // The bar moves only as far as the window procedure set it, never by itself.
    if (h->alive && code != SB_THUMBTRACK)
        b->setSliderPosition(stateOf(h, which).pos);
}

void FrameWidget::onBarReleased(int which) {
    HWND h = hwnd();
    ScrollBarState& s = stateOf(h, which);
    if (!h->alive || !s.tracking)
        return;
    const int pos = s.trackPos;
    SendMessage(h, barMessage(which),
                MAKEWPARAM(static_cast<WORD>(SB_THUMBPOSITION), static_cast<WORD>(pos)), 0);
    if (!h->alive)
        return;
    s.tracking = false;
    SendMessage(h, barMessage(which), MAKEWPARAM(static_cast<WORD>(SB_ENDSCROLL), 0), 0);
    if (h->alive)
        mirrorBar(which);
}

void FrameWidget::resizeEvent(QResizeEvent* /*event*/) {
    if (window_->alive)
        syncClientArea(hwnd());
}

void FrameWidget::moveEvent(QMoveEvent* /*event*/) {
    if (!window_->alive || !isWindow())
        return;
    const QPoint p = pos();
    if (p != window_->position) {
        window_->position = p;
        SendMessage(hwnd(), WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(p.x()), static_cast<WORD>(p.y())));
    }
}

void FrameWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // The box where two bars meet, and the border.
    painter.fillRect(rect(), palette().window());
    const int border = borderWidth();
    if (border > 0) {
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void FrameWidget::closeEvent(QCloseEvent* event) {
    // Closing from the desktop is a request the window procedure may refuse.
    event->ignore();
    if (window_->alive)
        SendMessage(hwnd(), WM_CLOSE, 0, 0);
}

void FrameWidget::showEvent(QShowEvent* /*event*/) {
    if (window_->alive)
        InvalidateRect(hwnd(), nullptr, TRUE);
}

bool FrameWidget::event(QEvent* event) {
    if (window_->alive && isWindow()) {
        if (event->type() == QEvent::WindowActivate)
            SendMessage(hwnd(), WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
        else if (event->type() == QEvent::WindowDeactivate)
            SendMessage(hwnd(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    }
    return QWidget::event(event);
}

void syncClientArea(HWND hwnd) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr)
        return;
    const QSize size = w->frame->layoutChildren();
    if (size == w->clientSize)
        return;
    // Keep what was painted; what is new needs painting.
    const QSize imageSize(std::max(size.width(), 1), std::max(size.height(), 1));
    if (w->backing.size() != imageSize) {
        QImage image(imageSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        if (!w->backing.isNull()) {
            QPainter p(&image);
            p.drawImage(0, 0, w->backing);
        }
        w->backing = std::move(image);
    }
    const QRegion kept(QRect(QPoint(0, 0), w->clientSize.expandedTo(QSize(0, 0))));
    const bool redrawAll = (w->windowClass->wc.style & (CS_HREDRAW | CS_VREDRAW)) != 0;
    w->update &= QRect(QPoint(0, 0), size);
    w->clientSize = size;
    const QRegion fresh =
        redrawAll ? QRegion(QRect(QPoint(0, 0), size)) : QRegion(QRect(QPoint(0, 0), size)) - kept;
    if (!fresh.isEmpty()) {
        const RECT r = toRECT(fresh.boundingRect());
        InvalidateRect(hwnd, &r, TRUE);
    }
    // A window procedure that changes its scroll bars while handling WM_SIZE makes another
    // size change; the nesting is bounded so two bars that toggle each other cannot recurse
    // without end.
    if (w->sizeNesting >= 4)
        return;
    w->sizeNesting += 1;
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(size.width()), static_cast<WORD>(size.height())));
    if (liveWindow(hwnd) != nullptr)
        w->sizeNesting -= 1;
}

} // namespace platform
