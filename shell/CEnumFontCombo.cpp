#include "shell/CEnumFontCombo.h"

#include "platform/ControlMessages.h"

namespace shell {

void CEnumFontCombo::Fill(BYTE charSet, bool clearFirst) {
    if (clearFirst) {
        descriptions_.clear();
        for (LRESULT left = SendMessage(hwnd(), CB_GETCOUNT, 0, 0); left > 0; --left)
            SendMessage(hwnd(), CB_DELETESTRING, 0, 0);
    }
    LOGFONTW wanted{};
    wanted.lfCharSet = charSet;
    HDC dc = GetDC(hwnd());
    EnumFontFamiliesExW(dc, &wanted, &CEnumFontCombo::AddFamily, reinterpret_cast<LPARAM>(this), 0);
    ReleaseDC(hwnd(), dc);
}

int CEnumFontCombo::AddFamily(const LOGFONTW* font, const TEXTMETRICW* /*metrics*/,
                              DWORD /*fontType*/, LPARAM data) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    auto* self = reinterpret_cast<CEnumFontCombo*>(data);
    SendMessage(self->hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
    self->descriptions_.push_back(*font);
    return 1;
}

} // namespace shell
