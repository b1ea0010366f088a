#include "platform/Icon.h"

#include "platform/GdiDeviceContext.h"
#include "platform/IconInternal.h"

#include <QImage>
#include <QPixmap>

#include <memory>

struct PlatformIcon {
    QImage image;
};

HICON CreateIconFromImage(std::span<const unsigned char> bytes) {
    QImage image;
    if (bytes.empty() || !image.loadFromData(bytes.data(), static_cast<int>(bytes.size())))
        return nullptr;
    return std::make_unique<PlatformIcon>(
               PlatformIcon{image.convertToFormat(QImage::Format_ARGB32_Premultiplied)})
        .release();
}

BOOL DestroyIcon(HICON icon) {
    if (icon == nullptr)
        return FALSE;
    const std::unique_ptr<PlatformIcon> owned(icon);
    return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT /*step*/, HBRUSH /*flicker*/,
                UINT flags) {
    if (dc == nullptr || icon == nullptr || (flags & DI_NORMAL) == 0)
        return FALSE;
    if (cx <= 0 || cy <= 0) {
        cx = GetSystemMetrics(SM_CXICON);
        cy = GetSystemMetrics(SM_CYICON);
    }
    QPainter* painter = dc->painter();
    if (painter == nullptr)
        return FALSE;
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(QRect(dc->toDevice(x, y), QSize(cx, cy)), icon->image);
    return TRUE;
}

namespace platform {

QIcon toolkitIcon(HICON icon) {
    return icon != nullptr ? QIcon(QPixmap::fromImage(icon->image)) : QIcon();
}

} // namespace platform
