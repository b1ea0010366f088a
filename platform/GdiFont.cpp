#include "platform/GdiFontImpl.h"
#include "platform/GdiInternal.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <memory>

namespace platform::gdi {

namespace {

// Faces that cover Japanese with half-width Latin exactly half as wide as the ideographs.
constexpr std::u16string_view kPreferredFaces[] = {
    u"IPAGothic", u"IPAexGothic", u"Noto Sans Mono CJK JP",
    u"VL Gothic", u"TakaoGothic", u"Noto Sans CJK JP"};

QString faceNameOf(const LOGFONTW& description) {
    const auto* end =
        std::find(std::begin(description.lfFaceName), std::end(description.lfFaceName), u'\0');
    return QString::fromUtf16(description.lfFaceName, end - std::begin(description.lfFaceName));
}

bool isJapaneseCapable(const QString& family) {
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
}

int pixelSizeFor(const QFont& font, LONG height) {
    constexpr int kMaxPixels = 2000;
    if (height == 0)
        return 16;
    if (height < 0)
        return std::clamp<LONG>(-height, 1, kMaxPixels);
    // A positive height asks for the whole cell (ascent + descent): scale from a trial size.
    const int asked = std::clamp<LONG>(height, 1, kMaxPixels);
    QFont trial(font);
    trial.setPixelSize(asked);
    const QFontMetrics trialMetrics(trial);
    const int cell = trialMetrics.ascent() + trialMetrics.descent();
    if (cell <= 0)
        return asked;
    int size = std::max(1, asked * asked / cell);
    for (int attempt = 0; attempt < 3 && size > 1; ++attempt) {
        trial.setPixelSize(size);
        const QFontMetrics metrics(trial);
        if (metrics.ascent() + metrics.descent() <= asked)
            break;
        --size;
    }
    return size;
}

} // namespace

std::u16string defaultFaceName() {
    static const std::u16string chosen = [] {
        for (std::u16string_view face : kPreferredFaces) {
            const QString name =
                QString::fromUtf16(face.data(), static_cast<qsizetype>(face.size()));
            if (QFontDatabase::hasFamily(name))
                return std::u16string(face);
        }
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
        if (!japanese.isEmpty())
            return japanese.front().toStdU16String();
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family().toStdU16String();
    }();
    return chosen;
}

FontImpl::FontImpl(const LOGFONTW& description) : description_(description) {
    description_.lfFaceName[LF_FACESIZE - 1] = u'\0';
    const QString face = faceNameOf(description_);
    testFont_ = face.toStdU16String() == kTestFontFace;
    if (testFont_)
        initTestFont();
    else
        initRealFont();
}

void FontImpl::initRealFont() {
    QString face = faceNameOf(description_);
    if (face.isEmpty() || !QFontDatabase::hasFamily(face))
        face = QString::fromStdU16String(defaultFaceName());
    font_.setFamily(face);
    font_.setPixelSize(pixelSizeFor(font_, description_.lfHeight));
    const LONG weight = description_.lfWeight == FW_DONTCARE ? FW_NORMAL : description_.lfWeight;
    font_.setWeight(static_cast<QFont::Weight>(std::clamp<LONG>(weight, 1, 1000)));
    font_.setItalic(description_.lfItalic != 0);
    font_.setUnderline(description_.lfUnderline != 0);
    font_.setStrikeOut(description_.lfStrikeOut != 0);
    // Runs are drawn glyph by glyph at the summed single widths, so pairs must not kern.
    font_.setKerning(false);
    fontMetrics_.emplace(font_);

    const QFontMetrics& fm = *fontMetrics_;
    metrics_.tmAscent = fm.ascent();
    metrics_.tmDescent = fm.descent();
    metrics_.tmHeight = fm.ascent() + fm.descent();
    metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - font_.pixelSize());
    metrics_.tmExternalLeading = std::max(0, fm.leading());
    // Some CJK faces count their ideographs into the average; the editor's cell is the
    // half-width one, so fall back to the width of 'x' for them.
    const int x = fm.horizontalAdvance(QChar(u'x'));
    const int average = fm.averageCharWidth();
    metrics_.tmAveCharWidth = (average <= 0 || average * 2 > x * 3) ? x : average;
    metrics_.tmMaxCharWidth = fm.maxWidth();
    metrics_.tmWeight = weight;
    metrics_.tmItalic = description_.lfItalic;
    metrics_.tmUnderlined = description_.lfUnderline;
    metrics_.tmStruckOut = description_.lfStrikeOut;
    const bool fixed = QFontInfo(font_).fixedPitch();
    metrics_.tmPitchAndFamily = static_cast<BYTE>((fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_TRUETYPE |
                                                  (description_.lfPitchAndFamily & 0xF0));
    metrics_.tmCharSet = description_.lfCharSet != DEFAULT_CHARSET ? description_.lfCharSet
                         : isJapaneseCapable(face)                 ? SHIFTJIS_CHARSET
                                                                   : ANSI_CHARSET;
    fullWidth_ = fm.horizontalAdvance(QChar(0x3000));
}

int FontImpl::width(char16_t unit) {
    if (widths_.empty())
        widths_.assign(0x10000, -1);
    std::int16_t& slot = widths_[unit];
    if (slot < 0)
        slot = static_cast<std::int16_t>(std::clamp(measure(unit), 0, 0x7FFF));
    return slot;
}

long FontImpl::extent(std::u16string_view text) {
    long total = 0;
    for (char16_t unit : text)
        total += width(unit);
    return total;
}

int FontImpl::measure(char16_t unit) const {
    if (testFont_)
        return unit < 0x100 ? 8 : 16;
    // Each half of a surrogate pair takes half a full-width cell, so the pair takes one.
    if (QChar::isSurrogate(unit))
        return (fullWidth_ + 1) / 2;
    // The editor expands tabs itself; a tab measured alone is as wide as a space.
    if (unit == u'\t')
        unit = u' ';
    return fontMetrics_->horizontalAdvance(QChar(unit));
}

FontImpl::Glyph FontImpl::glyph(char32_t codePoint) {
    const auto found = glyphs_.find(codePoint);
    if (found != glyphs_.end())
        return found->second;
    const Glyph made = findGlyph(codePoint);
    glyphs_.emplace(codePoint, made);
    return made;
}

FontImpl::Glyph FontImpl::findGlyph(char32_t codePoint) {
    if (testFont_ || codePoint < 0x21 || codePoint == 0x3000 ||
        (codePoint >= 0x7F && codePoint < 0xA0))
        return {};
    // The font's own face first: asking it directly is much cheaper than laying text out.
    if (faces_.empty())
        faces_.push_back(QRawFont::fromFont(font_));
    const QString text = QString::fromUcs4(&codePoint, 1);
    if (faces_.front().isValid() && faces_.front().supportsCharacter(codePoint)) {
        const QList<quint32> own = faces_.front().glyphIndexesForString(text);
        if (own.size() == 1 && own.front() != 0)
            return {0, own.front()};
    }
    // Otherwise the layout engine picks the fallback face and its glyph.
    QTextLayout layout(text, font_);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> indexes = run.glyphIndexes();
        if (indexes.isEmpty())
            continue;
        const QRawFont raw = run.rawFont();
        auto same = std::find(faces_.begin(), faces_.end(), raw);
        if (same == faces_.end()) {
            faces_.push_back(raw);
            same = faces_.end() - 1;
        }
        return {static_cast<int>(same - faces_.begin()), indexes.front()};
    }
    return {};
}

QFont toolkitFont(HFONT font) {
    FontImpl* impl = fontOf(font);
    if (impl == nullptr)
        impl = fontOf(GetStockFont(DEFAULT_GUI_FONT));
    return impl->toolkitFont();
}

} // namespace platform::gdi

using namespace platform::gdi;

HFONT CreateFontIndirectW(const LOGFONTW* description) {
    if (description == nullptr)
        return nullptr;
    return std::make_unique<FontImpl>(*description).release();
}

HFONT CreatePointFontW(int pointSizeTenths, const WCHAR* faceName, HDC dc, LONG weight) {
    LOGFONTW description;
    description.lfHeight = -MulDiv(pointSizeTenths, GetDeviceCaps(dc, LOGPIXELSY), 720);
    description.lfWeight = weight;
    description.lfCharSet = DEFAULT_CHARSET;
    if (faceName != nullptr) {
        for (int i = 0; i < LF_FACESIZE - 1 && faceName[i] != u'\0'; ++i)
            description.lfFaceName[i] = faceName[i];
    }
    return CreateFontIndirectW(&description);
}

namespace {

QFontDatabase::WritingSystem writingSystemFor(BYTE charSet) {
    switch (charSet) {
    case SHIFTJIS_CHARSET:
        return QFontDatabase::Japanese;
    case ANSI_CHARSET:
        return QFontDatabase::Latin;
    case SYMBOL_CHARSET:
        return QFontDatabase::Symbol;
    default:
        return QFontDatabase::Any;
    }
}

QStringList familiesFor(BYTE charSet) {
    QStringList families = QFontDatabase::families(writingSystemFor(charSet));
    families.removeIf([](const QString& family) { return QFontDatabase::isPrivateFamily(family); });
    return families;
}

} // namespace

int EnumFontFamiliesExW(HDC, const LOGFONTW* description, FONTENUMPROCW proc, LPARAM data, DWORD) {
    if (description == nullptr || proc == nullptr)
        return 0;
    LOGFONTW wanted = *description;
    wanted.lfFaceName[LF_FACESIZE - 1] = u'\0';
    const QString face = faceNameOf(wanted);
    int result = 1;
    for (const QString& family : familiesFor(wanted.lfCharSet)) {
        if (!face.isEmpty() && family.compare(face, Qt::CaseInsensitive) != 0)
            continue;
        LOGFONTW found;
        const std::u16string name = family.toStdU16String();
        std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1),
                    std::begin(found.lfFaceName));
        const bool fixed = QFontDatabase::isFixedPitch(family);
        const bool japanese = isJapaneseCapable(family);
        found.lfWeight = FW_NORMAL;
        found.lfCharSet = wanted.lfCharSet != DEFAULT_CHARSET ? wanted.lfCharSet
                          : japanese                          ? SHIFTJIS_CHARSET
                                                              : ANSI_CHARSET;
        found.lfPitchAndFamily = fixed ? FIXED_PITCH : VARIABLE_PITCH;
        // Only the cheap fields: measuring every installed face would take far too long.
        TEXTMETRICW metrics;
        metrics.tmWeight = FW_NORMAL;
        metrics.tmCharSet = found.lfCharSet;
        metrics.tmPitchAndFamily =
            static_cast<BYTE>((fixed ? 0 : TMPF_FIXED_PITCH) | TMPF_TRUETYPE);
        result = proc(&found, &metrics, TRUETYPE_FONTTYPE, data);
        if (result == 0)
            break;
    }
    return result;
}

std::vector<std::u16string> fontFamilyNames(BYTE charSet) {
    std::vector<std::u16string> names;
    for (const QString& family : familiesFor(charSet))
        names.push_back(family.toStdU16String());
    return names;
}
