#include "resources/ResourceIds.h"
#include "resources/Resources.h"

namespace resources {

namespace {

struct StringResource {
    int id;
    std::u16string_view text;
};

constexpr StringResource kStrings[] = {
    {IDS_APPNAME, u"kiv"},
    {IDS_FONT_NOTSET, u"Not Set"},
    {IDS_OPEN_TITLE, u"Open..."},
    {IDS_SAVEAS_TITLE, u"Save As..."},
    {IDS_CONFIRM, u"Confirm"},
    {IDS_FILE_FILTER, u"Text File(*.txt)|*.txt|ini File(*.ini)|*.ini|All Files(*.*)|*.*||"},
    {IDS_LINENUMBER_LABEL, u"Line Number: "},
    {IDS_FIND_LABEL, u"Find: "},
    {IDS_REPLACE_LABEL, u"Repl: "},
    {IDS_REPLACED_COUNT, u"%d total mades."},
    {IDS_LONG_PROCESS, u"Need time to process.\nContinue?"},
    {IDS_ASSOCIATE, u"Do you want to associate *.txt/*.ini with kiv?"},
    {IDS_UNASSOCIATE, u"Do you want to remove the association *.txt/*.ini with kiv?"},
    {IDS_LANGUAGE_TAG, u"0409"},
};

} // namespace

std::u16string_view loadString(int id) {
    for (const StringResource& s : kStrings) {
        if (s.id == id)
            return s.text;
    }
    return {};
}

} // namespace resources
