/*
 * ubin-demo FILE TEXT: draws UTF-8 TEXT with the font in FILE into a 1-bit framebuffer and prints
 * it as rows of '#' (set) and '.' (clear): one cell high, and as wide as the pen moves along the
 * text or the last cell reaches, whichever is further (a missing character moves it a cell).
 * The font is read from the file through stdio, piece by piece, as firmware reads it from flash.
 */
#include "fbtext.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int ReadFromFile(void *ctx, uint32_t offset, uint8_t *dst, uint32_t len)
{
    FILE *file = (FILE *)ctx;
    if (fseek(file, (long)offset, SEEK_SET) != 0)
        return -1;
    return fread(dst, 1, len, file) == len ? 0 : -1;
}

int main(int argc, char **argv)
{
    FILE *file;
    long size;
    ubin_font font;
    fbtext_fb fb;
    uint8_t *glyph;
    uint32_t missing = 0, cp, offset;
    long pen = 0, width = 0;
    const char *p, *end;
    int result, x, y;

    if (argc != 3) {
        fprintf(stderr, "usage: ubin-demo FILE TEXT\n");
        return 2;
    }
    file = fopen(argv[1], "rb");
    if (!file || fseek(file, 0, SEEK_END) != 0 || (size = ftell(file)) < 0) {
        fprintf(stderr, "ubin-demo: cannot read %s\n", argv[1]);
        return 1;
    }
    result = ubin_open(&font, ReadFromFile, file, (uint32_t)size);
    if (result != UBIN_OK) {
        fprintf(stderr, "ubin-demo: %s is not a usable font (error %d)\n", argv[1], result);
        return 1;
    }
    end = argv[2] + strlen(argv[2]);
    for (p = argv[2]; (cp = ubin_utf8_next(&p, end)) != UBIN_UTF8_END;) {
        uint16_t advance = font.width;
        if (ubin_find_advance(&font, cp, &offset, &advance) == UBIN_OK && pen - font.pen_x + font.width > width)
            width = pen - font.pen_x + font.width;
        pen += advance;
        if (pen > width)
            width = pen;
        if (width > 0xFFFF) {
            fprintf(stderr, "ubin-demo: the text is too long\n");
            return 1;
        }
    }
    fb.width = (uint16_t)width;
    fb.height = font.height;
    fb.stride = (uint16_t)((fb.width + 7u) / 8u);
    fb.bits = calloc((size_t)fb.stride * fb.height + 1u, 1);
    glyph = malloc(font.glyph_size);
    if (!fb.bits || !glyph) {
        fprintf(stderr, "ubin-demo: out of memory\n");
        return 1;
    }
    result = fbtext_draw_utf8(&fb, &font, 0, 0, argv[2], (uint32_t)(end - argv[2]), glyph, font.glyph_size, &missing);
    if (result != UBIN_OK) {
        fprintf(stderr, "ubin-demo: reading %s failed (error %d)\n", argv[1], result);
        return 1;
    }
    for (y = 0; y < fb.height; ++y) {
        for (x = 0; x < fb.width; ++x)
            putchar((fb.bits[y * fb.stride + x / 8] & (0x80 >> (x % 8))) ? '#' : '.');
        putchar('\n');
    }
    if (missing > 0)
        fprintf(stderr, "ubin-demo: characters not in the font: %lu\n", (unsigned long)missing);
    free(glyph);
    free(fb.bits);
    fclose(file);
    return 0;
}
