#pragma once
// Which port to open and how: TRELLON_PORT / TRELLON_BAUD / TRELLON_TIMEOUT_MS, then the settings
// the user saved, then the first serial port found at 115200 bits per second.

#include "xmodemsender.h"

#include <QString>

#include <string>

struct LineSettings
{
    QString Port;  // a port name ("ttyUSB0", "COM3") or a device path
    qint32 Baud = 115200;
    XmodemTiming Timing;
};

// TRELLON_OK, TRELLON_ERR_NO_PORT or TRELLON_ERR_BAD_SETTINGS; detail says which value was wrong.
int ResolveLineSettings(LineSettings &settings, std::string &detail);

// Stores the port (empty: the first one found) and speed (0: the default) for later runs.
void SaveLineSettings(const QString &port, qint32 baud);
