// LovyanGFX loading a smooth font (.vlw) from memory, as firmware loads a C array in flash: the
// time loadFont takes (the median of many loads) and the heap it keeps while the font is loaded.
// Built by bench/vlw-load.sh against the harness's LovyanGFX objects.
#include <LovyanGFX.hpp>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: vlw_load FONT.vlw [LOADS]\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::vector<uint8_t> font((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const int loads = argc > 2 ? std::atoi(argv[2]) : 200;
    lgfx::LGFX_Sprite sprite;
    std::vector<double> micros;
    size_t kept = 0;
    for (int i = 0; i < loads; ++i) {
        const size_t before = mallinfo2().uordblks;
        const auto start = std::chrono::steady_clock::now();
        if (!sprite.loadFont(font.data())) {
            std::printf("LOAD FAILED\n");
            return 1;
        }
        const auto end = std::chrono::steady_clock::now();
        // The first load only: later ones reuse chunks the allocator keeps aside, which it still
        // counts as in use.
        if (i == 0)
            kept = mallinfo2().uordblks - before;
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        sprite.unloadFont();
    }
    std::sort(micros.begin(), micros.end());
    std::printf("%s: %zu bytes, loadFont median %.1f us (min %.1f), heap kept while loaded %zu bytes\n", argv[1],
                font.size(), micros[micros.size() / 2], micros.front(), kept);
    return 0;
}
