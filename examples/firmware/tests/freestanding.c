/*
 * A whole freestanding program for a Cortex-M: the font lies in memory-mapped external flash, a
 * 128 x 64 monochrome display's framebuffer in RAM. Built by build-arm.sh to show that the reader
 * needs no C library; it is linked, never run.
 */
#include "fbtext.h"

#include <stddef.h>

#define FONT_ADDRESS 0x90000000u /* a QSPI flash window */
#define FONT_AREA_SIZE 0x00100000u

static uint8_t Framebuffer[64 * 16];
static uint8_t Glyph[32 * 32];

/* The compiler may turn a structure's initialisation into a call of memset even in a
 * freestanding program, so the program brings its own. */
void *memset(void *d, int c, size_t n);

void *memset(void *d, int c, size_t n)
{
    unsigned char *p = d;
    while (n-- > 0)
        *p++ = (unsigned char)c;
    return d;
}

static int ReadFlash(void *ctx, uint32_t offset, uint8_t *dst, uint32_t len)
{
    const volatile uint8_t *flash = (const volatile uint8_t *)ctx;
    while (len-- > 0)
        *dst++ = flash[offset++];
    return 0;
}

void Reset_Handler(void)
{
    static const char text[] = "\xE4\xB8\xAD\xE6\x96\x87 A\xE2\x82\xAC"; /* "中文 A€" */
    ubin_font font;
    fbtext_fb fb = {Framebuffer, 128, 64, 16};
    if (ubin_open(&font, ReadFlash, (void *)FONT_ADDRESS, FONT_AREA_SIZE) == UBIN_OK)
        fbtext_draw_utf8(&fb, &font, 0, 0, text, sizeof text - 1u, Glyph, sizeof Glyph, 0);
    for (;;) {
    }
}
