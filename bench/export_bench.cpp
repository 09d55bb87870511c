// Font exports end to end (mapping, drawing on every core, writing the file) of GB2312's 6,763
// hanzi in AR PL UMing at 16 px and of the whole GBK set: LVGL C fonts at 4 and 1 bits per pixel,
// BDF fonts, and Unicode-keyed font files at 1 bit per pixel. Whole-command timings and peak
// memory: README's development notes and bench/bdf-vs-otf2bdf.sh.

#include "charset/charlist.h"
#include "charset/charsetfile.h"
#include "export/fontexport.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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
constexpr int Lvgl = int(ExportFormat::Lvgl), Bdf = int(ExportFormat::Bdf), Ubin = int(ExportFormat::Ubin);
BENCHMARK(BM_ExportFont)
    ->ArgNames({"format", "gbk", "bpp"})
    ->Args({Lvgl, Gb2312Hanzi, 4})
    ->Args({Lvgl, Gb2312Hanzi, 1})
    ->Args({Lvgl, WholeGbk, 4})
    ->Args({Lvgl, WholeGbk, 1})
    ->Args({Bdf, Gb2312Hanzi, 1})
    ->Args({Bdf, WholeGbk, 1})
    ->Args({Ubin, WholeGbk, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
