#include "platform/ButtonControl.h"

#include "platform/ClientWidget.h"
#include "platform/ControlHost.h"
#include "platform/StandardControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace platform {

namespace {

DWORD kindOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK;
}

bool isCheckBox(DWORD kind) {
    return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE ||
           kind == BS_AUTO3STATE;
}

bool isRadio(DWORD kind) {
    return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

bool isAutomatic(DWORD kind) {
    return kind == BS_AUTOCHECKBOX || kind == BS_AUTO3STATE || kind == BS_AUTORADIOBUTTON;
}

// The radio buttons of one group: from the WS_GROUP button at or before hwnd up to the next
// WS_GROUP control.
void uncheckOtherRadios(HWND hwnd) {
    const HWND parent = GetParent(hwnd);
    HWND first = hwnd;
    while ((GetWindowLong(first, GWL_STYLE) & static_cast<LONG>(WS_GROUP)) == 0) {
        const HWND previous = GetWindow(first, GW_HWNDPREV);
        if (previous == nullptr)
            break;
        first = previous;
    }
    for (HWND w = first; w != nullptr && GetParent(w) == parent; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != first && (GetWindowLong(w, GWL_STYLE) & static_cast<LONG>(WS_GROUP)) != 0)
            break;
        if (w != hwnd && isRadio(kindOf(w)))
            SendMessage(w, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

QAbstractButton* buttonOf(HWND hwnd) {
    return hosted<QAbstractButton>(hwnd);
}

void create(HWND hwnd, const CREATESTRUCT& cs) {
    const DWORD kind = static_cast<DWORD>(cs.style) & BS_TYPEMASK;
    const QString text = cs.lpszName != nullptr ? QString::fromUtf16(cs.lpszName) : QString();
    if (kind == BS_GROUPBOX) {
        auto* box = new QGroupBox(text, hwnd->client);
        hostWidget(hwnd, box);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        return;
    }
    QAbstractButton* button = nullptr;
    if (isCheckBox(kind)) {
        auto* box = new QCheckBox(text, hwnd->client);
        box->setTristate(kind == BS_3STATE || kind == BS_AUTO3STATE);
        button = box;
    } else if (isRadio(kind)) {
        auto* radio = new QRadioButton(text, hwnd->client);
        // Groups are the dialog's (WS_GROUP), not the toolkit's siblings.
        radio->setAutoExclusive(false);
        button = radio;
    } else {
        auto* push = new QPushButton(text, hwnd->client);
        // Return is the dialog's business (its default button), not the focused button's.
        push->setAutoDefault(false);
        push->setDefault(kind == BS_DEFPUSHBUTTON);
        button = push;
    }
    hostWidget(hwnd, button);
    QObject::connect(button, &QAbstractButton::clicked, button, [hwnd, button] {
        if (!IsWindow(hwnd))
            return;
        const DWORD kind = kindOf(hwnd);
        if ((isCheckBox(kind) || isRadio(kind)) && !isAutomatic(kind)) {
            // A plain check box or radio button changes only when the program says so.
            const ProgrammaticChange change(hwnd);
            if (auto* box = qobject_cast<QCheckBox*>(button); box != nullptr)
                box->setCheckState(box->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            else
                button->setChecked(!button->isChecked());
        }
        if (kind == BS_AUTORADIOBUTTON) {
            button->setChecked(true);
            uncheckOtherRadios(hwnd);
        }
        notifyParent(hwnd, BN_CLICKED);
    });
}

LRESULT checkState(QAbstractButton* button) {
    if (auto* box = qobject_cast<QCheckBox*>(button); box != nullptr) {
        switch (box->checkState()) {
        case Qt::Checked:
            return BST_CHECKED;
        case Qt::PartiallyChecked:
            return BST_INDETERMINATE;
        default:
            return BST_UNCHECKED;
        }
    }
    return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void setCheckState(QAbstractButton* button, WPARAM state) {
    if (auto* box = qobject_cast<QCheckBox*>(button); box != nullptr) {
        if (state == BST_INDETERMINATE && box->isTristate())
            box->setCheckState(Qt::PartiallyChecked);
        else
            box->setCheckState(state == BST_CHECKED ? Qt::Checked : Qt::Unchecked);
        return;
    }
    if (button->isCheckable())
        button->setChecked(state == BST_CHECKED);
}

} // namespace

LRESULT ButtonControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        create(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lParam)); // NOLINT
        return 0;
    }
    QAbstractButton* button = buttonOf(hwnd);
    QWidget* widget = hostedWidget(hwnd);
    if (widget == nullptr)
        return hostedControlProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case BM_GETCHECK:
        return button != nullptr ? checkState(button) : BST_UNCHECKED;
    case BM_SETCHECK:
        if (button != nullptr) {
            const ProgrammaticChange change(hwnd);
            setCheckState(button, wParam);
        }
        return 0;
    case BM_GETSTATE:
        return button != nullptr ? checkState(button) | (button->isDown() ? BST_PUSHED : 0) |
                                       (GetFocus() == hwnd ? BST_FOCUS : 0)
                                 : 0;
    case BM_SETSTATE:
        if (button != nullptr)
            button->setDown(wParam != 0);
        return 0;
    case BM_CLICK:
        if (button != nullptr && IsWindowEnabled(hwnd))
            button->click();
        return 0;
    case WM_SETTEXT: {
        const QString text = textParam(lParam);
        if (button != nullptr)
            button->setText(text);
        else if (auto* box = qobject_cast<QGroupBox*>(widget); box != nullptr)
            box->setTitle(text);
        return TRUE;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: {
        QString text;
        if (button != nullptr)
            text = button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(widget); box != nullptr)
            text = box->title();
        return msg == WM_GETTEXT ? copyText(text, wParam, lParam) : text.size();
    }
    case WM_GETDLGCODE: {
        const DWORD kind = kindOf(hwnd);
        if (kind == BS_DEFPUSHBUTTON)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (kind == BS_PUSHBUTTON)
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        if (isRadio(kind))
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (kind == BS_GROUPBOX)
            return DLGC_STATIC;
        return DLGC_BUTTON;
    }
    default:
        return hostedControlProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace platform
