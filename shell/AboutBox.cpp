#include "shell/AboutBox.h"

#include "platform/Icon.h"
#include "platform/ModalDialog.h"
#include "platform/SoftKeyBar.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "shell/CMainFrame.h"

#include <algorithm>

namespace shell {

namespace {

// The icon's place in the dialog: a static control that paints the program icon over its
// background, as large as fits.
class IconPicture : public platform::WindowObject {
public:
    const platform::MessageMap& messageMap() const override {
        using platform::onMessage;
        static constexpr platform::MessageEntry entries[] = {
            onMessage<WM_PAINT, &IconPicture::OnPaint>(),
        };
        static const platform::MessageMap map{&WindowObject::messageMap(), entries};
        return map;
    }

private:
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam) {
        const LRESULT result = defaultProc(WM_PAINT, wParam, lParam);
        RECT client;
        GetClientRect(hwnd(), &client);
        const int side = std::min(client.right, client.bottom);
        if (HDC dc = GetDC(hwnd()); dc != nullptr) {
            DrawIconEx(dc, 0, 0, resources::loadIcon(IDR_MAINFRAME), side, side, 0, nullptr,
                       DI_NORMAL);
            ReleaseDC(hwnd(), dc);
        }
        return result;
    }
};

class AboutDialog : public platform::ModalDialog {
public:
    AboutDialog() : ModalDialog(*resources::loadDialog(IDD_ABOUTBOX)) {}

protected:
    int onInitDialog() override {
        const int result = ModalDialog::onInitDialog();
        if (result == -1)
            return result;
        if (HWND place = item(IDC_ABOUT_ICON); place != nullptr)
            icon_.subclass(place);
        if (softKeys_.create(hwnd(), CMainFrame::kMenuBarId, CMainFrame::kMenuBarStyle))
            softKeys_.loadMenu(resources::loadMenu(IDR_ABOUTBAR));
        return result;
    }

private:
    IconPicture icon_;
    platform::SoftKeyMenuBar softKeys_;
};

} // namespace

void ShowAboutBox(HWND owner) {
    AboutDialog dialog;
    dialog.doModal(owner);
}

} // namespace shell
