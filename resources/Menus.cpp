#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"

#include "platform/Menu.h"
#include "platform/Messages.h"

#include <span>
#include <vector>

namespace resources {

namespace {

// One item of a menu resource. An item followed by deeper ones opens a submenu holding them;
// an item without text is a separator.
struct MenuItem {
    int depth;
    const char16_t* text;
    UINT id;
};
constexpr const char16_t* kSeparator = nullptr;

struct MenuResource {
    int id;
    std::span<const MenuItem> items;
};

// clang-format off
constexpr MenuItem kMainMenu[] = {
    {0, u"File", 0},
        {1, u"Open", ID_FILE_OPEN},
        {1, u"New", ID_FILE_NEW},
        {1, u"_Reopen", ID_FILE_REOPEN},
        {1, u"Recent", 0},
            {2, u"(None)", ID_MENU_PLACEHOLDER},
        {1, u"Save As", ID_FILE_SAVEAS},
        {1, u"Save", ID_FILE_SAVE},
        {1, kSeparator, 0},
        {1, u"Encoding", 0},
            {2, u"Auto", ID_ENCODE_AUTO},
            {2, kSeparator, 0},
            {2, u"ShiftJIS", ID_ENCODE_SJIS},
            {2, u"JIS", ID_ENCODE_JIS},
            {2, u"EUC", ID_ENCODE_EUC},
            {2, u"UTF-8", ID_ENCODE_UTF8},
            {2, u"UTF-16", ID_ENCODE_UTF16},
            {2, u"Latin", ID_ENCODE_LATIN},
        {1, u"Linebreak", 0},
            {2, u"CR", ID_LINEBREAK_CR},
            {2, u"CRLF", ID_LINEBREAK_CRLF},
            {2, u"LF", ID_LINEBREAK_LF},
        {1, u"Properties", 0},
            {2, u"AutoSave", ID_FILE_AUTOSAVE},
        {1, kSeparator, 0},
        {1, u"Exit", ID_APP_EXIT},
    {0, u"Menu", 0},
        {1, u"ShiftLock", ID_SHIFTLOCK},
        {1, kSeparator, 0},
        {1, u"Edit", 0},
            {2, u"Copy", ID_EDIT_COPY},
            {2, u"Cut", ID_EDIT_CUT},
            {2, u"Paste", ID_EDIT_PASTE},
            {2, kSeparator, 0},
            {2, u"Undo", ID_EDIT_UNDO},
            {2, kSeparator, 0},
            {2, u"Select All", ID_EDIT_SELECTALL},
        {1, u"Go To", 0},
            {2, u"Line Nr.", ID_GOTO_LINE},
            {2, kSeparator, 0},
            {2, u"First Line", ID_GOTO_FIRSTLINE},
            {2, u"Previous Page", ID_GOTO_PREVPAGE},
            {2, u"Next Page", ID_GOTO_NEXTPAGE},
            {2, u"Last Line", ID_GOTO_LASTLINE},
        {1, u"Find", 0},
            {2, u"Find...", ID_FIND},
            {2, u"Replace...", ID_REPLACE},
            {2, kSeparator, 0},
            {2, u"Search Option", ID_SEARCH_OPTION},
        {1, u"View", 0},
            {2, u"Font +", ID_VIEW_FONTUP},
            {2, u"Font -", ID_VIEW_FONTDOWN},
            {2, u"Word Wrap", ID_VIEW_WORDWRAP},
            {2, u"Refresh", ID_VIEW_REFRESH},
        {1, u"_Placefolder", ID_INSERT_MARK},
        {1, u"Insert", 0},
            {2, u"dummy", ID_MENU_PLACEHOLDER},
        {1, u"Tools", 0},
            {2, u"Option...", ID_TOOLS_OPTION},
            {2, u"Compatibility...", ID_TOOLS_COMPATIBILITY},
            {2, u"Association...", ID_TOOLS_ASSOCIATION},
            {2, kSeparator, 0},
            {2, u"About...", ID_APP_ABOUT},
};

constexpr MenuItem kShiftLockMenu[] = {
    {0, u"UnLock Shift", ID_UNLOCKSHIFT},
    {0, u"UnLock Shift", ID_UNLOCKSHIFT},
};

constexpr MenuItem kEditMenu[] = {
    {0, u"Edit", 0},
        {1, u"Copy", ID_EDIT_COPY},
        {1, u"Cut", ID_EDIT_CUT},
        {1, u"Paste", ID_EDIT_PASTE},
        {1, kSeparator, 0},
        {1, u"Undo", ID_EDIT_UNDO},
        {1, kSeparator, 0},
        {1, u"Select All", ID_EDIT_SELECTALL},
};

constexpr MenuItem kAboutBar[] = {
    {0, u"OK", IDOK},
};

constexpr MenuItem kDialogBar[] = {
    {0, u"OK", IDOK},
    {0, u"Cancel", IDCANCEL},
};

constexpr MenuItem kJumpBar[] = {
    {0, u"Go To", ID_BAR_GOTO},
    {0, u"Cancel", ID_BAR_CANCEL},
};

constexpr MenuItem kFindBar[] = {
    {0, u"Find", ID_BAR_FIND},
    {0, u"Menu", 0},
        {1, u"Find Up", ID_BAR_FINDUP},
        {1, kSeparator, 0},
        {1, u"Cancel", ID_BAR_CANCEL},
};

constexpr MenuItem kReplaceBar[] = {
    {0, u"Replace", ID_BAR_REPLACE},
    {0, u"Menu", 0},
        {1, u"Find Up", ID_BAR_REPLACE_FINDUP},
        {1, u"Find Down", ID_BAR_REPLACE_FINDDOWN},
        {1, kSeparator, 0},
        {1, u"Replace All", ID_BAR_REPLACEALL},
        {1, kSeparator, 0},
        {1, u"Cancel", ID_BAR_CANCEL},
};
// clang-format on

constexpr MenuResource kMenus[] = {
    {IDR_MAINFRAME, kMainMenu}, {IDR_SHIFTLOCK, kShiftLockMenu}, {IDR_EDITMENU, kEditMenu},
    {IDR_ABOUTBAR, kAboutBar},  {IDR_DIALOGBAR, kDialogBar},     {IDR_JUMPBAR, kJumpBar},
    {IDR_FINDBAR, kFindBar},    {IDR_REPLACEBAR, kReplaceBar},
};

// Appends the items of one level, from items[at] on while they are at `depth`; returns the
// index after them.
std::size_t appendLevel(HMENU menu, std::span<const MenuItem> items, std::size_t at, int depth) {
    while (at < items.size() && items[at].depth == depth) {
        const MenuItem& item = items[at++];
        if (item.text == kSeparator) {
            AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        } else if (at < items.size() && items[at].depth > depth) {
            HMENU sub = CreatePopupMenu();
            at = appendLevel(sub, items, at, depth + 1);
            AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item.text);
        } else {
            AppendMenu(menu, MF_STRING, item.id, item.text);
        }
    }
    return at;
}

} // namespace

HMENU loadMenu(int id) {
    for (const MenuResource& resource : kMenus) {
        if (resource.id == id) {
            HMENU menu = CreatePopupMenu();
            appendLevel(menu, resource.items, 0, 0);
            return menu;
        }
    }
    return nullptr;
}

} // namespace resources
