/* Draws the thermostat's screen with LVGL into memory, in the font made from the program's own
 * sources.
 *
 *   thermostat --picture FILE.pgm   the screen as a grey picture
 *   thermostat --draws TEXT         whether the font draws each character of TEXT (exit 1 if not)
 */
#include "screen.h"

#include "lvgl.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

LV_FONT_DECLARE(ui_font);

#define WIDTH 240
#define HEIGHT 160

static uint8_t frame[WIDTH * HEIGHT * 4]; /* XRGB8888, as LVGL renders at 32-bit colour */

static void flush(lv_display_t *display, const lv_area_t *area, uint8_t *pixels)
{
    (void)area;
    (void)pixels;
    lv_display_flush_ready(display);
}

static lv_obj_t *text(lv_obj_t *screen, const char *utf8, int x, int y)
{
    lv_obj_t *label = lv_label_create(screen);
    lv_obj_set_style_text_font(label, &ui_font, 0);
    lv_obj_set_style_text_color(label, lv_color_black(), 0);
    lv_label_set_text(label, utf8);
    lv_obj_set_pos(label, x, y);
    return label;
}

static lv_obj_t *blank_screen(void)
{
    lv_obj_t *screen = lv_screen_active();
    lv_obj_clean(screen);
    lv_obj_set_style_bg_color(screen, lv_color_white(), 0);
    lv_obj_set_style_bg_opa(screen, LV_OPA_COVER, 0);
    return screen;
}

static void draw_screen(void)
{
    lv_obj_t *screen = blank_screen();
    text(screen, screen_title, 8, 6);
    int y = 32;
    for (const struct reading *r = screen_readings; r->label; ++r, y += 22) {
        char value[32];
        snprintf(value, sizeof value, r->format, r->value / 10, r->value % 10);
        text(screen, r->label, 8, y);
        text(screen, value, 120, y);
    }
    int x = 8;
    for (const char *const *mode = screen_modes; *mode; ++mode, x += 48)
        text(screen, *mode, x, y + 4);
    text(screen, screen_status, 8, y + 30);
    lv_refr_now(NULL);
}

static int write_picture(const char *path)
{
    FILE *file = fopen(path, "wb");
    if (!file) {
        perror(path);
        return 1;
    }
    fprintf(file, "P5\n%d %d\n255\n", WIDTH, HEIGHT);
    for (int i = 0; i < WIDTH * HEIGHT; ++i)
        fputc(frame[4 * i + 1], file);
    return fclose(file) == 0 ? 0 : 1;
}

/* The next character of a UTF-8 text, or 0 at its end. */
static uint32_t next_character(const char **text)
{
    const unsigned char *s = (const unsigned char *)*text;
    if (!*s)
        return 0;
    int length = *s < 0x80 ? 1 : *s < 0xE0 ? 2 : *s < 0xF0 ? 3 : 4;
    uint32_t c = length == 1 ? *s : *s & (0x7F >> length);
    for (int i = 1; i < length && (s[i] & 0xC0) == 0x80; ++i)
        c = (c << 6) | (s[i] & 0x3F);
    *text += length;
    return c;
}

/* Each character of utf8 drawn on its own: whether the font has it and how many pixels of ink
 * LVGL drew for it. */
static int check_draws(const char *utf8)
{
    int missing = 0;
    for (const char *at = utf8; *at;) {
        const char *start = at;
        const uint32_t c = next_character(&at);
        char one[8] = {0};
        memcpy(one, start, (size_t)(at - start));
        lv_font_glyph_dsc_t glyph;
        const bool found = lv_font_get_glyph_dsc(&ui_font, &glyph, c, 0) && glyph.resolved_font == &ui_font;
        text(blank_screen(), one, 0, 0);
        lv_refr_now(NULL);
        int ink = 0;
        for (int i = 0; i < WIDTH * HEIGHT; ++i)
            ink += frame[4 * i + 1] < 255;
        if (found && (ink > 0 || c == ' '))
            printf("%s U+%04X: drawn, %d pixels of ink\n", one, (unsigned)c, ink);
        else {
            printf("%s U+%04X: not in the font\n", one, (unsigned)c);
            ++missing;
        }
    }
    return missing ? 1 : 0;
}

int main(int argc, char **argv)
{
    if (argc != 3 || (strcmp(argv[1], "--picture") && strcmp(argv[1], "--draws"))) {
        fprintf(stderr, "usage: %s --picture FILE.pgm | --draws TEXT\n", argv[0]);
        return 2;
    }
    lv_init();
    lv_display_t *display = lv_display_create(WIDTH, HEIGHT);
    lv_display_set_buffers(display, frame, NULL, sizeof frame, LV_DISPLAY_RENDER_MODE_FULL);
    lv_display_set_flush_cb(display, flush);
    if (!strcmp(argv[1], "--draws"))
        return check_draws(argv[2]);
    draw_screen();
    return write_picture(argv[2]);
}
