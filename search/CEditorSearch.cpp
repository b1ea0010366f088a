#include "search/CEditor.h"
#include "search/SearchDriver.h"

namespace search {

bool CEditor::FindNext(std::u16string_view pattern, bool forward, bool include) {
    return search::FindNext(hwnd(), SearchFlags{useRegex_, ignoreCase_}, pattern, forward, include);
}

bool CEditor::ReplaceOne(std::u16string_view pattern, std::u16string_view replacement,
                         bool forward) {
    return search::ReplaceOne(hwnd(), SearchFlags{useRegex_, ignoreCase_}, pattern, replacement,
                              forward);
}

int CEditor::ReplaceAll(std::u16string_view pattern, std::u16string_view replacement) {
    return search::ReplaceAll(hwnd(), SearchFlags{useRegex_, ignoreCase_}, pattern, replacement);
}

} // namespace search
