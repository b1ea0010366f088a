#pragma once
// An editable combo box whose drop-down list shows a history: Down opens the list, typing
// closes it, and Ctrl+C / Ctrl+X / Ctrl+V work on its field.

#include "platform/WindowObject.h"

namespace search {

class CMyComboBox : public platform::WindowObject {
public:
    // Creates the combo box as child `id` of parent. False when creation fails.
    bool Create(DWORD style, HWND parent, int id);
    // Whether its list is dropped down now.
    bool Dropped() const;

    bool preTranslateMessage(MSG& msg) override;
    const platform::MessageMap& messageMap() const override;

private:
    LRESULT OnReflectedCommand(WPARAM wParam, LPARAM lParam);
};

} // namespace search
