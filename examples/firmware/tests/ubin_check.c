/*
 * Host checks of the ubin reader, built with -Wall -Wextra -Werror -std=c99 and run under
 * AddressSanitizer by the project's tests:
 *
 *   ubin_check decode               UTF-8 decoding and pixel unpacking, against hand-worked bytes
 *   ubin_check batch FILE LIST DAT  every character of LIST (UTF-8) found in FILE with exactly the
 *                                   bytes the batch wrote for it into DAT (font.dat, list order)
 *   ubin_check damage FILE          every shorter storage, every header byte changed, a sweep of
 *                                   changes elsewhere: all refused, none read out of bounds
 *   ubin_check levels FILE TEXT     prints the format version and each character's advance and pixel
 *                                   levels, one row of hex a line
 *
 * Exit status 0 when every check holds; failures are printed.
 */
#include "ubin.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int Failures = 0;

#define CHECK(cond, ...)                                                                                   \
    do {                                                                                                   \
        if (!(cond)) {                                                                                     \
            ++Failures;                                                                                    \
            fprintf(stderr, "%s:%d: ", __FILE__, __LINE__);                                                \
            fprintf(stderr, __VA_ARGS__);                                                                  \
            fputc('\n', stderr);                                                                           \
        }                                                                                                  \
    } while (0)

/*
 * Storage in memory: size bytes of data, of which the reader is told there are storage. Reads
 * past size fail (storage that went bad); reads past storage are counted: the reader must never
 * ask for them.
 */
typedef struct {
    const uint8_t *data;
    uint32_t size;
    uint32_t storage;
    uint32_t out_of_bounds;
} Memory;

static int ReadMemory(void *ctx, uint32_t offset, uint8_t *dst, uint32_t len)
{
    Memory *m = (Memory *)ctx;
    if (offset > m->storage || len > m->storage - offset)
        ++m->out_of_bounds;
    if (offset > m->size || len > m->size - offset)
        return -1;
    memcpy(dst, m->data + offset, len);
    return 0;
}

static uint8_t *LoadFile(const char *path, uint32_t *size)
{
    FILE *file = fopen(path, "rb");
    long n;
    uint8_t *bytes;
    if (!file || fseek(file, 0, SEEK_END) != 0 || (n = ftell(file)) < 0 || fseek(file, 0, SEEK_SET) != 0) {
        fprintf(stderr, "cannot read %s\n", path);
        exit(2);
    }
    bytes = malloc((size_t)n + 1u);
    if (!bytes || fread(bytes, 1, (size_t)n, file) != (size_t)n) {
        fprintf(stderr, "cannot read %s\n", path);
        exit(2);
    }
    fclose(file);
    *size = (uint32_t)n;
    return bytes;
}

/* Loads a whole file into m and opens and verifies it as a font; 0 (reported) when that fails. */
static int OpenWhole(const char *path, Memory *m, ubin_font *font)
{
    uint32_t size;
    int result;
    m->data = LoadFile(path, &size);
    m->size = m->storage = size;
    m->out_of_bounds = 0;
    result = ubin_open(font, ReadMemory, m, size);
    CHECK(result == UBIN_OK, "%s: ubin_open gives %d", path, result);
    if (result == UBIN_OK) {
        result = ubin_verify(font);
        CHECK(result == UBIN_OK, "%s: ubin_verify gives %d", path, result);
    }
    CHECK(result != UBIN_OK || font->file_size == size, "%s: file size %lu in the header, %lu on disk", path,
          (unsigned long)font->file_size, (unsigned long)size);
    return result == UBIN_OK;
}

/* ---- decode ---------------------------------------------------------------------------------- */

static void CheckUtf8(void)
{
    static const struct {
        const char *bytes;
        uint32_t expected[6]; /* code points, ended by UBIN_UTF8_END */
    } cases[] = {
        {"A\xE4\xB8\xAD\xE2\x82\xAC", {0x41, 0x4E2D, 0x20AC, UBIN_UTF8_END}},   /* A 中 € */
        {"\xF0\x9F\x98\x80", {0x1F600, UBIN_UTF8_END}},                        /* four bytes */
        {"\xC2\x80\xDF\xBF", {0x80, 0x7FF, UBIN_UTF8_END}},                    /* two-byte edges */
        {"\xC0\xAF" "A", {0xFFFD, 0xFFFD, 0x41, UBIN_UTF8_END}},               /* overlong '/' */
        {"\xE0\x80\xAF", {0xFFFD, 0xFFFD, 0xFFFD, UBIN_UTF8_END}},             /* overlong 3 bytes */
        {"\xED\xA0\x80", {0xFFFD, 0xFFFD, 0xFFFD, UBIN_UTF8_END}},             /* a surrogate */
        {"\xF4\x90\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, UBIN_UTF8_END}}, /* past U+10FFFF */
        {"\xE4\xB8" "A", {0xFFFD, 0x41, UBIN_UTF8_END}},                       /* cut short: one U+FFFD */
        {"\xF0\x9F\x98", {0xFFFD, UBIN_UTF8_END}},                             /* cut at the end */
        {"\x80\xBF\xFF", {0xFFFD, 0xFFFD, 0xFFFD, UBIN_UTF8_END}},             /* strays, 0xFF */
    };
    size_t i;
    for (i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const char *p = cases[i].bytes, *end = p + strlen(p);
        size_t k = 0;
        uint32_t cp;
        do {
            cp = ubin_utf8_next(&p, end);
            CHECK(cp == cases[i].expected[k], "UTF-8 case %u, character %u: U+%04lX, expected U+%04lX",
                  (unsigned)i, (unsigned)k, (unsigned long)cp, (unsigned long)cases[i].expected[k]);
        } while (cp != UBIN_UTF8_END && cases[i].expected[k++] != UBIN_UTF8_END);
        CHECK(p == end, "UTF-8 case %u stops before its end", (unsigned)i);
    }
}

/*
 * One 3 x 2 glyph drawn with levels
 *     row 0:  top 0   mid
 *     row 1:  0   top 0
 * (top = full ink, mid = 1 at 2 bpp, 5 at 4 bpp, 0x55 at 8 bpp, absent at 1 bpp) in every layout.
 */
static void CheckPixels(void)
{
    static const struct {
        uint8_t bpp, scan, flags;
        uint8_t bytes[8];
    } cases[] = {
        /* 1 bpp horizontal: rows 1.. and .1. -> 1000 0000, 0100 0000 */
        {1, UBIN_SCAN_HORIZONTAL, 0, {0x80, 0x40}},
        /* reversed: first pixel in bit 0; inverted: 0 is ink and the padding reads 1 */
        {1, UBIN_SCAN_HORIZONTAL, UBIN_FLAG_BIT_REVERSE, {0x01, 0x02}},
        {1, UBIN_SCAN_HORIZONTAL, UBIN_FLAG_INVERT, {0x7F, 0xBF}},
        /* 1 bpp vertical: columns 10, 01, 00 top first -> 1000 0000, 0100 0000, 0000 0000 */
        {1, UBIN_SCAN_VERTICAL, 0, {0x80, 0x40, 0x00}},
        /* 1 bpp "ZN": one band, a byte per column, top row in bit 7; reversed: in bit 0 */
        {1, UBIN_SCAN_ZN, 0, {0x80, 0x40, 0x00}},
        {1, UBIN_SCAN_ZN, UBIN_FLAG_BIT_REVERSE, {0x01, 0x02, 0x00}},
        /* 2 bpp horizontal: 11 00 01 | 00 11 00 -> 1100 0100, 0011 0000 */
        {2, UBIN_SCAN_HORIZONTAL, 0, {0xC4, 0x30}},
        /* reversed: pixel k in bits 2k..2k+1 -> 0001 0011, 0000 1100 */
        {2, UBIN_SCAN_HORIZONTAL, UBIN_FLAG_BIT_REVERSE, {0x13, 0x0C}},
        /* inverted: levels 0 3 2 | 3 0 3, padding 3 -> 0011 1011, 1100 1111 */
        {2, UBIN_SCAN_HORIZONTAL, UBIN_FLAG_INVERT, {0x3B, 0xCF}},
        /* 2 bpp vertical: columns (3,0) (0,3) (1,0) -> 1100 0000, 0011 0000, 0100 0000 */
        {2, UBIN_SCAN_VERTICAL, 0, {0xC0, 0x30, 0x40}},
        /* 2 bpp "ZN": per column two bytes for eight rows -> C0 00, 30 00, 40 00 */
        {2, UBIN_SCAN_ZN, 0, {0xC0, 0x00, 0x30, 0x00, 0x40, 0x00}},
        /* 4 bpp horizontal: F 0 5 _ | 0 F 0 _ -> F0 50, 0F 00 */
        {4, UBIN_SCAN_HORIZONTAL, 0, {0xF0, 0x50, 0x0F, 0x00}},
        {4, UBIN_SCAN_HORIZONTAL, UBIN_FLAG_BIT_REVERSE, {0x0F, 0x05, 0xF0, 0x00}},
        /* 8 bpp vertical: one byte per pixel, column after column */
        {8, UBIN_SCAN_VERTICAL, 0, {0xFF, 0x00, 0x00, 0xFF, 0x55, 0x00}},
    };
    /* 8 bpp "ZN" inverted, one column of nine rows: two bands of eight bytes; row 0 full ink,
     * rows 1 to 7 clear, row 8 (the second band's top) 0x55 stored as 0xAA */
    static const uint8_t two_bands[16] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xAA};
    size_t i;
    for (i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        ubin_font font;
        const unsigned top = (1u << cases[i].bpp) - 1u;
        const unsigned mid = cases[i].bpp == 1 ? 0 : top / 3u;
        const unsigned expected[2][3] = {{top, 0, mid}, {0, top, 0}};
        unsigned x, y;
        memset(&font, 0, sizeof font);
        font.width = 3;
        font.height = 2;
        font.bpp = cases[i].bpp;
        font.scan = cases[i].scan;
        font.flags = cases[i].flags;
        for (y = 0; y < 2; ++y)
            for (x = 0; x < 3; ++x)
                CHECK(ubin_pixel(&font, cases[i].bytes, x, y) == expected[y][x],
                      "pixel case %u (%u bpp, scan %u, flags %u) at (%u,%u): %u, expected %u", (unsigned)i,
                      cases[i].bpp, cases[i].scan, cases[i].flags, x, y, ubin_pixel(&font, cases[i].bytes, x, y),
                      expected[y][x]);
        CHECK(ubin_pixel(&font, cases[i].bytes, 3, 0) == 0 && ubin_pixel(&font, cases[i].bytes, 0, 2) == 0,
              "pixel case %u: pixels outside the cell are not clear", (unsigned)i);
    }
    {
        ubin_font font;
        memset(&font, 0, sizeof font);
        font.width = 1;
        font.height = 9;
        font.bpp = 8;
        font.scan = UBIN_SCAN_ZN;
        font.flags = UBIN_FLAG_INVERT;
        CHECK(ubin_pixel(&font, two_bands, 0, 0) == 255 && ubin_pixel(&font, two_bands, 0, 1) == 0
                  && ubin_pixel(&font, two_bands, 0, 8) == 0x55,
              "8 bpp \"ZN\" bands read wrong");
    }
}

/* ---- batch ----------------------------------------------------------------------------------- */

static void CheckAgainstBatch(const char *file_path, const char *list_path, const char *dat_path)
{
    uint32_t list_size, dat_size, i = 0, missing_probe;
    uint8_t *list = LoadFile(list_path, &list_size);
    uint8_t *dat = LoadFile(dat_path, &dat_size);
    Memory m;
    ubin_font font;
    const char *p = (const char *)list, *end = p + list_size;
    uint8_t *glyph;
    uint32_t cp;
    int result;

    if (!OpenWhole(file_path, &m, &font))
        return;
    glyph = malloc(font.glyph_size);
    while ((cp = ubin_utf8_next(&p, end)) != UBIN_UTF8_END) {
        if (cp == '\n' && p == end)
            break; /* the list printed by dotrix-cli ends in a line break */
        CHECK((i + 1u) * font.glyph_size <= dat_size, "font.dat ends before character %lu", (unsigned long)i);
        result = ubin_lookup(&font, cp, glyph, font.glyph_size);
        CHECK(result == UBIN_OK, "U+%04lX (character %lu of the list): lookup gives %d", (unsigned long)cp,
              (unsigned long)i, result);
        if (result == UBIN_OK && (i + 1u) * font.glyph_size <= dat_size)
            CHECK(memcmp(glyph, dat + i * font.glyph_size, font.glyph_size) == 0,
                  "U+%04lX (character %lu): bytes differ from font.dat's", (unsigned long)cp, (unsigned long)i);
        ++i;
    }
    CHECK(i == font.count, "the list holds %lu characters, the font %lu glyphs", (unsigned long)i,
          (unsigned long)font.count);
    CHECK(i * font.glyph_size == dat_size, "font.dat holds %lu bytes, the list %lu glyphs of %lu",
          (unsigned long)dat_size, (unsigned long)i, (unsigned long)font.glyph_size);
    CHECK(ubin_find(&font, 0, &missing_probe) == UBIN_ERR_NOT_FOUND
              && ubin_find(&font, 0x10FFFF, &missing_probe) == UBIN_ERR_NOT_FOUND,
          "the ends of the code space are found");
    p = (const char *)list;
    CHECK(ubin_lookup(&font, ubin_utf8_next(&p, end), glyph, font.glyph_size - 1u) == UBIN_ERR_BUFFER,
          "a glyph buffer one byte short is taken");
    CHECK(m.out_of_bounds == 0, "%lu reads out of bounds", (unsigned long)m.out_of_bounds);
    printf("%lu glyphs of %lu bytes match font.dat\n", (unsigned long)i, (unsigned long)font.glyph_size);
    free(glyph);
    free((uint8_t *)m.data);
    free(list);
    free(dat);
}

/* ---- damage ---------------------------------------------------------------------------------- */

/* Opens a damaged copy and, when it opens, looks up and draws code points found in the whole
 * file and some that are not. Returns 1 when open or verify refused it. */
static int Exercise(const uint8_t *bytes, uint32_t size, uint32_t storage, const uint32_t *probes, int nprobes)
{
    /* an exact-size copy, so AddressSanitizer catches any read past it */
    uint8_t *copy = malloc(size ? size : 1u);
    Memory m = {0, 0, 0, 0};
    ubin_font font;
    int refused = 0, k;
    memcpy(copy, bytes, size);
    m.data = copy;
    m.size = size;
    m.storage = storage;
    if (ubin_open(&font, ReadMemory, &m, storage) != UBIN_OK) {
        refused = 1;
    } else {
        uint8_t *glyph = malloc(font.glyph_size);
        refused = ubin_verify(&font) != UBIN_OK;
        for (k = 0; k < nprobes; ++k) {
            if (ubin_lookup(&font, probes[k], glyph, font.glyph_size) == UBIN_OK) {
                unsigned x, y, sum = 0;
                for (y = 0; y < font.height; ++y)
                    for (x = 0; x < font.width; ++x)
                        sum += ubin_pixel(&font, glyph, x, y);
                (void)sum;
            }
        }
        free(glyph);
    }
    CHECK(m.out_of_bounds == 0, "a damaged file (%lu bytes, storage %lu) was read out of bounds",
          (unsigned long)size, (unsigned long)storage);
    free(copy);
    return refused;
}

static uint32_t Random(uint32_t *state)
{
    *state ^= *state << 13;
    *state ^= *state >> 17;
    *state ^= *state << 5;
    return *state;
}

static void CheckDamage(const char *file_path)
{
    uint32_t size, cut, i, state = 0x2545F491u, probes[12];
    const uint8_t *file;
    uint8_t *work;
    Memory m;
    ubin_font font;
    int nprobes = 0, k;

    if (!OpenWhole(file_path, &m, &font))
        return;
    file = m.data;
    size = m.size;
    work = malloc(size);
    /* code points of the first, middle and last glyphs, their neighbours, and the extremes */
    for (k = 0; k < 3 && font.count > 0; ++k) {
        const uint32_t at = font.table_offset + (font.count - 1u) * (uint32_t)k / 2u * font.entry_size;
        const uint32_t cp = (uint32_t)file[at] | (uint32_t)file[at + 1] << 8 | (uint32_t)file[at + 2] << 16;
        probes[nprobes++] = cp;
        probes[nprobes++] = cp + 1u;
        probes[nprobes++] = cp - 1u;
    }
    probes[nprobes++] = 0;
    probes[nprobes++] = 0x10FFFF;
    probes[nprobes++] = 0xFFFFFFFFu;

    /* Truncated: every length through the header and table start, then a sweep to one byte short.
     * Told the true (short) size, the reader refuses; told the full size, its reads fail and it
     * says so. */
    for (cut = 0; cut < size; cut = cut < 256u ? cut + 1u : cut + 1u + Random(&state) % (size / 64u + 1u)) {
        CHECK(Exercise(file, cut, cut, probes, nprobes), "a file cut to %lu of %lu bytes opens",
              (unsigned long)cut, (unsigned long)size);
        Exercise(file, cut, size, probes, nprobes);
    }
    CHECK(Exercise(file, size - 1u, size - 1u, probes, nprobes), "a file one byte short opens");
    CHECK(!Exercise(file, size, size, probes, nprobes), "the undamaged file is refused");

    /* Every header byte changed to several values: each change is caught by open or verify. */
    for (i = 0; i < UBIN_HEADER_SIZE; ++i) {
        static const uint8_t deltas[] = {0x01, 0x02, 0x80, 0xFF, 0x10};
        for (k = 0; k < (int)sizeof deltas; ++k) {
            memcpy(work, file, size);
            work[i] ^= deltas[k];
            CHECK(Exercise(work, size, size, probes, nprobes), "header byte %lu changed by 0x%02X is not noticed",
                  (unsigned long)i, deltas[k]);
        }
    }
    /* Changes anywhere after the header: caught by verify, lookups stay in bounds. */
    for (k = 0; k < 3000; ++k) {
        const uint32_t at = UBIN_HEADER_SIZE + Random(&state) % (size - UBIN_HEADER_SIZE);
        memcpy(work, file, size);
        work[at] ^= (uint8_t)(1u + Random(&state) % 255u);
        CHECK(Exercise(work, size, size, probes, nprobes), "byte %lu changed is not noticed", (unsigned long)at);
    }
    /* Table entries pointing anywhere: lookups of them refuse or read a glyph inside the file. */
    for (k = 0; k < 2000 && font.count > 0; ++k) {
        const uint32_t entry = font.table_offset + Random(&state) % font.count * font.entry_size;
        const uint32_t target = k % 2 ? Random(&state) : font.data_offset + Random(&state) % (size - font.data_offset + 64u);
        memcpy(work, file, size);
        work[entry + 4] = (uint8_t)target;
        work[entry + 5] = (uint8_t)(target >> 8);
        work[entry + 6] = (uint8_t)(target >> 16);
        work[entry + 7] = (uint8_t)(target >> 24);
        probes[nprobes - 1] = (uint32_t)work[entry] | (uint32_t)work[entry + 1] << 8 | (uint32_t)work[entry + 2] << 16;
        Exercise(work, size, size, probes, nprobes);
    }
    printf("damage sweep over %lu bytes done\n", (unsigned long)size);
    free(work);
    free((uint8_t *)file);
}

/* ---- levels ---------------------------------------------------------------------------------- */

static void PrintLevels(const char *file_path, const char *text)
{
    uint32_t cp;
    Memory m;
    ubin_font font;
    const char *p = text, *end = text + strlen(text);
    uint8_t *glyph;
    int result;

    if (!OpenWhole(file_path, &m, &font))
        return;
    printf("version %u cell %ux%u baseline %d pen %d bpp %u\n", font.version, font.width, font.height, font.baseline,
           font.pen_x, font.bpp);
    glyph = malloc(font.glyph_size);
    while ((cp = ubin_utf8_next(&p, end)) != UBIN_UTF8_END) {
        unsigned x, y;
        uint32_t offset;
        uint16_t advance = 0;
        result = ubin_find_advance(&font, cp, &offset, &advance);
        if (result == UBIN_OK)
            result = ubin_read_glyph(&font, offset, glyph, font.glyph_size);
        printf("U+%04lX", (unsigned long)cp);
        if (result != UBIN_OK) {
            printf(" missing (%d)\n", result);
            continue;
        }
        printf(" advance %u\n", advance);
        for (y = 0; y < font.height; ++y) {
            for (x = 0; x < font.width; ++x)
                printf(font.bpp == 8 ? "%02x" : "%x", ubin_pixel(&font, glyph, x, y));
            putchar('\n');
        }
    }
    free(glyph);
    free((uint8_t *)m.data);
}

int main(int argc, char **argv)
{
    if (argc == 2 && strcmp(argv[1], "decode") == 0) {
        CheckUtf8();
        CheckPixels();
    } else if (argc == 5 && strcmp(argv[1], "batch") == 0) {
        CheckAgainstBatch(argv[2], argv[3], argv[4]);
    } else if (argc == 3 && strcmp(argv[1], "damage") == 0) {
        CheckDamage(argv[2]);
    } else if (argc == 4 && strcmp(argv[1], "levels") == 0) {
        PrintLevels(argv[2], argv[3]);
    } else {
        fprintf(stderr, "usage: ubin_check decode | batch FILE LIST DAT | damage FILE | levels FILE TEXT\n");
        return 2;
    }
    if (Failures > 0)
        fprintf(stderr, "%d checks failed\n", Failures);
    return Failures > 0 ? 1 : 0;
}
