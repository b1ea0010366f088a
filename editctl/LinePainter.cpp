#include "editctl/LinePainter.h"

#include "editctl/ColorSlots.h"
#include "editctl/EditState.h"
#include "editctl/Gutter.h"

#include <algorithm>

namespace editctl {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kTab = u'\t';
constexpr char16_t kSpace = u' ';
constexpr char16_t kIdeographicSpace = u'\u3000';
// Runs are drawn with one text call each and never hold more characters than this.
constexpr int kRunLimit = 256;

} // namespace

LinePainter::LinePainter(EditState& state, HDC strip, const PaintArea& area)
    : state_(state), dc_(strip), area_(area), lineHeight_(state.layout.lineHeight),
      textTop_(state.layout.lineSpacing / 2), selectionStart_(std::min(state.anchor, state.caret)),
      selectionEnd_(std::max(state.anchor, state.caret)), window_(resolvedColor(state, NEC_WINDOW)),
      windowText_(resolvedColor(state, NEC_WINDOWTEXT)),
      highlight_(resolvedColor(state, NEC_HIGHLIGHT)),
      highlightText_(resolvedColor(state, NEC_HIGHLIGHTTEXT)),
      underline_(resolvedColor(state, NEC_UNDERLINE)) {
    SetTextColor(dc_, windowText_);
    SetBkColor(dc_, window_);
    state_.drawingSelected = false;
}

bool LinePainter::shownSelected(int index) const noexcept {
    return area_.selectionShown && index >= selectionStart_ && index < selectionEnd_;
}

void LinePainter::flushRun() {
    const int end = runX_ + runWidth_;
    if (runLength_ > 0 && end > area_.left) {
        const RECT cell{runX_, 0, end, lineHeight_};
        if (state_.drawingSelected) {
            SetTextColor(dc_, highlightText_);
            SetBkColor(dc_, highlight_);
        }
        ExtTextOutW(dc_, runX_, textTop_, ETO_OPAQUE, &cell, runText_,
                    static_cast<UINT>(runLength_), advances_.data());
        if (state_.drawingSelected) {
            SetTextColor(dc_, windowText_);
            SetBkColor(dc_, window_);
        }
    }
    runX_ = end;
    runWidth_ = 0;
    runLength_ = 0;
}

void LinePainter::drawCell(SymbolKind kind, int x1, bool selected, bool showSymbol) {
    if (x1 > area_.left) {
        SymbolCell cell;
        cell.kind = kind;
        cell.x0 = runX_;
        cell.x1 = x1;
        cell.lineHeight = lineHeight_;
        cell.textTop = textTop_;
        cell.showSymbol = showSymbol;
        cell.fill = selected ? highlight_ : window_;
        cell.stroke = selected ? highlightText_ : highlight_;
        drawSymbolCell(dc_, cell);
    }
    runX_ = x1;
}

void LinePainter::paintLine(int line) {
    const LayoutParams& layout = state_.layout;
    const UINT symbols = state_.symbols;
    const int start = static_cast<int>(state_.lines.start(line));
    const int end = static_cast<int>(state_.lines.start(line + 1));
    const int origin = layout.margins.left - state_.horizontalPosition * layout.cellWidth;
    runX_ = origin;
    runWidth_ = 0;
    runLength_ = 0;

    const TextStore::Spans spans = state_.text.spansFrom(start);
    int index = start;
    bool finished = false;
    for (int k = 0; k < spans.count && !finished; ++k) {
        // A run never reaches from one buffer into the next.
        flushRun();
        const TextStore::Span& piece = spans.parts[static_cast<std::size_t>(k)];
        const char16_t* p = piece.data;
        for (int n = 0; n < piece.length && index < end; ++n, ++p, ++index) {
            if (runX_ + runWidth_ > area_.right) {
                finished = true;
                break;
            }
            const char16_t ch = *p;
            const bool selected = shownSelected(index);
            if (ch == kCr) {
                flushRun();
                drawCell(SymbolKind::LineBreak, runX_ + layout.cellWidth, selected,
                         (symbols & NES_LINEBREAK) != 0);
                finished = true;
                break;
            }
            if (ch == kTab) {
                flushRun();
                const auto stop = LineLayout::tabStop(runX_ - origin, std::max(layout.tabSize, 1),
                                                      layout.cellWidth);
                drawCell(SymbolKind::Tab, origin + static_cast<int>(stop), selected,
                         (symbols & NES_TAB) != 0);
                continue;
            }
            const bool spaceCell = ch == kSpace && (symbols & NES_SPACE) != 0;
            const bool wideSpaceCell = ch == kIdeographicSpace && (symbols & NES_WIDESPACE) != 0;
            if (spaceCell || wideSpaceCell) {
                flushRun();
                drawCell(spaceCell ? SymbolKind::Space : SymbolKind::WideSpace,
                         runX_ + state_.widths.width(ch), selected, true);
                continue;
            }
            if (runLength_ > 0 && (selected != state_.drawingSelected || index % kRunLimit == 0)) {
                flushRun();
            }
            if (runLength_ == 0) {
                runText_ = p;
                state_.drawingSelected = selected;
            }
            const int width = state_.widths.width(ch);
            advances_[static_cast<std::size_t>(runLength_++)] = width;
            runWidth_ += width;
        }
    }
    flushRun();
    drawLineDecorations(line);
}

void LinePainter::drawLineDecorations(int line) {
    const LayoutParams& layout = state_.layout;
    if ((state_.options & NEO_LINENUMBERS) != 0) {
        GutterLine gutter;
        gutter.number = line + 1;
        gutter.digits = layout.lineNumberDigits;
        gutter.zeroWidth = state_.widths.width(u'0');
        gutter.lineHeight = lineHeight_;
        gutter.textTop = textTop_;
        gutter.text = windowText_;
        gutter.background = window_;
        drawGutter(dc_, gutter);
    }
    if ((state_.options & NEO_UNDERLINE) != 0 && line == area_.caretLine) {
        const HPEN pen = CreatePen(PS_SOLID, 1, underline_);
        const HPEN previous = SelectObject(dc_, pen);
        MoveToEx(dc_, area_.left, lineHeight_ - 1, nullptr);
        LineTo(dc_, area_.right, lineHeight_ - 1);
        SelectObject(dc_, previous);
        DeleteObject(pen);
    }
}

} // namespace editctl
