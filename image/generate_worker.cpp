#include "image/generate_worker.h"

#include <algorithm>
#include <climits>

#include "controls/progress_bar_reporter.h"
#include "controls/font_spec.h"
#include "image/list_picture_layout.h"
#include "platform/secure_wipe.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "formats/bitmap_file.h"
#include "platform/window_text.h"

namespace tessaly {

namespace {

// The status line holds at most this many characters.
constexpr size_t kStatusLength = 127;

std::string_view lineOf(const PasswordEntry& entry, int line)
{
    if (line == 2) return entry.pass;
    return line == 0 ? entry.description : entry.user;
}

SIZE textSize(HDC dc, std::string_view text)
{
    return textExtent(dc, text);
}

// The background picture stretched over one entry's block. `missing` when
// the picture cannot be loaded; none either way when it or the tile cannot
// be had.
BitmapHandle backgroundTile(HDC target, const std::string& path, const ListPictureLayout& layout, bool& missing)
{
    BitmapHandle loaded(loadBitmapFile(path));
    missing = !loaded;
    if (missing) return BitmapHandle();
    BitmapHandle tile(createImage(static_cast<uint32_t>(layout.width), static_cast<uint32_t>(layout.blockHeight)));
    if (!tile) return BitmapHandle();
    MemoryDc from(CreateCompatibleDC(target));
    MemoryDc to(CreateCompatibleDC(target));
    SelectGuard fromPicture(from.get(), loaded.get());
    SelectGuard toTile(to.get(), tile.get());
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
    StretchBlt(to.get(), 0, 0, layout.width, layout.blockHeight, from.get(), 0, 0,
               static_cast<int>(imageWidth(loaded.get())), static_cast<int>(imageHeight(loaded.get())), SRCCOPY);
    return tile;
}

void fillBackground(HDC dc, const ListPictureLayout& layout, uint32_t rgb)
{
    BrushHandle brush(CreateSolidBrush(rgbToColorRef(rgb)));
    const RECT all{0, 0, layout.width, layout.height};
    FillRect(dc, &all, brush.get());
}

// Shows "Drawing entry i of n" now and then, paced like the progress bar,
// and always for the last entry.
class EntryStatus {
public:
    explicit EntryStatus(WorkerReport& report) : report_(report), format_(translate("generating_pass")) {}

    void show(int entry, int count)
    {
        const ULONGLONG now = GetTickCount64();
        if (entry + 1 < count && shown_ && now - lastShown_ < ProgressBarReporter::kMinInterval) return;
        report_.setStatusText(formatIntegers(format_, {entry + 1, count}, kStatusLength));
        lastShown_ = now;
        shown_ = true;
    }

private:
    WorkerReport& report_;
    std::string format_;
    ULONGLONG lastShown_ = 0;
    bool shown_ = false;
};

}  // namespace

RenderedList renderList(const std::vector<PasswordEntry>& entries, const GenerateJob& job,
                        const ListPictureStyle& style, WorkerReport& report)
{
    RenderedList result;
    const int count = static_cast<int>(std::min<size_t>(entries.size(), INT_MAX));
    report.progress().start(static_cast<uint64_t>(count));

    MemoryDc dc(CreateCompatibleDC(nullptr));
    FontSpec description;
    description.setFaceName(style.face);
    description.setHeight(style.height);
    description.setStyle(style.weight, false, false);
    FontHandle font = description.createFont();
    SelectGuard selectedFont(dc.get(), font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT));

    LONG maxWidth = 0, maxHeight = 0;
    // Measuring a long list takes a while too: Cancel is heard meanwhile.
    constexpr size_t kEntriesBetweenCancelChecks = 256;
    for (size_t i = 0; i < entries.size(); ++i) {
        const PasswordEntry& entry = entries[i];
        if (i % kEntriesBetweenCancelChecks == 0 && report.cancelled()) {
            result.status = RenderStatus::Cancelled;
            return result;
        }
        for (int line = 0; line < 3; ++line) {
            const SIZE size = textSize(dc.get(), lineOf(entry, line));
            maxWidth = std::max(maxWidth, size.cx);
            maxHeight = std::max(maxHeight, size.cy);
        }
    }
    if (count == 0) return result;
    const auto layout = listPictureLayout(count, maxWidth, maxHeight);
    ImageRows rows;
    if (layout)
        result.picture.reset(
            createImage(static_cast<uint32_t>(layout->width), static_cast<uint32_t>(layout->height), &rows));
    if (!result.picture) {
        result.status = RenderStatus::TooLarge;
        return result;
    }
    // A picture left unfinished holds passwords: its pixels are wiped, and
    // it goes once it is no longer selected.
    auto discard = [&] {
        secureWipe(rows.rows, layout->pixelBytes());
        result.status = RenderStatus::Cancelled;
        return std::move(result);
    };

    SelectGuard selectedPicture(dc.get(), result.picture.get());
    BitmapHandle tile;
    if (!job.usePersonalColors) {
        tile = backgroundTile(dc.get(), job.personalImagePath, *layout, result.backgroundMissing);
        if (!tile && !result.backgroundMissing) {
            // The tile's memory could not be had: as for the picture itself.
            secureWipe(rows.rows, layout->pixelBytes());
            result.status = RenderStatus::TooLarge;
            return result;
        }
    }
    if (!tile) fillBackground(dc.get(), *layout, style.background);
    MemoryDc tileDc(CreateCompatibleDC(dc.get()));
    SelectGuard selectedTile(tileDc.get(), tile ? static_cast<HGDIOBJ>(tile.get()) : nullptr);

    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), rgbToColorRef(style.text));
    BrushHandle separator(CreateSolidBrush(rgbToColorRef(style.text)));
    EntryStatus status(report);
    for (int i = 0; i < count; ++i) {
        if (report.cancelled()) return discard();
        if (tile) {
            BitBlt(dc.get(), 0, layout->blockTop(i), layout->width, layout->blockHeight, tileDc.get(), 0, 0, SRCCOPY);
        }
        status.show(i, count);
        for (int line = 0; line < 3; ++line) {
            const std::string_view text = lineOf(entries[static_cast<size_t>(i)], line);
            textOut(dc.get(), ListPictureLayout::kMargin, layout->lineTop(i, line), text);
        }
        if (layout->hasSeparator(i)) {
            const int top = layout->separatorTop(i);
            const RECT bar{layout->separatorLeft(), top, layout->separatorRight(),
                           top + ListPictureLayout::kSeparatorHeight};
            FillRect(dc.get(), &bar, separator.get());
        }
        if (!report.progress().advance(1)) return discard();
    }
    GdiFlush();
    result.status = RenderStatus::Done;
    return result;
}

WorkerOutcome generateWorker(GenerateJob& job, WorkerReport& report)
{
    report.onWindowThread([&] {
        if (job.publishPlain) job.publishPlain(BitmapHandle());
        if (job.publishEncrypted) job.publishEncrypted(BitmapHandle());
    });
    report.setStatus("generating");
    RenderedList rendered = renderList(job.entries, job, listPictureStyle(settingsTable()), report);
    job.dropEntries();
    // Told only with a picture drawn: after a Cancel there is nothing to explain.
    job.backgroundMissing = rendered.status == RenderStatus::Done && rendered.backgroundMissing;
    job.listEmpty = rendered.status == RenderStatus::EmptyList;
    switch (rendered.status) {
    case RenderStatus::EmptyList:
        return WorkerOutcome::Finished;
    case RenderStatus::TooLarge:
        return WorkerOutcome::OutOfMemory;
    case RenderStatus::Cancelled:
        return WorkerOutcome::Cancelled;
    case RenderStatus::Done:
        break;
    }
    // Only a finished picture is published; any other goes with `rendered`.
    report.onWindowThread([&] {
        if (job.publishPlain) job.publishPlain(std::move(rendered.picture));
    });
    return WorkerOutcome::Finished;
}

}  // namespace tessaly
