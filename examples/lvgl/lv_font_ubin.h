/*
 * lv_font_ubin: an LVGL 9 font that reads Dotrix's Unicode-keyed font file (.ubin) through a
 * callback, so that a large CJK font can stay in external flash.
 *
 * RAM holds only the file's header, a table of recent look-ups and the glyph bytes of a few
 * recent glyphs, in memory the caller gives; nothing is allocated and nothing grows with the
 * number of glyphs in the file. A glyph is found by a binary search through the callback (the
 * parsing is examples/firmware/ubin.c's). Every glyph is drawn as its whole cell with the pen at
 * the file's pen column, advanced by its own advance (version 2) or the cell width (version 1),
 * in the file's bits per pixel.
 */
#ifndef LV_FONT_UBIN_H
#define LV_FONT_UBIN_H

#include "ubin.h"

#ifdef LV_LVGL_H_INCLUDE_SIMPLE
#include "lvgl.h"
#else
#include "lvgl/lvgl.h"
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Code points whose look-up is remembered (found or not): each costs 12 bytes. Define it alike
 * wherever this header is included (lv_conf.h is one place every file sees). */
#ifndef LV_FONT_UBIN_LOOKUPS
#define LV_FONT_UBIN_LOOKUPS 32
#endif
/* Bytes of a cache that keeps n glyphs of glyph_size bytes (the file's glyph size: 32 for a
 * 16 x 16 cell at 1 bit per pixel), each with 6 bytes saying which glyph it is. */
#define LV_FONT_UBIN_CACHE_SIZE(glyph_size, n) ((n) * ((glyph_size) + 6u))

/* A remembered look-up. */
typedef struct {
    uint32_t code_point;
    uint32_t glyph_offset; /* where the glyph's bytes start in the file; 0: not in the font */
    uint16_t advance;
    uint16_t used; /* when it was last used, for replacing the least recently used */
} lv_font_ubin_lookup_t;

/* The font. Its member font is the LVGL font: &cjk.font in a label's style, a draw descriptor
 * or another font's fallback. */
typedef struct {
    lv_font_t font;
    ubin_font file;
    uint8_t *cache;      /* the caller's: slot_count slots of a glyph's bytes and 6 bytes more */
    uint32_t slot_count;
    uint16_t clock;
    lv_font_ubin_lookup_t lookups[LV_FONT_UBIN_LOOKUPS];
} lv_font_ubin_t;

/*
 * Opens the file that read delivers (ctx is passed to it; storage_size is how many bytes it can
 * deliver) and makes font an LVGL font of it. cache (cache_size bytes, kept by the caller as long
 * as the font is used) keeps the bytes of recently drawn glyphs: LV_FONT_UBIN_CACHE_SIZE(glyph
 * size, glyphs) for as many glyphs, at least one. Returns UBIN_OK, a UBIN_ERR_ code of ubin_open
 * for a file that is not a font or is cut short, or UBIN_ERR_BUFFER when the cache holds no
 * glyph. On failure the font has no glyph: LVGL draws nothing with it (or its fallback's glyphs,
 * when one is set).
 */
int lv_font_ubin_init(lv_font_ubin_t *font, ubin_read_fn read, void *ctx, uint32_t storage_size, uint8_t *cache,
                      uint32_t cache_size);

#ifdef __cplusplus
}
#endif

#endif
