#pragma once
// What the rest of platform/ needs from the drawing library: device contexts over images (for
// painting windows) and the toolkit values behind drawing handles.

#include "platform/Gdi.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRegion>

namespace platform::gdi {

// A device context drawing into *image, clipped to clip (an empty region means no clip).
HDC createImageDC(QImage* image, const QRegion& clip);
// Ends drawing and frees a context made by createImageDC.
void releaseImageDC(HDC dc);

// The image a context draws into: its window's image or its selected bitmap's; nullptr for a
// null context or one that still holds the stock 1 x 1 bitmap.
QImage* targetImage(HDC dc);
// The image behind a bitmap; nullptr for a null one.
const QImage* bitmapImage(HBITMAP bitmap);
// The pixels of a region; empty for a null one.
QRegion regionPixels(HRGN region);
// Replaces the pixels of a region (for window regions and update regions).
void setRegionPixels(HRGN region, const QRegion& pixels);
// The toolkit font behind a font handle; the default GUI font for nullptr.
QFont toolkitFont(HFONT font);
// A colour reference as a toolkit colour (fully opaque).
QColor toolkitColor(COLORREF color);
// A toolkit colour as a colour reference (alpha dropped).
COLORREF colorRef(const QColor& color);

} // namespace platform::gdi
