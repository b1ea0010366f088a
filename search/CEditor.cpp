#include "search/CEditor.h"

#include "editctl/NEditMessages.h"
#include "platform/AppObject.h"
#include "platform/Device.h"
#include "platform/HandheldShell.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/UserMessages.h"

#include <algorithm>

namespace search {

namespace {

// Held together with Up or Down, this key makes their release scroll (Pocket PC only).
constexpr WPARAM kScrollModifierKey = 0x83;

bool onPocketPc() {
    return platform::platformKind() == platform::PlatformKind::PocketPc;
}

HWND mainWindow() {
    const platform::AppObject* app = platform::AppObject::current();
    return app != nullptr ? app->mainWindowHandle() : nullptr;
}

} // namespace

bool CEditor::Create(DWORD style, const RECT& rect, HWND parent, int id) {
    const bool multiLine = (style & ES_MULTILINE) != 0;
    if (!createEx(0, multiLine ? kNEditClassName : u"EDIT", multiLine ? nullptr : u"", style, rect,
                  parent, id))
        return false;
    send(NEM_SETIMEUNDERLINE, onPocketPc() ? 0 : 1);
    return true;
}

LRESULT CEditor::send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessage(hwnd(), message, wParam, lParam);
}

void CEditor::SetWordWrap(bool on) {
    send(NEM_SETWORDWRAP, on ? 1 : 0);
}

void CEditor::SetText(std::u16string_view text) {
    send(NEM_SETTEXTBYTES, text.size() * sizeof(char16_t), reinterpret_cast<LPARAM>(text.data()));
}

const char16_t* CEditor::GetBuffer() const {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    return reinterpret_cast<const char16_t*>(send(NEM_GETBUFFER));
}

void CEditor::SetSymbols(UINT bits) {
    send(NEM_SETSYMBOLS, bits);
}

void CEditor::SetColor(int slot, COLORREF color) {
    send(NEM_SETCOLOR, static_cast<WPARAM>(slot), static_cast<LPARAM>(color));
}

void CEditor::SetLineSpacing(int pixels) {
    send(NEM_SETLINESPACING, static_cast<WPARAM>(pixels));
}

void CEditor::SetUnderline(bool on) {
    send(NEM_SETOPTIONS, NEO_UNDERLINE, on ? NEO_UNDERLINE : 0);
}

void CEditor::SetNoImeOnFocus(bool on) {
    send(NEM_SETOPTIONS, NEO_NOIMEONFOCUS, on ? NEO_NOIMEONFOCUS : 0);
}

void CEditor::SetBackspaceInChar(bool on) {
    send(NEM_SETOPTIONS, NEO_BACKSPACEINCHAR, on ? NEO_BACKSPACEINCHAR : 0);
}

void CEditor::SetLineNumbers(bool on) {
    send(NEM_SETOPTIONS, NEO_LINENUMBERS, on ? NEO_LINENUMBERS : 0);
}

void CEditor::Refresh() {
    send(EM_SCROLLCARET, 1);
}

int CEditor::currentWrapColumn() const {
    return platform::screenIsPortrait() ? wrapColumnPortrait_ : wrapColumnLandscape_;
}

void CEditor::SetWrapColumns(int portrait, int landscape) {
    wrapColumnPortrait_ = portrait;
    wrapColumnLandscape_ = landscape;
    send(NEM_SETWRAPCOLUMN, static_cast<WPARAM>(currentWrapColumn()), 1);
}

void CEditor::SetSearchFlags(bool useRegex, bool ignoreCase) {
    useRegex_ = useRegex;
    ignoreCase_ = ignoreCase;
}

void CEditor::MarkUnmodified() {
    send(EM_SETMODIFY, 0);
    lastModified_ = 0;
}

std::u16string CEditor::InitialFindText() {
    const char16_t* text = GetBuffer();
    DWORD start = 0;
    DWORD end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (text == nullptr || end <= start || end - start > kMaxSeedLength)
        return {};
    std::u16string seed(text + start, text + end);
    // Inside the control a line ends with CR, so a seed spanning lines holds CR, not LF.
    if (seed.find_first_of(u"\r\n") != std::u16string::npos)
        return {};
    return seed;
}

std::u16string CEditor::GetSelectedText() const {
    const char16_t* text = GetBuffer();
    DWORD start = 0;
    DWORD end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (text == nullptr || end <= start)
        return {};
    const std::size_t count = std::min<std::size_t>(end - start, kMaxSelectedText);
    return std::u16string(text + start, count);
}

void CEditor::GoToLine(int n) {
    const auto lines = static_cast<int>(send(EM_GETLINECOUNT));
    const LRESULT index = send(EM_LINEINDEX, static_cast<WPARAM>(std::min(n, lines) - 1));
    send(EM_SETSEL, static_cast<WPARAM>(index), index);
    send(EM_SCROLLCARET);
}

void CEditor::ScrollByMode(bool up) {
    if (!onPocketPc())
        return;
    switch (scrollMode_) {
    case 1:
    case 2:
    case 3:
    case 4:
        send(EM_LINESCROLL, 0, (up ? -5 : 5) * scrollMode_);
        break;
    case 5:
        SendKeyStroke(static_cast<BYTE>(up ? VK_PRIOR : VK_NEXT));
        break;
    case 6:
        send(EM_LINESCROLL, 0, up ? -1 : 1);
        break;
    default:
        break;
    }
}

bool CEditor::preTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN) {
        // A soft key ends a pending shift lock.
        if (msg.wParam == static_cast<WPARAM>(VK_TSOFT1) ||
            msg.wParam == static_cast<WPARAM>(VK_TSOFT2))
            SendShiftKey(false);
        else if (msg.wParam == kScrollModifierKey && onPocketPc())
            keyScrollArmed_ = true;
    } else if (msg.message == WM_KEYUP && onPocketPc()) {
        const bool arrow =
            msg.wParam == static_cast<WPARAM>(VK_UP) || msg.wParam == static_cast<WPARAM>(VK_DOWN);
        if (arrow && keyScrollArmed_) {
            ScrollByMode(msg.wParam == static_cast<WPARAM>(VK_UP));
            return false;
        }
        if (msg.wParam == kScrollModifierKey)
            keyScrollArmed_ = false;
    }
    return WindowObject::preTranslateMessage(msg);
}

const platform::MessageMap& CEditor::messageMap() const {
    using platform::onMessage;
    static constexpr platform::MessageEntry entries[] = {
        onMessage<WM_CONTEXTMENU, &CEditor::OnContextMenu>(),
        onMessage<WM_SIZE, &CEditor::OnSize>(),
        onMessage<platform::WM_REFLECT + WM_COMMAND, &CEditor::OnReflectedCommand>(),
        onMessage<WM_SETFOCUS, &CEditor::OnSetFocus>(),
        onMessage<WM_ENTERMENULOOP, &CEditor::OnEnterMenuLoop>(),
        onMessage<WM_EXITMENULOOP, &CEditor::OnExitMenuLoop>(),
        onMessage<WM_MOUSEWHEEL, &CEditor::OnMouseWheel>(),
    };
    static const platform::MessageMap map{&WindowObject::messageMap(), entries};
    return map;
}

const platform::CommandMap& CEditor::commandMap() const {
    using platform::onCommand;
    static constexpr platform::CommandEntry entries[] = {
        onCommand<&CEditor::OnCopy>(ID_EDIT_COPY),
        onCommand<&CEditor::OnCut>(ID_EDIT_CUT),
        onCommand<&CEditor::OnPaste>(ID_EDIT_PASTE),
        onCommand<&CEditor::OnUndo>(ID_EDIT_UNDO),
        onCommand<&CEditor::OnSelectAll>(ID_EDIT_SELECTALL),
        onCommand<&CEditor::OnShiftLock>(ID_SHIFTLOCK),
        onCommand<&CEditor::OnFirstLine>(ID_GOTO_FIRSTLINE),
        onCommand<&CEditor::OnPreviousPage>(ID_GOTO_PREVPAGE),
        onCommand<&CEditor::OnNextPage>(ID_GOTO_NEXTPAGE),
        onCommand<&CEditor::OnLastLine>(ID_GOTO_LASTLINE),
    };
    static const platform::CommandMap map{&WindowObject::commandMap(), entries};
    return map;
}

LRESULT CEditor::OnContextMenu(WPARAM /*wParam*/, LPARAM lParam) {
    SendShiftKey(false);
    PostMessage(mainWindow(), UM_SHIFTLOCK, 0, 0);
    HMENU menu = resources::loadMenu(IDR_EDITMENU);
    if (menu == nullptr)
        return 0;
    if (HMENU popup = GetSubMenu(menu, 0); popup != nullptr) {
        if (platform::AppObject* app = platform::AppObject::current())
            app->prepareMenu(popup);
        const HWND self = hwnd();
        // The choice comes back here as a command, as a tracked menu would post it.
        const auto chosen = static_cast<UINT>(
            TrackPopupMenu(popup, TPM_NONOTIFY | TPM_RETURNCMD, GET_X_LPARAM(lParam),
                           GET_Y_LPARAM(lParam), 0, self, nullptr));
        if (chosen != 0)
            PostMessage(self, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    }
    DestroyMenu(menu);
    return 0;
}

LRESULT CEditor::OnSize(WPARAM wParam, LPARAM lParam) {
    send(NEM_SETWRAPCOLUMN, static_cast<WPARAM>(currentWrapColumn()), 0);
    const LRESULT result = defaultProc(WM_SIZE, wParam, lParam);
    send(EM_SCROLLCARET);
    return result;
}

LRESULT CEditor::OnReflectedCommand(WPARAM wParam, LPARAM /*lParam*/) {
    if (HIWORD(wParam) != EN_CHANGE)
        return 0;
    ReportModified();
    return 1;
}

void CEditor::ReportModified() {
    const LRESULT modified = send(EM_GETMODIFY);
    if (modified != lastModified_) {
        lastModified_ = modified;
        PostMessage(GetParent(hwnd()), UM_SETMODIFIED, static_cast<WPARAM>(modified), 0);
    }
}

LRESULT CEditor::OnSetFocus(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = defaultProc(WM_SETFOCUS, wParam, lParam);
    PostMessage(GetParent(hwnd()), UM_EDITFOCUS, reinterpret_cast<WPARAM>(hwnd()), 0);
    return result;
}

// The device status switch around menu loops belongs to the frame; the editor's context menu
// reports its loop there.
LRESULT CEditor::OnEnterMenuLoop(WPARAM wParam, LPARAM lParam) {
    if (onPocketPc())
        SendMessage(mainWindow(), WM_ENTERMENULOOP, wParam, lParam);
    return defaultProc(WM_ENTERMENULOOP, wParam, lParam);
}

LRESULT CEditor::OnExitMenuLoop(WPARAM wParam, LPARAM lParam) {
    if (onPocketPc())
        SendMessage(mainWindow(), WM_EXITMENULOOP, wParam, lParam);
    return defaultProc(WM_EXITMENULOOP, wParam, lParam);
}

LRESULT CEditor::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
    const auto delta = static_cast<std::int16_t>(HIWORD(wParam));
    if (delta < 0)
        ScrollByMode(false);
    else if (delta > 0)
        ScrollByMode(true);
    return defaultProc(WM_MOUSEWHEEL, wParam, lParam);
}

void CEditor::OnCopy() {
    send(WM_COPY);
}

void CEditor::OnCut() {
    send(WM_CUT);
}

void CEditor::OnPaste() {
    send(WM_PASTE);
}

void CEditor::OnUndo() {
    send(EM_UNDO);
    // The control clears its modified flag after the change it notifies, so undoing back to
    // the saved text would otherwise leave the caption saying "modified".
    ReportModified();
}

void CEditor::OnSelectAll() {
    send(EM_SETSEL, 0, -1);
    send(EM_SCROLLCARET);
}

void CEditor::OnShiftLock() {
    SendShiftKey(true);
    PostMessage(mainWindow(), UM_SHIFTLOCK, 1, 0);
}

void CEditor::OnFirstLine() {
    send(EM_SETSEL, 0, 0);
    send(EM_SCROLLCARET);
}

void CEditor::OnLastLine() {
    const LRESULT lines = send(EM_GETLINECOUNT);
    const LRESULT index = send(EM_LINEINDEX, static_cast<WPARAM>(lines - 1));
    send(EM_SETSEL, static_cast<WPARAM>(index), index);
    send(EM_SCROLLCARET);
}

void CEditor::OnPreviousPage() {
    SendKeyStroke(VK_PRIOR);
}

void CEditor::OnNextPage() {
    SendKeyStroke(VK_NEXT);
}

} // namespace search
