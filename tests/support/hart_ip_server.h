#pragma once

// A small HART-IP server on the loopback for the client's tests: sessions,
// keep-alives, pass-through answered by a function, and every message it got
// kept for the test to look at. It can answer wrongly on purpose.

#include "hart/frame_grammar.h"
#include "hart/hart_ip.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <algorithm>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace testsupport {

using Bytes = std::vector<std::uint8_t>;

// A slave's answer to a master frame (no preambles): the same address and
// command, response code `code`, device status 0, `data`.
inline Bytes SlaveAnswer(std::span<const std::uint8_t> request, std::uint8_t code = 0, const Bytes& data = {})
{
    const hart::FrameSpan f = hart::FindFrame(request, 0);
    Bytes a;
    a.push_back(static_cast<std::uint8_t>(request[f.delimiterAt()] | 0x04)); // master to slave becomes slave to master
    for (std::size_t k = f.addressAt(); k <= f.commandAt(); ++k)
        a.push_back(request[k]);
    a.push_back(static_cast<std::uint8_t>(2 + data.size()));
    a.push_back(code);
    a.push_back(0);
    a.insert(a.end(), data.begin(), data.end());
    a.push_back(hart::Checksum(a));
    return a;
}

class HartIpServer : public QObject {
public:
    struct Got {
        hart::ip::Header header;
        Bytes body;
    };
    // The messages (whole, as bytes) that answer a pass-through request.
    using PassThroughAnswer = std::function<std::vector<Bytes>(const hart::ip::Header&, std::span<const std::uint8_t> frame)>;

    explicit HartIpServer(bool tcp) : tcp_(tcp)
    {
        if (tcp_) {
            server_.listen(QHostAddress::LocalHost, 0);
            QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
                while (QTcpSocket* c = server_.nextPendingConnection()) {
                    conn_ = c;
                    QObject::connect(c, &QTcpSocket::readyRead, this, [this, c] {
                        const QByteArray chunk = c->readAll();
                        stream_.insert(stream_.end(), chunk.begin(), chunk.end());
                        for (;;) {
                            const auto p = hart::ip::Parse(stream_);
                            if (!p.message)
                                return;
                            const Bytes one(stream_.begin(), stream_.begin() + static_cast<std::ptrdiff_t>(p.length));
                            stream_.erase(stream_.begin(), stream_.begin() + static_cast<std::ptrdiff_t>(p.length));
                            Take(one);
                        }
                    });
                }
            });
        } else {
            udp_.bind(QHostAddress::LocalHost, 0);
            QObject::connect(&udp_, &QUdpSocket::readyRead, this, [this] {
                while (udp_.hasPendingDatagrams()) {
                    const QNetworkDatagram d = udp_.receiveDatagram();
                    peer_ = d.senderAddress();
                    peerPort_ = static_cast<quint16>(d.senderPort());
                    const QByteArray b = d.data();
                    Take(Bytes(b.begin(), b.end()));
                }
            });
        }
    }

    quint16 Port() const { return tcp_ ? server_.serverPort() : udp_.localPort(); }

    std::uint8_t initiateStatus = hart::ip::kStatusSuccess;
    std::optional<std::uint8_t> initiateError; // answer the initiate with an error message instead
    bool mute = false;                          // takes every message, answers none
    PassThroughAnswer passThrough = [](const hart::ip::Header& h, std::span<const std::uint8_t> frame) {
        return std::vector<Bytes>{hart::ip::PassThrough(hart::ip::MessageType::Response, h.sequence, SlaveAnswer(frame))};
    };

    std::vector<Got> got;
    qint64 longestGapMs = 0; // between two messages, once the session is open

    int Count(hart::ip::MessageId id) const
    {
        return static_cast<int>(std::count_if(got.begin(), got.end(), [id](const Got& g) { return g.header.id == id; }));
    }

    void SendRaw(const Bytes& bytes)
    {
        if (tcp_) {
            if (conn_)
                conn_->write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        } else {
            udp_.writeDatagram(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()), peer_, peerPort_);
        }
    }

    // The server goes away: its socket closes (TCP: the connection too).
    void Stop()
    {
        if (conn_)
            conn_->abort();
        server_.close();
        udp_.close();
    }

private:
    void Take(const Bytes& bytes)
    {
        const auto p = hart::ip::Parse(bytes);
        if (!p.message)
            return;
        const auto& h = p.message->header;
        got.push_back({h, Bytes(p.message->body.begin(), p.message->body.end())});
        if (open_) {
            longestGapMs = std::max(longestGapMs, sinceLast_.restart());
        }
        if (mute)
            return;
        switch (h.id) {
        case hart::ip::MessageId::SessionInitiate:
            if (initiateError) {
                SendRaw(hart::ip::ErrorMessage(h, *initiateError));
                return;
            }
            if (initiateStatus != hart::ip::kStatusSuccess && initiateStatus != hart::ip::kStatusSetToNearest) {
                SendRaw(hart::ip::Response(h, initiateStatus));
                return;
            }
            open_ = true;
            sinceLast_.start();
            SendRaw(hart::ip::Response(h, initiateStatus, p.message->body));
            return;
        case hart::ip::MessageId::PassThrough:
            for (const auto& m : passThrough(h, p.message->body))
                SendRaw(m);
            return;
        case hart::ip::MessageId::KeepAlive:
        case hart::ip::MessageId::SessionClose:
            SendRaw(hart::ip::Response(h, 0));
            return;
        }
    }

    bool tcp_;
    QUdpSocket udp_;
    QTcpServer server_;
    QPointer<QTcpSocket> conn_;
    Bytes stream_;
    QHostAddress peer_;
    quint16 peerPort_ = 0;
    bool open_ = false;
    QElapsedTimer sinceLast_;
};

} // namespace testsupport
