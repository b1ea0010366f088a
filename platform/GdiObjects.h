#pragma once
// The concrete drawing objects behind the handles, and the bookkeeping that keeps a selected
// object alive until it is deselected.

#include "platform/Gdi.h"

#include <QColor>
#include <QImage>
#include <QRegion>

namespace platform::gdi {

// Selection bookkeeping shared by every concrete object.
class Managed {
public:
    virtual ~Managed() = default;
    // OBJ_FONT, OBJ_PEN, ... for this object.
    virtual DWORD objectType() const = 0;

    bool stock = false;         // owned by the library, never freed by DeleteObject
    int selections = 0;         // how many contexts hold it selected
    bool deletePending = false; // DeleteObject came while it was selected
};

// Finds the bookkeeping of a handle; nullptr for null.
Managed* managed(HGDIOBJ object);
// Counts a selection of object (may be null).
void noteSelected(HGDIOBJ object);
// Counts a deselection of object (may be null) and frees it when a deletion is pending.
void noteDeselected(HGDIOBJ object);

class PenImpl final : public Pen, public Managed {
public:
    PenImpl(int style, int width, COLORREF color) : style(style), width(width), color(color) {}
    DWORD objectType() const override { return OBJ_PEN; }

    int style;
    int width; // at least 1
    COLORREF color;
};

class BrushImpl final : public Brush, public Managed {
public:
    BrushImpl(UINT style, COLORREF color) : style(style), color(color) {}
    DWORD objectType() const override { return OBJ_BRUSH; }

    // The colour to paint with: a system-colour brush follows the current palette.
    COLORREF currentColor() const {
        return sysColorIndex >= 0 ? GetSysColor(sysColorIndex) : color;
    }

    UINT style;
    COLORREF color;
    int sysColorIndex = -1; // >= 0 for the brushes of GetSysColorBrush
};

class BitmapImpl final : public Bitmap, public Managed {
public:
    explicit BitmapImpl(QImage image) : image(std::move(image)) {}
    DWORD objectType() const override { return OBJ_BITMAP; }

    QImage image;
};

class RegionImpl final : public Region, public Managed {
public:
    explicit RegionImpl(QRegion pixels) : pixels(std::move(pixels)) {}
    DWORD objectType() const override { return OBJ_REGION; }

    QRegion pixels;
};

// The concrete object behind a handle, or nullptr for null or the wrong kind.
PenImpl* penOf(HPEN pen);
BrushImpl* brushOf(HBRUSH brush);
BitmapImpl* bitmapOf(HBITMAP bitmap);
RegionImpl* regionOf(HRGN region);

// The stock 1 x 1 bitmap that a new memory context holds.
HBITMAP stockBitmap();
// The kind of a region: NULLREGION, SIMPLEREGION or COMPLEXREGION.
int regionKind(const QRegion& pixels);

} // namespace platform::gdi
