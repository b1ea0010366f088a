#pragma once
// Dialog data exchange: one pass over a dialog's fields, either putting the members'
// values into the controls or reading them back with validation. A field that fails shows
// the framework's message in a box captioned with the application's name, gets the focus
// (its text selected), and stops the pass: later fields are neither read nor validated.

#include "platform/ControlMessages.h"

#include <optional>
#include <string>

namespace platform {

class DataExchange {
public:
    DataExchange(HWND dialog, bool saveAndValidate);

    // True when reading the controls back.
    bool saving() const { return saving_; }
    // True once a field failed; every later exchange does nothing.
    bool failed() const { return failed_; }
    HWND dialog() const { return dialog_; }

    // A check box's state (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE).
    void check(int id, int& value);
    // A control's text.
    void text(int id, std::u16string& value);
    // A decimal integer typed in a control: "Please enter an integer." when the text is not
    // one.
    void integer(int id, int& value);
    // A decimal integer in min..max: "Please enter an integer between %1 and %2." with the
    // bounds filled in when it lies outside.
    void integer(int id, int& value, int min, int max);
    // A byte: "Please enter an integer between 0 and 255." when outside 0..255.
    void byteValue(int id, BYTE& value);
    // The selected position of a combo box (-1 for none).
    void comboIndex(int id, int& value);
    // Reports a failure of field id with message, as the exchanges above do.
    void fail(int id, const std::u16string& message);

private:
    // Loading shows value in the control; saving gives the control's number, or nothing after
    // the message when it holds none. Nothing either when the control is missing.
    std::optional<long long> number(int id, long long value);
    HWND control(int id) const;

    HWND dialog_;
    bool saving_;
    bool failed_ = false;
};

} // namespace platform
