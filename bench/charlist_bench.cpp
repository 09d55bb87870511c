// The character list's operations on a list of 24,000 characters, as the list pane runs them on
// an imported and edited GBK set, and the set import and script conversion behind them.
#include "charset/charlist.h"
#include "charset/charsetfile.h"
#include "charset/cp936.h"
#include "charset/scriptconvert.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t ListLength = 24000;

std::string SetText(CharacterSet set)
{
    return LoadCharset(set, QString()).Text;
}

// The GBK set shuffled, with repeats, letters, digits and line breaks mixed in up to 24,000
// characters.
const std::string &MixedList()
{
    static const std::string list = [] {
        std::vector<std::string> chars = SplitChars(SetText(CharacterSet::GBK));
        std::mt19937 random(24000);
        const std::vector<std::string> oneByte = {"a", "Z", "7", " ", "\r", "\n"};
        for (size_t i = 0; chars.size() < ListLength; ++i)
            chars.push_back(i % 3 == 0 ? oneByte[random() % oneByte.size()] : chars[random() % chars.size()]);
        std::shuffle(chars.begin(), chars.end(), random);
        std::string text;
        for (const std::string &ch : chars)
            text += ch;
        return text;
    }();
    return list;
}

void Report(benchmark::State &state, const std::string &list)
{
    state.SetItemsProcessed(state.iterations() * int64_t(CountChars(list)));
    state.counters["chars"] = double(CountChars(list));
}

void BM_RemoveDuplicates(benchmark::State &state)
{
    const std::string &list = MixedList();
    for (auto _ : state)
        benchmark::DoNotOptimize(RemoveDuplicates(list));
    Report(state, list);
}
BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond);

void BM_FilterSingleByte(benchmark::State &state)
{
    const std::string &list = MixedList();
    for (auto _ : state)
        benchmark::DoNotOptimize(FilterSingleByte(list));
    Report(state, list);
}
BENCHMARK(BM_FilterSingleByte)->Unit(benchmark::kMillisecond);

void BM_SortList(benchmark::State &state)
{
    const std::string &list = MixedList();
    for (auto _ : state)
        benchmark::DoNotOptimize(SortList(list, 0));
    Report(state, list);
}
BENCHMARK(BM_SortList)->Unit(benchmark::kMillisecond);

// What a user does with an imported, edited set: de-duplicate, filter, sort.
void BM_DedupeFilterSort(benchmark::State &state)
{
    const std::string &list = MixedList();
    for (auto _ : state) {
        const CharList deduped = RemoveDuplicates(list);
        const CharList filtered = FilterSingleByte(deduped.Text);
        benchmark::DoNotOptimize(SortList(filtered.Text, filtered.Count));
    }
    Report(state, list);
}
BENCHMARK(BM_DedupeFilterSort)->Unit(benchmark::kMillisecond);

// Import GBK.txt from disk, then sort and filter it, as the pane's commands do one after another.
void BM_ImportGbkSortFilter(benchmark::State &state)
{
    const CharsetLocation location = FindCharsetFile(CharsetFileName(CharacterSet::GBK), QString());
    for (auto _ : state) {
        const CharsetImport read = ImportCharsetFile(location.Path);
        const CharList sorted = SortList(read.Text, read.Count);
        benchmark::DoNotOptimize(FilterSingleByte(sorted.Text));
    }
    Report(state, SetText(CharacterSet::GBK));
}
BENCHMARK(BM_ImportGbkSortFilter)->Unit(benchmark::kMillisecond);

void BM_ToTraditionalGb2312(benchmark::State &state)
{
    const std::string list = SetText(CharacterSet::GB2312);
    for (auto _ : state)
        benchmark::DoNotOptimize(ToTraditional(list));
    Report(state, list);
}
BENCHMARK(BM_ToTraditionalGb2312)->Unit(benchmark::kMillisecond);

void BM_ToSimplifiedGbk(benchmark::State &state)
{
    const std::string list = SetText(CharacterSet::GBK);
    for (auto _ : state)
        benchmark::DoNotOptimize(ToSimplified(list));
    Report(state, list);
}
BENCHMARK(BM_ToSimplifiedGbk)->Unit(benchmark::kMillisecond);

} // namespace
