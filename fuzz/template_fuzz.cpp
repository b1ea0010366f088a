// Reads arbitrary bytes as "template.ini" and expands every template it yields, at a clock and
// with a selection also taken from the input, checking what must hold: no crash, a caret
// inside the output, text without macros unchanged, and any line written with its "%" doubled
// expanding back to itself.
#include "document/LineReader.h"
#include "document/TemplateList.h"
#include "document/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

namespace {

int intAt(const std::uint8_t* data, std::size_t size, std::size_t index) {
    int value = 0;
    if (size >= (index + 1) * sizeof(int))
        std::memcpy(&value, data + index * sizeof(int), sizeof(int));
    return value;
}

std::u16string doubled(std::u16string_view text) {
    std::u16string out;
    for (const char16_t c : text) {
        out += c;
        if (c == u'%')
            out += u'%';
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const platform::LocalTime now{intAt(data, size, 0), intAt(data, size, 1),
                                  intAt(data, size, 2), intAt(data, size, 3),
                                  intAt(data, size, 4), intAt(data, size, 5),
                                  intAt(data, size, 6)};
    document::TemplateList list;
    document::LineReader reader;
    reader.attach(std::span<const std::uint8_t>(data, size), document::ENC_UTF8);
    std::u16string selection;
    while (reader.moreLines()) {
        const std::u16string line(reader.readLine());
        if (selection.empty())
            selection = line;
        const auto back = document::expandTemplate(doubled(line), selection, now);
        if (back.text != line || back.caret != line.size())
            std::abort();
        if (!list.addLine(line))
            break;
    }
    reader.close();
    if (list.count() > document::TemplateList::kCapacity)
        std::abort();
    for (std::size_t k = 0; k <= list.count(); ++k) {
        const std::u16string text = k < list.count() ? list.entry(k).text : std::u16string();
        const auto out = document::expandTemplate(text, selection, now);
        if (out.caret > out.text.size())
            std::abort();
        if (text.find(u'%') == std::u16string::npos && out.text != text)
            std::abort();
    }
    return 0;
}
