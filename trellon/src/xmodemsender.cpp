#include "xmodemsender.h"

#include "trellon.h"

#include <algorithm>

namespace {

// Longest single read, so that a cancel is noticed while waiting.
constexpr int PollMs = 50;
// Bytes that are not an answer tolerated while waiting for one; past that the line is taken to
// be garbling the answer (a rejection). The start allows for a receiver's banner text.
constexpr int MaxNoiseBytes = 1024;
constexpr int MaxStartNoiseBytes = 64 * 1024;
// How many CANs tell the receiver to give up (it needs two in a row).
constexpr int CancelCount = 3;
// Read results besides a byte and ByteChannel's: the cancel check asked to stop; two CANs in a
// row; only bytes that are no answer.
constexpr int ReadStopped = -3;
constexpr int ReceiverCancelled = -4;
constexpr int TooMuchNoise = -5;

} // namespace

uint16_t Crc16Xmodem(const uint8_t *data, size_t size)
{
    uint16_t crc = 0;
    for (size_t i = 0; i < size; ++i) {
        crc ^= uint16_t(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? uint16_t((crc << 1) ^ 0x1021) : uint16_t(crc << 1);
    }
    return crc;
}

XmodemSender::XmodemSender(ByteChannel &channel, XmodemTiming timing) : m_channel(channel), m_timing(timing) {}

void XmodemSender::SetCancelCheck(std::function<bool(int64_t, int64_t)> keepGoing)
{
    m_keepGoing = std::move(keepGoing);
}

int XmodemSender::Send(QIODevice &data, int64_t total)
{
    m_sent = 0;
    m_total = total;
    m_detail.clear();
    if (const int result = WaitForStart(); result != TRELLON_OK)
        return result;

    // SOH, block number, its complement, 128 data bytes, CRC high and low byte (or one checksum).
    uint8_t frame[3 + BlockSize + 2];
    uint8_t *payload = frame + 3;
    for (int64_t block = 1;; ++block) {
        int64_t filled = 0;
        while (filled < BlockSize) {
            const qint64 got = data.read(reinterpret_cast<char *>(payload + filled), BlockSize - filled);
            if (got < 0) {
                CancelReceiver();
                return Fail(TRELLON_ERR_FILE_UNREADABLE, "reading the file failed after " + std::to_string(m_sent)
                                                             + " bytes: " + data.errorString().toStdString());
            }
            if (got == 0)
                break;
            filled += got;
        }
        if (filled == 0)
            break;
        std::fill(payload + filled, payload + BlockSize, Padding);
        frame[0] = SOH;
        frame[1] = uint8_t(block);
        frame[2] = uint8_t(~block);
        size_t size = 3 + BlockSize;
        if (m_crc) {
            const uint16_t crc = Crc16Xmodem(payload, BlockSize);
            frame[size++] = uint8_t(crc >> 8);
            frame[size++] = uint8_t(crc);
        } else {
            uint8_t sum = 0;
            for (int i = 0; i < BlockSize; ++i)
                sum = uint8_t(sum + payload[i]);
            frame[size++] = sum;
        }
        if (const int result = SendBlock(frame, size, "block " + std::to_string(block)); result != TRELLON_OK)
            return result;
        m_sent += filled;
        if (!KeepGoing()) {
            CancelReceiver();
            return Fail(TRELLON_ERR_CANCELLED, "stopped after " + std::to_string(m_sent) + " bytes");
        }
    }
    const uint8_t eot = EOT;
    return SendBlock(&eot, 1, "the end of transfer (EOT)");
}

int XmodemSender::WaitForStart()
{
    int noise = 0;
    const int byte = ReadAnswer(m_channel.NowMs() + m_timing.StartTimeoutMs, {CrcRequest, NAK}, MaxStartNoiseBytes, noise);
    switch (byte) {
    case CrcRequest:
    case NAK:
        m_crc = byte == CrcRequest;
        // Requests repeated while nobody listened would be taken for answers to block 1.
        m_channel.Purge();
        return TRELLON_OK;
    case ByteChannel::ReadFailed:
        return Fail(TRELLON_ERR_LINE, "the line failed while waiting for the receiver");
    case ReadStopped:
        // The receiver may be waiting already, with its request still on the way.
        CancelReceiver();
        return Fail(TRELLON_ERR_CANCELLED, "stopped while waiting for the receiver");
    case ReceiverCancelled:
        return Fail(TRELLON_ERR_CANCELLED_BY_RECEIVER, "the receiver cancelled before the first block");
    case ByteChannel::ReadTimedOut:
        return Fail(TRELLON_ERR_NO_RECEIVER,
                    "no request from the receiver within " + std::to_string(m_timing.StartTimeoutMs) + " ms");
    default:
        return Fail(TRELLON_ERR_NO_RECEIVER,
                    "the receiver sent " + std::to_string(noise) + " bytes but never asked for the file");
    }
}

int XmodemSender::SendBlock(const uint8_t *frame, size_t size, const std::string &what)
{
    // Until the receiver has taken something it may still be asking for the start with 'C'.
    const bool first = m_sent == 0;
    int timeouts = 0;
    const int attempts = m_timing.MaxRetries + 1;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0)
            m_channel.Purge();
        if (!m_channel.Write(frame, size))
            return Fail(TRELLON_ERR_LINE, "writing " + what + " to the port failed");
        switch (WaitForAnswer(first)) {
        case Answer::Ack:
            return TRELLON_OK;
        case Answer::Nak:
            break;
        case Answer::TimedOut:
            ++timeouts;
            break;
        case Answer::Cancelled:
            return Fail(TRELLON_ERR_CANCELLED_BY_RECEIVER, "the receiver cancelled at " + what);
        case Answer::LineFailed:
            return Fail(TRELLON_ERR_LINE, "the line failed while waiting for the answer to " + what);
        case Answer::Stopped:
            CancelReceiver();
            return Fail(TRELLON_ERR_CANCELLED, "stopped at " + what);
        }
    }
    CancelReceiver();
    if (timeouts == attempts)
        return Fail(TRELLON_ERR_TIMEOUT, "no answer to " + what + " in " + std::to_string(attempts) + " tries");
    return Fail(TRELLON_ERR_TOO_MANY_RETRIES, what + " was not acknowledged in " + std::to_string(attempts)
                                                  + " tries (" + std::to_string(attempts - timeouts) + " refused)");
}

XmodemSender::Answer XmodemSender::WaitForAnswer(bool crcRequestIsNak)
{
    const int64_t deadline = m_channel.NowMs() + m_timing.AnswerTimeoutMs;
    int noise = 0;
    const int byte = crcRequestIsNak ? ReadAnswer(deadline, {ACK, NAK, CrcRequest}, MaxNoiseBytes, noise)
                                     : ReadAnswer(deadline, {ACK, NAK}, MaxNoiseBytes, noise);
    switch (byte) {
    case ACK:
        return Answer::Ack;
    case ByteChannel::ReadTimedOut:
        // After bytes that made no sense the answer was garbled; the receiver is there.
        return noise > 0 ? Answer::Nak : Answer::TimedOut;
    case ByteChannel::ReadFailed:
        return Answer::LineFailed;
    case ReadStopped:
        return Answer::Stopped;
    case ReceiverCancelled:
        return Answer::Cancelled;
    default:  // NAK, a repeated start request, or nothing but noise
        return Answer::Nak;
    }
}

int XmodemSender::ReadAnswer(int64_t deadline, std::initializer_list<int> wanted, int maxNoise, int &noise)
{
    bool lastWasCan = false;
    for (noise = 0; noise <= maxNoise;) {
        const int byte = ReadFrom(deadline);
        if (byte < 0 || std::find(wanted.begin(), wanted.end(), byte) != wanted.end())
            return byte;
        if (byte == CAN && lastWasCan)
            return ReceiverCancelled;
        lastWasCan = byte == CAN;
        if (!lastWasCan)
            ++noise;
    }
    return TooMuchNoise;
}

int XmodemSender::ReadFrom(int64_t deadline)
{
    for (;;) {
        const int64_t remaining = deadline - m_channel.NowMs();
        if (remaining <= 0)
            return ByteChannel::ReadTimedOut;
        const int byte = m_channel.ReadByte(int(std::min<int64_t>(remaining, PollMs)));
        if (byte != ByteChannel::ReadTimedOut)
            return byte;
        if (!KeepGoing())
            return ReadStopped;
    }
}

bool XmodemSender::KeepGoing()
{
    return !m_keepGoing || m_keepGoing(m_sent, m_total);
}

int XmodemSender::Fail(int code, std::string detail)
{
    m_detail = std::move(detail);
    return code;
}

void XmodemSender::CancelReceiver()
{
    const uint8_t cancel[CancelCount] = {CAN, CAN, CAN};
    m_channel.Write(cancel, sizeof cancel);
}
