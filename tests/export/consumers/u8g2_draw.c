/*
 * u8g2_draw WIDTH HEIGHT BASELINE: draws each line of UTF-8 text read from stdin with u8g2 and the
 * font dotrix_font (a Dotrix BDF turned into a u8g2 font by bdfconv) into a WIDTH x HEIGHT memory
 * display, the text's baseline at row BASELINE, and prints the display as HEIGHT rows of '#'
 * (set) and '.' (clear) followed by an empty line.
 */
#include "u8g2.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

extern const uint8_t dotrix_font[];

int main(int argc, char **argv)
{
    static char line[1 << 16];
    u8g2_t u8g2;
    int width, height, baseline;

    if (argc != 4) {
        fprintf(stderr, "usage: u8g2_draw WIDTH HEIGHT BASELINE < TEXT\n");
        return 2;
    }
    width = atoi(argv[1]);
    height = atoi(argv[2]);
    baseline = atoi(argv[3]);
    u8g2_SetupBitmap(&u8g2, &u8g2_cb_r0, (uint16_t)width, (uint16_t)height);
    u8x8_InitDisplay(u8g2_GetU8x8(&u8g2));
    u8g2_SetFont(&u8g2, dotrix_font);
    u8g2_SetFontMode(&u8g2, 1); /* transparent: only the glyphs' ink is drawn */
    while (fgets(line, sizeof line, stdin)) {
        int x, y;
        line[strcspn(line, "\n")] = '\0';
        u8g2_ClearBuffer(&u8g2);
        u8g2_DrawUTF8(&u8g2, 0, (u8g2_uint_t)baseline, line);
        u8g2_SendBuffer(&u8g2);
        for (y = 0; y < height; ++y) {
            for (x = 0; x < width; ++x)
                putchar(u8x8_GetBitmapPixel(u8g2_GetU8x8(&u8g2), (uint16_t)x, (uint16_t)y) ? '#' : '.');
            putchar('\n');
        }
        putchar('\n');
    }
    return 0;
}
