#pragma once
// Sending font.dat to the device over the serial port, through the trellon library.

#include "base/failure.h"
#include "base/job.h"

#include <QString>


struct SerialSendResult
{
    bool Ok = false;
    int Code = 0;  // the library's result: 0, or one of its negative TRELLON_ERR_ codes
    QString Port;  // the port the library chose (or would have), empty when none was found
    Failure Error; // when not Ok: SerialSend, with the library's code and what it ran into
};

// Sends the file at path and waits for the end of the transfer (every wait in the library has a
// time-out). job, when given, counts the bytes sent of the file's size and stops the transfer when
// it is cancelled.
SerialSendResult SendFileSerial(const QString &path, JobControl *job = nullptr);
