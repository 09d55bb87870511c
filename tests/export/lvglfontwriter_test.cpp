// LVGL character maps for any set of code points: every glyph found under its id the way LVGL
// looks it up, nothing else found, and the limits of the format kept (511 maps, 16-bit ranges
// and lists), over seeded sets from small ones to scattered sets across every plane.

#include "export/lvglfontwriter.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <set>

namespace {

// The glyph id LVGL's font reader finds for c: the first map whose range holds c decides; 0 for
// none.
uint32_t LookUp(const std::vector<LvglCharMap> &maps, char32_t c)
{
    for (const LvglCharMap &map : maps) {
        const uint32_t rcp = c - map.RangeStart;
        if (c < map.RangeStart || rcp >= map.RangeLength)
            continue;
        if (map.Sparse.empty())
            return map.GlyphIdStart + rcp;
        const auto at = std::lower_bound(map.Sparse.begin(), map.Sparse.end(), uint16_t(rcp));
        return at != map.Sparse.end() && *at == rcp ? map.GlyphIdStart + uint32_t(at - map.Sparse.begin()) : 0;
    }
    return 0;
}

} // namespace

TEST(PlanLvglCharMaps, EveryCodePointIsFoundUnderItsGlyphIdWithinTheFormatsLimits)
{
    QRandomGenerator random(1213);
    for (int round = 0; round < 40; ++round) {
        // Runs of random length at random gaps; some rounds spread thousands of points over
        // every plane, some hold runs longer than one map may cover.
        std::set<char32_t> chosen;
        const int runs = int(random.bounded(1, round % 4 == 0 ? 4000 : 300));
        const char32_t limit = round % 3 == 0 ? 0x10FFFF : 0xFFFF;
        for (int r = 0; r < runs; ++r) {
            const char32_t start = char32_t(random.bounded(1u, uint32_t(limit)));
            const uint32_t length = round % 5 == 0 && r == 0 ? 70000 : random.bounded(1, 40);
            for (uint32_t k = 0; k < length && start + k <= limit; ++k)
                chosen.insert(start + k);
        }
        const std::vector<char32_t> codePoints(chosen.begin(), chosen.end());
        const std::vector<LvglCharMap> maps = PlanLvglCharMaps(codePoints);
        SCOPED_TRACE("round " + std::to_string(round) + ", " + std::to_string(codePoints.size()) + " code points, "
                     + std::to_string(maps.size()) + " maps");
        ASSERT_LE(maps.size(), 511u);
        for (size_t m = 0; m < maps.size(); ++m) {
            ASSERT_LE(maps[m].RangeLength, 65535u);
            ASSERT_LE(maps[m].Sparse.size(), 65535u);
            if (m > 0) {
                ASSERT_GE(maps[m].RangeStart, maps[m - 1].RangeStart + maps[m - 1].RangeLength);
            }
        }
        for (size_t i = 0; i < codePoints.size(); ++i)
            ASSERT_EQ(LookUp(maps, codePoints[i]), i + 1) << "U+" << std::hex << uint32_t(codePoints[i]);
        for (int probe = 0; probe < 2000; ++probe) {
            const char32_t c = char32_t(random.bounded(1u, uint32_t(limit) + 1));
            if (!chosen.count(c)) {
                ASSERT_EQ(LookUp(maps, c), 0u) << "U+" << std::hex << uint32_t(c);
            }
        }
    }
}
