// Font exports end to end (mapping, drawing on every core, writing the file): LVGL C fonts of
// GB2312's 6,763 hanzi in AR PL UMing at 16 px at 4 and 1 bits per pixel, and of the whole GBK
// set. Whole-command timings and peak memory: README's development notes.

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

void BM_ExportLvglFont(benchmark::State &state)
{
    const std::vector<CodePointChar> characters = MapToCodePoints(ExportList(ListChoice(state.range(0)))).Characters;
    QTemporaryDir dir;
    GlyphSettings settings;
    settings.GlyphFont.Face = QStringLiteral("AR PL UMing CN"); // 12 points: 16 pixels
    FontExportRequest request;
    request.Bpp = int(state.range(1));
    request.OutPath = dir.filePath(QStringLiteral("font.c"));
    qint64 bytes = 0;
    for (auto _ : state) {
        BatchControl control;
        const FontExportResult result = ExportFont(characters, settings, request, control);
        if (result.State != FontExportResult::Done)
            state.SkipWithError(result.Error.toStdString().c_str());
        bytes = result.Bytes;
    }
    state.counters["glyphs"] = double(characters.size());
    state.counters["file_bytes"] = double(bytes);
    state.SetItemsProcessed(state.iterations() * int64_t(characters.size()));
}
BENCHMARK(BM_ExportLvglFont)
    ->ArgNames({"gbk", "bpp"})
    ->Args({Gb2312Hanzi, 4})
    ->Args({Gb2312Hanzi, 1})
    ->Args({WholeGbk, 4})
    ->Args({WholeGbk, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
