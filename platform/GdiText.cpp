#include "platform/GdiDeviceContext.h"
#include "platform/GdiInternal.h"
#include "platform/GdiTestFont.h"

#include <QGlyphRun>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::gdi {

namespace {

// The advance of each code unit: the caller's, or the font's single widths.
std::vector<int> advancesOf(FontImpl& font, std::u16string_view text, const int* dx) {
    std::vector<int> advances(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        advances[i] = dx != nullptr ? dx[i] : font.width(text[i]);
    return advances;
}

long sumOf(const std::vector<int>& advances) {
    long total = 0;
    for (int advance : advances)
        total += advance;
    return total;
}

// Draws real glyphs at exactly the given advances, one glyph run per fallback face.
void drawGlyphs(QPainter& painter, FontImpl& font, QPoint baselineStart, std::u16string_view text,
                const std::vector<int>& advances) {
    int face = -1;
    QList<quint32> indexes;
    QList<QPointF> positions;
    const auto flush = [&] {
        if (face >= 0 && !indexes.isEmpty()) {
            QGlyphRun run;
            run.setRawFont(font.face(face));
            run.setGlyphIndexes(indexes);
            run.setPositions(positions);
            painter.drawGlyphRun(QPointF(0, 0), run);
        }
        indexes.clear();
        positions.clear();
    };
    int x = baselineStart.x();
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t codePoint = text[i];
        const int at = x;
        x += advances[i];
        if (QChar::isHighSurrogate(text[i]) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1])) {
            codePoint = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
            x += advances[i];
        }
        const FontImpl::Glyph glyph = font.glyph(codePoint);
        if (glyph.face < 0)
            continue;
        if (glyph.face != face) {
            flush();
            face = glyph.face;
        }
        indexes.push_back(glyph.index);
        positions.push_back(QPointF(at, baselineStart.y()));
    }
    flush();
}

// Underline and strike-out span the whole run, spaces included.
void drawDecorations(QPainter& painter, const FontImpl& font, QPoint baselineStart, int width,
                     const QColor& color) {
    const QFont& qfont = font.toolkitFont();
    if (!qfont.underline() && !qfont.strikeOut())
        return;
    const QFontMetrics metrics(qfont);
    const int thickness = std::max(1, metrics.lineWidth());
    if (qfont.underline())
        painter.fillRect(
            QRect(baselineStart.x(), baselineStart.y() + metrics.underlinePos(), width, thickness),
            color);
    if (qfont.strikeOut())
        painter.fillRect(
            QRect(baselineStart.x(), baselineStart.y() - metrics.strikeOutPos(), width, thickness),
            color);
}

struct TextPlacement {
    QPoint cellTopLeft;              // device pixels
    std::optional<QRect> opaqueRect; // filled with the background colour
    std::optional<QRect> clipRect;   // clips the text (an empty one hides it)
};

// Draws text whose cell starts at placement.cellTopLeft.
void drawText(DeviceContext& dc, std::u16string_view text, const std::vector<int>& advances,
              const TextPlacement& placement) {
    QPainter* painter = dc.painter();
    if (painter == nullptr)
        return;
    FontImpl& font = dc.fontImpl();
    const int width = static_cast<int>(sumOf(advances));
    if (placement.clipRect)
        dc.narrowClip(*placement.clipRect);
    if (placement.opaqueRect)
        painter->fillRect(*placement.opaqueRect, toolkitColor(dc.bkColor));
    const QColor color = toolkitColor(dc.textColor);
    if (font.isTestFont()) {
        testfont::drawBoxes(*painter, placement.cellTopLeft, text, advances.data(), color);
    } else {
        const QPoint baseline = placement.cellTopLeft + QPoint(0, font.textMetrics().tmAscent);
        painter->setPen(color);
        drawGlyphs(*painter, font, baseline, text, advances);
        drawDecorations(*painter, font, baseline, width, color);
    }
    if (placement.clipRect)
        dc.applyClip();
}

std::u16string_view textView(const WCHAR* text, int count) {
    if (text == nullptr || count <= 0)
        return {};
    return {text, static_cast<std::size_t>(count)};
}

} // namespace

} // namespace platform::gdi

using namespace platform::gdi;

COLORREF SetTextColor(HDC dc, COLORREF color) {
    if (dc == nullptr)
        return CLR_INVALID;
    return std::exchange(dc->textColor, color);
}

COLORREF GetTextColor(HDC dc) {
    return dc != nullptr ? dc->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    if (dc == nullptr)
        return CLR_INVALID;
    return std::exchange(dc->bkColor, color);
}

COLORREF GetBkColor(HDC dc) {
    return dc != nullptr ? dc->bkColor : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
    if (dc == nullptr || (mode != OPAQUE && mode != TRANSPARENT))
        return 0;
    return std::exchange(dc->bkMode, mode);
}

int GetBkMode(HDC dc) {
    return dc != nullptr ? dc->bkMode : 0;
}

UINT SetTextAlign(HDC dc, UINT align) {
    if (dc == nullptr)
        return GDI_ERROR;
    return std::exchange(dc->textAlign, align);
}

UINT GetTextAlign(HDC dc) {
    return dc != nullptr ? dc->textAlign : GDI_ERROR;
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* rect, const WCHAR* text,
                 UINT count, const int* dx) {
    if (dc == nullptr || (text == nullptr && count > 0) || count > 0x7FFFFFFF)
        return FALSE;
    const std::u16string_view view(text != nullptr ? text : u"", count);
    FontImpl& font = dc->fontImpl();
    const TEXTMETRICW& metrics = font.textMetrics();
    const std::vector<int> advances = advancesOf(font, view, dx);
    const int width = static_cast<int>(sumOf(advances));

    const UINT align = dc->textAlign;
    if ((align & TA_UPDATECP) != 0) {
        x = dc->position.x;
        y = dc->position.y;
    }
    int left = x;
    if ((align & TA_CENTER) == TA_CENTER)
        left = x - width / 2;
    else if ((align & TA_RIGHT) != 0)
        left = x - width;
    int top = y;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = y - metrics.tmAscent;
    else if ((align & TA_BOTTOM) != 0)
        top = y - metrics.tmHeight;
    if ((align & TA_UPDATECP) != 0) {
        if ((align & TA_CENTER) == TA_LEFT)
            dc->position.x += width;
        else if ((align & TA_CENTER) == TA_RIGHT)
            dc->position.x -= width;
    }

    TextPlacement placement;
    placement.cellTopLeft = dc->toDevice(left, top);
    const QRect given = rect != nullptr ? dc->toDevice(*rect) : QRect();
    if ((options & ETO_CLIPPED) != 0 && rect != nullptr)
        placement.clipRect = given;
    if ((options & ETO_OPAQUE) != 0 && rect != nullptr)
        placement.opaqueRect = given;
    else if (dc->bkMode == OPAQUE && width > 0)
        placement.opaqueRect = QRect(placement.cellTopLeft, QSize(width, metrics.tmHeight));
    if (placement.clipRect && placement.opaqueRect)
        *placement.opaqueRect &= *placement.clipRect;
    drawText(*dc, view, advances, placement);
    return TRUE;
}

BOOL TextOutW(HDC dc, int x, int y, const WCHAR* text, int count) {
    if (count < 0)
        return FALSE;
    return ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL GetTextExtentPoint32W(HDC dc, const WCHAR* text, int count, SIZE* size) {
    if (dc == nullptr || size == nullptr || count < 0 || (text == nullptr && count > 0))
        return FALSE;
    FontImpl& font = dc->fontImpl();
    size->cx = static_cast<LONG>(font.extent(textView(text, count)));
    size->cy = font.textMetrics().tmHeight;
    return TRUE;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    if (dc == nullptr || metrics == nullptr)
        return FALSE;
    *metrics = dc->fontImpl().textMetrics();
    return TRUE;
}

int DrawTextW(HDC dc, const WCHAR* text, int count, RECT* rect, UINT format) {
    if (dc == nullptr || rect == nullptr || count < -1 || (text == nullptr && count != 0))
        return 0;
    if (count == -1)
        count = static_cast<int>(std::char_traits<char16_t>::length(text));
    std::u16string shown;
    int mnemonic = -1;
    for (int i = 0; i < count; ++i) {
        if ((format & DT_NOPREFIX) == 0 && text[i] == u'&' && i + 1 < count) {
            ++i;
            if (text[i] != u'&' && mnemonic < 0)
                mnemonic = static_cast<int>(shown.size());
        }
        shown.push_back(text[i]);
    }
    FontImpl& font = dc->fontImpl();
    const TEXTMETRICW& metrics = font.textMetrics();
    const std::vector<int> advances = advancesOf(font, shown, nullptr);
    const int width = static_cast<int>(sumOf(advances));
    const int height = metrics.tmHeight;
    if ((format & DT_CALCRECT) != 0) {
        rect->right = rect->left + width;
        rect->bottom = rect->top + height;
        return height;
    }
    int left = rect->left;
    if ((format & DT_CENTER) != 0)
        left = rect->left + (rect->right - rect->left - width) / 2;
    else if ((format & DT_RIGHT) != 0)
        left = rect->right - width;
    int top = rect->top;
    if ((format & DT_VCENTER) != 0)
        top = rect->top + (rect->bottom - rect->top - height) / 2;
    else if ((format & DT_BOTTOM) != 0)
        top = rect->bottom - height;

    TextPlacement placement;
    placement.cellTopLeft = dc->toDevice(left, top);
    if ((format & DT_NOCLIP) == 0)
        placement.clipRect = dc->toDevice(*rect);
    if (dc->bkMode == OPAQUE && width > 0)
        placement.opaqueRect = QRect(placement.cellTopLeft, QSize(width, height));
    if (placement.clipRect && placement.opaqueRect)
        *placement.opaqueRect &= *placement.clipRect;
    drawText(*dc, shown, advances, placement);
    if (mnemonic >= 0) {
        int x = placement.cellTopLeft.x();
        for (int i = 0; i < mnemonic; ++i)
            x += advances[static_cast<std::size_t>(i)];
        if (QPainter* painter = dc->painter()) {
            if (placement.clipRect)
                dc->narrowClip(*placement.clipRect);
            painter->fillRect(QRect(x, placement.cellTopLeft.y() + metrics.tmAscent + 1,
                                    advances[static_cast<std::size_t>(mnemonic)], 1),
                              toolkitColor(dc->textColor));
            dc->applyClip();
        }
    }
    return height;
}
