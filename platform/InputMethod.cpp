#include "platform/InputMethod.h"

#include "platform/CaretInternal.h"
#include "platform/ClientWidget.h"
#include "platform/InputMethodInternal.h"
#include "platform/PreeditComposition.h"
#include "platform/SystemCompositionWindow.h"

#include <QGuiApplication>
#include <QInputMethod>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// A form position and the window it was set for (its serial): another window that takes the
// focus does not inherit it.
template <class Form> struct PlacedForm {
    Form form;
    std::uint64_t window = 0;
};

} // namespace

struct PlatformInputContext {
    bool open = true;
    platform::Composition composition;
    std::u16string result;
    std::uint64_t composing = 0; // the window that got WM_IME_STARTCOMPOSITION
    PlacedForm<COMPOSITIONFORM> compositionForm;
    std::array<PlacedForm<CANDIDATEFORM>, 4> candidateForms;
};

namespace platform {

namespace {

constexpr LPARAM kCompositionFlags = GCS_COMPSTR | GCS_COMPATTR | GCS_COMPCLAUSE | GCS_CURSORPOS;

PlatformInputContext& defaultContext() {
    static PlatformInputContext context;
    return context;
}

bool known(HIMC context) {
    return context == &defaultContext();
}

HIMC attachedContext(const PlatformWindow* w) {
    return w->inputContext.value_or(&defaultContext());
}

// The live window behind a serial, or null.
HWND windowBySerial(std::uint64_t serial) {
    if (serial == 0)
        return nullptr;
    for (HWND hwnd : liveWindows()) {
        if (windowSerial(hwnd) == serial)
            return hwnd;
    }
    return nullptr;
}

// Whether the toolkit's input method talks to hwnd's client area now.
bool toolkitFocus(HWND hwnd) {
    const PlatformWindow* w = liveWindow(hwnd);
    return w != nullptr && QGuiApplication::focusObject() == w->client;
}

void tellToolkit(HWND hwnd, Qt::InputMethodQueries queries) {
    if (toolkitFocus(hwnd))
        QGuiApplication::inputMethod()->update(queries);
}

void endComposition(PlatformInputContext& context) {
    const HWND window = windowBySerial(context.composing);
    context.composing = 0;
    context.composition = Composition{};
    if (window != nullptr)
        SendMessage(window, WM_IME_ENDCOMPOSITION, 0, 0);
}

// Hands what the context still composes to its window as a result, as if committed.
void completeComposition(PlatformInputContext& context) {
    const HWND window = windowBySerial(context.composing);
    if (window == nullptr) {
        context.composing = 0;
        return;
    }
    // The desktop's input method commits its own preedit first where it can.
    if (toolkitFocus(window))
        QGuiApplication::inputMethod()->commit();
    if (context.composing == 0 || context.composition.text.empty())
        return;
    context.result = context.composition.text;
    context.composition = Composition{};
    SendMessage(window, WM_IME_COMPOSITION, context.result.back(),
                GCS_RESULTSTR | GCS_RESULTCLAUSE);
    endComposition(context);
}

// Copies `bytes` of `data` into a caller's buffer as ImmGetCompositionStringW does: the size
// needed for an empty buffer, else as many whole `unit`-sized items as fit.
LONG copyOut(const void* data, std::size_t bytes, std::size_t unit, void* buffer,
             DWORD bufferBytes) {
    if (bufferBytes == 0)
        return static_cast<LONG>(bytes);
    if (buffer == nullptr)
        return IMM_ERROR_GENERAL;
    const std::size_t copied = std::min<std::size_t>(bytes, bufferBytes / unit * unit);
    if (copied > 0)
        std::memcpy(buffer, data, copied);
    return static_cast<LONG>(copied);
}

template <class T> LONG copyVector(const std::vector<T>& items, void* buffer, DWORD bufferBytes) {
    return copyOut(items.data(), items.size() * sizeof(T), sizeof(T), buffer, bufferBytes);
}

LONG copyString(const std::u16string& text, void* buffer, DWORD bufferBytes) {
    return copyOut(text.data(), text.size() * sizeof(char16_t), sizeof(char16_t), buffer,
                   bufferBytes);
}

// The rectangle the input method places its candidate window under: from candidate form 0
// when hwnd set one (its point is the candidate window's top-left; an excluded area gives the
// line's height, so the window goes above the line when there is no room below), else the
// caret, else the middle of the client area.
QRect cursorRectangle(HWND hwnd) {
    PlatformWindow* w = liveWindow(hwnd);
    const HIMC context = attachedContext(w);
    if (context != nullptr) {
        const PlacedForm<CANDIDATEFORM>& placed = context->candidateForms[0];
        if (placed.window != 0 && placed.window == windowSerial(hwnd)) {
            const CANDIDATEFORM& f = placed.form;
            const POINT p = f.ptCurrentPos;
            if ((f.dwStyle & CFS_EXCLUDE) != 0) {
                const int height = std::max<LONG>(f.rcArea.bottom - f.rcArea.top, 1);
                const int width = std::max<LONG>(f.rcArea.right - f.rcArea.left, 1);
                return QRect(p.x, p.y - height, width, height);
            }
            if ((f.dwStyle & CFS_CANDIDATEPOS) != 0)
                return QRect(p.x, p.y - 1, 1, 1);
        }
    }
    if (const std::optional<QRect> caret = caretRectOf(hwnd))
        return *caret;
    const QSize size = w->client->size();
    return QRect(size.width() / 2, 0, 1, size.height());
}

// Where the system composition window goes: the composition form's point, the caret, or the
// client area's bottom-left.
QPoint systemCompositionPoint(HWND hwnd, const PlatformInputContext& context) {
    const PlacedForm<COMPOSITIONFORM>& placed = context.compositionForm;
    if (placed.window != 0 && placed.window == windowSerial(hwnd) &&
        placed.form.dwStyle != CFS_DEFAULT)
        return QPoint(placed.form.ptCurrentPos.x, placed.form.ptCurrentPos.y);
    if (const std::optional<QRect> caret = caretRectOf(hwnd))
        return caret->bottomLeft() + QPoint(0, 1);
    return QPoint(0, liveWindow(hwnd)->client->height());
}

void sendResultCharacters(HWND hwnd, const std::u16string& result) {
    for (const char16_t unit : result) {
        if (!IsWindow(hwnd))
            return;
        SendMessage(hwnd, WM_IME_CHAR, unit, 1);
    }
}

} // namespace

bool inputMethodAccepted(HWND hwnd) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr)
        return false;
    const HIMC context = attachedContext(w);
    return context != nullptr && context->open && IsWindowEnabled(hwnd);
}

void deliverInputMethodEvent(HWND hwnd, const QInputMethodEvent& event) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr || attachedContext(w) == nullptr)
        return;
    PlatformInputContext& context = *attachedContext(w);
    // A commit that arrives after the context closed still belongs to the window; only a
    // detached window gets nothing.
    Composition next;
    if (inputMethodAccepted(hwnd))
        next = compositionFromPreedit(event.preeditString(), event.attributes());
    const std::u16string commit = event.commitString().toStdU16String();
    const std::uint64_t serial = windowSerial(hwnd);
    if (context.composing != serial) {
        if (context.composing != 0)
            endComposition(context);
        if (next.text.empty() && commit.empty())
            return;
        context.composing = serial;
        SendMessage(hwnd, WM_IME_STARTCOMPOSITION, 0, 0);
        if (!IsWindow(hwnd) || context.composing != serial)
            return;
    }
    const bool changed = next != context.composition;
    context.composition = std::move(next);
    LPARAM flags = 0;
    WPARAM latest = 0;
    if (!commit.empty()) {
        context.result = commit;
        flags |= GCS_RESULTSTR | GCS_RESULTCLAUSE;
        latest = commit.back();
    }
    // A result that empties the composition says so by itself; the end follows.
    if (changed && (commit.empty() || !context.composition.text.empty())) {
        flags |= kCompositionFlags;
        if (!context.composition.text.empty())
            latest = context.composition.text.back();
    }
    if (flags != 0)
        SendMessage(hwnd, WM_IME_COMPOSITION, latest, flags);
    if (IsWindow(hwnd) && context.composing == serial && context.composition.text.empty())
        endComposition(context);
}

QVariant answerInputMethodQuery(HWND hwnd, Qt::InputMethodQuery query) {
    if (liveWindow(hwnd) == nullptr)
        return {};
    switch (query) {
    case Qt::ImEnabled:
        return inputMethodAccepted(hwnd);
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle:
        return cursorRectangle(hwnd);
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    default:
        return {};
    }
}

LRESULT defaultInputMethodMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr)
        return 0;
    const HIMC context = attachedContext(w);
    switch (msg) {
    case WM_IME_SETCONTEXT:
        w->showsSystemComposition =
            wParam != 0 && (static_cast<DWORD>(lParam) & ISC_SHOWUICOMPOSITIONWINDOW) != 0;
        if (!w->showsSystemComposition)
            hideSystemComposition(hwnd);
        return 0;
    case WM_IME_COMPOSITION:
        if (context == nullptr)
            return 0;
        if ((lParam & GCS_COMPSTR) != 0 && w->showsSystemComposition)
            showSystemComposition(hwnd, systemCompositionPoint(hwnd, *context),
                                  context->composition.text);
        if ((lParam & GCS_RESULTSTR) != 0)
            sendResultCharacters(hwnd, std::u16string(context->result));
        return 0;
    case WM_IME_ENDCOMPOSITION:
        hideSystemComposition(hwnd);
        return 0;
    case WM_IME_CHAR:
        return SendMessage(hwnd, WM_CHAR, wParam, lParam);
    default:
        return 0;
    }
}

void forgetInputMethodWindow(HWND hwnd) {
    hideSystemComposition(hwnd);
    PlatformInputContext& context = defaultContext();
    const std::uint64_t serial = windowSerial(hwnd);
    if (context.composing == serial) {
        context.composing = 0;
        context.composition = Composition{};
    }
    if (context.compositionForm.window == serial)
        context.compositionForm = {};
    for (auto& placed : context.candidateForms) {
        if (placed.window == serial)
            placed = {};
    }
}

} // namespace platform

using namespace platform;

HIMC ImmGetContext(HWND hwnd) {
    PlatformWindow* w = liveWindow(hwnd);
    return w != nullptr ? attachedContext(w) : nullptr;
}

BOOL ImmReleaseContext(HWND /*hwnd*/, HIMC context) {
    return known(context) ? TRUE : FALSE;
}

HIMC ImmAssociateContext(HWND hwnd, HIMC context) {
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr || (context != nullptr && !known(context)))
        return nullptr;
    const HIMC old = attachedContext(w);
    if (old == context)
        return old;
    w->inputContext = context;
    if (old != nullptr && old->composing == windowSerial(hwnd)) {
        // The input method forgets its preedit; whatever it commits now finds no context.
        if (toolkitFocus(hwnd))
            QGuiApplication::inputMethod()->reset();
        endComposition(*old);
    }
    tellToolkit(hwnd, Qt::ImEnabled);
    return old;
}

LONG ImmGetCompositionStringW(HIMC context, DWORD index, void* buffer, DWORD bufferBytes) {
    if (!known(context))
        return IMM_ERROR_GENERAL;
    const Composition& c = context->composition;
    switch (index) {
    case GCS_COMPSTR:
        return copyString(c.text, buffer, bufferBytes);
    case GCS_COMPATTR:
        return copyVector(c.attributes, buffer, bufferBytes);
    case GCS_COMPCLAUSE:
        return copyVector(c.clauses, buffer, bufferBytes);
    case GCS_CURSORPOS:
        return c.cursor;
    case GCS_RESULTSTR:
        return copyString(context->result, buffer, bufferBytes);
    case GCS_RESULTCLAUSE: {
        std::vector<DWORD> clauses;
        if (!context->result.empty())
            clauses = {0, static_cast<DWORD>(context->result.size())};
        return copyVector(clauses, buffer, bufferBytes);
    }
    default:
        return IMM_ERROR_GENERAL;
    }
}

BOOL ImmSetOpenStatus(HIMC context, BOOL open) {
    if (!known(context))
        return FALSE;
    const bool opening = open != FALSE;
    if (context->open == opening)
        return TRUE;
    if (!opening)
        completeComposition(*context);
    context->open = opening;
    tellToolkit(GetFocus(), Qt::ImEnabled);
    return TRUE;
}

BOOL ImmGetOpenStatus(HIMC context) {
    return known(context) && context->open ? TRUE : FALSE;
}

BOOL ImmSetCompositionWindow(HIMC context, const COMPOSITIONFORM* form) {
    if (!known(context) || form == nullptr)
        return FALSE;
    context->compositionForm = {*form, windowSerial(GetFocus())};
    return TRUE;
}

BOOL ImmGetCompositionWindow(HIMC context, COMPOSITIONFORM* form) {
    if (!known(context) || form == nullptr)
        return FALSE;
    *form = context->compositionForm.form;
    return TRUE;
}

BOOL ImmSetCandidateWindow(HIMC context, const CANDIDATEFORM* form) {
    if (!known(context) || form == nullptr || form->dwIndex >= context->candidateForms.size())
        return FALSE;
    const HWND focus = GetFocus();
    context->candidateForms[form->dwIndex] = {*form, windowSerial(focus)};
    if (form->dwIndex == 0)
        tellToolkit(focus, Qt::ImCursorRectangle | Qt::ImAnchorRectangle);
    return TRUE;
}

BOOL ImmGetCandidateWindow(HIMC context, DWORD index, CANDIDATEFORM* form) {
    if (!known(context) || form == nullptr || index >= context->candidateForms.size())
        return FALSE;
    *form = context->candidateForms[index].form;
    form->dwIndex = index;
    return TRUE;
}
