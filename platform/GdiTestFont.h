#pragma once
// The deterministic test font: fixed widths and boxes for glyphs, so that layout and pixel
// tests can predict every pixel.

#include <QColor>
#include <QPainter>
#include <QPoint>

#include <string_view>

namespace platform::gdi::testfont {

inline constexpr int kNarrow = 8; // code units below U+0100
inline constexpr int kWide = 16;  // every other code unit
inline constexpr int kHeight = 16;
inline constexpr int kAscent = 13;

// Whether a code unit is drawn as a box (spaces and control characters are not).
bool drawsBox(char16_t unit);
// Draws the boxes of text in a row whose cell top-left is cellTopLeft; advances (may be null)
// replace the fixed widths.
void drawBoxes(QPainter& painter, QPoint cellTopLeft, std::u16string_view text, const int* advances,
               const QColor& color);

} // namespace platform::gdi::testfont
