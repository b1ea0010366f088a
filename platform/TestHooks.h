#pragma once
// Hooks for tests: answers for modal loops queued in advance, pumping the posted queue,
// reading a window's pixels, and synthetic input sent through the toolkit's real event path
// (so the translation into messages is what is tested). The real program never uses these.

#include "platform/WinTypes.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::test {

// The next MessageBox returns result without showing anything.
void queueMessageBoxAnswer(int result);
// The next TrackPopupMenu chooses id (0: dismissed) without showing anything.
void queuePopupMenuAnswer(UINT id);

struct MessageBoxCall {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
    int result;
};
struct MenuItemInfo {
    UINT flags; // MF_SEPARATOR, MF_GRAYED, MF_CHECKED, MF_POPUP as appended
    UINT_PTR id;
    std::u16string text;
    std::vector<MenuItemInfo> submenu; // the items of the submenu an MF_POPUP item opens
};
struct PopupMenuCall {
    HWND owner;
    POINT at;
    UINT flags;
    std::vector<MenuItemInfo> items;
    UINT chosen;
};
// The message boxes and popup menus shown since the last call, oldest first; clears the log.
std::vector<MessageBoxCall> takeMessageBoxCalls();
std::vector<PopupMenuCall> takePopupMenuCalls();

// Forgets every answer queued for message boxes, popup menus, dialogs and file dialogs and
// what they recorded, so an answer one test left unused cannot reach the next.
void forgetModalAnswers();

// The next GetOpenFileName or GetSaveFileName answers `path` (nullopt: cancelled) without
// showing anything; an overwrite prompt it raises still asks through MessageBox.
void queueFileDialogAnswer(std::optional<std::u16string> path);
struct FileDialogCall {
    bool save;
    HWND owner;
    std::u16string title;
    std::vector<std::u16string> filter; // description, pattern, description, pattern, ...
    std::u16string initialFolder;
    std::u16string initialName;
    DWORD flags;
    std::optional<std::u16string> answer;
};
// The file dialogs shown since the last call, oldest first; clears the log.
std::vector<FileDialogCall> takeFileDialogCalls();

// Drops files from the desktop onto the client point (x, y) of hwnd through the toolkit's
// real drag-and-drop events; false when the drop was refused (no window there accepts files).
bool dropFiles(HWND hwnd, const std::vector<std::u16string>& paths, int x, int y);

// Makes every later LocalAlloc of more than `bytes` fail as if memory were exhausted; SIZE_MAX
// lets every request through again.
void failLocalAllocAbove(std::size_t bytes);

// Runs posted messages, pending paints and deferred deletions until none is left (bounded,
// so a window that keeps posting to itself cannot hang a test).
void pumpMessages();
// Waits up to milliseconds for timers, running the queue meanwhile.
void pumpFor(int milliseconds);
// Runs the queue, waiting for timers and the desktop's events, until condition() holds or
// milliseconds pass; returns whether it held. It returns as soon as it holds, so the bound can be
// generous for a loaded machine.
bool pumpUntil(const std::function<bool()>& condition, int milliseconds = 10000);

// The colour of a client-area pixel as last painted (the caret is not included); ~0u when
// the point lies outside.
COLORREF clientPixel(HWND hwnd, int x, int y);
// The colour of a client-area pixel as the screen shows it (caret included); ~0u outside.
COLORREF screenPixel(HWND hwnd, int x, int y);
// Saves the window as it appears on screen (scroll bars and caret included) to a PNG file.
bool grabToPng(HWND hwnd, const std::string& path);

// Keyboard modifiers for synthetic input.
enum Modifier : unsigned { None = 0, Shift = 1, Control = 2, Alt = 4 };
// Presses and releases a key given as a virtual-key code, with modifiers held; the event's
// text is what the key types (letters lower-case unless Shift, control characters with
// Control), as a keyboard would deliver it.
void pressKey(HWND hwnd, int virtualKey, unsigned modifiers = None);
// Delivers typed text the way a keyboard layout without a virtual key delivers it (key code
// unknown, the characters in the event's text).
void typeText(HWND hwnd, const std::u16string& text);
// Mouse actions at client coordinates of hwnd.
enum class MouseButton { Left, Right };
void mousePress(HWND hwnd, MouseButton button, int x, int y, unsigned modifiers = None);
void mouseRelease(HWND hwnd, MouseButton button, int x, int y, unsigned modifiers = None);
void mouseDoubleClick(HWND hwnd, MouseButton button, int x, int y, unsigned modifiers = None);
void mouseMove(HWND hwnd, int x, int y, bool leftHeld, unsigned modifiers = None);
void mouseWheel(HWND hwnd, int x, int y, int delta, unsigned modifiers = None);
// Clicks a point given in the window's outer coordinates (scroll bars included): the click
// lands on whatever widget is there.
void clickAt(HWND hwnd, int x, int y);
// Performs a user action on a scroll bar (SB_VERT or SB_HORZ): SB_LINEUP .. SB_PAGEDOWN,
// SB_TOP, SB_BOTTOM, or a thumb drag to trackPos ending in SB_THUMBPOSITION.
void scrollBarAction(HWND hwnd, int bar, int code, int trackPos = 0);
// Whether the bar is shown and enabled as the user sees it.
bool scrollBarVisible(HWND hwnd, int bar);
bool scrollBarEnabled(HWND hwnd, int bar);

// The desktop clipboard's text as other programs see it, and setting it as they would.
std::u16string desktopClipboardText();
void setDesktopClipboardText(const std::u16string& text);

// The desktop's input method as the toolkit delivers it: nothing reaches a window that does
// not accept input methods now (no attached, open context). A preedit comes in clauses
// formatted as the input method formats them: input and converted clauses dashed-underlined,
// the clause being converted in the highlight colours. One event may commit text as well.
enum class ClauseKind { Input, Target, Converted };
struct PreeditClause {
    int length;
    ClauseKind kind;
};
void inputMethodPreedit(HWND hwnd, const std::u16string& text,
                        const std::vector<PreeditClause>& clauses, int cursor,
                        const std::u16string& commit = {});
// The same with format ranges as given, inside the preedit or not (highlighted: the target's
// look; otherwise dashed), and no cursor attribute for a negative cursor.
struct PreeditFormat {
    int start;
    int length;
    bool highlighted;
};
void inputMethodEvent(HWND hwnd, const std::u16string& preedit,
                      const std::vector<PreeditFormat>& formats, int cursor,
                      const std::u16string& commit);
// Commits text; the preedit empties.
void inputMethodCommit(HWND hwnd, const std::u16string& text);
// What the input method learns by asking hwnd: whether it accepts input methods, and the
// rectangle (client coordinates) its candidate window goes under.
bool inputMethodAccepted(HWND hwnd);
RECT inputMethodCursorRectangle(HWND hwnd);
// The system's composition window's text while it is shown; empty otherwise.
std::u16string systemCompositionText();

struct CaretState {
    HWND owner;
    RECT rect;
    bool shown;
};
// The caret as the platform draws it.
CaretState caretState();

} // namespace platform::test
