#pragma once
// The per-window state record of an "nEdit" control: the text and its line table, layout
// measures, caret and selection, undo history and the drawing resources. One per control
// window, kept in its user-data slot from WM_CREATE to WM_DESTROY.

#include "editctl/BlockAllocator.h"
#include "editctl/CaseMapping.h"
#include "editctl/LayoutParams.h"
#include "editctl/LineLayout.h"
#include "editctl/LineTable.h"
#include "editctl/NEditMessages.h"
#include "editctl/TextStore.h"
#include "editctl/UndoHistory.h"
#include "editctl/WidthCache.h"
#include "platform/InputMethod.h"

#include <array>
#include <memory>

namespace editctl {

class CharMetrics;

struct EditState {
    // An empty text, laid out on nothing yet; throws COomEx when the buffers cannot be had.
    EditState();
    ~EditState();
    EditState(const EditState&) = delete;
    EditState& operator=(const EditState&) = delete;

    // Checks the text store, the line table and the undo history; false when any is broken.
    bool checkInvariants() const noexcept;
    // The case inserted and set text is put in (ES_LOWERCASE before ES_UPPERCASE).
    CaseMode caseMode() const noexcept;

    // Storage. The allocator comes first: everything below returns its buffers to it.
    BlockAllocator allocator;
    TextStore text{allocator};
    LineTable lines{allocator};
    UndoHistory undo{allocator};

    // Layout.
    LayoutParams layout;
    WidthCache widths;
    LineLayout layouter{text, lines, widths, layout};

    // Caret, selection and view position.
    int caret = 0;
    int anchor = 0;
    int rememberedColumn = 0; // pixel x for vertical moves; 0 = none
    bool insertMode = true;
    bool dragging = false;
    bool wordDrag = false;
    int wordStart = 0; // the double-tapped word
    int wordEnd = 0;
    bool readOnly = false;
    int textLimit = 0; // 0 = none
    int firstVisibleLine = 0;
    int maxFirstLine = 0;
    int horizontalPosition = 0; // in character cells
    int maxHorizontalPosition = 0;
    bool settleTimerRunning = false; // lines are being settled step by step

    // Modification tracking.
    bool modified = false;
    int savedPoint = 0; // undo position when the modified flag last went from 0 to 1

    // Window.
    HWND hwnd = nullptr;
    HWND imeWindow = nullptr;      // the "nImeComp" child
    HIMC keptImeContext = nullptr; // detached while read-only
    int controlId = 0;
    bool lowerCase = false;
    bool upperCase = false;
    bool noHideSel = false;
    UINT options = 0;
    UINT symbols = 0;
    bool imeUnderline = false;
    int caretWidth = 2;

    // Drawing resources, owned by the control.
    HDC memoryDc = nullptr;
    HBITMAP lineStrip = nullptr;
    HGDIOBJ previousBitmap = nullptr; // selected back before the strip is deleted
    HRGN marginRegion = nullptr;
    HFONT font = nullptr;           // the control's own copy of the font
    HGDIOBJ previousFont = nullptr; // the memory context's font before ours
    std::array<COLORREF, NEC_COUNT> colors{};
    bool drawingSelected = false; // selection state of the run being painted
    std::unique_ptr<CharMetrics> metrics;
};

} // namespace editctl
