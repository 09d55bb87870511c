// Per-glyph cost of the generation path: render into a bitmap file, load it into the matrix,
// pack it and write its source file, at 16 x 16 and at 1024 x 1024.

#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "encode/glyphtext.h"
#include "encode/packglyph.h"
#include "raster/glyphbitmap.h"
#include "encode/glyphfile.h"
#include "output/uniquename.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const std::string Zhong = "\xD6\xD0"; // 中

void BM_RenderLoadPackEmit(benchmark::State &state)
{
    const int side = int(state.range(0));
    QTemporaryDir dir;
    OutputDirectory output(dir.path());
    GlyphSettings settings;
    settings.Width = settings.Height = side;
    settings.OutputFormat = SourceFormat::CArray;
    settings.GlyphFont.PointSize = side * 3 / 4; // fill the cell: 16 px at 16, 1024 px at 1024
    DotMatrix matrix;
    for (auto _ : state) {
        RenderGlyph(Zhong, "zhong0", 0, 0, side, side, settings.GlyphFont, output);
        GlyphSize size;
        LoadMatrixFromBitmap(output.FilePath("zhong0.bmp"), InkTest::BlueByte, matrix, size);
        GlyphFileSink sink(output, "zhong0.c");
        WriteGlyphText(sink, "zhong0", Zhong, settings, matrix);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RenderLoadPackEmit)->Arg(16)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_PackGlyph(benchmark::State &state)
{
    const int side = int(state.range(0));
    const auto scan = ScanOrder(state.range(1));
    DotMatrix matrix;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c)
            matrix.Set(r, c, (r * 7 + c * 3) % 5 == 0 ? CellInk : CellBlank);
    GlyphSettings settings;
    settings.Width = settings.Height = side;
    settings.ScanMode = scan;
    settings.OutputFormat = SourceFormat::CArray;
    for (auto _ : state)
        benchmark::DoNotOptimize(PackGlyph(matrix, settings));
}
BENCHMARK(BM_PackGlyph)->Args({16, int(ScanOrder::Vertical)})->Args({1024, int(ScanOrder::Vertical)})->Args({1024, int(ScanOrder::Horizontal)})
    ->Args({1024, int(ScanOrder::ZN)})->Unit(benchmark::kMicrosecond);

// A numbered run names glyphs 0, 1, 2, ...: with the cache each name costs two existence checks
// instead of one for every earlier glyph.
void BM_MakeUniqueNameNumberedRun(benchmark::State &state)
{
    const int glyphs = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        UniqueNameCache cache;
        state.ResumeTiming();
        for (int i = 0; i < glyphs; ++i) {
            const std::string name = MakeUniqueName("", 0, dir.path(), &cache);
            QFile file(dir.filePath(QString::fromStdString(name) + ".bmp"));
            file.open(QIODevice::WriteOnly);
        }
    }
    state.SetItemsProcessed(state.iterations() * glyphs);
}
BENCHMARK(BM_MakeUniqueNameNumberedRun)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

void BM_DrawGlyphImage(benchmark::State &state)
{
    const GlyphFontDesc font;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawGlyphImage(Zhong, 0, 0, 16, 16, font));
}
BENCHMARK(BM_DrawGlyphImage)->Unit(benchmark::kMicrosecond);

// The GB2312 set drawn as a batch draws it, without (0) and with (1) finding where each glyph's
// ink lies, in the default face (its glyphs stay inside the cell) and in a face whose glyphs
// reach out of it (each then drawn a second time on its own).
void BM_DrawGb2312(benchmark::State &state)
{
    GlyphFontDesc font;
    if (state.range(0) == 1)
        font.Face = QStringLiteral("Droid Sans Fallback");
    const bool withInk = state.range(1) != 0;
    const std::vector<std::string> characters = SplitChars(LoadCharset(CharacterSet::GB2312, QString()).Text);
    GlyphInk ink;
    for (auto _ : state)
        for (const std::string &character : characters)
            benchmark::DoNotOptimize(DrawGlyphImage(character, 0, 0, 16, 16, font, false, withInk ? &ink : nullptr));
    state.SetItemsProcessed(state.iterations() * int64_t(characters.size()));
}
BENCHMARK(BM_DrawGb2312)->ArgNames({"droid", "ink"})->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
