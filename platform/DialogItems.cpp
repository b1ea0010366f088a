#include "platform/Dialog.h"

#include <cctype>
#include <climits>
#include <string>

namespace {

bool blank(char16_t c) {
    return c == u' ' || c == u'\t';
}

} // namespace

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SendMessage(control, msg, wParam, lParam) : 0;
}

BOOL SetDlgItemText(HWND dialog, int id, const char16_t* text) {
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SetWindowText(control, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, char16_t* buffer, int size) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        if (buffer != nullptr && size > 0)
            buffer[0] = u'\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowText(control, buffer, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    const std::string digits =
        isSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value);
    const std::u16string text(digits.begin(), digits.end());
    return SetDlgItemText(dialog, id, text.c_str());
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated != nullptr)
        *translated = FALSE;
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return 0;
    const int length = GetWindowTextLength(control);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowText(control, text.data(), length + 1)));
    std::size_t i = 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    const bool negative = isSigned && i < text.size() && text[i] == u'-';
    if (negative)
        ++i;
    const std::size_t firstDigit = i;
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(UINT_MAX))
            return 0; // too large for any answer
    }
    if (i == firstDigit)
        return 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    if (i != text.size())
        return 0;
    if (negative)
        value = -value;
    if (isSigned && (value > INT_MAX || value < INT_MIN))
        return 0;
    if (translated != nullptr)
        *translated = TRUE;
    return static_cast<UINT>(value);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr)
        return FALSE;
    SendMessage(control, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0));
}
