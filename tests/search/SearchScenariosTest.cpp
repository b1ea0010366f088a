// Scenarios kept as data: each folder under scenarios/ holds input.txt (the text, LF for a
// line break), actions.txt (one action a line, run in the program as a person would), and
// expected.txt and selection.txt (the text and the selection afterwards).
//   select S E | key Return|Up|Down|Tab|Escape|F1 | ctrl F|R|G|B | type TEXT | menu ITEM
#include "search/BarProgram.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace kivtest {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// UTF-8 to the control's UTF-16 with CR line breaks (the files hold ASCII and kana).
std::u16string controlText(const std::string& utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t code = c;
        std::size_t length = 1;
        if (c >= 0xE0) {
            code = ((c & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
            length = 3;
        } else if (c >= 0xC0) {
            code = ((c & 0x1F) << 6) | (utf8[i + 1] & 0x3F);
            length = 2;
        }
        out += code == U'\n' ? u'\r' : static_cast<char16_t>(code);
        i += length;
    }
    return out;
}

class SearchScenarios : public BarProgram {
protected:
    void run(const fs::path& folder) {
        startWith(controlText(readFile(folder / "input.txt")));
        std::istringstream actions(readFile(folder / "actions.txt"));
        const std::map<std::string, int> keys{{"Return", VK_RETURN}, {"Up", VK_UP},
                                              {"Down", VK_DOWN},     {"Tab", VK_TAB},
                                              {"Escape", VK_ESCAPE}, {"F1", VK_F1}};
        std::string line;
        while (std::getline(actions, line)) {
            const std::size_t space = line.find(' ');
            const std::string verb = line.substr(0, space);
            const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
            SCOPED_TRACE(line);
            if (verb == "select") {
                std::istringstream numbers(rest);
                int start = 0;
                int end = 0;
                numbers >> start >> end;
                select(start, end);
            } else if (verb == "key") {
                ASSERT_TRUE(keys.count(rest) == 1);
                press(keys.at(rest));
            } else if (verb == "ctrl") {
                press(rest.at(0), platform::test::Control);
            } else if (verb == "type") {
                for (const char16_t c : controlText(rest))
                    type(std::u16string(1, c));
            } else if (verb == "menu") {
                platform::test::queueMessageBoxAnswer(IDOK);
                chooseFromMenu(controlText(rest));
            } else {
                ASSERT_TRUE(verb.empty() || verb[0] == '#') << "unknown action";
            }
        }
        platform::test::takeMessageBoxCalls();
        EXPECT_EQ(text(), controlText(readFile(folder / "expected.txt")));
        std::istringstream numbers(readFile(folder / "selection.txt"));
        DWORD start = 0;
        DWORD end = 0;
        numbers >> start >> end;
        EXPECT_EQ(selection(), Selection(start, end));
    }
};

TEST_F(SearchScenarios, EveryFolderEndsAsItSays) {
    const fs::path root = fs::path(KIV_SOURCE_DIR) / "tests/search/scenarios";
    int count = 0;
    for (const auto& entry : fs::directory_iterator(root)) {
        SCOPED_TRACE(entry.path().filename().string());
        run(entry.path());
        stop();
        ++count;
    }
    EXPECT_GE(count, 3);
}

} // namespace
} // namespace kivtest
