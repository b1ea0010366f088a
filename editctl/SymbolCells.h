#pragma once
// The cells that stand for invisible characters: line break, tab, half-width space and
// ideographic space. Each is filled over the whole line height, and its symbol is drawn on
// top when the symbol is switched on.

#include "platform/Gdi.h"

namespace editctl {

enum class SymbolKind { LineBreak, Tab, Space, WideSpace };

// Where a cell lies in the line strip and how it is coloured.
struct SymbolCell {
    SymbolKind kind = SymbolKind::LineBreak;
    int x0 = 0;         // left edge
    int x1 = 0;         // right edge (exclusive)
    int lineHeight = 0; // font height plus line spacing
    int textTop = 0;    // half the line spacing: where the text's top sits
    bool showSymbol = false;
    COLORREF fill = 0;   // window colour, or highlight when the cell is shown selected
    COLORREF stroke = 0; // highlight colour, or highlight text when shown selected
};

// Fills the cell and draws its symbol into dc with a pen made for it and freed again.
void drawSymbolCell(HDC dc, const SymbolCell& cell);

} // namespace editctl
