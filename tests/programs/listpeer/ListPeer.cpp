// Commands, one per line; every answer ends with a line holding ".":
//   recent                  open the recent-file list (loads it like a starting copy)
//   history FILE            open a string history kept in FILE
//   pull | push             on the open lists
//   add PATH CARET          add to the recent-file list
//   hadd TEXT               add to the history
//   dump                    recent files as "PATH<TAB>CARET" lines, then history entries as "=
//   TEXT" claim PATH WINDOW       claim a file lock: "claimed", "held PID WINDOW" or "unavailable"
//   release                 give the file lock up
//   probe N PATH            look at the holder of a file lock N times: "probed"
//   listen                  start answering bring-to-front requests
//   requests                windows asked for since the last call, one per line
//   lock NAME | unlock      take or give back a named mutex
//   quit                    end normally (lists write their files)
#include "document/FileLock.h"
#include "document/RecentFileList.h"
#include "document/StringHistory.h"
#include "document/Utf8Text.h"
#include "platform/FrontRequest.h"
#include "platform/NamedMutex.h"

#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using namespace document;

int main() {
    std::unique_ptr<RecentFileList> recent;
    std::unique_ptr<StringHistory> history;
    FileLock lock;
    std::unique_ptr<platform::NamedMutex> mutex;
    std::vector<std::uint64_t> requests;
    std::unique_ptr<platform::FrontRequestListener> listener;

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        std::string rest;
        std::getline(in >> std::ws, rest);
        std::ostringstream out;
        if (command == "recent") {
            recent = std::make_unique<RecentFileList>();
        } else if (command == "history") {
            history = std::make_unique<StringHistory>(rest);
        } else if (command == "pull" || command == "push") {
            for (SharedListStore* list : {static_cast<SharedListStore*>(recent.get()),
                                          static_cast<SharedListStore*>(history.get())}) {
                if (list != nullptr)
                    command == "pull" ? list->pull() : list->push();
            }
        } else if (command == "add" && recent) {
            const auto space = rest.rfind(' ');
            FileRecord record;
            record.setCaretPosition(std::stoi(rest.substr(space + 1)));
            recent->add(utf8ToUtf16(rest.substr(0, space)), record);
        } else if (command == "hadd" && history) {
            history->add(utf8ToUtf16(rest));
        } else if (command == "dump") {
            for (std::size_t i = 0; recent && i < recent->count(); ++i) {
                out << utf16ToUtf8(recent->entry(i)->path) << '\t'
                    << recent->entry(i)->record.caretPosition() << '\n';
            }
            for (std::size_t i = 0; history && i < history->count(); ++i)
                out << "= " << utf16ToUtf8(history->entry(i)) << '\n';
        } else if (command == "claim") {
            const auto space = rest.rfind(' ');
            const auto outcome =
                lock.claim(utf8ToUtf16(rest.substr(0, space)), std::stoull(rest.substr(space + 1)));
            if (outcome.result == FileLock::Result::Claimed)
                out << "claimed\n";
            else if (outcome.result == FileLock::Result::HeldElsewhere)
                out << "held " << outcome.holder.processId << ' ' << outcome.holder.window << '\n';
            else
                out << "unavailable\n";
        } else if (command == "probe") {
            const auto space = rest.find(' ');
            const std::u16string path = utf8ToUtf16(rest.substr(space + 1));
            for (int n = std::stoi(rest.substr(0, space)); n > 0; --n)
                FileLock::holderOf(path);
            out << "probed\n";
        } else if (command == "release") {
            lock.release();
        } else if (command == "listen") {
            listener = std::make_unique<platform::FrontRequestListener>(
                [&](std::uint64_t window) { requests.push_back(window); });
            out << (listener->listening() ? "listening\n" : "not listening\n");
        } else if (command == "requests") {
            if (listener)
                listener->poll();
            for (const auto window : requests)
                out << window << '\n';
            requests.clear();
        } else if (command == "lock") {
            mutex = std::make_unique<platform::NamedMutex>(rest);
            out << (mutex->lock() ? "locked\n" : "failed\n");
        } else if (command == "unlock" && mutex) {
            mutex->unlock();
        } else if (command == "quit") {
            break;
        } else {
            out << "unknown command\n";
        }
        std::cout << out.str() << ".\n" << std::flush;
    }
    return 0;
}
