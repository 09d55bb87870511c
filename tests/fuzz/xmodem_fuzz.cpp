// The XMODEM sender against a receiver whose every byte comes from the input: answers, noise,
// cancels, silences and a line that fails. The first five bytes set the file's size, the
// retries, when the cancel check stops the transfer, when a write fails and when reading the
// file fails; the rest is what the receiver sends, one byte per read. 0xFE escapes: 0xFE 0xFE is
// the byte 0xFE, 0xFE 0x00 a failed line, 0xFE and any other byte a read that times out. When
// the input runs out the receiver is silent.
#include "fuzzsupport.h"

#include "trellon.h"
#include "xmodemsender.h"

#include <QBuffer>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

class FuzzedReceiver : public ByteChannel
{
public:
    FuzzedReceiver(const uint8_t *data, size_t size, int failingWrite)
        : m_data(data), m_size(size), m_failingWrite(failingWrite)
    {
    }

    std::vector<Bytes> Written;
    std::vector<bool> AckedBefore; // per write: whether an ACK was read since the write before it
    bool AckSinceWrite = false;    // an ACK has been read since the last write
    int StartRequest = 0;          // the first 'C' or NAK read before anything was written
    int64_t Reads = 0;

    bool Write(const uint8_t *data, size_t size) override
    {
        Require(size > 0, "no empty writes");
        if (int(Written.size()) + 1 == m_failingWrite) {
            m_failingWrite = 0;
            return false;
        }
        Written.emplace_back(data, data + size);
        AckedBefore.push_back(AckSinceWrite);
        AckSinceWrite = false;
        return true;
    }

    int ReadByte(int timeoutMs) override
    {
        Require(timeoutMs > 0, "a read waits for a positive time");
        Require(++Reads < 5'000'000, "the sender does not read forever");
        if (m_pos >= m_size) {
            m_clock += timeoutMs;
            return ReadTimedOut;
        }
        uint8_t byte = m_data[m_pos++];
        if (byte == 0xFE && m_pos < m_size) {
            const uint8_t code = m_data[m_pos++];
            if (code == 0x00)
                return ReadFailed;
            if (code != 0xFE) {
                m_clock += timeoutMs;
                return ReadTimedOut;
            }
        }
        ++m_clock;
        if (Written.empty() && StartRequest == 0
            && (byte == XmodemSender::CrcRequest || byte == XmodemSender::NAK))
            StartRequest = byte;
        if (byte == XmodemSender::ACK)
            AckSinceWrite = true;
        return byte;
    }

    // The receiver's bytes are what it sends from now on: nothing earlier is waiting to be dropped.
    void Purge() override {}
    int64_t NowMs() override { return m_clock; }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
    int m_failingWrite;
    int64_t m_clock = 0;
};

// A file whose reading fails after a number of bytes.
class FailingFile : public QBuffer
{
public:
    FailingFile(QByteArray *content, qint64 failAt) : QBuffer(content), m_failAt(failAt) {}

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_failAt >= 0 && pos() >= m_failAt) {
            setErrorString(QStringLiteral("read error"));
            return -1;
        }
        if (m_failAt >= 0)
            maxSize = std::min(maxSize, m_failAt - pos());
        return QBuffer::readData(data, maxSize);
    }

private:
    qint64 m_failAt;
};

bool IsCancel(const Bytes &frame)
{
    return frame == Bytes{XmodemSender::CAN, XmodemSender::CAN, XmodemSender::CAN};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 5)
        return 0;
    const int fileSize = ((data[0] << 8) | data[1]) % 1200; // up to ten blocks
    XmodemTiming timing{1000, 500, data[2] % 4};
    const int stopAtCheck = data[3];                          // 0: never
    const int failingWrite = data[4] & 0x0F;                  // 0: none
    const qint64 readFailsAt = (data[4] >> 4) == 0 ? -1 : qint64((data[4] >> 4) - 1) * 100;

    QByteArray content(fileSize, Qt::Uninitialized);
    for (int i = 0; i < fileSize; ++i)
        content[i] = char(i * 7 + 3);
    FailingFile file(&content, readFailsAt);
    file.open(QIODevice::ReadOnly);

    FuzzedReceiver receiver(data + 5, size - 5, failingWrite);
    XmodemSender sender(receiver, timing);
    int checks = 0;
    sender.SetCancelCheck([&](int64_t sent, int64_t total) {
        Require(total == fileSize && sent >= 0 && sent <= total, "progress stays within the file");
        return ++checks != stopAtCheck;
    });
    const int result = sender.Send(file, fileSize);

    // Walk the frames as the receiver would have seen them.
    const int blocks = (fileSize + XmodemSender::BlockSize - 1) / XmodemSender::BlockSize;
    // The receiver's first request chose CRC-16 ('C') or the checksum (NAK).
    const bool crc = receiver.StartRequest == XmodemSender::CrcRequest;
    const size_t frameSize = 3 + XmodemSender::BlockSize + (crc ? 2 : 1);
    int current = 0;   // the block last written
    int tries = 0;     // writes of it so far
    bool ended = false; // EOT written
    bool cancelled = false;
    for (size_t w = 0; w < receiver.Written.size(); ++w) {
        const Bytes &frame = receiver.Written[w];
        Require(!cancelled, "nothing is written after cancelling");
        if (IsCancel(frame)) {
            cancelled = true;
            continue;
        }
        if (frame == Bytes{XmodemSender::EOT}) {
            Require(current == blocks, "EOT follows the last block");
            Require(ended || blocks == 0 || receiver.AckedBefore[w], "EOT follows the last block's ACK");
            ended = true;
            continue;
        }
        Require(!ended, "no block follows EOT");
        Require(frame.size() == frameSize && frame[0] == XmodemSender::SOH, "a block is SOH and a whole frame");
        const int number = frame[1];
        Require(frame[2] == uint8_t(~frame[1]), "the block number's complement follows it");
        if (number == (current & 0xFF) && current > 0) {
            ++tries;
        } else {
            Require(number == ((current + 1) & 0xFF), "blocks go in order");
            Require(current == 0 || receiver.AckedBefore[w], "the next block follows an ACK");
            ++current;
            tries = 1;
        }
        Require(tries <= timing.MaxRetries + 1, "a block is sent at most 1 + retries times");
        Require(current <= blocks, "no block past the end of the file");
        const uint8_t *payload = frame.data() + 3;
        const int offset = (current - 1) * XmodemSender::BlockSize;
        for (int i = 0; i < XmodemSender::BlockSize; ++i) {
            const uint8_t expected = offset + i < fileSize ? uint8_t(content[offset + i]) : XmodemSender::Padding;
            Require(payload[i] == expected, "a block carries its part of the file, padded with 0x1A");
        }
        if (crc) {
            const uint16_t crc = Crc16Xmodem(payload, XmodemSender::BlockSize);
            Require(frame[131] == uint8_t(crc >> 8) && frame[132] == uint8_t(crc), "the CRC matches");
        } else {
            uint8_t sum = 0;
            for (int i = 0; i < XmodemSender::BlockSize; ++i)
                sum = uint8_t(sum + payload[i]);
            Require(frame[131] == sum, "the checksum matches");
        }
    }

    const int known[] = {TRELLON_OK, TRELLON_ERR_FILE_UNREADABLE, TRELLON_ERR_NO_RECEIVER, TRELLON_ERR_TIMEOUT,
                         TRELLON_ERR_TOO_MANY_RETRIES, TRELLON_ERR_CANCELLED_BY_RECEIVER, TRELLON_ERR_CANCELLED,
                         TRELLON_ERR_LINE};
    Require(std::find(std::begin(known), std::end(known), result) != std::end(known), "a known result");
    if (result == TRELLON_OK) {
        Require(ended && !cancelled && current == blocks, "success sends every block and EOT");
        Require(receiver.AckSinceWrite, "success only once EOT is acknowledged");
    } else {
        Require(!sender.Detail().empty(), "a failure says what failed");
    }
    return 0;
}
