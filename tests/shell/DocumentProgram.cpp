#include "shell/DocumentProgram.h"

#include "document/RecentFileList.h"
#include "document/Utf8Text.h"
#include "resources/CommandIds.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kivtest {

std::string DocumentProgram::docPath(const std::string& name) {
    const std::string folder = scratch_.root() + "docs/";
    std::filesystem::create_directories(folder);
    return folder + name;
}

std::u16string DocumentProgram::u16(const std::string& path) {
    return document::utf8ToUtf16(path);
}

void DocumentProgram::writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string DocumentProgram::readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void DocumentProgram::command(UINT id) {
    SendMessage(frame().hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    platform::test::pumpMessages();
}

void DocumentProgram::openThroughRecent(const std::string& path) {
    {
        document::RecentFileList list;
        list.pull();
        list.add(u16(path), list.lookup(u16(path)));
        list.push();
    }
    command(ID_RECENT_FIRST);
}

int DocumentProgram::caret() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

bool DocumentProgram::modified() {
    return SendMessage(editor(), EM_GETMODIFY, 0, 0) != 0;
}

void DocumentProgram::type(const std::u16string& text) {
    platform::test::typeText(editor(), text);
    platform::test::pumpMessages();
}

} // namespace kivtest
