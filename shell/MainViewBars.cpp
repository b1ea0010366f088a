// The view's bottom bars: opening the Find, Replace and jump bars, running what they report,
// and closing them.

#include "resources/CommandIds.h"
#include "search/CFindBar.h"
#include "search/CJumpLineNo.h"
#include "search/CReplaceBar.h"
#include "shell/CMainView.h"

#include <memory>
#include <utility>

namespace shell {

namespace {

// Opens bar in place of any open one; the first search after it may match the selection.
template <class Bar>
void open(CMainView& view, std::unique_ptr<Bar> bar, search::IBarListener* listener) {
    view.DeleteBar();
    bar->Create(view.hwnd(), listener);
    const int height = bar->BarHeight();
    view.ShowBar(std::move(bar), height);
}

} // namespace

// The histories come from the other running copies first, so the lists show their searches.
void CMainView::OnFind() {
    std::u16string seed = editor_.InitialFindText();
    findHistory_.pull();
    open(*this, std::make_unique<search::CFindBar>(std::move(seed), &findHistory_), this);
    firstSearch_ = 1;
}

void CMainView::OnReplace() {
    std::u16string seed = editor_.InitialFindText();
    findHistory_.pull();
    replaceHistory_.pull();
    open(*this,
         std::make_unique<search::CReplaceBar>(std::move(seed), &findHistory_, &replaceHistory_),
         this);
    firstSearch_ = 1;
}

void CMainView::OnGoToLine() {
    open(*this, std::make_unique<search::CJumpLineNo>(), this);
}

// The histories are published before each search, so the other copies see it at once.
void CMainView::OnBarCommand(UINT id, std::u16string_view text, std::u16string_view replacement) {
    switch (id) {
    case ID_BAR_GOTO:
        editor_.GoToLine(search::LineNumberValue(text));
        CloseBar();
        break;
    case ID_BAR_FIND:
    case ID_BAR_FINDUP:
        findHistory_.push();
        editor_.FindNext(text, id == ID_BAR_FIND, firstSearch_ != 0);
        firstSearch_ = 0;
        break;
    case ID_BAR_REPLACE:
        findHistory_.push();
        replaceHistory_.push();
        editor_.ReplaceOne(text, replacement, true);
        break;
    case ID_BAR_REPLACEALL:
        findHistory_.push();
        replaceHistory_.push();
        editor_.ReplaceAll(text, replacement);
        CloseBar();
        break;
    default:
        CloseBar();
        break;
    }
}

} // namespace shell
