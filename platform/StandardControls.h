#pragma once
// The standard controls, created by class name with CreateWindowEx like any window (the
// classes exist from the start; names ignore ASCII case). Each is a desktop widget hosted in
// the control's window, drawn in the desktop's style, taking input-method text natively.
// Keyboard input reaches it through the platform's pre-translation (the window objects from
// the control up see WM_KEYDOWN first and may consume it); what they let through, and what
// the control's procedure (or a subclass calling it) is sent, the widget handles. A control's
// procedure can be replaced and the old one called; the user-data slot is left to the caller.
// Notifications go to the parent as WM_COMMAND (MAKEWPARAM(id, code), control handle).
//
// "STATIC"   text (WM_SETTEXT), SS_LEFT / SS_CENTER / SS_RIGHT; a plain window otherwise, so it
//            can hold children (a bar built on a static control) and be painted over.
// "EDIT"     single-line edit: WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH, EM_SETSEL,
//            EM_GETSEL, EM_REPLACESEL, EM_LIMITTEXT, EM_GETLIMITTEXT, EM_SETREADONLY,
//            EM_GETMODIFY / EM_SETMODIFY, EM_UNDO / EM_CANUNDO, WM_COPY / WM_CUT / WM_PASTE /
//            WM_CLEAR, WM_UNDO, WM_CHAR; ES_NUMBER takes digits only, ES_PASSWORD,
//            ES_READONLY, ES_CENTER / ES_RIGHT. EN_CHANGE after every change of the text
//            (typed or set), EN_SETFOCUS, EN_KILLFOCUS, EN_MAXTEXT.
// "COMBOBOX" CBS_DROPDOWNLIST is a plain drop-down list; every other type (CBS_DROPDOWN, or no
//            type bits) has an editable field. CB_ADDSTRING, CB_INSERTSTRING,
//            CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT, CB_GETLBTEXT, CB_GETLBTEXTLEN,
//            CB_FINDSTRINGEXACT, CB_SETCURSEL, CB_GETCURSEL, CB_SETITEMDATA, CB_GETITEMDATA,
//            CB_SHOWDROPDOWN, CB_GETDROPPEDSTATE, CB_LIMITTEXT, CB_GETEDITSEL,
//            CB_SETEDITSEL; WM_SETTEXT / WM_GETTEXT / WM_GETTEXTLENGTH (the field, or the
//            selected item of a list); WM_COPY / WM_CUT / WM_PASTE / WM_CLEAR on the field.
//            CBN_EDITCHANGE (typed in the field), CBN_SELCHANGE (a user's choice),
//            CBN_DROPDOWN, CBN_CLOSEUP, CBN_SETFOCUS, CBN_KILLFOCUS. The window's height
//            includes the dropped list, as on the handheld system; the closed box is one
//            field high at the top of it. The items are not sorted.
// "BUTTON"   BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE,
//            BS_AUTO3STATE, BS_RADIOBUTTON, BS_AUTORADIOBUTTON, BS_GROUPBOX: BM_GETCHECK,
//            BM_SETCHECK, BM_CLICK, WM_SETTEXT; BN_CLICKED when pressed (with the pointer,
//            Space, or BM_CLICK). A push button's id is the command it sends.
//
// The controls use the dialog font of the desktop (WM_SETFONT changes it) and answer
// WM_GETDLGCODE as dialogs expect. Focus moves only through SetFocus, a click, or the
// dialog's Tab navigation: EN_SETFOCUS and friends, and WM_SETFOCUS to the control's
// procedure, follow every move.

#include "platform/ControlMessages.h"

inline constexpr const char16_t* WC_STATIC = u"STATIC";
inline constexpr const char16_t* WC_EDIT = u"EDIT";
inline constexpr const char16_t* WC_COMBOBOX = u"COMBOBOX";
inline constexpr const char16_t* WC_BUTTON = u"BUTTON";
