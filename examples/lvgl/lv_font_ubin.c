/* lv_font_ubin: an LVGL font read from a .ubin file through a callback. See lv_font_ubin.h. */
#include "lv_font_ubin.h"

/* The code point of an empty look-up: past U+10FFFF, so no character of the file has it. */
#define NO_CODE_POINT 0xFFFFFFFFu

/* A slot of the cache: a glyph's bytes, then where in the file they come from (4 bytes, 0: the
 * slot is free) and when they were last used (2 bytes), little-endian, so that the cache needs no
 * alignment. */
#define SLOT_TAG 6u

static uint8_t *Slot(const lv_font_ubin_t *f, uint32_t i)
{
    return f->cache + i * (f->file.glyph_size + SLOT_TAG);
}

static uint32_t SlotOffset(const lv_font_ubin_t *f, const uint8_t *slot)
{
    const uint8_t *t = slot + f->file.glyph_size;
    return (uint32_t)t[0] | ((uint32_t)t[1] << 8) | ((uint32_t)t[2] << 16) | ((uint32_t)t[3] << 24);
}

static uint16_t SlotUsed(const lv_font_ubin_t *f, const uint8_t *slot)
{
    const uint8_t *t = slot + f->file.glyph_size;
    return (uint16_t)(t[4] | (t[5] << 8));
}

static void SetSlot(const lv_font_ubin_t *f, uint8_t *slot, uint32_t offset, uint16_t used)
{
    uint8_t *t = slot + f->file.glyph_size;
    t[0] = (uint8_t)offset;
    t[1] = (uint8_t)(offset >> 8);
    t[2] = (uint8_t)(offset >> 16);
    t[3] = (uint8_t)(offset >> 24);
    t[4] = (uint8_t)used;
    t[5] = (uint8_t)(used >> 8);
}

/* The next use's stamp. When the clock runs out every stamp starts again from zero: the order of
 * recent uses is forgotten once, which costs at most a few reads again. */
static uint16_t Tick(lv_font_ubin_t *f)
{
    uint32_t i;
    if (f->clock == 0xFFFFu) {
        for (i = 0; i < LV_FONT_UBIN_LOOKUPS; ++i)
            f->lookups[i].used = 0;
        for (i = 0; i < f->slot_count; ++i)
            SetSlot(f, Slot(f, i), SlotOffset(f, Slot(f, i)), 0);
        f->clock = 0;
    }
    return ++f->clock;
}

/* The look-up of cp: remembered, or made with a binary search through the callback in place of
 * the least recently used one. NULL when the callback failed (nothing is remembered then, so the
 * next drawing tries again). */
static const lv_font_ubin_lookup_t *Look(lv_font_ubin_t *f, uint32_t cp)
{
    lv_font_ubin_lookup_t *oldest = &f->lookups[0];
    uint32_t offset = 0;
    uint16_t advance = 0;
    unsigned i;
    int result;

    for (i = 0; i < LV_FONT_UBIN_LOOKUPS; ++i) {
        lv_font_ubin_lookup_t *e = &f->lookups[i];
        if (e->code_point == cp) {
            e->used = Tick(f);
            return e;
        }
        if (e->used < oldest->used)
            oldest = e;
    }
    result = ubin_find_advance(&f->file, cp, &offset, &advance);
    if (result == UBIN_ERR_READ)
        return NULL;
    if (result != UBIN_OK) /* not in the font, or its entry points outside the glyphs */
        offset = 0;
    oldest->code_point = cp;
    oldest->glyph_offset = offset;
    oldest->advance = advance;
    oldest->used = Tick(f);
    return oldest;
}

/* The bytes of the glyph at offset: kept, or read into the least recently used slot. */
static const uint8_t *Glyph(lv_font_ubin_t *f, uint32_t offset)
{
    uint8_t *oldest = Slot(f, 0);
    uint32_t i;

    for (i = 0; i < f->slot_count; ++i) {
        uint8_t *slot = Slot(f, i);
        if (SlotOffset(f, slot) == offset) {
            SetSlot(f, slot, offset, Tick(f));
            return slot;
        }
        if (SlotUsed(f, slot) < SlotUsed(f, oldest))
            oldest = slot;
    }
    SetSlot(f, oldest, 0, 0); /* its old bytes are overwritten, whatever the read gives */
    if (ubin_read_glyph(&f->file, offset, oldest, f->file.glyph_size) != UBIN_OK)
        return NULL;
    SetSlot(f, oldest, offset, Tick(f));
    return oldest;
}

static bool GetGlyphDsc(const lv_font_t *font, lv_font_glyph_dsc_t *dsc, uint32_t letter, uint32_t letter_next)
{
    lv_font_ubin_t *f = (lv_font_ubin_t *)font->dsc;
    const int tab = letter == '\t'; /* a space twice as wide, as LVGL's own fonts have it */
    const lv_font_ubin_lookup_t *e;
    (void)letter_next; /* the file has no kerning */

    if (!f->file.read || letter == 0)
        return false;
    e = Look(f, tab ? ' ' : letter);
    if (!e || !e->glyph_offset)
        return false;
    dsc->adv_w = tab ? (e->advance > 0x7FFFu ? 0xFFFFu : (uint16_t)(2u * e->advance)) : e->advance;
    /* The whole cell: its left edge pen column pixels left of the pen, its top at the line's top
     * (LVGL puts a box's top at line_height - base_line - box_h - ofs_y under the line's top). */
    dsc->box_w = f->file.width;
    dsc->box_h = f->file.height;
    dsc->ofs_x = (int16_t)-f->file.pen_x;
    dsc->ofs_y = (int16_t)(f->file.baseline - (int32_t)f->file.height);
    dsc->stride = 0;
    dsc->format = (lv_font_glyph_format_t)f->file.bpp; /* LV_FONT_GLYPH_FORMAT_A1, A2, A4 or A8 */
    dsc->is_placeholder = 0;
    dsc->gid.index = e->glyph_offset;
    return true;
}

/* The glyph's levels as LVGL's A8 coverage (0 to 255) in out, a buffer of at least the cell. */
static const void *GetGlyphBitmap(lv_font_glyph_dsc_t *dsc, lv_draw_buf_t *out)
{
    lv_font_ubin_t *f = (lv_font_ubin_t *)dsc->resolved_font->dsc;
    /* 255 is a whole multiple of every top level (1, 3, 15, 255): no division per pixel */
    const unsigned scale = 255u / ((1u << f->file.bpp) - 1u);
    const uint8_t *glyph;
    uint32_t x, y, stride;

    /* No bytes in LVGL's own layout to hand out as they are: the file's are read into RAM. */
    if (dsc->req_raw_bitmap || !out || !f->file.read || dsc->gid.index == 0)
        return NULL;
    stride = out->header.stride;
    if (out->header.w < f->file.width || out->header.h < f->file.height || stride < f->file.width
        || out->data_size / stride < f->file.height)
        return NULL;
    glyph = Glyph(f, dsc->gid.index);
    if (!glyph)
        return NULL;
    for (y = 0; y < f->file.height; ++y)
        for (x = 0; x < f->file.width; ++x)
            out->data[y * stride + x] = (uint8_t)(ubin_pixel(&f->file, glyph, x, y) * scale);
    lv_draw_buf_flush_cache(out, NULL);
    return out;
}

int lv_font_ubin_init(lv_font_ubin_t *font, ubin_read_fn read, void *ctx, uint32_t storage_size, uint8_t *cache,
                      uint32_t cache_size)
{
    int32_t top_offset;
    unsigned i;
    int result;

    lv_memzero(font, sizeof *font);
    font->font.get_glyph_dsc = GetGlyphDsc;
    font->font.get_glyph_bitmap = GetGlyphBitmap;
    font->font.subpx = LV_FONT_SUBPX_NONE;
    font->font.kerning = LV_FONT_KERNING_NONE;
    font->font.dsc = font;
    for (i = 0; i < LV_FONT_UBIN_LOOKUPS; ++i)
        font->lookups[i].code_point = NO_CODE_POINT;

    result = ubin_open(&font->file, read, ctx, storage_size);
    if (result != UBIN_OK)
        return result; /* the file is left closed: no glyph is found */
    top_offset = font->file.baseline - (int32_t)font->file.height;
    if (top_offset < INT16_MIN || top_offset > INT16_MAX) {
        lv_memzero(&font->file, sizeof font->file);
        return UBIN_ERR_FORMAT; /* a baseline LVGL cannot place a glyph from */
    }
    font->slot_count = cache ? cache_size / (font->file.glyph_size + SLOT_TAG) : 0;
    if (font->slot_count == 0) {
        lv_memzero(&font->file, sizeof font->file);
        return UBIN_ERR_BUFFER;
    }
    font->cache = cache;
    lv_memzero(cache, font->slot_count * (font->file.glyph_size + SLOT_TAG)); /* every slot free */
    font->font.line_height = font->file.height;
    font->font.base_line = (int32_t)font->file.height - font->file.baseline;
    font->font.underline_position = -1;
    font->font.underline_thickness = (int8_t)(font->file.height < 32 ? 1 : font->file.height / 16);
    return UBIN_OK;
}
