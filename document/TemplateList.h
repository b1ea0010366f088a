#pragma once
// The text snippets of the Insert menu: named lines of "template.ini", each expanded with its
// date, time, selection and caret macros when it is inserted.

#include "platform/LocalTime.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace document {

struct TemplateEntry {
    std::u16string name; // the menu label
    std::u16string text; // the snippet, macros unexpanded
};

// What an expansion gives: the text to insert and where in it the caret goes.
struct TemplateExpansion {
    std::u16string text;
    std::size_t caret = 0;
};

// Expands the macros of `text` (%year%, %month%, %date%, %hour%, %minute%, %second%,
// %dayofweek%, %dayofweekj%, %@% the selection, %!% the caret, %n% CR, %t% tab, %% a percent
// sign; names in any case, unknown ones dropped) with every date and time from `now`. An
// unpaired "%" ends the output. The caret is at the last %!%, else at the end.
TemplateExpansion expandTemplate(std::u16string_view text, std::u16string_view selection,
                                 const platform::LocalTime& now);

class TemplateList {
public:
    static constexpr std::size_t kCapacity = 40;

    explicit TemplateList(std::size_t capacity = kCapacity) : capacity_(capacity) {}

    // Replaces the entries by those of the UTF-8 file at path: one "name=text" per line; lines
    // without "=", with an empty name or text, or whose name begins with ";" are skipped, and
    // reading stops at the capacity. A missing file leaves the list empty.
    void load(std::u16string_view path);
    // Appends the entry a line of the file gives, if any; false once the list is full.
    bool addLine(std::u16string_view line);

    std::size_t count() const { return entries_.size(); }
    const TemplateEntry& entry(std::size_t index) const { return entries_.at(index); }

    // Entry k expanded at the current local time; empty output for a k past the entries.
    TemplateExpansion expand(std::size_t k, std::u16string_view selection) const;

private:
    std::size_t capacity_;
    std::vector<TemplateEntry> entries_;
};

} // namespace document
