#include "platform/ClipboardText.h"
#include "platform/LocalMemory.h"
#include "platform/WindowInternal.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <cstring>

namespace {

struct ClipboardState {
    bool open = false;
    HWND owner = nullptr;
    HLOCAL published = nullptr; // the last block handed over, freed at the next change
    HLOCAL read = nullptr;      // the block GetClipboardData returned, freed at close
};

ClipboardState& state() {
    static ClipboardState s;
    return s;
}

QClipboard* desktop() {
    return QGuiApplication::clipboard();
}

} // namespace

BOOL OpenClipboard(HWND owner) {
    auto& s = state();
    if (s.open)
        return FALSE;
    s.open = true;
    s.owner = owner;
    return TRUE;
}

BOOL CloseClipboard() {
    auto& s = state();
    if (!s.open)
        return FALSE;
    s.open = false;
    s.owner = nullptr;
    s.read = LocalFree(s.read);
    return TRUE;
}

BOOL EmptyClipboard() {
    auto& s = state();
    if (!s.open)
        return FALSE;
    s.published = LocalFree(s.published);
    desktop()->clear();
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    if (format != CF_UNICODETEXT)
        return FALSE;
    const QMimeData* data = desktop()->mimeData();
    return data != nullptr && data->hasText() ? TRUE : FALSE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
    auto& s = state();
    if (!s.open || format != CF_UNICODETEXT || data == nullptr)
        return nullptr;
    // The text ends at its terminator or at the end of the block, whichever comes first.
    const auto* units = static_cast<const char16_t*>(data);
    const std::size_t capacity = platform::localSize(data) / sizeof(char16_t);
    const std::size_t length = std::find(units, units + capacity, u'\0') - units;
    const std::u16string text = platform::toDesktopLineBreaks(std::u16string_view(units, length));
    desktop()->setText(QString::fromStdU16String(text));
    if (s.published != data)
        LocalFree(s.published);
    s.published = data;
    return data;
}

HANDLE GetClipboardData(UINT format) {
    auto& s = state();
    if (!s.open || format != CF_UNICODETEXT || !IsClipboardFormatAvailable(CF_UNICODETEXT))
        return nullptr;
    const std::u16string text = platform::fromDesktopLineBreaks(desktop()->text().toStdU16String());
    HLOCAL block = LocalAlloc(LPTR, (text.size() + 1) * sizeof(char16_t));
    if (block == nullptr)
        return nullptr;
    std::memcpy(block, text.data(), text.size() * sizeof(char16_t));
    LocalFree(s.read);
    s.read = block;
    return block;
}
