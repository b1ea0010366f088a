#include "platform/DropFiles.h"

#include "platform/ClientWidget.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"
#include "platform/WindowInternal.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QObject>
#include <QUrl>

#include <map>
#include <memory>
#include <vector>

struct PlatformDrop {
    std::vector<std::u16string> paths;
    POINT point{};
    bool inClient = false;
};

namespace {

// Drops posted and not finished yet, by handle.
std::map<HDROP, std::unique_ptr<PlatformDrop>>& pendingDrops() {
    static std::map<HDROP, std::unique_ptr<PlatformDrop>> drops;
    return drops;
}

std::vector<std::u16string> localFiles(const QMimeData* data) {
    std::vector<std::u16string> paths;
    if (data == nullptr)
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdU16String());
    }
    return paths;
}

// Turns the toolkit's drag-and-drop events on a client area into WM_DROPFILES.
class DropFilter final : public QObject {
public:
    DropFilter(HWND hwnd, QWidget* client) : QObject(client), hwnd_(hwnd) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (localFiles(drag->mimeData()).empty())
                drag->ignore();
            else
                drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            auto made = std::make_unique<PlatformDrop>();
            made->paths = localFiles(drop->mimeData());
            if (made->paths.empty())
                return false;
            const QPoint at = drop->position().toPoint();
            made->point = POINT{at.x(), at.y()};
            made->inClient = static_cast<QWidget*>(watched)->rect().contains(at);
            HDROP handle = made.get();
            pendingDrops().emplace(handle, std::move(made));
            drop->acceptProposedAction();
            PostMessage(hwnd_, WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0);
            return true;
        }
        default:
            return false;
        }
    }

private:
    HWND hwnd_;
};

PlatformDrop* liveDrop(HDROP drop) {
    const auto found = pendingDrops().find(drop);
    return found == pendingDrops().end() ? nullptr : found->second.get();
}

} // namespace

void DragAcceptFiles(HWND hwnd, BOOL accept) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr || w->client == nullptr)
        return;
    QWidget* client = w->client;
    client->setAcceptDrops(accept != FALSE);
    // One filter per client area, owned by it.
    if (accept != FALSE && !client->property("kivDropFilter").toBool()) {
        client->installEventFilter(new DropFilter(hwnd, client));
        client->setProperty("kivDropFilter", true);
    }
}

UINT DragQueryFile(HDROP drop, UINT index, WCHAR* buffer, UINT size) {
    const PlatformDrop* d = liveDrop(drop);
    if (d == nullptr)
        return 0;
    if (index == 0xFFFFFFFF)
        return static_cast<UINT>(d->paths.size());
    if (index >= d->paths.size())
        return 0;
    const std::u16string& path = d->paths[index];
    if (buffer != nullptr && size > 0) {
        const std::size_t n = std::min<std::size_t>(path.size(), size - 1);
        std::copy_n(path.begin(), n, buffer);
        buffer[n] = u'\0';
    }
    return static_cast<UINT>(path.size());
}

BOOL DragQueryPoint(HDROP drop, POINT* point) {
    const PlatformDrop* d = liveDrop(drop);
    if (d == nullptr || point == nullptr)
        return FALSE;
    *point = d->point;
    return d->inClient ? TRUE : FALSE;
}

void DragFinish(HDROP drop) {
    pendingDrops().erase(drop);
}

namespace platform::test {

bool dropFiles(HWND hwnd, const std::vector<std::u16string>& paths, int x, int y) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr || w->client == nullptr)
        return false;
    // The toolkit hands a drop to the innermost widget under the point that accepts drops.
    QWidget* target = w->client->childAt(x, y);
    if (target == nullptr)
        target = w->client;
    QPoint at = target->mapFrom(w->client, QPoint(x, y));
    while (target != nullptr && !target->acceptDrops()) {
        at = target->mapToParent(at);
        target = target->parentWidget();
    }
    if (target == nullptr)
        return false;
    QMimeData data;
    QList<QUrl> urls;
    for (const std::u16string& path : paths)
        urls << QUrl::fromLocalFile(QString::fromStdU16String(path));
    data.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

} // namespace platform::test
