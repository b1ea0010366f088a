#pragma once
// The application side of an edit window: the main view's "nEdit" control, or the jump bar's
// single-line number field. It creates the right kind of window, turns the editing commands
// of the menus into control messages, adds the device behaviour around the control (context
// menu, volume-key scrolling, the wrap column of the screen's orientation, modified and focus
// notifications to its parent) and carries the search state the search operations use.

#include "platform/WindowObject.h"

#include <string>
#include <string_view>

namespace search {

class CEditor : public platform::WindowObject {
public:
    // The longest selection offered as a search seed, and the longest selection copied for a
    // template.
    static constexpr std::size_t kMaxSeedLength = 64;
    static constexpr std::size_t kMaxSelectedText = 1048576;

    CEditor() = default;

    // Creates the window: an "nEdit" control when style has ES_MULTILINE, else the platform's
    // single-line edit control. False when creation fails.
    bool Create(DWORD style, const RECT& rect, HWND parent, int id);

    // Settings pushed into the control, one message each.
    void SetWordWrap(bool on);
    void SetText(std::u16string_view text);
    const char16_t* GetBuffer() const;
    void SetSymbols(UINT bits);
    void SetColor(int slot, COLORREF color);
    void SetLineSpacing(int pixels);
    void SetUnderline(bool on);
    void SetNoImeOnFocus(bool on);
    void SetBackspaceInChar(bool on);
    void SetLineNumbers(bool on);
    // Centres the caret line and repaints everything.
    void Refresh();
    // Keeps both wrap columns and applies the one of the screen's orientation now.
    void SetWrapColumns(int portrait, int landscape);
    // The search flags the search operations use.
    void SetSearchFlags(bool useRegex, bool ignoreCase);
    bool UseRegex() const { return useRegex_; }
    bool IgnoreCase() const { return ignoreCase_; }
    // What the volume keys and the wheel scroll (a VolumeScrollMode value; Pocket PC only).
    void SetScrollMode(int mode) { scrollMode_ = mode; }
    // Marks the text unchanged; the next change is reported to the parent again.
    void MarkUnmodified();

    // The selection as a search seed: empty when longer than kMaxSeedLength characters or
    // holding a line feed.
    std::u16string InitialFindText();
    // At most kMaxSelectedText characters of the selection.
    std::u16string GetSelectedText() const;
    // Puts the caret at the start of line min(n, line count) - 1 (0: the caret's own line).
    void GoToLine(int n);
    // Scrolls by the volume mode (Pocket PC only): lines, or a page key stroke.
    void ScrollByMode(bool up);

    // The search commands on this window's text with the editor's search flags (SearchDriver.h
    // says what each does). FindNext and ReplaceOne answer whether they found a match;
    // ReplaceAll answers the number of replacements.
    bool FindNext(std::u16string_view pattern, bool forward, bool include);
    bool ReplaceOne(std::u16string_view pattern, std::u16string_view replacement, bool forward);
    int ReplaceAll(std::u16string_view pattern, std::u16string_view replacement);

    bool preTranslateMessage(MSG& msg) override;
    const platform::MessageMap& messageMap() const override;
    const platform::CommandMap& commandMap() const override;

private:
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnReflectedCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnterMenuLoop(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitMenuLoop(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseWheel(WPARAM wParam, LPARAM lParam);

    void OnCopy();
    void OnCut();
    void OnPaste();
    void OnUndo();
    void OnSelectAll();
    void OnShiftLock();
    void OnFirstLine();
    void OnLastLine();
    void OnPreviousPage();
    void OnNextPage();

    // Tells the parent the control's modified state when it differs from the last one told.
    void ReportModified();
    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int currentWrapColumn() const;

    LRESULT lastModified_ = 0;
    bool keyScrollArmed_ = false;
    bool useRegex_ = false;
    bool ignoreCase_ = false;
    int scrollMode_ = 0;
    int wrapColumnPortrait_ = 0;
    int wrapColumnLandscape_ = 0;
};

} // namespace search
