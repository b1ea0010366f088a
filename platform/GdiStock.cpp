#include "platform/GdiFontImpl.h"
#include "platform/GdiObjects.h"

#include <array>
#include <memory>

namespace platform::gdi {

namespace {

constexpr int kStockCount = DEFAULT_GUI_FONT + 1;
constexpr int kSysColorCount = COLOR_STATICTEXT + 1;

// The library's own objects. They live for the whole process (never destroyed), so no context
// or window torn down late can outlive them.
struct StockObjects {
    std::array<std::unique_ptr<Object>, kStockCount> objects;
    std::array<std::unique_ptr<BrushImpl>, kSysColorCount> sysColorBrushes;
    std::unique_ptr<BitmapImpl> bitmap;
};

template <typename T> T* markStock(std::unique_ptr<T>& slot) {
    slot->stock = true;
    return slot.get();
}

std::unique_ptr<Object> makeStockFont(LONG height) {
    LOGFONTW description;
    description.lfHeight = height;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    auto font = std::make_unique<FontImpl>(description);
    font->stock = true;
    return font;
}

template <typename T, typename... Args> std::unique_ptr<Object> makeStock(Args... args) {
    auto object = std::make_unique<T>(args...);
    object->stock = true;
    return object;
}

StockObjects& stockObjects() {
    static StockObjects* const stock = [] {
        auto made = std::make_unique<StockObjects>();
        auto& objects = made->objects;
        objects[WHITE_BRUSH] = makeStock<BrushImpl>(BS_SOLID, RGB(255, 255, 255));
        objects[LTGRAY_BRUSH] = makeStock<BrushImpl>(BS_SOLID, RGB(192, 192, 192));
        objects[GRAY_BRUSH] = makeStock<BrushImpl>(BS_SOLID, RGB(128, 128, 128));
        objects[DKGRAY_BRUSH] = makeStock<BrushImpl>(BS_SOLID, RGB(64, 64, 64));
        objects[BLACK_BRUSH] = makeStock<BrushImpl>(BS_SOLID, RGB(0, 0, 0));
        objects[NULL_BRUSH] = makeStock<BrushImpl>(BS_NULL, RGB(0, 0, 0));
        objects[WHITE_PEN] = makeStock<PenImpl>(PS_SOLID, 1, RGB(255, 255, 255));
        objects[BLACK_PEN] = makeStock<PenImpl>(PS_SOLID, 1, RGB(0, 0, 0));
        objects[NULL_PEN] = makeStock<PenImpl>(PS_NULL, 1, RGB(0, 0, 0));
        // Labels use a 9-point face, text areas a 12-point one, all from the default face.
        objects[DEFAULT_GUI_FONT] = makeStockFont(-12);
        objects[SYSTEM_FONT] = makeStockFont(-16);
        objects[SYSTEM_FIXED_FONT] = makeStockFont(-16);
        objects[ANSI_FIXED_FONT] = makeStockFont(-16);
        objects[ANSI_VAR_FONT] = makeStockFont(-12);
        objects[DEVICE_DEFAULT_FONT] = makeStockFont(-16);
        for (int index = 0; index < kSysColorCount; ++index) {
            made->sysColorBrushes[static_cast<std::size_t>(index)] =
                std::make_unique<BrushImpl>(BS_SOLID, 0);
            made->sysColorBrushes[static_cast<std::size_t>(index)]->sysColorIndex = index;
            markStock(made->sysColorBrushes[static_cast<std::size_t>(index)]);
        }
        QImage pixel(1, 1, QImage::Format_RGB32);
        pixel.fill(Qt::black);
        made->bitmap = std::make_unique<BitmapImpl>(std::move(pixel));
        markStock(made->bitmap);
        return made.release();
    }();
    return *stock;
}

} // namespace

HBITMAP stockBitmap() {
    return stockObjects().bitmap.get();
}

HFONT defaultFont() {
    return GetStockFont(SYSTEM_FONT);
}

} // namespace platform::gdi

using namespace platform::gdi;

HGDIOBJ GetStockObject(int index) {
    if (index < 0 || index >= kStockCount)
        return nullptr;
    return stockObjects().objects[static_cast<std::size_t>(index)].get();
}

HFONT GetStockFont(int index) {
    return dynamic_cast<HFONT>(GetStockObject(index));
}
HPEN GetStockPen(int index) {
    return dynamic_cast<HPEN>(GetStockObject(index));
}
HBRUSH GetStockBrush(int index) {
    return dynamic_cast<HBRUSH>(GetStockObject(index));
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kSysColorCount)
        return nullptr;
    return stockObjects().sysColorBrushes[static_cast<std::size_t>(index)].get();
}
