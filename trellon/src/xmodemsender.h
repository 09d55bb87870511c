#pragma once
// The sending side of XMODEM: 128-byte blocks with CRC-16 (or the one-byte checksum when the
// receiver starts with NAK), retransmission on NAK or time-out, EOT at the end, CAN both ways.

#include "bytechannel.h"

#include <QIODevice>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

// CRC-16/XMODEM: polynomial 0x1021, initial value 0, no reflection, no final XOR.
uint16_t Crc16Xmodem(const uint8_t *data, size_t size);

struct XmodemTiming
{
    int StartTimeoutMs = 15000;   // for the receiver's first 'C' or NAK, in all
    int AnswerTimeoutMs = 10000;  // for the answer to each block and to EOT
    int MaxRetries = 10;          // retransmissions of one block or of EOT
};

class XmodemSender
{
public:
    static constexpr int BlockSize = 128;
    static constexpr uint8_t SOH = 0x01, EOT = 0x04, ACK = 0x06, NAK = 0x15, CAN = 0x18,
                             CrcRequest = 'C', Padding = 0x1A;

    explicit XmodemSender(ByteChannel &channel, XmodemTiming timing = {});

    // Asked while waiting and after every acknowledged block; returning false cancels the
    // transfer. Arguments: bytes acknowledged, total bytes.
    void SetCancelCheck(std::function<bool(int64_t, int64_t)> keepGoing);

    // Sends everything data yields until its end; total is only reported to the cancel check.
    // Returns TRELLON_OK or a TRELLON_ERR_ code; Detail() then says more.
    int Send(QIODevice &data, int64_t total);

    const std::string &Detail() const { return m_detail; }

private:
    enum class Answer { Ack, Nak, Cancelled, TimedOut, LineFailed, Stopped };

    int WaitForStart();
    int SendBlock(const uint8_t *frame, size_t size, const std::string &what);
    Answer WaitForAnswer(bool crcRequestIsNak);
    // The next byte that is one of wanted, passing over others (a lone CAN among them, but not two
    // in a row) and counting them in noise; or a negative read result.
    int ReadAnswer(int64_t deadline, std::initializer_list<int> wanted, int maxNoise, int &noise);
    int ReadFrom(int64_t deadline);
    bool KeepGoing();
    int Fail(int code, std::string detail);
    void CancelReceiver();

    ByteChannel &m_channel;
    XmodemTiming m_timing;
    std::function<bool(int64_t, int64_t)> m_keepGoing;
    bool m_crc = true;
    int64_t m_sent = 0;
    int64_t m_total = 0;
    std::string m_detail;
};
