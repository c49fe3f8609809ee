#pragma once

#include "codec/result.h"
#include "hart/byte_port.h"
#include "hart/hart_ip.h"
#include "hart/transport.h"

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace line {

// How long a gateway may take to start its answer once the request is out.
// The Transactor already counts the request's own time on the wire behind the
// gateway (at 1200 baud); after it come the device's turnaround (at most
// 305 ms), an answer of up to 80 bytes on that wire (733 ms) and some 460 ms
// for the gateway and the network: 1500 ms.
inline constexpr int kHartIpAnswerStartMs = 1500;
// Name lookup, connection and session initiate together.
inline constexpr int kHartIpSetupMs = 5000;
// A keep-alive sent because a pass-through went unanswered must be answered
// within this: a gateway answers it itself, whatever the loop behind it does.
inline constexpr int kHartIpProbeMs = 3000;

// A HART-IP server to talk to, and how.
struct HartIpTarget {
    std::string host;
    std::uint16_t port = hart::ip::kPort;
    bool tcp = false;
    hart::ip::MasterType master = hart::ip::MasterType::Primary;
    // Asked of the server at session initiate; keep-alives go well before it runs out.
    std::uint32_t inactivityMs = 60000;
};

// "hart-ip://HOST[:PORT]" (UDP) or "hart-ip+tcp://HOST[:PORT]": nothing when
// `name` is no such name (a serial port's name), a failure with a sentence
// when it is one but malformed (empty host, port not 1-65535).
std::optional<codec::Result<HartIpTarget>> ParseHartIpName(std::string_view name);
// The name ParseHartIpName reads back to `target`.
std::string HartIpName(const HartIpTarget& target);

// The line to a HART-IP server: a byte port for the link layer (HartLink,
// Transactor), whose written frames go out as pass-through requests and
// whose deliveries are the frames of the matching pass-through responses.
// Lives on the thread that uses it (the window's or the program's); never blocks.
// Handlers of its signals may call any operation but must not delete it
// (deleteLater).
class HartIpPort : public QObject, public hart::BytePort {
    Q_OBJECT
public:
    explicit HartIpPort(QObject* parent = nullptr);
    ~HartIpPort() override; // closes the session as Close() does

    // Resolves, connects and initiates the session; Opened or Failed follows, once.
    void Open(const HartIpTarget& target);
    // Sends session close (not waited for) and closes the socket. Safe at any time, more than once.
    void Close();
    bool IsOpen() const;
    const HartIpTarget& Target() const;

    // BytePort: the frame (its preambles dropped) as one pass-through request
    // with the next sequence number. False while no session is open.
    bool WriteBytes(const void* data, std::uint16_t count) override;
    // A network has no RTS: kept for those who read it back, no effect.
    hart::TRtsControl RtsControl() const override;
    void SetRtsControl(hart::TRtsControl value) override;
    // A pass-through frame has no preambles.
    std::size_t MinPreambles() const override { return 0; }
    std::optional<int> AnswerStartMs() const override { return kHartIpAnswerStartMs; }

    // Messages received and not taken since Open: malformed datagrams,
    // responses with a sequence number not outstanding, publish messages.
    int IgnoredMessages() const;

    // Every HART-IP message sent and received (session, keep-alive,
    // pass-through), with its endpoints: for the traffic window and captures.
    void SetTrafficSink(hart::TrafficSink sink);

signals:
    void Opened();
    void Failed(const QString& reason); // the session could not be set up, in words
    // The HART frame (delimiter through checksum) of a pass-through response
    // whose sequence number matches the request outstanding.
    void Received(const QByteArray& frame);
    // An open session ended: closed by the server, an error message, the
    // connection lost, keep-alives unanswered. In words.
    void Lost(const QString& reason);

private:
    void Connect(const QHostAddress& address);
    void Shutdown();
    void SetupFailed(const QString& reason);
    void SessionLost(const QString& reason);
    void Send(const std::vector<std::uint8_t>& message);
    void Record(hart::Direction direction, std::span<const std::uint8_t> message);
    void ReadReady();
    void Take(const hart::ip::Message& m, std::span<const std::uint8_t> bytes);
    void KeepAliveDue();
    void Probe();
    int KeepAliveInterval() const;
    QString NameText() const;
    static QString RejectText(hart::ip::Reject reject);
    static QString SessionStatusText(std::uint8_t status);
    static QString ErrorCodeText(std::span<const std::uint8_t> body);

    struct Private;
    std::unique_ptr<Private> d_;
};

} // namespace line
