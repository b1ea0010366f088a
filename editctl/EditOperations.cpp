#include "editctl/EditOperations.h"

#include "editctl/CharMetrics.h"
#include "editctl/EditState.h"

#include <algorithm>

namespace editctl {

namespace {

constexpr char16_t kCr = u'\r';

void markModified(EditState& state) {
    if (!state.modified) {
        state.savedPoint = state.undo.position();
        state.modified = true;
    }
}

bool containsCr(const TextStore& text, int start, int end) {
    for (int i = start; i < end; ++i) {
        if (text.at(i) == kCr) {
            return true;
        }
    }
    return false;
}

// Characters after the caret that an overwriting insertion of n characters replaces: it stops
// at a CR or at the end of the text.
int replaceableAfter(const TextStore& text, int caret, int n) {
    const int length = text.length();
    int replaced = 0;
    while (replaced < n && caret + replaced < length && text.at(caret + replaced) != kCr) {
        ++replaced;
    }
    return replaced;
}

// Lines settled just before an edit lie around and below it: they are repainted with it.
void includeSettled(EditResult& result, const LineLayout::Change& settled) {
    if (settled.firstLine >= 0) {
        result.settledBefore = true;
        result.lines.firstLine = std::min(result.lines.firstLine, settled.firstLine);
        result.lines.linesBefore = settled.linesBefore;
    }
}

} // namespace

void commitPending(EditState& state, bool record) {
    if (state.text.hasPendingEdit()) {
        // Recording drops the redo tail; a saved point inside it can never be reached again.
        const bool dropsSavedPoint = record && state.savedPoint > state.undo.position();
        state.text.commit(record ? &state.undo : nullptr);
        if (dropsSavedPoint) {
            state.savedPoint = -1;
        }
    }
}

EditResult insertText(EditState& state, std::u16string_view chars, bool overwrite) {
    EditResult result;
    TextStore& text = state.text;
    const int selStart = std::min(state.caret, state.anchor);
    const int selEnd = std::max(state.caret, state.anchor);
    const int selected = selEnd - selStart;
    const bool overwriting = overwrite && selected == 0;
    const long long length = text.length();
    if (state.textLimit > 0 && !chars.empty()) {
        // Overwritten characters take no room; only the growth counts against the limit.
        const long long room = std::max<long long>(state.textLimit - (length - selected), 0);
        const long long replaceable =
            overwriting ? replaceableAfter(
                              text, state.caret,
                              static_cast<int>(std::min<std::size_t>(chars.size(), 0x7FFFFFFF)))
                        : 0;
        const auto keep = static_cast<std::size_t>(
            std::min<long long>(static_cast<long long>(chars.size()), room + replaceable));
        if (keep < chars.size()) {
            result.limitReached = true;
            chars = chars.substr(0, keep);
        }
    }
    if (chars.empty()) {
        // Nothing to insert in place of a selection deletes it (EM_REPLACESEL with "").
        if (selected == 0 || result.limitReached) {
            return result;
        }
        return deleteRange(state, selStart, selEnd);
    }
    if (chars.size() > static_cast<std::size_t>(TextStore::kMaxLength)) {
        throw COomEx(chars.size() * sizeof(char16_t));
    }
    // A selection is replaced by a pending insertion that overwrites it: nothing is taken away
    // before everything the insertion needs has been had, so a failure keeps the selected text.
    const int at = selStart;
    const TextStore::Pending& pending = text.pending();
    const bool continues = selected == 0 && text.hasPendingInsertion() &&
                           pending.insertionPoint + pending.insertedLength == at;
    if (text.hasPendingEdit() && !continues) {
        commitPending(state, true);
    }
    const int n = static_cast<int>(chars.size());
    const int replaced = overwriting ? replaceableAfter(text, at, n) : selected;
    const bool crRemoved = selected > 0 && containsCr(text, selStart, selEnd);
    const LineLayout::Change settled = state.layouter.prepareEdit(at);
    const TextStore::Pending before = text.pending();
    text.append(chars, at, replaced, state.caseMode());
    try {
        result.lines = state.layouter.relayoutAround(at, at + n, n - replaced);
    } catch (...) {
        text.restorePending(before);
        throw;
    }
    includeSettled(result, settled);
    result.changed = true;
    result.breaksChanged = crRemoved || chars.find(kCr) != std::u16string_view::npos;
    if (state.layouter.gutterOutgrown()) {
        // One more digit narrows the text area: everything is laid out and repainted again.
        state.layouter.layoutAll();
        result.lines.firstLine = 0;
        result.lines.lastLine = state.lines.count();
        result.lines.linesAfter = state.lines.count();
    }
    state.caret = state.anchor = at + n;
    markModified(state);
    return result;
}

EditResult deleteRange(EditState& state, int start, int end) {
    EditResult result;
    TextStore& text = state.text;
    if (start < 0 || end <= start || end > text.length()) {
        return result;
    }
    if (text.hasPendingInsertion() || !text.deletionAdjoins(start, end)) {
        commitPending(state, true);
    }
    const bool hadCr = containsCr(text, start, end);
    const LineLayout::Change settled = state.layouter.prepareEdit(start);
    const TextStore::Pending before = text.pending();
    if (!text.erase(start, end)) {
        return result;
    }
    try {
        result.lines = state.layouter.relayoutAround(start, start, -(end - start));
    } catch (...) {
        text.restorePending(before);
        throw;
    }
    includeSettled(result, settled);
    result.changed = true;
    result.breaksChanged = hadCr;
    state.caret = state.anchor = start;
    markModified(state);
    return result;
}

void replaceAllText(EditState& state, std::u16string_view newText) {
    TextStore::Replacement replacement = state.text.prepareReplace(newText, state.caseMode());
    Block<std::uint32_t> freshLines = state.lines.prepareReset();
    Block<UndoRecord> freshUndo = state.undo.prepareClear();
    // Everything is allocated: from here on the old text is given up.
    const int length = replacement.length;
    state.text.replaceAll(std::move(replacement));
    state.lines.resetSingleLine(length, std::move(freshLines));
    state.undo.clear(std::move(freshUndo));
    state.caret = state.anchor = 0;
    state.rememberedColumn = 0;
    state.firstVisibleLine = state.maxFirstLine = 0;
    state.horizontalPosition = state.maxHorizontalPosition = 0;
    state.modified = false;
    state.savedPoint = 0;
    state.layout.widestLine = 0;
    state.layout.lineNumberDigits = 3;
    state.layout.layoutPending = true;
    layoutAllText(state);
}

void readFontMeasures(EditState& state) {
    if (state.metrics) {
        state.layout.lineHeight = state.layout.lineSpacing + state.metrics->fontHeight();
        state.layout.cellWidth = state.metrics->averageCharWidth();
    }
}

void layoutAllText(EditState& state) {
    readFontMeasures(state);
    state.layouter.layoutAll();
}

bool widenGutterAfterSettling(EditState& state, const LineLayout::Change& settled) {
    if (settled.firstLine < 0 || !state.layouter.gutterOutgrown()) {
        return false;
    }
    state.layouter.layoutAll();
    return true;
}

} // namespace editctl
