// Painting a screen of Japanese text the way the edit control does (per line: fill a strip,
// draw runs of up to 256 code units with one text call each, copy the strip to the window),
// against the toolkit drawing the same lines straight into the window in the same run.
// Also measuring runs, against the toolkit measuring the same runs.
#include "platform/Gdi.h"
#include "platform/GdiInternal.h"
#include "support/RunWithApplication.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kLines = 48;
constexpr int kLineUnits = 120;

std::vector<std::u16string> makeLines() {
    const std::u16string pool = u"日本語の文章を編集するためのテキストエディタです。漢字かなカナ"
                                u"東京大阪名古屋 the quick brown fox 12345 ｶﾀｶﾅ、。「」";
    std::mt19937 rng(2026);
    std::vector<std::u16string> lines(kLines);
    for (auto& line : lines) {
        for (int i = 0; i < kLineUnits; ++i)
            line.push_back(pool[rng() % pool.size()]);
    }
    return lines;
}

HFONT makeFont() {
    LOGFONTW description;
    description.lfHeight = -16;
    std::u16string(u"IPAGothic").copy(description.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&description);
}

void BM_PaintScreenThroughContexts(benchmark::State& state) {
    const auto lines = makeLines();
    QImage window(kWidth, kLines * 18, QImage::Format_ARGB32_Premultiplied);
    HFONT font = makeFont();
    for (auto _ : state) {
        HDC windowDc = platform::gdi::createImageDC(&window, QRegion());
        HDC strip = CreateCompatibleDC(windowDc);
        HBITMAP bitmap = CreateCompatibleBitmap(windowDc, kWidth, 18);
        HBITMAP oldBitmap = SelectObject(strip, bitmap);
        HFONT oldFont = SelectObject(strip, font);
        SetBkMode(strip, TRANSPARENT);
        HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
        const RECT stripRect{0, 0, kWidth, 18};
        for (int line = 0; line < kLines; ++line) {
            FillRect(strip, &stripRect, brush);
            const std::u16string& text = lines[static_cast<std::size_t>(line)];
            SIZE size;
            GetTextExtentPoint32W(strip, text.data(), static_cast<int>(text.size()), &size);
            const RECT runRect{1, 0, 1 + size.cx, 18};
            ExtTextOutW(strip, 1, 1, ETO_OPAQUE, &runRect, text.data(),
                        static_cast<UINT>(text.size()), nullptr);
            BitBlt(windowDc, 0, line * 18, kWidth, 18, strip, 0, 0, SRCCOPY);
        }
        DeleteObject(brush);
        SelectObject(strip, oldFont);
        SelectObject(strip, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(strip);
        platform::gdi::releaseImageDC(windowDc);
    }
    DeleteObject(font);
    state.SetItemsProcessed(state.iterations() * kLines * kLineUnits);
}
BENCHMARK(BM_PaintScreenThroughContexts)->Unit(benchmark::kMillisecond);

// Lines of ideographs picked from the whole unified block, nearly all distinct.
std::vector<std::u16string> makeIdeographLines() {
    std::mt19937 rng(4E00);
    std::vector<std::u16string> lines(kLines);
    for (auto& line : lines) {
        for (int i = 0; i < kLineUnits; ++i)
            line.push_back(static_cast<char16_t>(0x4E00 + rng() % 0x5000));
    }
    return lines;
}

// The first paint with a new font of a screen of distinct ideographs: nothing is cached yet.
void BM_PaintScreenWithNewFont(benchmark::State& state) {
    const auto lines = makeIdeographLines();
    QImage window(kWidth, kLines * 18, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        HFONT font = makeFont();
        HDC windowDc = platform::gdi::createImageDC(&window, QRegion());
        HFONT oldFont = SelectObject(windowDc, font);
        for (int line = 0; line < kLines; ++line) {
            const std::u16string& text = lines[static_cast<std::size_t>(line)];
            TextOutW(windowDc, 1, line * 18, text.data(), static_cast<int>(text.size()));
        }
        SelectObject(windowDc, oldFont);
        platform::gdi::releaseImageDC(windowDc);
        DeleteObject(font);
    }
    state.SetItemsProcessed(state.iterations() * kLines * kLineUnits);
}
BENCHMARK(BM_PaintScreenWithNewFont)->Unit(benchmark::kMillisecond);

void BM_PaintScreenToolkitReference(benchmark::State& state) {
    const auto lines = makeLines();
    QImage window(kWidth, kLines * 18, QImage::Format_ARGB32_Premultiplied);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(16);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.setFont(font);
        for (int line = 0; line < kLines; ++line) {
            painter.fillRect(QRect(0, line * 18, kWidth, 18), Qt::white);
            painter.drawText(QPoint(1, line * 18 + 15),
                             QString::fromStdU16String(lines[static_cast<std::size_t>(line)]));
        }
    }
    state.SetItemsProcessed(state.iterations() * kLines * kLineUnits);
}
BENCHMARK(BM_PaintScreenToolkitReference)->Unit(benchmark::kMillisecond);

void BM_MeasureRuns(benchmark::State& state) {
    const auto lines = makeLines();
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = makeFont();
    HFONT old = SelectObject(dc, font);
    long total = 0;
    for (auto _ : state) {
        for (const auto& line : lines) {
            SIZE size;
            GetTextExtentPoint32W(dc, line.data(), static_cast<int>(line.size()), &size);
            total += size.cx;
        }
    }
    benchmark::DoNotOptimize(total);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    state.SetItemsProcessed(state.iterations() * kLines * kLineUnits);
}
BENCHMARK(BM_MeasureRuns);

void BM_MeasureRunsToolkitReference(benchmark::State& state) {
    const auto lines = makeLines();
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(16);
    const QFontMetrics metrics(font);
    long total = 0;
    for (auto _ : state) {
        for (const auto& line : lines)
            total += metrics.horizontalAdvance(QString::fromStdU16String(line));
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * kLines * kLineUnits);
}
BENCHMARK(BM_MeasureRunsToolkitReference);

} // namespace

int main(int argc, char** argv) {
    return bench::runWithApplication(argc, argv);
}
