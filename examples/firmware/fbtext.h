/*
 * fbtext: draws UTF-8 text with a ubin font into a 1-bit framebuffer. Portable C99, no
 * allocation; a small example of using the reader on a monochrome display.
 */
#ifndef FBTEXT_H
#define FBTEXT_H

#include "ubin.h"

#ifdef __cplusplus
extern "C" {
#endif

/* height rows of stride bytes; pixel (x, y) is bit 7 - x % 8 of byte y * stride + x / 8. */
typedef struct {
    uint8_t *bits;
    uint16_t width;
    uint16_t height;
    uint16_t stride;
} fbtext_fb;

/*
 * Draws len bytes of UTF-8 text, the first cell's top-left corner at (x, y), each character one
 * cell width to the right of the one before. A pixel is set where the glyph's level is at least
 * half of full ink; nothing is cleared. What falls outside the framebuffer is cut off. A character
 * the font lacks leaves its cell blank and is counted in *missing (when missing is given).
 * glyph_buf holds one glyph (font->glyph_size bytes). Returns UBIN_OK or the reader's error.
 */
int fbtext_draw_utf8(fbtext_fb *fb, const ubin_font *font, int x, int y, const char *text, uint32_t len,
                     uint8_t *glyph_buf, uint32_t buf_size, uint32_t *missing);

#ifdef __cplusplus
}
#endif

#endif
