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
 * Draws len bytes of UTF-8 text, the pen starting at column x with the line's top at row y; each
 * glyph's cell is drawn with its left edge pen_x columns left of the pen, and the pen then moves
 * by the glyph's advance (the cell width in a version 1 file). A pixel is set where the glyph's level is at least
 * half of full ink; nothing is cleared. What falls outside the framebuffer is cut off. A character
 * the font lacks moves the pen by the cell width, leaving that much blank, and is counted in
 * *missing (when missing is given).
 * glyph_buf holds one glyph (font->glyph_size bytes). Returns UBIN_OK or the reader's error.
 */
int fbtext_draw_utf8(fbtext_fb *fb, const ubin_font *font, int x, int y, const char *text, uint32_t len,
                     uint8_t *glyph_buf, uint32_t buf_size, uint32_t *missing);

#ifdef __cplusplus
}
#endif

#endif
