/*
 * ubin: reader of Dotrix's Unicode-keyed font file (.ubin), for firmware.
 *
 * Portable C99, no allocation, no C library: it includes only <stdint.h>, which a freestanding
 * compiler provides itself.
 * The file is read through a callback the caller supplies, so it may sit in external SPI flash,
 * on an SD card or in memory. Every size and offset the file holds is checked before it is used:
 * a truncated or corrupt file is refused, never read past its end.
 *
 * The layout is described in docs/font-format.md.
 */
#ifndef UBIN_H
#define UBIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Results. Every function returns UBIN_OK (0) or one of the negative codes. */
enum {
    UBIN_OK = 0,
    UBIN_ERR_READ = -1,      /* the read callback reported a failure */
    UBIN_ERR_FORMAT = -2,    /* not a ubin file, or its header or table contradicts itself */
    UBIN_ERR_VERSION = -3,   /* a format version this reader does not know */
    UBIN_ERR_TRUNCATED = -4, /* the file is longer than the storage the caller said it has */
    UBIN_ERR_NOT_FOUND = -5, /* the font has no glyph for the code point */
    UBIN_ERR_BUFFER = -6,    /* the caller's glyph buffer is smaller than one glyph */
    UBIN_ERR_CHECKSUM = -7   /* the file's bytes do not match its checksum */
};

/* Scan orders of the glyph bytes (the values Dotrix uses). */
enum { UBIN_SCAN_HORIZONTAL = 0, UBIN_SCAN_VERTICAL = 1, UBIN_SCAN_ZN = 2 };

/* Flags. */
#define UBIN_FLAG_INVERT 0x01u      /* bits of value 0 are ink (levels are stored as top - level) */
#define UBIN_FLAG_BIT_REVERSE 0x02u /* the first pixel of a byte sits in its lowest bits */

#define UBIN_HEADER_SIZE 40u
#define UBIN_CHECKSUM_SIZE 4u
/* Version 1: every glyph advances by the cell width; table entries of 8 bytes (code point,
 * offset). Version 2: each glyph's own advance; entries of 10 bytes (code point, offset,
 * advance) and the pen's column in the cell in the header. */
#define UBIN_VERSION_CELL 1u
#define UBIN_VERSION_ADVANCE 2u
#define UBIN_ENTRY_SIZE_CELL 8u
#define UBIN_ENTRY_SIZE_ADVANCE 10u

/*
 * Reads len bytes at offset (counted from the file's first byte) into dst. Returns 0 when all
 * len bytes were read, anything else on failure. The reader never asks for bytes at or past the
 * storage size given to ubin_open.
 */
typedef int (*ubin_read_fn)(void *ctx, uint32_t offset, uint8_t *dst, uint32_t len);

/* An open font: the header's fields, checked. Filled by ubin_open; read it, don't change it. */
typedef struct {
    ubin_read_fn read;
    void *ctx;
    uint32_t file_size;    /* bytes of the file, its last four the checksum */
    uint32_t count;        /* glyphs */
    uint32_t table_offset; /* first code point entry */
    uint32_t data_offset;  /* first glyph byte */
    uint32_t glyph_size;   /* bytes of every glyph */
    uint16_t version;      /* the format version met: UBIN_VERSION_CELL or UBIN_VERSION_ADVANCE */
    uint16_t entry_size;   /* bytes of a table entry: 8 (version 1) or 10 (version 2) */
    uint16_t width;        /* cell width in pixels; in version 1 also every glyph's advance */
    uint16_t height;       /* cell height in pixels, also the line height */
    int16_t baseline;      /* rows from the cell's top to the baseline */
    int16_t pen_x;         /* column of the cell where the pen stands (version 2; 0 in version 1):
                              a glyph drawn with the pen at x has its cell's left edge at x - pen_x */
    uint8_t bpp;           /* bits per pixel: 1, 2, 4 or 8 */
    uint8_t scan;          /* UBIN_SCAN_... */
    uint8_t group_bits;    /* bits per data group: 8 */
    uint8_t flags;         /* UBIN_FLAG_... */
} ubin_font;

/*
 * Reads and checks the header. storage_size is how many bytes the callback can deliver (the
 * file's size, or the size of the flash area holding it); a file whose header claims more is
 * refused as truncated. The table and glyphs are only read when looked up; ubin_verify checks
 * them all.
 */
int ubin_open(ubin_font *font, ubin_read_fn read, void *ctx, uint32_t storage_size);

/*
 * Finds the glyph of code point cp with a binary search over the code point table (about
 * log2(count) reads of four bytes, plus one of the rest of the entry). On success *glyph_offset
 * is where the glyph's bytes start in the file.
 */
int ubin_find(const ubin_font *font, uint32_t cp, uint32_t *glyph_offset);

/*
 * ubin_find, and how far the glyph moves the pen in pixels (*advance, when advance is given): its
 * own advance in version 2, the cell width in version 1.
 */
int ubin_find_advance(const ubin_font *font, uint32_t cp, uint32_t *glyph_offset, uint16_t *advance);

/* Reads the glyph_size bytes of the glyph at glyph_offset (from ubin_find) into buf. */
int ubin_read_glyph(const ubin_font *font, uint32_t glyph_offset, uint8_t *buf, uint32_t buf_size);

/* ubin_find and ubin_read_glyph in one. */
int ubin_lookup(const ubin_font *font, uint32_t cp, uint8_t *buf, uint32_t buf_size);

/*
 * The level of pixel (x, y) of a glyph's bytes, x from the cell's left, y from its top:
 * 0 (clear) to (1 << bpp) - 1 (full ink), whatever the scan, bit order and inversion.
 * Pixels outside the cell read 0.
 */
unsigned ubin_pixel(const ubin_font *font, const uint8_t *glyph, unsigned x, unsigned y);

#define UBIN_UTF8_END 0xFFFFFFFFu

/*
 * Decodes the UTF-8 character at *s and moves *s past it; UBIN_UTF8_END (and *s left alone)
 * when *s is at end. A malformed sequence (a stray continuation byte, a sequence cut short, an
 * overlong form, a surrogate, a value past U+10FFFF) gives U+FFFD and moves past the bytes that
 * could still have begun a valid character (at least one), so the character after it is kept.
 */
uint32_t ubin_utf8_next(const char **s, const char *end);

/*
 * Checks the whole file: every table entry (code points strictly ascending, none past U+10FFFF,
 * every offset at a glyph inside the file) and the checksum, the CRC-32 of every byte before the
 * last four. Reads the file once, 64 bytes at a time.
 */
int ubin_verify(const ubin_font *font);

#ifdef __cplusplus
}
#endif

#endif
