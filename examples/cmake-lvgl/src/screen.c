#include "screen.h"

/* Texts the screen shows. Only what is inside quotes reaches the font: this comment's
 * 注释 is not drawn and costs no flash. */
const char *const screen_title = "客厅" "温控器"; /* one string, written in two parts */

const struct reading screen_readings[] = {
    {"室内温度", "%d.%d°C", 235},
    {"设定温度", "%d.%d°C", 260},
    {"\u6e7f\u5ea6", "%d%%", 450}, /* 湿度, written as escapes */
    {0, 0, 0},
};

const char *const screen_modes[] = {"制冷", "制热", "除湿", "自动", 0};

const char *const screen_status = u8"运行中 · 节能模式";
