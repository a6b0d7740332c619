// A timing program for the Windows build (run under Wine): the list picture
// of 100, 1,000 and 10,000 entries drawn by renderList, next to the text
// drawing alone and to a bare allocation of a picture of the same size, with
// the peak memory that drawing takes beside the picture's own bytes.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "image/generate_worker.h"
#include "image/list_picture_layout.h"
#include "settings/key_value_table.h"
#include "formats/bitmap_file.h"
#include "formats/bitmap_format.h"

namespace {

using tessaly::BitmapHandle;
using tessaly::bench::bestOf;
using tessaly::bench::secondsOf;

// Progress goes nowhere; nothing cancels.
class SilentReport final : public tessaly::WorkerReport {
public:
    void setStatusText(const std::string&) override {}
    tessaly::Progress& progress() override { return progress_; }
    const std::atomic<bool>& cancelFlag() const override { return cancelled_; }
    void onWindowThread(const std::function<void()>& task) override { task(); }
    void showBusy(bool) override {}

private:
    struct NoProgress final : tessaly::Progress {
        void start(uint64_t) override {}
        bool advance(uint64_t) override { return true; }
    } progress_;
    std::atomic<bool> cancelled_{false};
};

std::vector<tessaly::PasswordEntry> entries(size_t count)
{
    std::vector<tessaly::PasswordEntry> list;
    for (size_t i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        list.push_back({"User: user" + n + "@mail.example", "Password: p4ss-word-" + n, "Description: account " + n});
    }
    return list;
}

tessaly::ListPictureStyle defaultStyle()
{
    tessaly::ListPictureStyle style;
    style.face = "Arial";
    style.height = 16;
    style.weight = 700;
    style.text = 0xD37618;
    style.background = 0xFFE2D5;
    return style;
}

PROCESS_MEMORY_COUNTERS memoryCounters()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// The text alone: every line drawn into one block-sized picture, over and over.
double textDrawingTime(const std::vector<tessaly::PasswordEntry>& list, int width, int blockHeight)
{
    tessaly::MemoryDc dc(CreateCompatibleDC(nullptr));
    BitmapHandle block(tessaly::createImage(static_cast<uint32_t>(width), static_cast<uint32_t>(blockHeight)));
    tessaly::FontHandle font(CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    tessaly::SelectGuard selectedBlock(dc.get(), block.get());
    tessaly::SelectGuard selectedFont(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    return bestOf([&] {
        for (const auto& entry : list) {
            for (std::string_view line :
                 {std::string_view(entry.description), std::string_view(entry.user), entry.pass.view()}) {
                TextOutA(dc.get(), 5, 5, line.data(), static_cast<int>(line.size()));
            }
        }
        GdiFlush();
    });
}

void measure(size_t count)
{
    const auto list = entries(count);
    tessaly::GenerateJob job;
    SilentReport report;
    const size_t before = memoryCounters().PagefileUsage;
    tessaly::RenderedList rendered;
    const double renderTime = secondsOf([&] { rendered = tessaly::renderList(list, job, defaultStyle(), report); });
    const size_t peak = memoryCounters().PeakPagefileUsage;
    if (rendered.status != tessaly::RenderStatus::Done) {
        std::printf("  %6zu entries: no picture (%s)\n", count,
                    rendered.status == tessaly::RenderStatus::TooLarge ? "too large" : "not drawn");
        return;
    }
    const uint32_t width = tessaly::imageWidth(rendered.picture.get());
    const uint32_t height = tessaly::imageHeight(rendered.picture.get());
    const uint64_t bytes = tessaly::bitmapPixelBytes(width, height);
    rendered.picture.reset();

    const double allocationTime = bestOf([&] {
        tessaly::ImageRows rows;
        BitmapHandle bare(tessaly::createImage(width, height, &rows));
        if (bare) std::memset(rows.rows, 0xFF, bytes);
    });
    const int blockHeight = static_cast<int>((height + 7) / count);
    const double textTime = textDrawingTime(list, static_cast<int>(width), blockHeight);
    std::printf("  %6zu entries, %5u x %7u (%7.1f MB): renderList %8.1f ms | text alone %7.1f ms | bare picture "
                "%7.1f ms | peak %7.1f MB = %.2f x the picture\n",
                count, width, height, bytes / 1e6, renderTime * 1e3, textTime * 1e3, allocationTime * 1e3,
                (peak - before) / 1e6, static_cast<double>(peak - before) / static_cast<double>(bytes));
}

// The largest list whose picture the machine gives: doubling, then halving.
size_t largestListThatFits()
{
    const auto fits = [](size_t count) {
        const auto layout = tessaly::listPictureLayout(static_cast<int64_t>(count), 220, 19);
        if (!layout) return false;
        BitmapHandle picture(
            tessaly::createImage(static_cast<uint32_t>(layout->width), static_cast<uint32_t>(layout->height)));
        return static_cast<bool>(picture);
    };
    size_t low = 1000, high = 2000;
    while (fits(high)) {
        low = high;
        high *= 2;
    }
    while (high - low > 100) {
        const size_t middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low;
}

}  // namespace

int main()
{
    std::printf("List picture (Arial 16 bold, lines about 220 pixels wide), best of 3 where repeated:\n");
    for (size_t count : {100u, 1000u, 10000u}) measure(count);
    std::printf("  largest list whose picture can be had here: about %zu entries\n", largestListThatFits());
    return 0;
}
