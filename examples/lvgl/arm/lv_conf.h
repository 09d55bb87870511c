/* The least configuration LVGL's headers need to compile lv_font_ubin.c for a microcontroller
 * without a C library for it (build-arm.sh in examples/firmware): LVGL's defaults, and
 * <stdint.h>, which the compiler has itself, in place of <inttypes.h>, which a C library brings. */
#ifndef LV_CONF_H
#define LV_CONF_H

#define LV_COLOR_DEPTH 16
#define LV_INTTYPES_INCLUDE <stdint.h>

#endif
