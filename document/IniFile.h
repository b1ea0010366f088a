#pragma once
// An INI file held in memory: read once, answered from memory, written back whole when it
// changed. Every line is kept as raw bytes, so comments, unknown lines and bytes that are not
// valid UTF-8 survive a save; only a line whose key is written is replaced. Text is UTF-8.

#include "platform/WinTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace document {

class IniFile {
public:
    IniFile() = default;
    // Saves when changed and a path is set.
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Replaces the content by the file at `path` (which later saves go to); a missing or
    // unreadable file gives an empty store. Clears the changed flag.
    void load(const std::string& path);
    // Replaces the content by `text`, the bytes of an INI file; keeps the path.
    void loadText(std::string_view text);

    // The trimmed value of the first `key` in the first section `section`; empty when absent.
    std::u16string readString(std::u16string_view section, std::u16string_view key) const;
    // The value as a decimal integer (sign and leading digits; no digits gives 0, beyond the
    // int range it saturates); `fallback` when the value is empty or absent.
    int readInt(std::u16string_view section, std::u16string_view key, int fallback) const;
    // The value as an RRGGBB colour (parseColorText): kColorUnset when empty or absent.
    COLORREF readColor(std::u16string_view section, std::u16string_view key) const;

    // Sets key=value: replaces the first line with that key in the first such section, else
    // appends to the section, which is appended to the file when missing. Line breaks and NULs
    // in the arguments become blanks so that a write is always exactly one line.
    void writeString(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value);
    // writeString with the decimal text of `value`.
    void writeInt(std::u16string_view section, std::u16string_view key, int value);

    // Writes the whole file when changed; false when it could not be written (the changes
    // stay in memory and the store stays changed).
    bool save();
    // The bytes save() writes.
    std::string text() const;
    // Whether a write happened since the last load or save.
    bool dirty() const { return dirty_; }
    // The number of sections held (later duplicates included).
    std::size_t sectionCount() const { return sections_.size(); }
    // Aborts when the stored lines break the store's rules (for tests).
    void checkInvariants() const;

private:
    struct Section {
        std::string header; // the raw line, "[" first
        std::string name;
        std::vector<std::string> lines;
    };
    const Section* findSection(std::string_view name) const;
    const std::string* findLine(std::string_view section, std::string_view key) const;

    std::string path_;
    bool byteOrderMark_ = false;
    std::vector<std::string> preamble_; // lines before the first header, never consulted
    std::vector<Section> sections_;
    bool dirty_ = false;
};

} // namespace document
