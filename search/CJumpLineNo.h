#pragma once
// The jump-to-line bar: "Line Number: " and a digits-only field; Go To reports the number
// typed to the owner.

#include "search/CBottomBar.h"
#include "search/CEditor.h"

#include <string>

namespace search {

class CJumpLineNo : public CBottomBar {
public:
    static constexpr int kInputId = 40000;

    HWND Input() const { return input_.hwnd(); }

    const platform::CommandMap& commandMap() const override;

protected:
    void CreateChildren() override;
    int OnLayout() override;
    bool OnEnterKey(const MSG& msg) override;
    void FocusInput() override;

private:
    void OnGoTo();
    platform::CommandState GoToState() const;

    HWND label_ = nullptr;
    CEditor input_;
    std::u16string labelText_;
};

// The line number typed into the jump bar: the value of its leading decimal digits (0 when
// there are none), held at the largest int for longer numbers.
int LineNumberValue(std::u16string_view text);

} // namespace search
