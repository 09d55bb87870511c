#include "serialchannel.h"

#include <QDeadlineTimer>
#include <QSerialPort>

SerialChannel::SerialChannel(QSerialPort &port, int writeTimeoutMs) : m_port(port), m_writeTimeoutMs(writeTimeoutMs)
{
    m_clock.start();
}

bool SerialChannel::Write(const uint8_t *data, size_t size)
{
    if (m_port.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        return false;
    // Ten bit times per byte (start, 8 data, stop).
    const qint64 lineMs = qint64(size) * 10 * 1000 / qMax(1, m_port.baudRate());
    const QDeadlineTimer deadline(m_writeTimeoutMs + lineMs);
    while (m_port.bytesToWrite() > 0) {
        const qint64 remaining = deadline.remainingTime();
        if (remaining <= 0 || !m_port.waitForBytesWritten(int(remaining)))
            return false;
    }
    return true;
}

int SerialChannel::ReadByte(int timeoutMs)
{
    if (m_next < m_received.size())
        return uint8_t(m_received[m_next++]);
    m_received.clear();
    m_next = 0;
    if (m_port.bytesAvailable() == 0 && !m_port.waitForReadyRead(timeoutMs)) {
        if (m_port.error() != QSerialPort::NoError && m_port.error() != QSerialPort::TimeoutError)
            return ReadFailed;
        m_port.clearError();
        return ReadTimedOut;
    }
    m_received = m_port.readAll();
    if (m_received.isEmpty())
        return ReadTimedOut;
    return uint8_t(m_received[m_next++]);
}

void SerialChannel::Purge()
{
    m_received.clear();
    m_next = 0;
    m_port.clear(QSerialPort::Input);
}

int64_t SerialChannel::NowMs()
{
    return m_clock.elapsed();
}
