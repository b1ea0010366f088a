#include "platform/Accelerator.h"

#include "platform/Window.h"

#include <algorithm>
#include <memory>
#include <vector>

struct PlatformAcceleratorTable {
    std::vector<ACCEL> entries;
};

namespace {

std::vector<std::unique_ptr<PlatformAcceleratorTable>>& tables() {
    static std::vector<std::unique_ptr<PlatformAcceleratorTable>> list;
    return list;
}

PlatformAcceleratorTable* liveTable(HACCEL table) {
    const auto& list = tables();
    const auto it =
        std::find_if(list.begin(), list.end(), [table](const auto& t) { return t.get() == table; });
    return it != list.end() ? it->get() : nullptr;
}

bool held(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

bool matches(const ACCEL& entry, const MSG& msg) {
    const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool character = msg.message == WM_CHAR || msg.message == WM_SYSCHAR;
    if ((entry.fVirt & FVIRTKEY) != 0) {
        if (!keyDown || msg.wParam != entry.key)
            return false;
        return held(VK_CONTROL) == ((entry.fVirt & FCONTROL) != 0) &&
               held(VK_SHIFT) == ((entry.fVirt & FSHIFT) != 0) &&
               held(VK_MENU) == ((entry.fVirt & FALT) != 0);
    }
    // A character entry names the character typed; only Alt is told apart.
    return character && msg.wParam == entry.key &&
           (msg.message == WM_SYSCHAR) == ((entry.fVirt & FALT) != 0);
}

} // namespace

HACCEL CreateAcceleratorTable(const ACCEL* entries, int count) {
    if (entries == nullptr || count <= 0)
        return nullptr;
    auto table = std::make_unique<PlatformAcceleratorTable>();
    table->entries.assign(entries, entries + count);
    tables().push_back(std::move(table));
    return tables().back().get();
}

BOOL DestroyAcceleratorTable(HACCEL table) {
    auto& list = tables();
    const auto it =
        std::find_if(list.begin(), list.end(), [table](const auto& t) { return t.get() == table; });
    if (it == list.end())
        return FALSE;
    list.erase(it);
    return TRUE;
}

int CopyAcceleratorTable(HACCEL table, ACCEL* buffer, int size) {
    const PlatformAcceleratorTable* t = liveTable(table);
    if (t == nullptr)
        return 0;
    const int count = static_cast<int>(t->entries.size());
    if (buffer == nullptr)
        return count;
    const int copied = std::clamp(size, 0, count);
    std::copy_n(t->entries.begin(), copied, buffer);
    return copied;
}

int TranslateAccelerator(HWND hwnd, HACCEL table, const MSG* msg) {
    const PlatformAcceleratorTable* t = liveTable(table);
    if (t == nullptr || msg == nullptr || !IsWindow(hwnd))
        return 0;
    for (const ACCEL& entry : t->entries) {
        if (matches(entry, *msg)) {
            SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
            return 1;
        }
    }
    return 0;
}
