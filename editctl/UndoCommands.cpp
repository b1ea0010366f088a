#include "editctl/UndoCommands.h"

#include "editctl/EditActions.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/Scrolling.h"

#include <string_view>

namespace editctl {

namespace {

// Lifts the text limit while it lives; the limit is back however the insertion ends.
class LimitLifted {
public:
    explicit LimitLifted(EditState& state) : state_(state), limit_(state.textLimit) {
        state_.textLimit = 0;
    }
    ~LimitLifted() { state_.textLimit = limit_; }
    LimitLifted(const LimitLifted&) = delete;
    LimitLifted& operator=(const LimitLifted&) = delete;

private:
    EditState& state_;
    int limit_;
};

// Text put back by undo or redo restores what was there: the text limit does not cut it, or
// the records would no longer match the text.
bool reinsert(EditState& state, const UndoRecord& record) {
    const LimitLifted lifted(state);
    return insertAtCaretAndShow(
        state, std::u16string_view(record.text, static_cast<std::size_t>(record.length)), false);
}

void finish(EditState& state, int position) {
    commitPending(state, false);
    state.undo.setPosition(position);
    SendMessage(state.hwnd, EM_SETMODIFY, position != state.savedPoint ? 1 : 0, 0);
    updateScrollBars(state);
    scrollCaretIntoView(state, false);
    invalidateAll(state);
}

} // namespace

LRESULT undoOne(EditState& state) {
    if (state.readOnly) {
        return 0;
    }
    commitPending(state, true);
    const int position = state.undo.position();
    if (position == 0) {
        return 0;
    }
    const UndoRecord& record = state.undo.at(position - 1);
    state.caret = state.anchor = record.index;
    state.rememberedColumn = 0;
    if (record.kind == UndoKind::Insertion) {
        if (record.text == nullptr) {
            Block<char16_t> inserted(state.allocator, static_cast<std::size_t>(record.length));
            state.text.copyOut(record.index, record.length, inserted.data());
            state.undo.setText(position - 1, std::move(inserted));
        }
        deleteAndShow(state, record.index, record.index + record.length);
    } else if (record.kind == UndoKind::Deletion) {
        reinsert(state, record);
    }
    finish(state, position - 1);
    return 0;
}

LRESULT redoOne(EditState& state) {
    if (state.readOnly) {
        return 0;
    }
    commitPending(state, true);
    const int position = state.undo.position();
    const UndoRecord& record = state.undo.at(position);
    if (record.kind == UndoKind::Empty) {
        return 0;
    }
    state.caret = state.anchor = record.index;
    state.rememberedColumn = 0;
    if (record.kind == UndoKind::Insertion) {
        reinsert(state, record);
    } else {
        deleteAndShow(state, record.index, record.index + record.length);
    }
    finish(state, position + 1);
    return 0;
}

LRESULT canUndo(const EditState& state) {
    return (state.undo.position() >= 1 || state.text.hasPendingEdit()) ? 1 : 0;
}

LRESULT canRedo(const EditState& state) {
    return state.undo.canRedo() ? 1 : 0;
}

LRESULT emptyUndoBuffer(EditState& state) {
    state.undo.clear();
    // The saved text can no longer be reached through the history.
    if (state.modified) {
        state.savedPoint = -1;
    }
    return 0;
}

} // namespace editctl
