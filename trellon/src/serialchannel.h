#pragma once
// ByteChannel over an open QSerialPort, with blocking waits (no event loop needed).

#include "bytechannel.h"

#include <QByteArray>
#include <QElapsedTimer>

class QSerialPort;

class SerialChannel : public ByteChannel
{
public:
    // writeTimeoutMs: how long a write may take beyond the time its bytes need at the port's speed.
    SerialChannel(QSerialPort &port, int writeTimeoutMs);

    bool Write(const uint8_t *data, size_t size) override;
    int ReadByte(int timeoutMs) override;
    void Purge() override;
    int64_t NowMs() override;

private:
    QSerialPort &m_port;
    int m_writeTimeoutMs;
    QByteArray m_received;
    qsizetype m_next = 0;
    QElapsedTimer m_clock;
};
