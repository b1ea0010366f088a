#include "platform/WindowClassRegistry.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

struct Registry {
    std::vector<std::shared_ptr<WindowClass>> classes;
    ATOM nextAtom = 0xC000; // the range of registered classes
};

Registry& registry() {
    static Registry r;
    return r;
}

char16_t foldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c;
}

// Class names compare without regard to ASCII case, as on the handheld system.
bool sameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return foldAscii(x) == foldAscii(y); });
}

} // namespace

std::shared_ptr<WindowClass> findWindowClass(std::u16string_view name) {
    registerStandardClasses();
    for (const auto& c : registry().classes) {
        if (sameName(c->name, name))
            return c;
    }
    return nullptr;
}

} // namespace platform

ATOM RegisterClass(const WNDCLASS* wc) {
    if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr)
        return 0;
    const std::u16string_view name(wc->lpszClassName);
    if (name.empty() || platform::findWindowClass(name))
        return 0;
    auto& r = platform::registry();
    if (r.nextAtom == 0xFFFF)
        return 0;
    auto c = std::make_shared<platform::WindowClass>();
    c->wc = *wc;
    c->name = std::u16string(name);
    c->wc.lpszClassName = c->name.c_str();
    c->wc.lpszMenuName = nullptr;
    c->atom = r.nextAtom++;
    r.classes.push_back(c);
    return c->atom;
}

BOOL UnregisterClass(const char16_t* className, HINSTANCE /*instance*/) {
    if (className == nullptr)
        return FALSE;
    auto& classes = platform::registry().classes;
    const auto it = std::find_if(classes.begin(), classes.end(), [&](const auto& c) {
        return platform::sameName(c->name, className);
    });
    if (it == classes.end() || (*it)->windows > 0)
        return FALSE;
    classes.erase(it);
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE /*instance*/, const char16_t* className, WNDCLASS* out) {
    if (className == nullptr || out == nullptr)
        return FALSE;
    const auto c = platform::findWindowClass(className);
    if (!c)
        return FALSE;
    *out = c->wc;
    return TRUE;
}
