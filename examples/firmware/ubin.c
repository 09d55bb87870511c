/* ubin: reader of Dotrix's Unicode-keyed font file. See ubin.h and docs/font-format.md. */
#include "ubin.h"

/* Header field offsets. */
#define OFS_MAGIC 0u
#define OFS_VERSION 4u
#define OFS_HEADER_SIZE 6u
#define OFS_FILE_SIZE 8u
#define OFS_COUNT 12u
#define OFS_TABLE 16u
#define OFS_DATA 20u
#define OFS_GLYPH_SIZE 24u
#define OFS_WIDTH 28u
#define OFS_HEIGHT 30u
#define OFS_BASELINE 32u
#define OFS_BPP 34u
#define OFS_SCAN 35u
#define OFS_GROUP 36u
#define OFS_FLAGS 37u
#define OFS_PEN_X 38u

#define MAX_SIDE 1024u
#define MAX_CODE_POINT 0x10FFFFu

static const uint8_t Magic[4] = {'D', 'X', 'U', 'B'};

static uint16_t Get16(const uint8_t *p)
{
    return (uint16_t)(p[0] | (p[1] << 8));
}

static uint32_t Get32(const uint8_t *p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

/* Bytes of one glyph for a cell, depth and scan; 0 for a combination the format does not have. */
static uint32_t GlyphSize(uint32_t width, uint32_t height, uint32_t bpp, uint32_t scan)
{
    switch (scan) {
    case UBIN_SCAN_HORIZONTAL:
        return (width * bpp + 7u) / 8u * height; /* rows, each padded to whole bytes */
    case UBIN_SCAN_VERTICAL:
        return (height * bpp + 7u) / 8u * width; /* columns, each padded to whole bytes */
    case UBIN_SCAN_ZN:
        return (height + 7u) / 8u * width * bpp; /* bands of 8 rows, bpp bytes per column */
    default:
        return 0;
    }
}

/* The glyph at offset lies whole inside the glyph area and starts on a glyph boundary. */
static int GlyphOffsetValid(const ubin_font *font, uint32_t offset)
{
    /* data_offset <= the checksum's offset, checked by ubin_open */
    const uint32_t room = font->file_size - UBIN_CHECKSUM_SIZE - font->data_offset;
    if (offset < font->data_offset || room < font->glyph_size)
        return 0;
    offset -= font->data_offset;
    return offset <= room - font->glyph_size && offset % font->glyph_size == 0;
}

int ubin_open(ubin_font *font, ubin_read_fn read, void *ctx, uint32_t storage_size)
{
    static const ubin_font Closed; /* every field zero */
    uint8_t h[UBIN_HEADER_SIZE];
    uint32_t header_size, body_end, table_end;
    unsigned i;

    *font = Closed;
    if (storage_size < UBIN_HEADER_SIZE)
        return UBIN_ERR_TRUNCATED;
    if (read(ctx, 0, h, UBIN_HEADER_SIZE) != 0)
        return UBIN_ERR_READ;
    for (i = 0; i < sizeof Magic; ++i)
        if (h[OFS_MAGIC + i] != Magic[i])
            return UBIN_ERR_FORMAT;
    font->version = Get16(h + OFS_VERSION);
    if (font->version != UBIN_VERSION_CELL && font->version != UBIN_VERSION_ADVANCE)
        return UBIN_ERR_VERSION;
    font->entry_size = font->version == UBIN_VERSION_CELL ? UBIN_ENTRY_SIZE_CELL : UBIN_ENTRY_SIZE_ADVANCE;

    header_size = Get16(h + OFS_HEADER_SIZE);
    font->file_size = Get32(h + OFS_FILE_SIZE);
    font->count = Get32(h + OFS_COUNT);
    font->table_offset = Get32(h + OFS_TABLE);
    font->data_offset = Get32(h + OFS_DATA);
    font->glyph_size = Get32(h + OFS_GLYPH_SIZE);
    font->width = Get16(h + OFS_WIDTH);
    font->height = Get16(h + OFS_HEIGHT);
    font->baseline = (int16_t)Get16(h + OFS_BASELINE);
    font->bpp = h[OFS_BPP];
    font->scan = h[OFS_SCAN];
    font->group_bits = h[OFS_GROUP];
    font->flags = h[OFS_FLAGS];
    font->pen_x = (int16_t)Get16(h + OFS_PEN_X);

    if (header_size < UBIN_HEADER_SIZE || font->file_size < header_size + UBIN_CHECKSUM_SIZE)
        return UBIN_ERR_FORMAT;
    if (font->file_size > storage_size)
        return UBIN_ERR_TRUNCATED;
    if ((font->bpp != 1 && font->bpp != 2 && font->bpp != 4 && font->bpp != 8) || font->scan > UBIN_SCAN_ZN
        || font->group_bits != 8 || (font->flags & ~(UBIN_FLAG_INVERT | UBIN_FLAG_BIT_REVERSE)) != 0)
        return UBIN_ERR_FORMAT;
    if (font->width < 1 || font->width > MAX_SIDE || font->height < 1 || font->height > MAX_SIDE
        || font->glyph_size != GlyphSize(font->width, font->height, font->bpp, font->scan))
        return UBIN_ERR_FORMAT;
    /* header, table and glyphs follow one another without overlapping, before the checksum */
    body_end = font->file_size - UBIN_CHECKSUM_SIZE;
    if (font->table_offset < header_size || font->table_offset > body_end
        || font->count > (body_end - font->table_offset) / font->entry_size)
        return UBIN_ERR_FORMAT;
    /* version 1 keeps the field zero; the pen stands near the cell, as drawing puts it */
    if ((font->version == UBIN_VERSION_CELL && font->pen_x != 0) || font->pen_x < -(int)MAX_SIDE
        || font->pen_x > (int)MAX_SIDE)
        return UBIN_ERR_FORMAT;
    table_end = font->table_offset + font->count * font->entry_size;
    if (font->data_offset < table_end || font->data_offset > body_end)
        return UBIN_ERR_FORMAT;
    font->read = read;
    font->ctx = ctx;
    return UBIN_OK;
}

int ubin_find(const ubin_font *font, uint32_t cp, uint32_t *glyph_offset)
{
    return ubin_find_advance(font, cp, glyph_offset, 0);
}

int ubin_find_advance(const ubin_font *font, uint32_t cp, uint32_t *glyph_offset, uint16_t *advance)
{
    uint32_t lo = 0, hi = font->count;
    uint8_t entry[UBIN_ENTRY_SIZE_ADVANCE];

    while (lo < hi) {
        const uint32_t mid = lo + (hi - lo) / 2u;
        const uint32_t at = font->table_offset + mid * font->entry_size;
        uint32_t key;
        if (font->read(font->ctx, at, entry, 4) != 0)
            return UBIN_ERR_READ;
        key = Get32(entry);
        if (key < cp) {
            lo = mid + 1u;
        } else if (key > cp) {
            hi = mid;
        } else {
            uint32_t offset, width = font->width;
            if (font->read(font->ctx, at + 4u, entry + 4, font->entry_size - 4u) != 0)
                return UBIN_ERR_READ;
            offset = Get32(entry + 4);
            if (font->version == UBIN_VERSION_ADVANCE)
                width = Get16(entry + 8);
            if (!GlyphOffsetValid(font, offset))
                return UBIN_ERR_FORMAT;
            *glyph_offset = offset;
            if (advance)
                *advance = (uint16_t)width;
            return UBIN_OK;
        }
    }
    return UBIN_ERR_NOT_FOUND;
}

int ubin_read_glyph(const ubin_font *font, uint32_t glyph_offset, uint8_t *buf, uint32_t buf_size)
{
    if (buf_size < font->glyph_size)
        return UBIN_ERR_BUFFER;
    if (!GlyphOffsetValid(font, glyph_offset))
        return UBIN_ERR_FORMAT;
    return font->read(font->ctx, glyph_offset, buf, font->glyph_size) == 0 ? UBIN_OK : UBIN_ERR_READ;
}

int ubin_lookup(const ubin_font *font, uint32_t cp, uint8_t *buf, uint32_t buf_size)
{
    uint32_t offset;
    const int result = ubin_find(font, cp, &offset);
    return result == UBIN_OK ? ubin_read_glyph(font, offset, buf, buf_size) : result;
}

unsigned ubin_pixel(const ubin_font *font, const uint8_t *glyph, unsigned x, unsigned y)
{
    const uint32_t bpp = font->bpp;
    const unsigned top = (1u << bpp) - 1u;
    uint32_t byte, bit; /* the pixel's byte, and its first bit counted from the byte's top */
    unsigned level;

    if (x >= font->width || y >= font->height)
        return 0;
    switch (font->scan) {
    case UBIN_SCAN_HORIZONTAL:
        byte = y * ((font->width * bpp + 7u) / 8u) + x * bpp / 8u;
        bit = x * bpp % 8u;
        break;
    case UBIN_SCAN_VERTICAL:
        byte = x * ((font->height * bpp + 7u) / 8u) + y * bpp / 8u;
        bit = y * bpp % 8u;
        break;
    default: /* "ZN": band after band of eight rows, column after column inside a band */
        byte = ((y / 8u) * font->width + x) * bpp + (y % 8u) * bpp / 8u;
        bit = (y % 8u) * bpp % 8u;
        break;
    }
    if (font->flags & UBIN_FLAG_BIT_REVERSE)
        level = (glyph[byte] >> bit) & top;
    else
        level = (glyph[byte] >> (8u - bpp - bit)) & top;
    return (font->flags & UBIN_FLAG_INVERT) ? top - level : level;
}

uint32_t ubin_utf8_next(const char **s, const char *end)
{
    const unsigned char *p = (const unsigned char *)*s;
    const unsigned char *e = (const unsigned char *)end;
    unsigned lead, more, lo = 0x80, hi = 0xBF;
    uint32_t cp;

    if (p >= e)
        return UBIN_UTF8_END;
    lead = *p++;
    if (lead < 0x80) {
        *s = (const char *)p;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        cp = lead & 0x0Fu;
        if (lead == 0xE0)
            lo = 0xA0; /* no overlong three-byte forms */
        else if (lead == 0xED)
            hi = 0x9F; /* no surrogates */
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        cp = lead & 0x07u;
        if (lead == 0xF0)
            lo = 0x90; /* no overlong four-byte forms */
        else if (lead == 0xF4)
            hi = 0x8F; /* nothing past U+10FFFF */
    } else {
        *s = (const char *)p;
        return 0xFFFDu;
    }
    while (more-- > 0) {
        if (p >= e || *p < lo || *p > hi) {
            *s = (const char *)p;
            return 0xFFFDu;
        }
        cp = (cp << 6) | (*p++ & 0x3Fu);
        lo = 0x80;
        hi = 0xBF;
    }
    *s = (const char *)p;
    return cp;
}

/* CRC-32 as zlib and PNG compute it (reflected polynomial 0xEDB88320), without a table. */
static uint32_t Crc32Update(uint32_t crc, const uint8_t *p, uint32_t n)
{
    while (n-- > 0) {
        int k;
        crc ^= *p++;
        for (k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc;
}

int ubin_verify(const ubin_font *font)
{
    const uint32_t body_end = font->file_size - UBIN_CHECKSUM_SIZE;
    uint8_t chunk[64];
    const uint32_t per_chunk = sizeof chunk / font->entry_size;
    uint32_t i, at, previous = 0, crc = 0xFFFFFFFFu;

    for (i = 0; i < font->count; ++i) {
        const uint32_t in_chunk = i % per_chunk;
        const uint8_t *entry = chunk + in_chunk * font->entry_size;
        uint32_t cp;
        if (in_chunk == 0) {
            uint32_t n = font->count - i;
            if (n > per_chunk)
                n = per_chunk;
            if (font->read(font->ctx, font->table_offset + i * font->entry_size, chunk, n * font->entry_size) != 0)
                return UBIN_ERR_READ;
        }
        cp = Get32(entry);
        if (cp > MAX_CODE_POINT || (i > 0 && cp <= previous) || !GlyphOffsetValid(font, Get32(entry + 4)))
            return UBIN_ERR_FORMAT;
        previous = cp;
    }
    for (at = 0; at < body_end;) {
        uint32_t n = body_end - at;
        if (n > sizeof chunk)
            n = sizeof chunk;
        if (font->read(font->ctx, at, chunk, n) != 0)
            return UBIN_ERR_READ;
        crc = Crc32Update(crc, chunk, n);
        at += n;
    }
    if (font->read(font->ctx, body_end, chunk, UBIN_CHECKSUM_SIZE) != 0)
        return UBIN_ERR_READ;
    return (crc ^ 0xFFFFFFFFu) == Get32(chunk) ? UBIN_OK : UBIN_ERR_CHECKSUM;
}
