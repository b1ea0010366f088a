#pragma once
// The desktop line edit behind the single-line edit control and the editable combo box's
// field: a paste takes the clipboard text up to its first line break, as a single-line
// field does, and digits-only fields refuse other characters.

#include <QLineEdit>

namespace platform {

class HostedLineEdit final : public QLineEdit {
public:
    explicit HostedLineEdit(QWidget* parent);

    // Inserts the clipboard's first line in place of the selection.
    void pasteFirstLine();
    // Lets only the digits 0-9 be typed or pasted (ES_NUMBER).
    void setDigitsOnly(bool on);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace platform
