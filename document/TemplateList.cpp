#include "document/TemplateList.h"

#include "document/LineReader.h"
#include "document/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace document {

namespace {

// The white space trimmed from a template's name: the Unicode space characters, and the
// byte order mark a desktop editor may put before the first line.
bool isSpaceCharacter(char16_t c) {
    switch (c) {
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u' ':
    case u'\u0085':
    case u'\u00A0':
    case u'\u1680':
    case u'\u2028':
    case u'\u2029':
    case u'\u202F':
    case u'\u205F':
    case u'\u3000':
    case u'\uFEFF':
        return true;
    default:
        return c >= u'\u2000' && c <= u'\u200A';
    }
}

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && isSpaceCharacter(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpaceCharacter(text.back()))
        text.remove_suffix(1);
    return text;
}

void appendNumber(std::u16string& out, int value, int width) {
    std::array<char, 16> digits{};
    const int length = std::snprintf(digits.data(), digits.size(), "%0*d", width, value);
    for (int i = 0; i < length && i < static_cast<int>(digits.size()); ++i)
        out += static_cast<char16_t>(digits[static_cast<std::size_t>(i)]);
}

int weekday(const platform::LocalTime& now) {
    return ((now.dayOfWeek % 7) + 7) % 7;
}

struct MacroInput {
    const platform::LocalTime& now;
    std::u16string_view selection;
};

using MacroAction = void (*)(TemplateExpansion& out, const MacroInput& in);

struct Macro {
    std::u16string_view name; // lower case
    MacroAction append;
};

constexpr std::u16string_view kJapaneseWeekdays = u"日月火水木金土";
constexpr std::array<std::u16string_view, 7> kWeekdays = {u"Sun", u"Mon", u"Tue", u"Wed",
                                                          u"Thu", u"Fri", u"Sat"};

constexpr Macro kMacros[] = {
    {u"year",
     [](TemplateExpansion& o, const MacroInput& in) { appendNumber(o.text, in.now.year, 4); }},
    {u"month",
     [](TemplateExpansion& o, const MacroInput& in) { appendNumber(o.text, in.now.month, 2); }},
    {u"date",
     [](TemplateExpansion& o, const MacroInput& in) { appendNumber(o.text, in.now.day, 2); }},
    {u"dayofweekj",
     [](TemplateExpansion& o, const MacroInput& in) {
         o.text += kJapaneseWeekdays[static_cast<std::size_t>(weekday(in.now))];
     }},
    {u"dayofweek",
     [](TemplateExpansion& o, const MacroInput& in) {
         o.text += kWeekdays.at(static_cast<std::size_t>(weekday(in.now)));
     }},
    {u"hour",
     [](TemplateExpansion& o, const MacroInput& in) { appendNumber(o.text, in.now.hour, 2); }},
    {u"minute",
     [](TemplateExpansion& o, const MacroInput& in) { appendNumber(o.text, in.now.minute, 2); }},
    {u"second",
     [](TemplateExpansion& o, const MacroInput& in) { appendNumber(o.text, in.now.second, 2); }},
    {u"!", [](TemplateExpansion& o, const MacroInput&) { o.caret = o.text.size(); }},
    {u"@", [](TemplateExpansion& o, const MacroInput& in) { o.text += in.selection; }},
    {u"", [](TemplateExpansion& o, const MacroInput&) { o.text += u'%'; }},
    {u"n", [](TemplateExpansion& o, const MacroInput&) { o.text += u'\r'; }},
    {u"t", [](TemplateExpansion& o, const MacroInput&) { o.text += u'\t'; }},
};

std::u16string lowered(std::u16string_view name) {
    std::u16string out(name);
    std::transform(out.begin(), out.end(), out.begin(), [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    });
    return out;
}

} // namespace

TemplateExpansion expandTemplate(std::u16string_view text, std::u16string_view selection,
                                 const platform::LocalTime& now) {
    constexpr std::size_t kNoCaret = std::u16string::npos;
    TemplateExpansion out;
    out.caret = kNoCaret;
    const MacroInput input{now, selection};
    std::size_t i = 0;
    while (i <= text.size()) {
        const std::size_t open = text.find(u'%', i);
        if (open == std::u16string_view::npos) {
            out.text += text.substr(i);
            break;
        }
        out.text += text.substr(i, open - i);
        const std::size_t close = text.find(u'%', open + 1);
        if (close == std::u16string_view::npos)
            break;
        const std::u16string name = lowered(text.substr(open + 1, close - open - 1));
        for (const Macro& macro : kMacros) {
            if (macro.name == name) {
                macro.append(out, input);
                break;
            }
        }
        i = close + 1;
    }
    if (out.caret == kNoCaret)
        out.caret = out.text.size();
    return out;
}

void TemplateList::load(std::u16string_view path) {
    entries_.clear();
    LineReader reader;
    if (!reader.open(path, ENC_UTF8))
        return;
    while (reader.moreLines()) {
        if (!addLine(reader.readLine()))
            break;
    }
    reader.close();
}

bool TemplateList::addLine(std::u16string_view line) {
    if (entries_.size() >= capacity_)
        return false;
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos)
        return true;
    const std::u16string_view name = trimmed(line.substr(0, equals));
    const std::u16string_view text = line.substr(equals + 1);
    if (name.empty() || text.empty() || name.front() == u';')
        return true;
    entries_.push_back(TemplateEntry{std::u16string(name), std::u16string(text)});
    return entries_.size() < capacity_;
}

TemplateExpansion TemplateList::expand(std::size_t k, std::u16string_view selection) const {
    if (k >= entries_.size())
        return {};
    return expandTemplate(entries_[k].text, selection, platform::localTime());
}

} // namespace document
