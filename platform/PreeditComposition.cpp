#include "platform/PreeditComposition.h"

#include "platform/InputMethod.h"

#include <QTextCharFormat>

#include <algorithm>

namespace platform {

namespace {

struct Range {
    int start;
    int end;
};

// The attribute's range cut to [0, length].
Range clampedRange(const QInputMethodEvent::Attribute& a, int length) {
    const long long start = std::clamp<long long>(a.start, 0, length);
    const long long end =
        std::clamp<long long>(static_cast<long long>(a.start) + a.length, start, length);
    return Range{static_cast<int>(start), static_cast<int>(end)};
}

bool highlighted(const QInputMethodEvent::Attribute& a) {
    const QTextCharFormat format = qvariant_cast<QTextFormat>(a.value).toCharFormat();
    return format.background().style() != Qt::NoBrush;
}

} // namespace

Composition compositionFromPreedit(const QString& preedit,
                                   const QList<QInputMethodEvent::Attribute>& attributes) {
    Composition c;
    c.text = preedit.toStdU16String();
    const int length = static_cast<int>(c.text.size());
    c.cursor = length;
    std::vector<Range> targets;
    std::vector<DWORD> bounds;
    for (const QInputMethodEvent::Attribute& a : attributes) {
        if (a.type == QInputMethodEvent::Cursor) {
            c.cursor = std::clamp(a.start, 0, length);
        } else if (a.type == QInputMethodEvent::TextFormat) {
            const Range r = clampedRange(a, length);
            if (r.start == r.end)
                continue;
            bounds.push_back(static_cast<DWORD>(r.start));
            bounds.push_back(static_cast<DWORD>(r.end));
            if (highlighted(a))
                targets.push_back(r);
        }
    }
    if (length == 0) {
        c.cursor = 0;
        return c;
    }
    c.attributes.assign(static_cast<std::size_t>(length),
                        targets.empty() ? ATTR_INPUT : ATTR_CONVERTED);
    for (const Range& r : targets)
        std::fill(c.attributes.begin() + r.start, c.attributes.begin() + r.end,
                  ATTR_TARGET_CONVERTED);
    bounds.push_back(0);
    bounds.push_back(static_cast<DWORD>(length));
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    c.clauses = std::move(bounds);
    return c;
}

} // namespace platform
