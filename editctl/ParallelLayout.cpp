// The full layout of a large text on several threads. Logical lines are laid out independently
// of each other, so pieces of the text cut after CRs can be laid out at the same time and their
// line starts joined in order. Only the calling thread measures glyphs: a helper that meets a
// width nobody has measured yet leaves that logical line for the calling thread.
#include "editctl/LineLayout.h"

#include "editctl/LineTable.h"
#include "editctl/RunClasses.h"
#include "editctl/TextStore.h"
#include "editctl/WidthCache.h"

#include <algorithm>
#include <atomic>
#include <span>
#include <thread>

namespace editctl {

namespace {

// Most threads a layout uses: beyond this memory bandwidth, not work, sets the pace.
constexpr int kMostThreads = 8;
// Display lines are reserved for at one per this many characters; more grow the arrays.
constexpr int kCharactersPerLineGuess = 24;

// A logical line a helper left for the calling thread, from display line start `from` to
// its CR; its line starts go before the piece's starts[at].
struct LeftLine {
    std::size_t at = 0;
    int from = 0;
};

// The line-number digits after `count` lines laid out with `digits`: one more each time the
// count reaches the next power of ten (a single line never adds one).
int digitsAfter(int digits, long long count) {
    if (count < 2) {
        return digits;
    }
    long long limit = 1;
    for (int d = 0; d < digits; ++d) {
        limit *= 10;
    }
    while (count >= limit) {
        ++digits;
        limit *= 10;
    }
    return digits;
}

int threadsToUse(int wanted) {
    if (wanted > 0) {
        return wanted;
    }
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMostThreads);
}

} // namespace

struct LineLayout::Piece {
    int from = 0;
    int to = 0; // after a CR, or the text length
    std::vector<std::uint32_t> starts;
    std::vector<LeftLine> left;
    int widest = 0;
};

int LineLayout::afterNextCr(int from) const noexcept {
    const TextStore::Spans spans = text_.spansFrom(from);
    for (int k = 0; k < spans.count; ++k) {
        const TextStore::Span& span = spans.parts[static_cast<std::size_t>(k)];
        const char16_t* const end = span.data + span.length;
        if (const char16_t* cr = findCr(span.data, end); cr != end) {
            return span.start + static_cast<int>(cr - span.data) + 1;
        }
    }
    return text_.length();
}

bool LineLayout::layoutInPieces(int zeroWidth) {
    const int length = text_.length();
    const int threads = threadsToUse(parallelism_.threads);
    if (length < parallelism_.minLength || threads < 2) {
        return false;
    }
    auto cutAfter = [&](std::int64_t at) {
        return at >= length ? length : afterNextCr(static_cast<int>(at) - 1);
    };
    const int prefixEnd = parallelism_.prefix > 0 ? cutAfter(parallelism_.prefix) : 0;
    std::vector<Piece> pieces;
    const int pieceLength = std::max(parallelism_.pieceLength, 1);
    for (int from = prefixEnd; from < length;) {
        Piece& piece = pieces.emplace_back();
        piece.from = from;
        piece.to = cutAfter(std::int64_t{from} + pieceLength);
        from = piece.to;
    }
    if (pieces.size() < 2) {
        return false;
    }

    const bool gutterMovesWrap = params_.wordWrap && params_.wrapColumn == 0;
    if (params_.lineNumbers && gutterMovesWrap) {
        // Every CR ends a line whatever the gutter, so fewer digits than their count asks for
        // would only be laid out to be thrown away.
        long long crs = 0;
        const TextStore::Spans spans = text_.spansFrom(0);
        for (int k = 0; k < spans.count; ++k) {
            const TextStore::Span& span = spans.parts[static_cast<std::size_t>(k)];
            crs += std::count(span.data, span.data + span.length, u'\r');
        }
        params_.lineNumberDigits = digitsAfter(params_.lineNumberDigits, crs + 1);
    }
    for (;;) {
        params_.margins.left = gutterMargin(zeroWidth);
        layOutPieces(pieces, prefixEnd);
        const int digits = params_.lineNumbers
                               ? digitsAfter(params_.lineNumberDigits, lines_.count())
                               : params_.lineNumberDigits;
        if (digits == params_.lineNumberDigits) {
            break;
        }
        if (!gutterMovesWrap) {
            params_.lineNumberDigits = digits;
            params_.margins.left = gutterMargin(zeroWidth);
            break;
        }
        // The gutter grew and the text is narrower: all of it again, one digit wider.
        ++params_.lineNumberDigits;
    }
    return true;
}

void LineLayout::layOutPieces(std::vector<Piece>& pieces, int prefixEnd) {
    const int length = text_.length();
    int widest = 0;
    // The prefix is laid out (and its glyphs measured) before any helper reads a width.
    std::vector<std::uint32_t> found;
    found.reserve(static_cast<std::size_t>(prefixEnd / kCharactersPerLineGuess));
    layOutLines(0, prefixEnd, widest, found);

    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    auto work = [&]() noexcept {
        try {
            for (std::size_t k = next++; k < pieces.size() && !failed; k = next++) {
                layOutPiece(pieces[k]);
            }
        } catch (...) {
            failed = true;
        }
    };
    {
        std::vector<std::jthread> helpers;
        try {
            const int threads =
                std::min(threadsToUse(parallelism_.threads), static_cast<int>(pieces.size()));
            helpers.reserve(static_cast<std::size_t>(threads - 1));
            for (int t = 1; t < threads; ++t) {
                helpers.emplace_back(work);
            }
        } catch (...) {
            // Fewer helpers than wished for: the pieces are shared among those there are.
        }
        work();
    }

    // The table grows once, with room for what the left lines add.
    std::size_t total = found.size();
    for (const Piece& piece : pieces) {
        total += piece.starts.size();
    }
    const std::size_t growBy = total + total / 64;
    const auto end = static_cast<std::uint32_t>(length);
    lines_.beginRebuild();
    lines_.appendStarts(found, growBy, end);
    for (const Piece& piece : pieces) {
        if (failed) {
            // A helper ran out of memory and what it did is lost: this thread does it all.
            found.clear();
            layOutLines(piece.from, piece.to, widest, found);
            lines_.appendStarts(found, growBy, end);
            continue;
        }
        const std::span<const std::uint32_t> starts(piece.starts);
        std::size_t done = 0;
        for (const LeftLine& line : piece.left) {
            lines_.appendStarts(starts.subspan(done, line.at - done), growBy, end);
            done = line.at;
            found.clear();
            layOutLines(line.from, afterNextCr(line.from), widest, found);
            lines_.appendStarts(found, growBy, end);
        }
        lines_.appendStarts(starts.subspan(done), growBy, end);
        widest = std::max(widest, piece.widest);
    }
    params_.widestLine = widest;
    lines_.finishRebuild(end);
}

void LineLayout::layOutPiece(Piece& piece) const {
    piece.starts.clear();
    piece.left.clear();
    piece.widest = 0;
    piece.starts.reserve(
        static_cast<std::size_t>((piece.to - piece.from) / kCharactersPerLineGuess));
    const int length = text_.length();
    for (int start = piece.from; start < piece.to;) {
        int widest = piece.widest;
        bool unknownMet = false;
        const LineEnd line = breakLineKnown(start, widest, unknownMet);
        if (unknownMet) {
            piece.left.push_back({piece.starts.size(), start});
            start = afterNextCr(start);
            continue;
        }
        piece.widest = widest;
        if (!line.atCr && line.end >= length) {
            return;
        }
        start = line.atCr ? line.end + 1 : line.end;
        piece.starts.push_back(static_cast<std::uint32_t>(start));
    }
}

void LineLayout::layOutLines(int from, int to, int& widest, std::vector<std::uint32_t>& starts) {
    const int length = text_.length();
    for (int start = from; start < to;) {
        const LineEnd line = breakLine(start, widest);
        if (!line.atCr && line.end >= length) {
            return;
        }
        start = line.atCr ? line.end + 1 : line.end;
        starts.push_back(static_cast<std::uint32_t>(start));
    }
}

} // namespace editctl
