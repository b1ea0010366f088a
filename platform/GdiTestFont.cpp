#include "platform/GdiTestFont.h"
#include "platform/GdiFontImpl.h"

namespace platform::gdi {

void FontImpl::initTestFont() {
    // The toolkit font only stands in where a real one is unavoidable (standard controls).
    font_.setFamily(QString::fromStdU16String(defaultFaceName()));
    font_.setPixelSize(testfont::kHeight);
    fontMetrics_.emplace(font_);
    metrics_.tmHeight = testfont::kHeight;
    metrics_.tmAscent = testfont::kAscent;
    metrics_.tmDescent = testfont::kHeight - testfont::kAscent;
    metrics_.tmAveCharWidth = testfont::kNarrow;
    metrics_.tmMaxCharWidth = testfont::kWide;
    metrics_.tmWeight = description_.lfWeight == FW_DONTCARE ? FW_NORMAL : description_.lfWeight;
    metrics_.tmPitchAndFamily = TMPF_FIXED_PITCH;
    metrics_.tmCharSet = SHIFTJIS_CHARSET;
    fullWidth_ = testfont::kWide;
}

namespace testfont {

bool drawsBox(char16_t unit) {
    return unit > 0x20 && unit != 0x3000 && !(unit >= 0x7F && unit < 0xA0);
}

void drawBoxes(QPainter& painter, QPoint cellTopLeft, std::u16string_view text, const int* advances,
               const QColor& color) {
    int x = cellTopLeft.x();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int advance = advances != nullptr ? advances[i] : (text[i] < 0x100 ? kNarrow : kWide);
        const int glyphWidth = text[i] < 0x100 ? kNarrow : kWide;
        if (drawsBox(text[i]))
            painter.fillRect(QRect(x + 1, cellTopLeft.y() + 1, glyphWidth - 2, kAscent - 1), color);
        x += advance;
    }
}

} // namespace testfont

} // namespace platform::gdi
