#include "platform/StandardControls.h"

#include "platform/ButtonControl.h"
#include "platform/ComboBoxControl.h"
#include "platform/DialogInternal.h"
#include "platform/EditControl.h"
#include "platform/Gdi.h"
#include "platform/StaticControl.h"
#include "platform/WindowClassRegistry.h"

namespace platform {

void registerStandardClasses() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    struct Entry {
        const char16_t* name;
        WNDPROC proc;
        HBRUSH background;
    };
    const Entry classes[] = {
        {WC_STATIC, &StaticControlProc, nullptr},
        {WC_EDIT, &EditControlProc, nullptr},
        {WC_COMBOBOX, &ComboBoxControlProc, nullptr},
        {WC_BUTTON, &ButtonControlProc, nullptr},
        {WC_DIALOG, &dialogWindowProc, GetSysColorBrush(COLOR_BTNFACE)},
    };
    for (const Entry& entry : classes) {
        WNDCLASS wc;
        wc.lpfnWndProc = entry.proc;
        wc.lpszClassName = entry.name;
        wc.hbrBackground = entry.background;
        RegisterClass(&wc);
    }
}

} // namespace platform
