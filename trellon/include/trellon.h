#pragma once
/* trellon: sends a file to a device over an RS-232 port with XMODEM-CRC (XMODEM with a one-byte
 * checksum when the receiver asks for that).
 *
 * Port and line settings, in order of precedence:
 *   port    TRELLON_PORT, else the port saved with TrellonSaveSettings, else the first serial
 *           port found. A name ("ttyUSB0", "COM3") or, on Unix, a device path ("/dev/ttyUSB0").
 *   speed   TRELLON_BAUD, else the saved speed, else 115200. Always 8 data bits, no parity,
 *           1 stop bit, no flow control.
 *   waits   TRELLON_TIMEOUT_MS (1 to 600000) replaces both the wait for the receiver's first
 *           request (15 s) and the wait for each answer (10 s). A block is sent at most 11 times.
 *
 * Every call returns; none waits without a time-out. The functions may be called from any thread,
 * with or without a QCoreApplication. Strings are zero-terminated; paths are in the system's
 * code page (UTF-8 on Linux and macOS). */

#include <stddef.h>

#if defined(_WIN32)
#  if defined(TRELLON_BUILDING)
#    define TRELLON_API __declspec(dllexport)
#  else
#    define TRELLON_API __declspec(dllimport)
#  endif
#else
#  define TRELLON_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Results: 0 for success, a negative code for the reason of a failure. */
enum {
    TRELLON_OK = 0,
    TRELLON_ERR_NO_FILE_GIVEN = -1,        /* path is null or empty */
    TRELLON_ERR_FILE_MISSING = -2,         /* no file at path */
    TRELLON_ERR_FILE_UNREADABLE = -3,      /* the file (or a directory) cannot be opened or read */
    TRELLON_ERR_NO_PORT = -4,              /* no serial port found, or the chosen one does not exist */
    TRELLON_ERR_PORT_BUSY = -5,            /* the port is open in another program */
    TRELLON_ERR_PORT_ACCESS = -6,          /* no permission to open the port */
    TRELLON_ERR_BAD_SETTINGS = -7,         /* a bad speed or time-out, or the port refuses it */
    TRELLON_ERR_NO_RECEIVER = -8,          /* the receiver never asked for the file */
    TRELLON_ERR_TIMEOUT = -9,              /* the receiver stopped answering during the transfer */
    TRELLON_ERR_TOO_MANY_RETRIES = -10,    /* the receiver kept rejecting a block */
    TRELLON_ERR_CANCELLED_BY_RECEIVER = -11,
    TRELLON_ERR_CANCELLED = -12,           /* the progress callback asked to stop */
    TRELLON_ERR_LINE = -13                 /* reading or writing the port failed (device unplugged) */
};

/* Sends the file at path. Returns TRELLON_OK once the receiver has acknowledged the end of the
 * transfer, or one of the negative codes above. The receiver gets the file padded with 0x1A bytes
 * to a multiple of 128 bytes. */
TRELLON_API int SendFileEx(const char *path);

/* The reason for a result code as a short English sentence; never null. Unknown codes give a
 * text that says so. The string is static. */
TRELLON_API const char *TrellonErrorText(int code);

/* What the last failing call on this thread ran into, in UTF-8, e.g. the port name and the
 * system's error text, or the block that was refused; empty after a success. Valid until the next
 * call on the same thread. */
TRELLON_API const char *TrellonLastErrorDetail(void);

/* Called on the thread that called SendFileEx, about every 50 ms while it runs, with the bytes
 * the receiver has acknowledged so far and the file's size. Returning non-zero stops the transfer
 * (the receiver is told to cancel) and SendFileEx returns TRELLON_ERR_CANCELLED. One callback for
 * the whole process; null removes it. */
typedef int (*TrellonProgressFn)(long long sent, long long total, void *user);
TRELLON_API void TrellonSetProgressCallback(TrellonProgressFn callback, void *user);

/* Remembers the port and speed for later calls (the user's own settings, kept across runs).
 * A null or empty port means the first serial port found; a speed of 0 means 115200.
 * Returns TRELLON_OK or TRELLON_ERR_BAD_SETTINGS for a negative speed. */
TRELLON_API int TrellonSaveSettings(const char *port, long baud);

/* The port and speed SendFileEx would use now, after the environment and saved settings.
 * Writes the port's name into port (size bytes, always terminated, truncated if needed) and the
 * speed into *baud (either may be null). Returns TRELLON_OK, TRELLON_ERR_NO_PORT when no port is
 * chosen and none is found, or TRELLON_ERR_BAD_SETTINGS for an unusable TRELLON_BAUD. */
TRELLON_API int TrellonCurrentPort(char *port, size_t size, long *baud);

#ifdef __cplusplus
}
#endif
