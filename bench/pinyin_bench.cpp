// Reading lookups over the GB2312 hanzi, as a batch run or a sort by pinyin makes them.
#include "charset/pinyin.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Gb2312Hanzi()
{
    std::vector<std::string> characters;
    for (int lead = 0xB0; lead <= 0xF7; ++lead)
        for (int trail = 0xA1; trail <= 0xFE; ++trail)
            if (lead != 0xD7 || trail < 0xFA)
                characters.push_back(std::string{char(lead), char(trail)});
    return characters;
}

void BM_GetPinyin(benchmark::State &state)
{
    const std::vector<std::string> characters = Gb2312Hanzi();
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetPinyin(characters[next], false));
        if (++next == characters.size())
            next = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GetPinyin);

} // namespace
