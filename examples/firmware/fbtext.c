/* fbtext: UTF-8 text into a 1-bit framebuffer. See fbtext.h. */
#include "fbtext.h"

static void SetPixel(fbtext_fb *fb, long x, long y)
{
    if (x < 0 || y < 0 || x >= fb->width || y >= fb->height)
        return;
    fb->bits[(uint32_t)y * fb->stride + (uint32_t)x / 8u] |= (uint8_t)(0x80u >> ((uint32_t)x % 8u));
}

int fbtext_draw_utf8(fbtext_fb *fb, const ubin_font *font, int x, int y, const char *text, uint32_t len,
                     uint8_t *glyph_buf, uint32_t buf_size, uint32_t *missing)
{
    const char *end = text + len;
    const unsigned half = (1u << font->bpp) / 2u;
    long pen = x;
    uint32_t cp;

    if (missing)
        *missing = 0;
    while ((cp = ubin_utf8_next(&text, end)) != UBIN_UTF8_END) {
        uint32_t offset;
        uint16_t advance = font->width;
        int found = ubin_find_advance(font, cp, &offset, &advance);
        if (found == UBIN_OK)
            found = ubin_read_glyph(font, offset, glyph_buf, buf_size);
        if (found == UBIN_OK) {
            const long left = pen - font->pen_x;
            unsigned gx, gy;
            for (gy = 0; gy < font->height; ++gy)
                for (gx = 0; gx < font->width; ++gx)
                    if (ubin_pixel(font, glyph_buf, gx, gy) >= half)
                        SetPixel(fb, left + (long)gx, (long)y + (long)gy);
        } else if (found == UBIN_ERR_NOT_FOUND) {
            if (missing)
                ++*missing;
        } else {
            return found;
        }
        pen += advance;
    }
    return UBIN_OK;
}
