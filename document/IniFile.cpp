#include "document/IniFile.h"

#include "document/ColorText.h"
#include "document/Utf8Text.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace document {

namespace {

// A physical line is read in pieces of at most this many characters, as the line buffer of the
// wide-character text stream the format comes from did; a longer line becomes several lines.
constexpr int kReadChunkCharacters = 1022;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool startsCharacter(unsigned char byte) {
    return (byte & 0xC0) != 0x80;
}

// Splits file bytes at line feeds (removed) and into pieces of kReadChunkCharacters characters.
// A piece of exactly that length followed by its line feed is one line, not two.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        int characters = 0;
        bool ended = false;
        while (i < text.size()) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte == '\n') {
                lines.emplace_back(text.substr(start, i - start));
                ++i;
                ended = true;
                break;
            }
            if (startsCharacter(byte)) {
                if (characters == kReadChunkCharacters) {
                    lines.emplace_back(text.substr(start, i - start));
                    ended = true;
                    break;
                }
                ++characters;
            }
            ++i;
        }
        if (!ended)
            lines.emplace_back(text.substr(start));
    }
    return lines;
}

std::string_view trim(std::string_view text) {
    // A CR is trimmed as well, so a file with CR LF line ends reads like one with LF.
    constexpr std::string_view blanks = " \t\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string headerName(std::string_view header) {
    std::string_view name = header.substr(1);
    if (const auto close = name.find(']'); close != std::string_view::npos)
        name = name.substr(0, close);
    else if (!name.empty() && name.back() == '\r')
        name.remove_suffix(1);
    return std::string(name);
}

// Splits "key = value ; comment" into trimmed key and value; false for a line without "=".
bool splitKeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    line = line.substr(0, line.find(';'));
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return false;
    key = trim(line.substr(0, equals));
    value = trim(line.substr(equals + 1));
    return true;
}

std::string singleLine(std::u16string_view text) {
    std::string bytes = utf16ToUtf8(text);
    for (char& c : bytes) {
        if (c == '\n' || c == '\r' || c == '\0')
            c = ' ';
    }
    return bytes;
}

int parseDecimal(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

} // namespace

IniFile::~IniFile() {
    if (!path_.empty())
        save();
}

void IniFile::load(const std::string& path) {
    path_ = path;
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    if (in)
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    loadText(bytes);
}

void IniFile::loadText(std::string_view text) {
    byteOrderMark_ = text.starts_with(kByteOrderMark);
    if (byteOrderMark_)
        text.remove_prefix(kByteOrderMark.size());
    preamble_.clear();
    sections_.clear();
    for (std::string& line : splitLines(text)) {
        if (!line.empty() && line[0] == '[') {
            Section section;
            section.name = headerName(line);
            section.header = std::move(line);
            sections_.push_back(std::move(section));
        } else if (sections_.empty()) {
            preamble_.push_back(std::move(line));
        } else {
            sections_.back().lines.push_back(std::move(line));
        }
    }
    dirty_ = false;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
    for (const Section& section : sections_) {
        if (section.name == name)
            return &section;
    }
    return nullptr;
}

const std::string* IniFile::findLine(std::string_view sectionName, std::string_view key) const {
    const Section* section = findSection(sectionName);
    if (section == nullptr)
        return nullptr;
    for (const std::string& line : section->lines) {
        std::string_view lineKey;
        std::string_view value;
        if (splitKeyLine(line, lineKey, value) && lineKey == key)
            return &line;
    }
    return nullptr;
}

std::u16string IniFile::readString(std::u16string_view section, std::u16string_view key) const {
    const std::string* line = findLine(utf16ToUtf8(section), utf16ToUtf8(key));
    std::string_view lineKey;
    std::string_view value;
    if (line == nullptr || !splitKeyLine(*line, lineKey, value))
        return {};
    return utf8ToUtf16(value);
}

int IniFile::readInt(std::u16string_view section, std::u16string_view key, int fallback) const {
    const std::u16string value = readString(section, key);
    if (value.empty())
        return fallback;
    return parseDecimal(utf16ToUtf8(value));
}

COLORREF IniFile::readColor(std::u16string_view section, std::u16string_view key) const {
    return parseColorText(readString(section, key));
}

void IniFile::writeString(std::u16string_view section, std::u16string_view key,
                          std::u16string_view value) {
    dirty_ = true;
    const std::string sectionName = singleLine(section);
    const std::string keyText = singleLine(key);
    // A key line must not look like a header when the file is read again.
    const std::string line =
        (keyText.starts_with('[') ? " " : "") + keyText + "=" + singleLine(value);
    Section* target = nullptr;
    for (Section& section : sections_) {
        if (section.name == sectionName) {
            target = &section;
            break;
        }
    }
    if (target == nullptr) {
        Section created;
        created.header = "[" + sectionName + "]";
        created.name = headerName(created.header);
        sections_.push_back(std::move(created));
        target = &sections_.back();
    }
    for (std::string& existing : target->lines) {
        std::string_view lineKey;
        std::string_view lineValue;
        if (splitKeyLine(existing, lineKey, lineValue) && lineKey == keyText) {
            existing = line;
            return;
        }
    }
    target->lines.push_back(line);
}

void IniFile::writeInt(std::u16string_view section, std::u16string_view key, int value) {
    const std::string digits = std::to_string(value);
    writeString(section, key, std::u16string(digits.begin(), digits.end()));
}

std::string IniFile::text() const {
    std::string out;
    if (byteOrderMark_)
        out.append(kByteOrderMark);
    for (const std::string& line : preamble_)
        out.append(line).push_back('\n');
    for (const Section& section : sections_) {
        out.append(section.header).push_back('\n');
        for (const std::string& line : section.lines)
            out.append(line).push_back('\n');
    }
    return out;
}

bool IniFile::save() {
    if (!dirty_)
        return true;
    if (path_.empty())
        return false;
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    const std::string bytes = text();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        return false;
    dirty_ = false;
    return true;
}

void IniFile::checkInvariants() const {
    auto fail = [](const char* what) {
        std::fprintf(stderr, "IniFile invariant broken: %s\n", what);
        std::abort();
    };
    for (const std::string& line : preamble_) {
        if (line.find('\n') != std::string::npos || (!line.empty() && line[0] == '['))
            fail("preamble line");
    }
    for (const Section& section : sections_) {
        if (section.header.empty() || section.header[0] != '[' ||
            section.header.find('\n') != std::string::npos)
            fail("header line");
        if (section.name != headerName(section.header))
            fail("section name");
        for (const std::string& line : section.lines) {
            if (line.find('\n') != std::string::npos || (!line.empty() && line[0] == '['))
                fail("body line");
        }
    }
}

} // namespace document
