#include "document/EncodeCheck.h"

#include "document/EucSjisConverter.h"
#include "document/JisSjisConverter.h"
#include "document/TextEncoding.h"
#include "platform/CodePage.h"

namespace document {

Occurrences findUnencodable(std::u16string_view text, std::int32_t encoding,
                            const platform::Cp932Spelling& spelling) {
    using platform::CodePage;
    platform::UnencodableScan scan;
    switch (encoding) {
    case ENC_SJIS:
        scan = platform::findUnencodable(CodePage::ShiftJis, text, &spelling);
        break;
    case ENC_EUC:
        scan = platform::findUnencodable(CodePage::ShiftJis, text, &spelling, eucCarries);
        break;
    case ENC_JIS:
        scan = platform::findUnencodable(CodePage::ShiftJis, text, &spelling, jisCarries);
        break;
    case ENC_UTF8_BOM:
    case ENC_UTF8:
        scan = platform::findUnencodable(CodePage::Utf8, text);
        break;
    case ENC_LATIN:
        scan = platform::findUnencodable(CodePage::Windows1252, text);
        break;
    default:
        break;
    }
    Occurrences found;
    if (scan.count != 0) {
        found.add(placeOf(text, scan.first), scan.count);
    }
    return found;
}

} // namespace document
