#include "platform/GdiDeviceContext.h"
#include "platform/GdiInternal.h"
#include "platform/GdiPixels.h"

namespace platform::gdi {

namespace {

void fillBlock(DeviceContext& dc, const QRect& block, const QColor& color) {
    if (QPainter* painter = dc.painter())
        painter->fillRect(block, color);
}

// Copies the part from of source into block with the painter, replacing what was there.
void copyBlock(DeviceContext& dest, const QRect& block, const QImage& source, const QRect& from) {
    QPainter* painter = dest.painter();
    if (painter == nullptr)
        return;
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(block.topLeft(), source, from);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Combines source with the destination pixel by pixel.
template <typename Combine>
void combineBlock(DeviceContext& dest, const QRect& block, const QImage& source, Combine combine) {
    transformPixels(dest, block, [&](int x, int y, QRgb pixel) {
        return combine(source.pixel(x - block.left(), y - block.top()), pixel);
    });
}

} // namespace

} // namespace platform::gdi

using namespace platform::gdi;

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (dc == nullptr || width < 0 || height < 0)
        return FALSE;
    const QRect block(dc->toDevice(x, y), QSize(width, height));
    BrushImpl* brush = brushOf(dc->brush());
    const bool paints = brush != nullptr && brush->style != BS_NULL;
    switch (rop) {
    case PATCOPY:
        if (paints)
            fillBlock(*dc, block, toolkitColor(brush->currentColor()));
        return TRUE;
    case PATINVERT:
        if (paints) {
            const QRgb pattern = toolkitColor(brush->currentColor()).rgb() & 0x00FFFFFFU;
            transformPixels(*dc, block,
                            [pattern](int, int, QRgb pixel) { return pixel ^ pattern; });
        }
        return TRUE;
    case BLACKNESS:
        fillBlock(*dc, block, Qt::black);
        return TRUE;
    case WHITENESS:
        fillBlock(*dc, block, Qt::white);
        return TRUE;
    case DSTINVERT:
        invertPixels(*dc, block);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop) {
    if (dest == nullptr || width < 0 || height < 0)
        return FALSE;
    if (rop == PATCOPY || rop == PATINVERT || rop == BLACKNESS || rop == WHITENESS ||
        rop == DSTINVERT)
        return PatBlt(dest, x, y, width, height, rop);
    if (src == nullptr)
        return FALSE;
    const QImage* sourceImage = src->target();
    if (sourceImage == nullptr)
        return FALSE;
    // Only the part of the block that the source really has is copied.
    QRect from(src->toDevice(xSrc, ySrc), QSize(width, height));
    QRect to(dest->toDevice(x, y), QSize(width, height));
    const QRect available = from & sourceImage->rect();
    to.translate(available.topLeft() - from.topLeft());
    to.setSize(available.size());
    from = available;
    if (from.isEmpty())
        return TRUE;
    if (rop == SRCCOPY) {
        const QImage* destImage = dest->target();
        if (destImage != nullptr && destImage->constBits() != sourceImage->constBits()) {
            copyBlock(*dest, to, *sourceImage, from);
            return TRUE;
        }
    }
    // A deep copy, so that a block copied within one image reads the pixels as they were.
    const QImage source = sourceImage->copy(from);

    switch (rop) {
    case SRCCOPY:
        copyBlock(*dest, to, source, source.rect());
        return TRUE;
    case NOTSRCCOPY:
        combineBlock(*dest, to, source, [](QRgb s, QRgb) { return ~s; });
        return TRUE;
    case SRCINVERT:
        combineBlock(*dest, to, source, [](QRgb s, QRgb d) { return s ^ d; });
        return TRUE;
    case SRCAND:
        combineBlock(*dest, to, source, [](QRgb s, QRgb d) { return s & d; });
        return TRUE;
    case SRCPAINT:
        combineBlock(*dest, to, source, [](QRgb s, QRgb d) { return s | d; });
        return TRUE;
    default:
        return FALSE;
    }
}
