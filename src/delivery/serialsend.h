#pragma once
// Sending font.dat to the device over the serial port, through the trellon library.

#include <QString>

#include <atomic>

struct SerialSendResult
{
    bool Ok = false;
    int Code = 0;  // the library's result: 0, or one of its negative TRELLON_ERR_ codes
    QString Port;  // the port the library chose (or would have), empty when none was found
    QString Error; // the reason, with what the library ran into (port, block), when not Ok
};

// Progress of a send, shared with whoever shows it; Cancel stops the transfer.
struct SerialSendControl
{
    std::atomic<long long> Sent{0};
    std::atomic<long long> Total{0};
    std::atomic<bool> Cancel{false};
};

// Sends the file at path and waits for the end of the transfer (every wait in the library has a
// time-out). control, when given, receives the progress and may stop the transfer.
SerialSendResult SendFileSerial(const QString &path, SerialSendControl *control = nullptr);
