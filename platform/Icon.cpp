#include "platform/IconInternal.h"

#include "platform/GdiDeviceContext.h"

#include <algorithm>
#include <memory>
#include <vector>

struct PlatformIcon {
    QImage image;
};

namespace {

std::vector<std::unique_ptr<PlatformIcon>>& icons() {
    static std::vector<std::unique_ptr<PlatformIcon>> list;
    return list;
}

} // namespace

namespace platform {

const QImage* iconImage(const void* icon) {
    for (const auto& i : icons()) {
        if (i.get() == icon)
            return &i->image;
    }
    return nullptr;
}

} // namespace platform

HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL /*icon*/, DWORD /*version*/,
                               int cx, int cy, UINT /*flags*/) {
    if (bits == nullptr || size == 0)
        return nullptr;
    QImage image;
    if (!image.loadFromData(bits, static_cast<int>(size)))
        return nullptr;
    if (cx > 0 && cy > 0 && image.size() != QSize(cx, cy))
        image = image.scaled(cx, cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    auto icon = std::make_unique<PlatformIcon>();
    icon->image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    icons().push_back(std::move(icon));
    return icons().back().get();
}

BOOL DestroyIcon(HICON icon) {
    auto& list = icons();
    const auto it =
        std::find_if(list.begin(), list.end(), [icon](const auto& i) { return i.get() == icon; });
    if (it == list.end())
        return FALSE;
    list.erase(it);
    return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT /*step*/,
                HBRUSH /*background*/, UINT /*flags*/) {
    const QImage* image = platform::iconImage(icon);
    if (dc == nullptr || image == nullptr)
        return FALSE;
    QPainter* painter = dc->painter();
    if (painter == nullptr)
        return FALSE;
    const QSize size = cx > 0 && cy > 0 ? QSize(cx, cy) : image->size();
    painter->drawImage(QRect(dc->toDevice(x, y), size), *image);
    return TRUE;
}
