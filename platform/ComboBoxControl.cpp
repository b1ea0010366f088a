#include "platform/ComboBoxControl.h"

#include "platform/ClientWidget.h"
#include "platform/ControlHost.h"
#include "platform/EditControl.h"
#include "platform/FrameWidget.h"
#include "platform/HostedLineEdit.h"
#include "platform/StandardControls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace platform {

namespace {

// The id of an editable combo box's field, as on the handheld system.
constexpr int kFieldId = 1001;

// A combo box that tells its window when the list drops down and closes.
class HostedComboBox final : public QComboBox {
public:
    HostedComboBox(HWND hwnd, QWidget* parent) : QComboBox(parent), hwnd_(hwnd) {}

    void showPopup() override {
        if (IsWindow(hwnd_))
            notifyParent(hwnd_, CBN_DROPDOWN);
        QComboBox::showPopup();
        dropped_ = true;
    }
    void hidePopup() override {
        const bool was = dropped_;
        dropped_ = false;
        QComboBox::hidePopup();
        if (was && IsWindow(hwnd_))
            notifyParent(hwnd_, CBN_CLOSEUP);
    }
    bool dropped() const { return dropped_; }

    // While the list is down, typing still goes to an editable box's field, as the keys
    // there reach the field (and pass the pre-translation) when the list is up.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !isEditable() || watched != view())
            return QComboBox::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                             key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                             key->key() == Qt::Key_Home || key->key() == Qt::Key_End;
        const bool typing = !key->text().isEmpty() && key->text().at(0).isPrint();
        if (!editing && !typing && (key->modifiers() & Qt::ControlModifier) == 0)
            return QComboBox::eventFilter(watched, event);
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                       static_cast<quint16>(key->count()));
        QCoreApplication::sendEvent(this, &copy);
        return true;
    }

private:
    HWND hwnd_;
    bool dropped_ = false;
};

struct ComboState {
    HWND field = nullptr;  // the editable field's window, null for a drop-down list
    int droppedHeight = 0; // the window height asked for, the dropped list included
    bool fitting = false;
    bool beenFocused = false;
};

std::unordered_map<HWND, ComboState>& states() {
    static std::unordered_map<HWND, ComboState> map;
    return map;
}

bool editable(DWORD style) {
    return (style & CBS_TYPEMASK) != CBS_DROPDOWNLIST;
}

HostedComboBox* comboOf(HWND hwnd) {
    return dynamic_cast<HostedComboBox*>(hostedWidget(hwnd));
}

// The window is as tall as the closed box; the height asked for sizes the dropped list.
void fitHeight(HWND hwnd, HostedComboBox* combo) {
    ComboState& state = states()[hwnd];
    if (state.fitting)
        return;
    FrameWidget* frame = hwnd->frame;
    const int border = frame->height() - frame->clientGeometry().height();
    const int closed = combo->sizeHint().height() + std::max(border, 0);
    if (frame->height() == closed)
        return;
    state.droppedHeight = frame->height();
    const int itemHeight = std::max(1, combo->fontMetrics().height());
    combo->setMaxVisibleItems(std::max(1, (state.droppedHeight - closed) / itemHeight));
    state.fitting = true;
    frame->resize(frame->width(), closed);
    syncClientArea(hwnd);
    state.fitting = false;
}

// List changes keep the field's text and the selection as the program left them.
class KeepField {
public:
    KeepField(HWND hwnd, HostedComboBox* combo, int selection)
        : change_(hwnd), combo_(combo), selection_(selection) {
        if (QLineEdit* edit = combo->lineEdit(); edit != nullptr) {
            text_ = edit->text();
            cursor_ = edit->cursorPosition();
            selStart_ = static_cast<int>(edit->selectionStart());
            selLength_ = static_cast<int>(edit->selectedText().size());
        }
    }
    ~KeepField() {
        combo_->setCurrentIndex(selection_);
        if (QLineEdit* edit = combo_->lineEdit(); edit != nullptr) {
            if (edit->text() != text_)
                edit->setText(text_);
            if (selLength_ > 0 && selStart_ >= 0)
                edit->setSelection(selStart_ == cursor_ ? selStart_ + selLength_ : selStart_,
                                   selStart_ == cursor_ ? -selLength_ : selLength_);
            else
                edit->setCursorPosition(cursor_);
        }
    }
    KeepField(const KeepField&) = delete;
    KeepField& operator=(const KeepField&) = delete;
    void select(int index) { selection_ = index; }

private:
    ProgrammaticChange change_;
    HostedComboBox* combo_;
    int selection_;
    QString text_;
    int cursor_ = 0;
    int selStart_ = -1;
    int selLength_ = 0;
};

LRESULT insertItem(HWND hwnd, HostedComboBox* combo, int index, LPARAM text) {
    if (text == 0)
        return CB_ERR;
    const QString item = textParam(text);
    const int count = combo->count();
    if ((GetWindowLong(hwnd, GWL_STYLE) & CBS_SORT) != 0 && index < 0) {
        index = 0;
        while (index < count &&
               QString::compare(combo->itemText(index), item, Qt::CaseInsensitive) <= 0)
            ++index;
    }
    if (index < 0)
        index = count;
    if (index > count)
        return CB_ERR;
    int selection = combo->currentIndex();
    if (selection >= index)
        ++selection;
    KeepField keep(hwnd, combo, selection);
    combo->insertItem(index, item);
    return index;
}

LRESULT deleteItem(HWND hwnd, HostedComboBox* combo, int index) {
    if (index < 0 || index >= combo->count())
        return CB_ERR;
    int selection = combo->currentIndex();
    if (selection == index)
        selection = -1;
    else if (selection > index)
        --selection;
    KeepField keep(hwnd, combo, selection);
    combo->removeItem(index);
    return combo->count();
}

LRESULT findExact(HostedComboBox* combo, int after, LPARAM text) {
    const QString wanted = textParam(text);
    const int count = combo->count();
    for (int step = 1; step <= count; ++step) {
        const int index = ((after < 0 ? -1 : after) + step) % count;
        if (QString::compare(combo->itemText(index), wanted, Qt::CaseInsensitive) == 0)
            return index;
    }
    return CB_ERR;
}

void create(HWND hwnd, const CREATESTRUCT& cs) {
    // WS_VSCROLL and WS_HSCROLL are the dropped list's; the box itself shows no bars.
    hwnd->vbar.shown = false;
    hwnd->hbar.shown = false;
    auto* combo = new HostedComboBox(hwnd, hwnd->client);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setFocusPolicy(Qt::ClickFocus);
    if (editable(static_cast<DWORD>(cs.style))) {
        auto* edit = new HostedLineEdit(combo);
        combo->setLineEdit(edit);
        combo->setCompleter(nullptr);
        combo->setEditable(true);
        combo->view()->installEventFilter(combo);
        // The field is a window of its own, the one that has the focus while the user types.
        states()[hwnd].field = createComboField(hwnd, kFieldId, edit, combo);
        QObject::connect(edit, &QLineEdit::textEdited, combo, [hwnd] {
            if (!IsWindow(hwnd))
                return;
            notifyParent(hwnd, CBN_EDITUPDATE);
            if (IsWindow(hwnd))
                notifyParent(hwnd, CBN_EDITCHANGE);
        });
    }
    combo->setCurrentIndex(-1);
    // Keys typed into an editable box are the field's.
    hostWidget(hwnd, combo, states()[hwnd].field == nullptr);
    QObject::connect(combo, &QComboBox::activated, combo, [hwnd] {
        if (IsWindow(hwnd) && !changingProgrammatically(hwnd))
            notifyParent(hwnd, CBN_SELCHANGE);
    });
    fitHeight(hwnd, combo);
}

LRESULT onFocus(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const HWND field = states()[hwnd].field;
    hostedControlProc(hwnd, msg, wParam, lParam);
    if (field != nullptr) {
        // The focus belongs in the field; the field's own notifications become the box's. The
        // first time, the whole text is selected, so typing replaces a seeded text.
        if (msg == WM_SETFOCUS) {
            SetFocus(field);
            if (!std::exchange(states()[hwnd].beenFocused, true))
                SendMessage(field, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    notifyParent(hwnd, msg == WM_SETFOCUS ? CBN_SETFOCUS : CBN_KILLFOCUS);
    return 0;
}

LRESULT onFieldCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const HWND field = states()[hwnd].field;
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    if (field == nullptr || reinterpret_cast<HWND>(lParam) != field)
        return 0;
    if (HIWORD(wParam) == EN_SETFOCUS)
        notifyParent(hwnd, CBN_SETFOCUS);
    else if (HIWORD(wParam) == EN_KILLFOCUS)
        notifyParent(hwnd, CBN_KILLFOCUS);
    return 0;
}

} // namespace

LRESULT ComboBoxControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        create(hwnd, *reinterpret_cast<const CREATESTRUCT*>(lParam)); // NOLINT
        return 0;
    }
    HostedComboBox* combo = comboOf(hwnd);
    if (combo == nullptr) {
        if (msg == WM_NCDESTROY)
            states().erase(hwnd);
        return hostedControlProc(hwnd, msg, wParam, lParam);
    }
    QLineEdit* edit = combo->lineEdit();
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (msg) {
    case CB_ADDSTRING:
        return insertItem(hwnd, combo, -1, lParam);
    case CB_INSERTSTRING:
        return insertItem(hwnd, combo, index < 0 ? combo->count() : index, lParam);
    case CB_DELETESTRING:
        return deleteItem(hwnd, combo, index);
    case CB_RESETCONTENT: {
        const ProgrammaticChange change(hwnd);
        combo->clear();
        combo->setCurrentIndex(-1);
        if (edit != nullptr)
            edit->clear();
        return CB_OKAY;
    }
    case CB_GETCOUNT:
        return combo->count();
    case CB_GETLBTEXT: {
        if (index < 0 || index >= combo->count() || lParam == 0)
            return CB_ERR;
        // The caller sized the buffer with CB_GETLBTEXTLEN.
        const QString text = combo->itemText(index);
        return copyText(text, static_cast<WPARAM>(text.size()) + 1, lParam);
    }
    case CB_GETLBTEXTLEN:
        return index >= 0 && index < combo->count() ? combo->itemText(index).size() : CB_ERR;
    case CB_FINDSTRINGEXACT:
        return findExact(combo, index, lParam);
    case CB_SETCURSEL: {
        const ProgrammaticChange change(hwnd);
        if (index < 0 || index >= combo->count()) {
            combo->setCurrentIndex(-1);
            if (edit != nullptr)
                edit->clear();
            return CB_ERR;
        }
        combo->setCurrentIndex(index);
        if (edit != nullptr)
            edit->setText(combo->itemText(index));
        return index;
    }
    case CB_GETCURSEL:
        return combo->currentIndex() >= 0 ? combo->currentIndex() : CB_ERR;
    case CB_SETITEMDATA:
        if (index < 0 || index >= combo->count())
            return CB_ERR;
        combo->setItemData(index, QVariant::fromValue<qlonglong>(lParam));
        return TRUE;
    case CB_GETITEMDATA:
        if (index < 0 || index >= combo->count())
            return CB_ERR;
        return static_cast<LRESULT>(combo->itemData(index).toLongLong());
    case CB_SHOWDROPDOWN:
        if (wParam != 0 && !combo->dropped())
            combo->showPopup();
        else if (wParam == 0 && combo->dropped())
            combo->hidePopup();
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return combo->dropped() ? TRUE : FALSE;
    case CB_LIMITTEXT:
        if (edit == nullptr)
            return CB_ERR;
        SendMessage(states()[hwnd].field, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    case CB_GETEDITSEL:
        return edit != nullptr ? editSelection(edit, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
        if (edit == nullptr)
            return CB_ERR;
        setEditSelection(edit, static_cast<std::int16_t>(LOWORD(lParam)),
                         static_cast<std::int16_t>(HIWORD(lParam)));
        return TRUE;
    case WM_SETTEXT: {
        if (edit != nullptr) {
            const ProgrammaticChange change(hwnd);
            edit->setText(textParam(lParam));
            return TRUE;
        }
        // A drop-down list shows only its items: the text selects the item that has it.
        const LRESULT found = findExact(combo, -1, lParam);
        const ProgrammaticChange change(hwnd);
        combo->setCurrentIndex(found == CB_ERR ? -1 : static_cast<int>(found));
        return found == CB_ERR ? CB_ERR : TRUE;
    }
    case WM_GETTEXT:
        return copyText(edit != nullptr ? edit->text() : combo->currentText(), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return edit != nullptr ? edit->text().size() : combo->currentText().size();
    case WM_COPY:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
        if (const HWND field = states()[hwnd].field; field != nullptr)
            return SendMessage(field, msg, wParam, lParam);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS | (combo->dropped() ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return onFocus(hwnd, msg, wParam, lParam);
    case WM_COMMAND:
        return onFieldCommand(hwnd, wParam, lParam);
    case WM_SIZE:
        fitHeight(hwnd, combo);
        return hostedControlProc(hwnd, msg, wParam, lParam);
    case WM_SETFONT:
        hostedControlProc(hwnd, msg, wParam, lParam);
        fitHeight(hwnd, combo);
        return 0;
    case WM_NCDESTROY:
        states().erase(hwnd);
        return hostedControlProc(hwnd, msg, wParam, lParam);
    default:
        return hostedControlProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace platform
