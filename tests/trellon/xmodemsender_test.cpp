// XmodemSender against scripted receivers: the frames it writes, and what it makes of NAKs,
// silence, cancels, noise and failing lines. Time runs on the channel's virtual clock.
#include "trellon.h"
#include "xmodemsender.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint8_t SOH = 0x01, EOT = 0x04, ACK = 0x06, NAK = 0x15, CAN = 0x18;
const Bytes Silence = {};

// A receiver played from a script: Answer gives its reply to each frame written; queued bytes are
// read one per millisecond, and an empty queue is silence until the read's time-out has passed.
class ScriptedChannel : public ByteChannel
{
public:
    std::function<Bytes(const Bytes &frame, int index)> Answer = [](const Bytes &, int) { return Bytes{ACK}; };
    std::vector<Bytes> Written;
    int64_t Clock = 0;
    int64_t MsPerByte = 1;
    bool LineGone = false;
    bool WritesFail = false;

    explicit ScriptedChannel(Bytes opening = {'C'}) : m_queue(opening.begin(), opening.end()) {}

    bool Write(const uint8_t *data, size_t size) override
    {
        if (WritesFail)
            return false;
        Written.emplace_back(data, data + size);
        const Bytes reply = Answer(Written.back(), int(Written.size()) - 1);
        m_queue.insert(m_queue.end(), reply.begin(), reply.end());
        return true;
    }
    int ReadByte(int timeoutMs) override
    {
        if (LineGone)
            return ReadFailed;
        if (m_queue.empty()) {
            Clock += timeoutMs;
            return ReadTimedOut;
        }
        Clock += MsPerByte;
        const uint8_t byte = m_queue.front();
        m_queue.pop_front();
        return byte;
    }
    void Purge() override { m_queue.clear(); }
    int64_t NowMs() override { return Clock; }

    // The frames that carry data, in the order written.
    std::vector<Bytes> Blocks() const
    {
        std::vector<Bytes> blocks;
        for (const Bytes &frame : Written)
            if (frame.size() > 1 && frame[0] == SOH)
                blocks.push_back(frame);
        return blocks;
    }

private:
    std::deque<uint8_t> m_queue;
};

Bytes Pattern(size_t size)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(i * 7 + 3);
    return bytes;
}

struct Outcome
{
    int Result;
    std::string Detail;
};

Outcome Send(ScriptedChannel &channel, const Bytes &data, std::function<bool(int64_t, int64_t)> keepGoing = {})
{
    QByteArray content(reinterpret_cast<const char *>(data.data()), qsizetype(data.size()));
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    XmodemSender sender(channel, XmodemTiming{1000, 500, 10});
    if (keepGoing)
        sender.SetCancelCheck(keepGoing);
    const int result = sender.Send(buffer, int64_t(data.size()));
    return {result, sender.Detail()};
}

// A device whose reads fail after the first 200 bytes.
class FailingDevice : public QIODevice
{
public:
    FailingDevice() { open(QIODevice::ReadOnly); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_given >= 200)
            return -1;
        const qint64 count = qMin<qint64>(maxSize, 200 - m_given);
        std::fill(data, data + count, 'x');
        m_given += count;
        return count;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    qint64 m_given = 0;
};

} // namespace

TEST(TrellonCrc16, GivesTheCatalogueCheckValue)
{
    const std::string check = "123456789";
    EXPECT_EQ(Crc16Xmodem(reinterpret_cast<const uint8_t *>(check.data()), check.size()), 0x31C3);
    // 0x80: the first step folds in 0x1021; three shifts give 0x8108, whose top bit folds in
    // 0x1021 again (0x1231); three more shifts: 0x9188.
    const uint8_t high = 0x80;
    EXPECT_EQ(Crc16Xmodem(&high, 1), 0x9188);
    EXPECT_EQ(Crc16Xmodem(nullptr, 0), 0x0000);
}

TEST(TrellonXmodemSender, FramesNumberedBlocksWithCrcAndPadsTheLastWith1A)
{
    ScriptedChannel channel;
    const Bytes data = Pattern(300);
    ASSERT_EQ(Send(channel, data).Result, TRELLON_OK);

    const std::vector<Bytes> blocks = channel.Blocks();
    ASSERT_EQ(blocks.size(), 3u);
    Bytes received;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const Bytes &block = blocks[i];
        ASSERT_EQ(block.size(), 133u) << "SOH, number, complement, 128 bytes, CRC high and low";
        EXPECT_EQ(block[1], i + 1);
        EXPECT_EQ(block[2], uint8_t(0xFF - (i + 1)));
        const uint16_t crc = Crc16Xmodem(block.data() + 3, 128);
        EXPECT_EQ(block[131], crc >> 8);
        EXPECT_EQ(block[132], crc & 0xFF);
        received.insert(received.end(), block.begin() + 3, block.begin() + 131);
    }
    // 300 = 2 x 128 + 44: the third block carries 44 bytes and 84 of padding.
    EXPECT_TRUE(std::equal(data.begin(), data.end(), received.begin()));
    EXPECT_EQ(std::count(received.begin() + 300, received.end(), 0x1A), 84);
    EXPECT_EQ(channel.Written.back(), Bytes{EOT});
}

TEST(TrellonXmodemSender, SizesOnABlockBoundary)
{
    struct Case { size_t size; size_t blocks; };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{128, 1}, Case{129, 2}, Case{256, 2}}) {
        ScriptedChannel channel;
        EXPECT_EQ(Send(channel, Pattern(c.size)).Result, TRELLON_OK) << c.size;
        EXPECT_EQ(channel.Blocks().size(), c.blocks) << c.size;
        EXPECT_EQ(channel.Written.size(), c.blocks + 1) << c.size << " bytes: blocks and one EOT";
    }
}

TEST(TrellonXmodemSender, UsesTheChecksumWhenTheReceiverStartsWithNak)
{
    ScriptedChannel channel({NAK});
    const Bytes data = Pattern(100);
    ASSERT_EQ(Send(channel, data).Result, TRELLON_OK);
    const Bytes block = channel.Blocks().at(0);
    ASSERT_EQ(block.size(), 132u);
    const int sum = std::accumulate(data.begin(), data.end(), 0) + 28 * 0x1A;
    EXPECT_EQ(block[131], uint8_t(sum));
}

TEST(TrellonXmodemSender, BlockNumbersWrapFrom255To0)
{
    ScriptedChannel channel;
    ASSERT_EQ(Send(channel, Pattern(257 * 128)).Result, TRELLON_OK);
    const std::vector<Bytes> blocks = channel.Blocks();
    ASSERT_EQ(blocks.size(), 257u);
    EXPECT_EQ(blocks[254][1], 255);
    EXPECT_EQ(blocks[255][1], 0);
    EXPECT_EQ(blocks[255][2], 0xFF);
    EXPECT_EQ(blocks[256][1], 1);
}

TEST(TrellonXmodemSender, ResendsTheSameBlockAfterNakOrSilence)
{
    // Block 1 is refused, block 2 gets no answer once; everything else is acknowledged.
    ScriptedChannel channel;
    channel.Answer = [](const Bytes &, int index) { return index == 0 ? Bytes{NAK} : index == 2 ? Silence : Bytes{ACK}; };
    ASSERT_EQ(Send(channel, Pattern(200)).Result, TRELLON_OK);
    const std::vector<Bytes> blocks = channel.Blocks();
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(blocks[0], blocks[1]);
    EXPECT_EQ(blocks[2], blocks[3]);
    EXPECT_EQ(blocks[2][1], 2);
}

TEST(TrellonXmodemSender, HiccupsOfTheReceiverStillEndInSuccess)
{
    struct Case
    {
        const char *name;
        Bytes opening;
        std::function<Bytes(const Bytes &, int)> answer;
        size_t framesWritten;
    };
    const Case cases[] = {
        // Requests queued while nobody listened: taken for answers they would acknowledge block 1
        // and shift every later acknowledgement by one block.
        {"queued start requests", {'C', 'C', 'C'}, [](const Bytes &, int) { return Bytes{ACK}; }, 2},
        {"a start request in place of the first answer", {'C'},
         [](const Bytes &, int i) { return i == 0 ? Bytes{'C'} : Bytes{ACK}; }, 3},
        {"noise and lone CANs", {'h', 'i', '\r', '\n', CAN, 'C'},
         [](const Bytes &, int i) { return i == 0 ? Bytes{'?', 0xFF, CAN, 0x00, ACK} : Bytes{'x', ACK}; }, 2},
        {"the end refused once", {'C'}, [](const Bytes &, int i) { return i == 1 ? Bytes{NAK} : Bytes{ACK}; }, 3},
    };
    for (const Case &c : cases) {
        ScriptedChannel channel(c.opening);
        channel.Answer = c.answer;
        EXPECT_EQ(Send(channel, Pattern(10)).Result, TRELLON_OK) << c.name;
        EXPECT_EQ(channel.Written.size(), c.framesWritten) << c.name;
        EXPECT_EQ(channel.Written.back(), Bytes{EOT}) << c.name;
    }
}

TEST(TrellonXmodemSender, FailuresEndWithTheirReason)
{
    const Bytes canCanCan = {CAN, CAN, CAN};
    struct Case
    {
        const char *name;
        Bytes opening;
        std::function<Bytes(const Bytes &, int)> answer;
        int expected;
        size_t blocksSent;
        bool tellsReceiverToCancel;
    };
    const Case cases[] = {
        {"silence from the start", {}, nullptr, TRELLON_ERR_NO_RECEIVER, 0, false},
        {"cancelled before the start", {CAN, CAN}, nullptr, TRELLON_ERR_CANCELLED_BY_RECEIVER, 0, false},
        {"silence after the start", {'C'}, [](const Bytes &, int) { return Silence; }, TRELLON_ERR_TIMEOUT, 11, true},
        {"NAK for ever", {'C'}, [](const Bytes &, int) { return Bytes{NAK}; }, TRELLON_ERR_TOO_MANY_RETRIES, 11, true},
        {"noise for ever", {'C'}, [](const Bytes &, int) { return Bytes(2000, '?'); }, TRELLON_ERR_TOO_MANY_RETRIES,
         11, true},
        {"NAKs and silence", {'C'}, [](const Bytes &, int i) { return i % 2 ? Bytes{NAK} : Silence; },
         TRELLON_ERR_TOO_MANY_RETRIES, 11, true},
        {"CAN CAN after a block", {'C'}, [](const Bytes &, int i) { return i == 1 ? Bytes{CAN, CAN} : Bytes{ACK}; },
         TRELLON_ERR_CANCELLED_BY_RECEIVER, 2, false},
        {"EOT never acknowledged", {'C'}, [](const Bytes &f, int) { return f[0] == EOT ? Bytes{NAK} : Bytes{ACK}; },
         TRELLON_ERR_TOO_MANY_RETRIES, 3, true},
    };
    for (const Case &c : cases) {
        ScriptedChannel channel(c.opening);
        if (c.answer)
            channel.Answer = c.answer;
        const Outcome run = Send(channel, Pattern(300));
        EXPECT_EQ(run.Result, c.expected) << c.name;
        EXPECT_FALSE(run.Detail.empty()) << c.name;
        EXPECT_EQ(channel.Blocks().size(), c.blocksSent) << c.name;
        EXPECT_EQ(!channel.Written.empty() && channel.Written.back() == canCanCan, c.tellsReceiverToCancel) << c.name;
    }
}

TEST(TrellonXmodemSender, EndlessNoiseEndsEvenWhenNoTimePasses)
{
    ScriptedChannel banner(Bytes(70000, 'x'));
    banner.MsPerByte = 0;
    EXPECT_EQ(Send(banner, Pattern(10)).Result, TRELLON_ERR_NO_RECEIVER);

    ScriptedChannel chatter;
    chatter.MsPerByte = 0;
    chatter.Answer = [](const Bytes &, int) { return Bytes(2000, '?'); };
    EXPECT_EQ(Send(chatter, Pattern(10)).Result, TRELLON_ERR_TOO_MANY_RETRIES);
    EXPECT_EQ(chatter.Blocks().size(), 11u);
}

TEST(TrellonXmodemSender, WaitsNoLongerThanItsTimeouts)
{
    ScriptedChannel silent(Bytes{});
    EXPECT_EQ(Send(silent, Pattern(10)).Result, TRELLON_ERR_NO_RECEIVER);
    EXPECT_GE(silent.Clock, 1000);
    EXPECT_LT(silent.Clock, 1100);

    ScriptedChannel stops;
    stops.Answer = [](const Bytes &, int) { return Silence; };
    EXPECT_EQ(Send(stops, Pattern(10)).Result, TRELLON_ERR_TIMEOUT);
    // Eleven tries of 500 ms each.
    EXPECT_GE(stops.Clock, 11 * 500);
    EXPECT_LT(stops.Clock, 11 * 500 + 100);
}

TEST(TrellonXmodemSender, BrokenLinesAndUnreadableDataStopTheTransfer)
{
    ScriptedChannel gone;
    gone.LineGone = true;
    EXPECT_EQ(Send(gone, Pattern(10)).Result, TRELLON_ERR_LINE);

    ScriptedChannel refusing;
    refusing.WritesFail = true;
    EXPECT_EQ(Send(refusing, Pattern(10)).Result, TRELLON_ERR_LINE);

    ScriptedChannel channel;
    FailingDevice device;
    XmodemSender sender(channel, XmodemTiming{1000, 500, 10});
    EXPECT_EQ(sender.Send(device, 1000), TRELLON_ERR_FILE_UNREADABLE);
    EXPECT_EQ(channel.Blocks().size(), 1u) << "the first 128 bytes were read whole";
    EXPECT_EQ(channel.Written.back(), (Bytes{CAN, CAN, CAN}));
}

TEST(TrellonXmodemSender, TheCancelCheckSeesProgressAndCanStop)
{
    ScriptedChannel channel;
    std::vector<int64_t> seen;
    const Outcome done = Send(channel, Pattern(300), [&](int64_t sent, int64_t total) {
        EXPECT_EQ(total, 300);
        seen.push_back(sent);
        return true;
    });
    ASSERT_EQ(done.Result, TRELLON_OK);
    EXPECT_EQ(seen, (std::vector<int64_t>{128, 256, 300}));

    ScriptedChannel stopped;
    const Outcome cancelled = Send(stopped, Pattern(300), [](int64_t sent, int64_t) { return sent < 128; });
    EXPECT_EQ(cancelled.Result, TRELLON_ERR_CANCELLED);
    EXPECT_EQ(stopped.Blocks().size(), 1u);
    EXPECT_EQ(stopped.Written.back(), (Bytes{CAN, CAN, CAN}));

    ScriptedChannel waiting(Bytes{});
    int asked = 0;
    EXPECT_EQ(Send(waiting, Pattern(10), [&](int64_t, int64_t) { return ++asked < 3; }).Result, TRELLON_ERR_CANCELLED);
    EXPECT_LT(waiting.Clock, 1000) << "stopped while waiting for the receiver";
    EXPECT_EQ(waiting.Written, (std::vector<Bytes>{{CAN, CAN, CAN}}));
}
