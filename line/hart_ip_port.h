#pragma once

#include "codec/result.h"
#include "hart/byte_port.h"
#include "hart/hart_ip.h"
#include "hart/transport.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace line {

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
    struct Private;
    std::unique_ptr<Private> d_;
};

} // namespace line
