/* The thermostat's screen: its texts and how they are laid out. */
#ifndef SCREEN_H
#define SCREEN_H

struct reading {
    const char *label;
    const char *format; /* printf format of the value */
    int value;          /* tenths */
};

extern const char *const screen_title;
extern const struct reading screen_readings[];
extern const char *const screen_modes[];
extern const char *const screen_status;

#endif
