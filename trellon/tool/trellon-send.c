/* trellon-send FILE: sends FILE with XMODEM through the port trellon is set up for. */
#include "trellon.h"

#include <stdio.h>

int main(int argc, char **argv)
{
    if (argc != 2 || argv[1][0] == '-') {
        fprintf(stderr, "usage: trellon-send FILE\n"
                        "Port, speed and time-out: TRELLON_PORT, TRELLON_BAUD, TRELLON_TIMEOUT_MS.\n");
        return 2;
    }
    const int result = SendFileEx(argv[1]);
    if (result != TRELLON_OK) {
        const char *detail = TrellonLastErrorDetail();
        fprintf(stderr, "trellon-send: %s%s%s%s\n", TrellonErrorText(result), *detail ? " (" : "", detail,
                *detail ? ")" : "");
        return 1;
    }
    return 0;
}
