// The character list pane with the whole GBK set: import, sort and filter as the user sees them,
// including the edit control showing the new list.

#include "app/cfontsel.h"
#include "charset/charsetfile.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

void BM_PaneImportSortFilterGBK(benchmark::State &state)
{
    CFontSel pane;
    pane.resize(420, 900);
    pane.show();
    const CharsetImport gbk = LoadCharset(CharacterSet::GBK, QDir::currentPath());
    if (!gbk.Ok) {
        state.SkipWithError("GBK.txt not found");
        return;
    }
    for (auto _ : state) {
        pane.SetList(gbk.Text, gbk.Count);
        QApplication::processEvents();
        pane.OnSort();
        QApplication::processEvents();
        pane.OnFilterSingleByte();
        QApplication::processEvents();
    }
    state.counters["characters"] = gbk.Count;
}
BENCHMARK(BM_PaneImportSortFilterGBK)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
