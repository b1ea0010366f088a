#include "platform/DataExchange.h"

#include "platform/Dialog.h"
#include "platform/StandardControls.h"

#include <QCoreApplication>

#include <climits>
#include <optional>
#include <string_view>

namespace platform {

namespace {

std::u16string windowText(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    return text;
}

std::u16string decimal(long long value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

bool blank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// A decimal integer with optional blanks around it and an optional sign; nothing else, and
// nothing that does not fit an int.
bool parseInteger(const std::u16string& text, long long& value) {
    std::size_t i = 0;
    while (i < text.size() && blank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    const std::size_t first = i;
    value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (i == first)
        return false;
    while (i < text.size() && blank(text[i]))
        ++i;
    if (negative)
        value = -value;
    return i == text.size() && value >= INT_MIN && value <= INT_MAX;
}

std::u16string fill(std::u16string message, const std::u16string& first,
                    const std::u16string& second) {
    for (const auto& [mark, value] : {std::pair{u"%1", first}, std::pair{u"%2", second}}) {
        const std::size_t at = message.find(mark);
        if (at != std::u16string::npos)
            message.replace(at, 2, value);
    }
    return message;
}

} // namespace

DataExchange::DataExchange(HWND dialog, bool saveAndValidate)
    : dialog_(dialog), saving_(saveAndValidate) {}

HWND DataExchange::control(int id) const {
    return failed_ ? nullptr : GetDlgItem(dialog_, id);
}

void DataExchange::check(int id, int& value) {
    const HWND c = control(id);
    if (c == nullptr)
        return;
    if (saving_)
        value = static_cast<int>(SendMessage(c, BM_GETCHECK, 0, 0));
    else
        SendMessage(c, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DataExchange::text(int id, std::u16string& value) {
    const HWND c = control(id);
    if (c == nullptr)
        return;
    if (saving_)
        value = windowText(c);
    else
        SetWindowText(c, value.c_str());
}

std::optional<long long> DataExchange::number(int id, long long value) {
    const HWND c = control(id);
    if (c == nullptr)
        return std::nullopt;
    if (!saving_) {
        SetWindowText(c, decimal(value).c_str());
        return std::nullopt;
    }
    long long parsed = 0;
    if (!parseInteger(windowText(c), parsed)) {
        fail(id, u"Please enter an integer.");
        return std::nullopt;
    }
    return parsed;
}

void DataExchange::integer(int id, int& value) {
    if (const auto parsed = number(id, value))
        value = static_cast<int>(*parsed);
}

void DataExchange::integer(int id, int& value, int min, int max) {
    const auto parsed = number(id, value);
    if (!parsed)
        return;
    if (*parsed < min || *parsed > max) {
        fail(id, fill(u"Please enter an integer between %1 and %2.", decimal(min), decimal(max)));
        return;
    }
    value = static_cast<int>(*parsed);
}

void DataExchange::byteValue(int id, BYTE& value) {
    const auto parsed = number(id, value);
    if (!parsed)
        return;
    if (*parsed < 0 || *parsed > 255) {
        fail(id, u"Please enter an integer between 0 and 255.");
        return;
    }
    value = static_cast<BYTE>(*parsed);
}

void DataExchange::comboIndex(int id, int& value) {
    const HWND c = control(id);
    if (c == nullptr)
        return;
    if (saving_) {
        const LRESULT selected = SendMessage(c, CB_GETCURSEL, 0, 0);
        value = selected == CB_ERR ? -1 : static_cast<int>(selected);
    } else {
        SendMessage(c, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    }
}

void DataExchange::fail(int id, const std::u16string& message) {
    if (failed_)
        return;
    failed_ = true;
    const std::u16string caption = QCoreApplication::applicationName().toStdU16String();
    MessageBox(dialog_, message.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    if (const HWND c = GetDlgItem(dialog_, id); c != nullptr) {
        SendMessage(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c), TRUE);
        char16_t className[16] = {};
        GetClassName(c, className, 16);
        if (std::u16string_view(className) == WC_COMBOBOX)
            SendMessage(c, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
    }
}

} // namespace platform
