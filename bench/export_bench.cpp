// Font exports end to end (mapping, drawing on every core, writing the file) of GB2312's 6,763
// hanzi in AR PL UMing at 16 px and of the whole GBK set: LVGL C fonts at 4 and 1 bits per pixel,
// BDF fonts, and Unicode-keyed font files at 1 bit per pixel. Whole-command timings and peak
// memory: README's development notes and bench/bdf-vs-otf2bdf.sh.

#include "charset/charlist.h"
#include "charset/charsetfile.h"
#include "export/fontexport.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <atomic>
#include <thread>

namespace {

enum ListChoice { Gb2312Hanzi = 0, WholeGbk = 1 };

std::string ExportList(ListChoice choice)
{
    const CharsetImport set = LoadCharset(choice == Gb2312Hanzi ? CharacterSet::GB2312 : CharacterSet::GBK, QString());
    return choice == Gb2312Hanzi ? FilterSingleByte(set.Text).Text : set.Text;
}

void BM_ExportFont(benchmark::State &state)
{
    const std::vector<CodePointChar> characters = MapToCodePoints(ExportList(ListChoice(state.range(1)))).Characters;
    QTemporaryDir dir;
    GlyphSettings settings;
    settings.GlyphFont.Face = QStringLiteral("AR PL UMing CN"); // 12 points: 16 pixels
    FontExportRequest request;
    request.Format = ExportFormat(state.range(0));
    request.Bpp = int(state.range(2));
    request.OutPath = dir.filePath(QStringLiteral("font") + QString::fromUtf8(FormatInfo(request.Format).Suffix));
    qint64 bytes = 0;
    for (auto _ : state) {
        JobControl control;
        const FontExportResult result = ExportFont(characters, settings, request, control);
        if (result.State != FontExportResult::Done)
            state.SkipWithError(QStringLiteral("export failed: %1").arg(int(result.Error.Code)).toStdString().c_str());
        bytes = result.Bytes;
    }
    state.counters["glyphs"] = double(characters.size());
    state.counters["file_bytes"] = double(bytes);
    state.SetItemsProcessed(state.iterations() * int64_t(characters.size()));
}
constexpr int Lvgl = int(ExportFormat::Lvgl), Bdf = int(ExportFormat::Bdf), Ubin = int(ExportFormat::Ubin),
              Vlw = int(ExportFormat::Vlw);
BENCHMARK(BM_ExportFont)
    ->ArgNames({"format", "gbk", "bpp"})
    ->Args({Lvgl, Gb2312Hanzi, 4})
    ->Args({Lvgl, Gb2312Hanzi, 1})
    ->Args({Lvgl, WholeGbk, 4})
    ->Args({Lvgl, WholeGbk, 1})
    ->Args({Bdf, Gb2312Hanzi, 1})
    ->Args({Bdf, WholeGbk, 1})
    ->Args({Ubin, WholeGbk, 1})
    ->Args({Vlw, Gb2312Hanzi, 8})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The floor under the 4-bpp export: FreeType alone rendering the same 6,763 hanzi from AR PL
// UMing (face 0 of uming.ttc) at 16 px into 8-bit coverage, with no file and no Qt, on one
// thread or split over two. Arguments: how (0 hinted as the export draws, 1 unhinted, 2 the
// face's embedded bitmaps at 1 bit) and threads.
void BM_FreeTypeFloor(benchmark::State &state)
{
    const std::vector<CodePointChar> characters = MapToCodePoints(ExportList(Gb2312Hanzi)).Characters;
    const int how = int(state.range(0)), threads = int(state.range(1));
    const FT_Int32 flags = how == 0   ? FT_LOAD_RENDER | FT_LOAD_NO_BITMAP
                           : how == 1 ? FT_LOAD_RENDER | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING
                                      : FT_LOAD_RENDER | FT_LOAD_TARGET_MONO;
    struct Worker
    {
        FT_Library Library = nullptr;
        FT_Face Face = nullptr;
    };
    std::vector<Worker> workers(static_cast<size_t>(threads));
    for (Worker &worker : workers) {
        if (FT_Init_FreeType(&worker.Library) != 0
            || FT_New_Face(worker.Library, "/usr/share/fonts/truetype/arphic/uming.ttc", 0, &worker.Face) != 0
            || FT_Set_Pixel_Sizes(worker.Face, 0, 16) != 0) {
            state.SkipWithError("FreeType cannot open uming.ttc at 16 px");
            return;
        }
    }
    std::atomic<uint64_t> ink{0};
    for (auto _ : state) {
        std::vector<std::thread> running;
        for (int t = 0; t < threads; ++t)
            running.emplace_back([&, t] {
                uint64_t dots = 0;
                FT_Face face = workers[size_t(t)].Face;
                for (size_t i = size_t(t); i < characters.size(); i += size_t(threads))
                    if (FT_Load_Char(face, FT_ULong(characters[i].CodePoint), flags) == 0)
                        dots += face->glyph->bitmap.rows * face->glyph->bitmap.width;
                ink += dots;
            });
        for (std::thread &thread : running)
            thread.join();
    }
    benchmark::DoNotOptimize(ink.load());
    for (Worker &worker : workers) {
        FT_Done_Face(worker.Face);
        FT_Done_FreeType(worker.Library);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(characters.size()));
}
BENCHMARK(BM_FreeTypeFloor)
    ->ArgNames({"how", "threads"})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({1, 1})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
