#include "shell/CMainView.h"

#include "document/LineBreakKind.h"
#include "document/TextEncoding.h"
#include "document/Utf8Text.h"
#include "editctl/NEditMessages.h"
#include "platform/DropFiles.h"
#include "platform/Gdi.h"
#include "platform/ProgramDirectory.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/UserMessages.h"
#include "shell/Association.h"
#include "shell/CApplication.h"
#include "shell/CommandLine.h"

#include <algorithm>
#include <filesystem>

namespace shell {

namespace {

constexpr const char16_t* kViewClass = u"KivView";
constexpr std::size_t kMaxFilter = 259;
constexpr std::size_t kMaxTitleName = 256;

// The edit window: multi-line with a vertical bar; a horizontal bar means no word wrap.
constexpr DWORD kEditStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
constexpr DWORD kNoWrapStyle = WS_HSCROLL | ES_AUTOHSCROLL;

void registerViewClass() {
    WNDCLASS wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kViewClass;
    platform::WindowObject::registerClass(wc);
}

// A path named relative to the folder the program started in, made whole so that the recent
// list and the lock name the same file from anywhere.
std::u16string absolutePath(const std::u16string& path) {
    std::error_code error;
    const std::filesystem::path whole =
        std::filesystem::absolute(std::filesystem::path(path), error);
    return error ? path : whole.lexically_normal().u16string();
}

std::u16string filterFromResource() {
    std::u16string filter(resources::loadString(IDS_FILE_FILTER).substr(0, kMaxFilter));
    std::replace(filter.begin(), filter.end(), u'|', u'\0');
    return filter;
}

} // namespace

CMainView::CMainView()
    : fileFilter_(filterFromResource()), findHistory_("find.mru"), replaceHistory_("repl.mru") {
    templates_.load(document::utf8ToUtf16(platform::programDirectory() + "template.ini"));
}

CMainView::~CMainView() {
    // The bar and the editor go before the view's own window.
    bar_.reset();
    editor_.destroyWindow();
    destroyWindow();
    if (font_ != nullptr)
        DeleteObject(font_);
}

bool CMainView::Create(HWND parent, int id) {
    registerViewClass();
    return createEx(0, kViewClass, u"", WS_CHILD | WS_VISIBLE, RECT{}, parent, id);
}

const platform::MessageMap& CMainView::messageMap() const {
    using platform::onMessage;
    static constexpr platform::MessageEntry entries[] = {
        onMessage<WM_CREATE, &CMainView::OnCreate>(),
        onMessage<WM_SIZE, &CMainView::OnSize>(),
        onMessage<WM_SETFOCUS, &CMainView::OnSetFocus>(),
        onMessage<WM_PAINT, &CMainView::OnPaint>(),
        onMessage<UM_SETMODIFIED, &CMainView::OnSetModified>(),
        onMessage<UM_EDITFOCUS, &CMainView::OnEditFocus>(),
        onMessage<WM_TIMER, &CMainView::OnTimer>(),
        onMessage<WM_DROPFILES, &CMainView::OnDropFiles>(),
    };
    static const platform::MessageMap map{&WindowObject::messageMap(), entries};
    return map;
}

// The program's command table. Commands whose behaviour comes with the document, search,
// template and settings parts are listed as not connected: greyed until a handler is named.
const platform::CommandMap& CMainView::commandMap() const {
    using platform::notConnected;
    using platform::notConnectedRange;
    using platform::onCommand;
    using platform::onCommandRange;
    static constexpr platform::CommandEntry entries[] = {
        onCommand<&CMainView::OnFileOpen>(ID_FILE_OPEN),
        onCommand<&CMainView::OnFileNew>(ID_FILE_NEW),
        onCommand<&CMainView::OnReopen, &CMainView::ReopenState>(ID_FILE_REOPEN),
        onCommandRange<&CMainView::OnRecent>(ID_RECENT_FIRST, ID_RECENT_LAST),
        onCommand<&CMainView::OnSaveAs>(ID_FILE_SAVEAS),
        onCommand<&CMainView::OnSave>(ID_FILE_SAVE),
        onCommand<&CMainView::OnAutoDetect, &CMainView::AutoDetectState>(ID_ENCODE_AUTO),
        onCommandRange<&CMainView::OnEncoding, &CMainView::EncodingState>(ID_ENCODE_SJIS,
                                                                          ID_ENCODE_UTF16),
        onCommand<&CMainView::OnEncoding, &CMainView::EncodingState>(ID_ENCODE_LATIN),
        onCommandRange<&CMainView::OnLineBreak, &CMainView::LineBreakState>(ID_LINEBREAK_CR,
                                                                            ID_LINEBREAK_LF),
        onCommand<&CMainView::OnAutoSave, &CMainView::AutoSaveState>(ID_FILE_AUTOSAVE),
        onCommand<&CMainView::OnGoToLine>(ID_GOTO_LINE),
        onCommand<&CMainView::OnFind>(ID_FIND),
        onCommand<&CMainView::OnReplace>(ID_REPLACE),
        onCommand<&CMainView::OnSearchOption>(ID_SEARCH_OPTION),
        onCommand<&CMainView::OnFontUp>(ID_VIEW_FONTUP),
        onCommand<&CMainView::OnFontDown>(ID_VIEW_FONTDOWN),
        onCommand<&CMainView::OnWordWrap, &CMainView::WordWrapState>(ID_VIEW_WORDWRAP),
        onCommand<&CMainView::OnRefresh>(ID_VIEW_REFRESH),
        onCommandRange<&CMainView::OnTemplate>(ID_TEMPLATE_FIRST, ID_TEMPLATE_LAST),
        onCommand<&CMainView::OnOption>(ID_TOOLS_OPTION),
        onCommand<&CMainView::OnCompatibility>(ID_TOOLS_COMPATIBILITY),
    };
    static const platform::CommandMap map{&WindowObject::commandMap(), entries};
    return map;
}

// The editor first while it has the focus, else the open bar; then this table.
bool CMainView::routeCommand(UINT id, platform::CommandState* query) {
    if (GetFocus() == editor_.hwnd() && editor_.hwnd() != nullptr) {
        if (editor_.routeCommand(id, query))
            return true;
    } else if (bar_ != nullptr && bar_->routeCommand(id, query)) {
        return true;
    }
    return handleOwnCommand(id, query);
}

LRESULT CMainView::OnCreate(WPARAM wParam, LPARAM lParam) {
    if (defaultProc(WM_CREATE, wParam, lParam) == -1)
        return -1;
    CApplication* app = CApplication::Current();
    settings_ = LoadSettings(app->IniStore(), app->MiscStore(), platform::platformKind());
    ReadCommandLine();
    DWORD style = kEditStyle;
    if (settings_.noWordWrap != 0 || noWordWrapOption_)
        style |= kNoWrapStyle;
    wordWrapOn_ = (style & WS_HSCROLL) == 0;
    if (settings_.firstRun) {
        AskAssociation(AssociationAsk::FirstRun);
        markFirstRunDone(app->IniStore());
    }
    RECT client;
    GetClientRect(hwnd(), &client);
    editor_.Create(style, client, hwnd(), kEditorId);
    NewDocument();
    ListenForFrontRequests();
    DragAcceptFiles(hwnd(), TRUE);
    if (!commandLinePath_.empty() && !Open(absolutePath(commandLinePath_), OpenMode::Startup)) {
        PostMessage(Frame(), WM_CLOSE, 0, 0);
        return 0;
    }
    ApplySettings();
    return 0;
}

void CMainView::ReadCommandLine() {
    for (const std::u16string& argument :
         ParseCommandLine(CApplication::Current()->CommandLine())) {
        if (argument.empty())
            continue;
        if (argument.front() == u'-') {
            if (IsNoWordWrapOption(argument))
                noWordWrapOption_ = true;
        } else if (commandLinePath_.empty()) {
            commandLinePath_ = argument;
        }
    }
}

void CMainView::ApplySettings() {
    const AppSettings& s = settings_;
    const bool pocketPc = platform::platformKind() == platform::PlatformKind::PocketPc;
    ApplyFont();
    if (pocketPc)
        editor_.SetScrollMode(s.volumeScroll);
    editor_.SetSymbols(static_cast<UINT>(s.drawSymbol));
    editor_.SetSearchFlags(s.regex == 1, s.ignoreCase == 1);
    const COLORREF colours[NEC_COUNT] = {s.colorWindow, s.colorWindowText, s.colorHighlight,
                                         s.colorHighlightText, s.colorUnderline};
    for (int slot = 0; slot < NEC_COUNT; ++slot)
        editor_.SetColor(slot, colours[slot]);
    CApplication* app = CApplication::Current();
    app->SetFullScreenDialogs(s.fullScreen == 1);
    editor_.SetLineSpacing(s.lineSpacing);
    editor_.SetUnderline(s.underline != 0);
    editor_.SetNoImeOnFocus(s.notFocusIme != 0);
    editor_.SetBackspaceInChar(s.backspaceInChar != 0);
    editor_.SetWrapColumns(s.wrapColumnPortrait, s.wrapColumnLandscape);
    editor_.SetLineNumbers(s.drawLineNumber != 0);
    app->SetBackAsBackspace(s.backAsBackspace != 0);
}

void CMainView::ApplyFont() {
    if (font_ != nullptr)
        DeleteObject(font_);
    font_ = nullptr;
    if (!settings_.fontName.empty()) {
        font_ = CreatePointFontW(settings_.fontSize * 10, settings_.fontName.c_str(), nullptr);
        if (font_ != nullptr && settings_.boldFont != 0) {
            LOGFONTW description;
            GetObjectW(font_, sizeof(description), &description);
            description.lfWeight = FW_BOLD;
            DeleteObject(font_);
            font_ = CreateFontIndirectW(&description);
        }
    }
    SendMessage(editor_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    const int tabStop = settings_.tabSize * 4;
    SendMessage(editor_.hwnd(), EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
}

void CMainView::UpdateTitle(WPARAM modified) {
    std::u16string title;
    if (hasFile_ != 0) {
        const std::size_t slash = path_.find_last_of(u"/\\");
        title = path_.substr(slash == std::u16string::npos ? 0 : slash + 1, kMaxTitleName);
    } else {
        title = resources::loadString(IDS_APPNAME);
    }
    if (modified != 0)
        title += u'*';
    SetWindowText(GetParent(hwnd()), title.c_str());
}

void CMainView::DeleteBar() {
    bar_.reset();
    barHeight_ = 0;
}

void CMainView::ShowBar(std::unique_ptr<platform::WindowObject> bar, int height) {
    DeleteBar();
    bar_ = std::move(bar);
    barHeight_ = height;
    RecalcLayout();
    if (bar_ != nullptr)
        SetFocus(bar_->hwnd());
}

void CMainView::CloseBar() {
    if (bar_ != nullptr)
        bar_->destroyWindow();
    DeleteBar();
    RecalcLayout();
    SetFocus(editor_.hwnd());
}

void CMainView::RecalcLayout() {
    RECT r;
    GetClientRect(hwnd(), &r);
    const int h = bar_ != nullptr ? barHeight_ : 0;
    MoveWindow(editor_.hwnd(), r.left, r.top, r.right - r.left, r.bottom - h - r.top, TRUE);
    if (bar_ != nullptr)
        MoveWindow(bar_->hwnd(), r.left, r.bottom - h + 1, r.right - r.left, h - 1, TRUE);
}

LRESULT CMainView::OnSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = defaultProc(WM_SIZE, wParam, lParam);
    RecalcLayout();
    return result;
}

LRESULT CMainView::OnSetFocus(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    if (bar_ != nullptr && bar_->hwnd() != nullptr)
        SetFocus(bar_->hwnd());
    else if (editor_.hwnd() != nullptr)
        SetFocus(editor_.hwnd());
    return 0;
}

LRESULT CMainView::OnPaint(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    ValidateRect(hwnd(), nullptr);
    return 0;
}

LRESULT CMainView::OnSetModified(WPARAM wParam, LPARAM /*lParam*/) {
    UpdateTitle(wParam);
    return 0;
}

// A tap into the text closes an open bar, as its Cancel would.
LRESULT CMainView::OnEditFocus(WPARAM wParam, LPARAM /*lParam*/) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    if (reinterpret_cast<HWND>(wParam) == editor_.hwnd() && bar_ != nullptr)
        PostMessage(bar_->hwnd(), WM_COMMAND, MAKEWPARAM(ID_BAR_CANCEL, 0), 0);
    return 0;
}

void CMainView::OnFontUp() {
    if (settings_.fontSize < kMaxFontSize) {
        settings_.fontSize += 1;
        ApplyFont();
    }
}

void CMainView::OnFontDown() {
    if (settings_.fontSize > kMinFontSize) {
        settings_.fontSize -= 1;
        ApplyFont();
    }
}

void CMainView::OnWordWrap() {
    settings_.noWordWrap = settings_.noWordWrap == 1 ? 0 : 1;
    wordWrapOn_ = settings_.noWordWrap == 0;
    editor_.SetWordWrap(wordWrapOn_);
}

// The mark shows whether lines are wrapped now.
platform::CommandState CMainView::WordWrapState() const {
    return platform::CommandState::checkedIf(wordWrapOn_);
}

void CMainView::OnRefresh() {
    editor_.Refresh();
}

} // namespace shell
