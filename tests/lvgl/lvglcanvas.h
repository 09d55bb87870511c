// LVGL set up for the tests, a canvas that LVGL's label drawing draws text onto, and the lines
// drawn.
#pragma once

#include <QImage>

#include "lvgl.h"

struct LvglInit
{
    LvglInit()
    {
        if (!lv_is_initialized())
            lv_init();
    }
};

// Text drawn by LVGL's label drawing onto a white ARGB8888 canvas.
class LvglCanvas
{
public:
    LvglCanvas(int width, int height) : m_width(width), m_height(height)
    {
        if (!lv_display_get_default()) {
            static uint8_t frame[64 * 64 * 4];
            lv_display_t *display = lv_display_create(64, 64);
            lv_display_set_buffers(display, frame, nullptr, sizeof frame, LV_DISPLAY_RENDER_MODE_PARTIAL);
            lv_display_set_flush_cb(display, [](lv_display_t *d, const lv_area_t *, uint8_t *) {
                lv_display_flush_ready(d);
            });
        }
        m_buffer = lv_draw_buf_create(width, height, LV_COLOR_FORMAT_ARGB8888, LV_STRIDE_AUTO);
        m_canvas = lv_canvas_create(lv_screen_active());
        lv_canvas_set_draw_buf(m_canvas, m_buffer);
        lv_canvas_fill_bg(m_canvas, lv_color_white(), LV_OPA_COVER);
    }
    ~LvglCanvas()
    {
        lv_obj_delete(m_canvas);
        lv_draw_buf_destroy(m_buffer);
    }

    void Draw(const lv_font_t &font, const char *utf8, int x, int y)
    {
        lv_layer_t layer;
        lv_canvas_init_layer(m_canvas, &layer);
        lv_draw_label_dsc_t label;
        lv_draw_label_dsc_init(&label);
        label.color = lv_color_black();
        label.font = &font;
        label.text = utf8;
        const lv_area_t area = {x, y, m_width - 1, m_height - 1};
        lv_draw_label(&layer, &label, &area);
        lv_canvas_finish_layer(m_canvas, &layer);
    }

    // Grey level of a pixel: 255 white paper, 0 full ink.
    int Grey(int x, int y) const { return m_buffer->data[y * m_buffer->header.stride + 4 * x + 1]; }

    QImage Picture() const
    {
        QImage image(m_width, m_height, QImage::Format_Grayscale8);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                image.scanLine(y)[x] = uchar(Grey(x, y));
        return image;
    }

private:
    int m_width, m_height;
    lv_draw_buf_t *m_buffer = nullptr;
    lv_obj_t *m_canvas = nullptr;
};

// Fourteen characters: Chinese, a space, ASCII, the euro sign, punctuation, Cyrillic, kana.
inline const char *const MixedText = "中文 ABC€汉字g永，Жあ";
// A thermometer's line: hanzi, digits, units, an English word, punctuation.
inline const char *const ThermometerLine = "温度: 23.5°C Hello, 世界!";
