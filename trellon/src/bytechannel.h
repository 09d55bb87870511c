#pragma once
// A byte line to a receiver, as the XMODEM sender sees it: write, read one byte with a time-out,
// drop unread input, and the clock its time-outs run on.

#include <cstddef>
#include <cstdint>

class ByteChannel
{
public:
    static constexpr int ReadTimedOut = -1;
    static constexpr int ReadFailed = -2;

    virtual ~ByteChannel() = default;

    // Writes all bytes; false when the line failed or did not take them in time.
    virtual bool Write(const uint8_t *data, size_t size) = 0;
    // The next byte received (0 to 255), waiting at most timeoutMs for it; ReadTimedOut when none
    // came, ReadFailed when the line is gone.
    virtual int ReadByte(int timeoutMs) = 0;
    // Discards what has been received and not read yet.
    virtual void Purge() = 0;
    // Milliseconds on a monotonic clock. Scripted channels run their own, so that tests of long
    // silences take no time.
    virtual int64_t NowMs() = 0;
};
