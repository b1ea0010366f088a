#include "platform/GdiDeviceContext.h"
#include "platform/GdiFontImpl.h"
#include "platform/GdiObjects.h"

#include <cstring>
#include <limits>
#include <memory>

namespace platform::gdi {

Managed* managed(HGDIOBJ object) {
    return dynamic_cast<Managed*>(object);
}

void noteSelected(HGDIOBJ object) {
    if (Managed* state = managed(object))
        ++state->selections;
}

void noteDeselected(HGDIOBJ object) {
    Managed* state = managed(object);
    if (state == nullptr)
        return;
    if (--state->selections == 0 && state->deletePending && !state->stock)
        std::unique_ptr<Object> owned(object);
}

PenImpl* penOf(HPEN pen) {
    return dynamic_cast<PenImpl*>(pen);
}
BrushImpl* brushOf(HBRUSH brush) {
    return dynamic_cast<BrushImpl*>(brush);
}
BitmapImpl* bitmapOf(HBITMAP bitmap) {
    return dynamic_cast<BitmapImpl*>(bitmap);
}
RegionImpl* regionOf(HRGN region) {
    return dynamic_cast<RegionImpl*>(region);
}
FontImpl* fontOf(HFONT font) {
    return dynamic_cast<FontImpl*>(font);
}

const QImage* bitmapImage(HBITMAP bitmap) {
    BitmapImpl* impl = bitmapOf(bitmap);
    return impl != nullptr ? &impl->image : nullptr;
}

} // namespace platform::gdi

using namespace platform::gdi;

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    // Round half away from zero, as the system routine does.
    long long result = product / c;
    const long long remainder = product % c;
    if (2 * (remainder < 0 ? -remainder : remainder) >= (c < 0 ? -static_cast<long long>(c) : c))
        result += (product < 0) != (c < 0) ? -1 : 1;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(result);
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) {
    // Keep one bitmap well inside what an image can address (about 1 GiB).
    constexpr long long kMaxPixels = 1LL << 28;
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels)
        return nullptr;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return nullptr;
    image.fill(Qt::black);
    return std::make_unique<BitmapImpl>(std::move(image)).release();
}

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style != PS_SOLID && style != PS_DASH && style != PS_DOT && style != PS_NULL)
        return nullptr;
    return std::make_unique<PenImpl>(style, width < 1 ? 1 : width, color).release();
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return std::make_unique<BrushImpl>(BS_SOLID, color).release();
}

HFONT SelectObject(HDC dc, HFONT font) {
    if (dc == nullptr || fontOf(font) == nullptr)
        return nullptr;
    return dc->selectFont(font);
}

HPEN SelectObject(HDC dc, HPEN pen) {
    if (dc == nullptr || penOf(pen) == nullptr)
        return nullptr;
    return dc->selectPen(pen);
}

HBRUSH SelectObject(HDC dc, HBRUSH brush) {
    if (dc == nullptr || brushOf(brush) == nullptr)
        return nullptr;
    return dc->selectBrush(brush);
}

HBITMAP SelectObject(HDC dc, HBITMAP bitmap) {
    if (dc == nullptr || bitmapOf(bitmap) == nullptr)
        return nullptr;
    return dc->selectBitmap(bitmap);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (auto* font = dynamic_cast<HFONT>(object))
        return SelectObject(dc, font);
    if (auto* pen = dynamic_cast<HPEN>(object))
        return SelectObject(dc, pen);
    if (auto* brush = dynamic_cast<HBRUSH>(object))
        return SelectObject(dc, brush);
    if (auto* bitmap = dynamic_cast<HBITMAP>(object))
        return SelectObject(dc, bitmap);
    return nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
    if (dc == nullptr)
        return nullptr;
    switch (type) {
    case OBJ_FONT:
        return dc->font();
    case OBJ_PEN:
        return dc->pen();
    case OBJ_BRUSH:
        return dc->brush();
    case OBJ_BITMAP:
        return dc->bitmap();
    default:
        return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ object) {
    Managed* state = managed(object);
    if (state == nullptr)
        return FALSE;
    if (state->stock)
        return TRUE;
    if (state->selections > 0) {
        state->deletePending = true;
        return FALSE;
    }
    std::unique_ptr<Object> owned(object);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ object) {
    Managed* state = managed(object);
    return state != nullptr ? state->objectType() : 0;
}

namespace {

template <typename Description>
int copyDescription(const Description& description, int bufferSize, void* buffer) {
    constexpr int size = sizeof(Description);
    if (buffer == nullptr)
        return size;
    if (bufferSize < size)
        return 0;
    std::memcpy(buffer, &description, size);
    return size;
}

} // namespace

int GetObjectW(HGDIOBJ object, int bufferSize, void* buffer) {
    if (auto* font = dynamic_cast<FontImpl*>(object))
        return copyDescription(font->description(), bufferSize, buffer);
    if (auto* pen = dynamic_cast<PenImpl*>(object)) {
        LOGPEN description{static_cast<UINT>(pen->style), {pen->width, 0}, pen->color};
        return copyDescription(description, bufferSize, buffer);
    }
    if (auto* brush = dynamic_cast<BrushImpl*>(object)) {
        LOGBRUSH description{brush->style, brush->currentColor(), 0};
        return copyDescription(description, bufferSize, buffer);
    }
    if (auto* bitmap = dynamic_cast<BitmapImpl*>(object)) {
        BITMAP description;
        description.bmWidth = bitmap->image.width();
        description.bmHeight = bitmap->image.height();
        description.bmWidthBytes = static_cast<LONG>(bitmap->image.bytesPerLine());
        return copyDescription(description, bufferSize, buffer);
    }
    return 0;
}
