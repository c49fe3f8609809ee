#include "line/hart_ip_port.h"

#include "hart/frame_grammar.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QHostInfo>
#include <QLoggingCategory>
#include <QNetworkDatagram>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <vector>

// Off unless asked for (QT_LOGGING_RULES): what ends a session is said by whoever opened it.
Q_LOGGING_CATEGORY(lcHartIp, "mh.hartip", QtWarningMsg)

namespace line {

namespace ip = hart::ip;

namespace {

struct Depth {
    explicit Depth(int& n) : n_(n) { ++n_; }
    ~Depth() { --n_; }
    int& n_;
};

constexpr std::string_view kUdpScheme = "hart-ip://";
constexpr std::string_view kTcpScheme = "hart-ip+tcp://";

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size()
           && std::equal(prefix.begin(), prefix.end(), s.begin(),
                         [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? char(b - 'A' + 'a') : b); });
}

// A host is a name or an address: letters, digits and . - _ :, nothing a
// terminal or a resolver would read otherwise.
bool HostCharsOk(std::string_view host)
{
    return std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-'
               || c == '_' || c == ':' || c == '%';
    });
}

std::array<std::uint8_t, 16> AddressBytes(const QHostAddress& a, bool* ipv6)
{
    std::array<std::uint8_t, 16> out{};
    bool isV4 = false;
    const quint32 v4 = a.toIPv4Address(&isV4);
    *ipv6 = !isV4;
    if (isV4) {
        out[0] = static_cast<std::uint8_t>(v4 >> 24);
        out[1] = static_cast<std::uint8_t>(v4 >> 16);
        out[2] = static_cast<std::uint8_t>(v4 >> 8);
        out[3] = static_cast<std::uint8_t>(v4);
    } else {
        const Q_IPV6ADDR v6 = a.toIPv6Address();
        std::copy(std::begin(v6.c), std::end(v6.c), out.begin());
    }
    return out;
}

} // namespace

std::optional<codec::Result<HartIpTarget>> ParseHartIpName(std::string_view name)
{
    using R = codec::Result<HartIpTarget>;
    HartIpTarget t;
    std::string_view rest;
    if (StartsWithNoCase(name, kTcpScheme)) {
        t.tcp = true;
        rest = name.substr(kTcpScheme.size());
    } else if (StartsWithNoCase(name, kUdpScheme)) {
        rest = name.substr(kUdpScheme.size());
    } else {
        return std::nullopt;
    }
    const auto bad = [&](const char* why) {
        return R::Fail(QCoreApplication::translate("line", why).arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))).toStdString());
    };
    if (!rest.empty() && rest.back() == '/')
        rest.remove_suffix(1);
    std::string_view host = rest;
    std::string_view port;
    if (!rest.empty() && rest.front() == '[') {
        // [IPv6]:PORT
        const auto close = rest.find(']');
        if (close == std::string_view::npos)
            return bad(QT_TRANSLATE_NOOP("line", "'%1' is no HART-IP address: a ] is missing."));
        host = rest.substr(1, close - 1);
        const auto after = rest.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':')
                return bad(QT_TRANSLATE_NOOP("line", "'%1' is no HART-IP address: write HOST or HOST:PORT."));
            port = after.substr(1);
            if (port.empty())
                return bad(QT_TRANSLATE_NOOP("line", "'%1' is no HART-IP address: the port is not a number from 1 to 65535."));
        }
    } else if (const auto colon = rest.rfind(':'); colon != std::string_view::npos && rest.find(':') == colon) {
        host = rest.substr(0, colon);
        port = rest.substr(colon + 1);
        if (port.empty())
            return bad(QT_TRANSLATE_NOOP("line", "'%1' is no HART-IP address: the port is not a number from 1 to 65535."));
    }
    if (host.empty())
        return bad(QT_TRANSLATE_NOOP("line", "'%1' is no HART-IP address: the host is missing."));
    if (!HostCharsOk(host))
        return bad(QT_TRANSLATE_NOOP("line", "'%1' is no HART-IP address: write HOST or HOST:PORT."));
    if (!port.empty()) {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), value);
        if (ec != std::errc{} || end != port.data() + port.size() || value < 1 || value > 65535)
            return bad(QT_TRANSLATE_NOOP("line", "'%1' is no HART-IP address: the port is not a number from 1 to 65535."));
        t.port = static_cast<std::uint16_t>(value);
    }
    t.host = std::string(host);
    return R::Ok(std::move(t));
}

std::string HartIpName(const HartIpTarget& target)
{
    std::string name(target.tcp ? kTcpScheme : kUdpScheme);
    const bool v6 = target.host.find(':') != std::string::npos;
    name += v6 ? "[" + target.host + "]" : target.host;
    if (target.port != ip::kPort)
        name += ":" + std::to_string(target.port);
    return name;
}

// ---- HartIpPort

struct HartIpPort::Private {
    enum class State { Closed, Resolving, Connecting, Initiating, Open };

    HartIpTarget target;
    State state = State::Closed;
    int lookupId = -1;
    std::unique_ptr<QAbstractSocket> socket; // a QUdpSocket or a QTcpSocket
    std::vector<std::uint8_t> stream;        // TCP: bytes of a message not yet whole
    QTimer setupTimer;
    QTimer keepAliveTimer;
    QTimer probeTimer;
    std::uint32_t inactivityMs = 0;          // the server's, once the session is open
    std::uint16_t nextSequence = 0;
    std::uint16_t initiateSequence = 0;
    std::optional<std::uint16_t> passThrough; // the request whose response is awaited
    bool keepAliveOutstanding = false;
    int keepAlivesMissed = 0;
    int ignored = 0;
    int inSocketCall = 0; // the socket may not be deleted under its own signal
    hart::TrafficSink sink;
    hart::TRtsControl rts = hart::TRtsControl::RtsDisable;
};

HartIpPort::HartIpPort(QObject* parent) : QObject(parent), d_(std::make_unique<Private>())
{
    d_->setupTimer.setSingleShot(true);
    connect(&d_->setupTimer, &QTimer::timeout, this, [this] {
        SetupFailed(tr("%1 did not answer the session request in time.").arg(NameText()));
    });
    d_->keepAliveTimer.setSingleShot(true);
    connect(&d_->keepAliveTimer, &QTimer::timeout, this, &HartIpPort::KeepAliveDue);
    d_->probeTimer.setSingleShot(true);
    connect(&d_->probeTimer, &QTimer::timeout, this, [this] {
        if (d_->state == Private::State::Open && d_->keepAliveOutstanding)
            SessionLost(tr("The server at %1 stopped answering.").arg(NameText()));
    });
}

HartIpPort::~HartIpPort()
{
    Close();
}

QString HartIpPort::NameText() const { return QString::fromStdString(HartIpName(d_->target)); }

const HartIpTarget& HartIpPort::Target() const { return d_->target; }

bool HartIpPort::IsOpen() const { return d_->state == Private::State::Open; }

int HartIpPort::IgnoredMessages() const { return d_->ignored; }

hart::TRtsControl HartIpPort::RtsControl() const { return d_->rts; }

void HartIpPort::SetRtsControl(hart::TRtsControl value) { d_->rts = value; }

void HartIpPort::SetTrafficSink(hart::TrafficSink sink) { d_->sink = std::move(sink); }

void HartIpPort::Open(const HartIpTarget& target)
{
    Close();
    d_->target = target;
    d_->ignored = 0;
    d_->stream.clear();
    d_->setupTimer.start(kHartIpSetupMs);
    const QString host = QString::fromStdString(target.host);
    QHostAddress address;
    if (address.setAddress(host)) {
        d_->state = Private::State::Connecting;
        // Opened or Failed never comes inside Open: the caller may not be listening yet.
        QTimer::singleShot(0, this, [this] {
            // The target of the latest Open: an earlier one may have been closed since.
            if (d_->state == Private::State::Connecting && !d_->socket)
                Connect(QHostAddress(QString::fromStdString(d_->target.host)));
        });
        return;
    }
    d_->state = Private::State::Resolving;
    d_->lookupId = QHostInfo::lookupHost(host, this, [this](const QHostInfo& info) {
        d_->lookupId = -1;
        if (d_->state != Private::State::Resolving)
            return;
        if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
            SetupFailed(tr("Cannot find the host %1: %2.").arg(QString::fromStdString(d_->target.host), info.errorString()));
            return;
        }
        // IPv4 first: a server on the loopback listens there by default.
        const auto addresses = info.addresses();
        const auto v4 = std::find_if(addresses.begin(), addresses.end(),
                                     [](const QHostAddress& a) { return a.protocol() == QAbstractSocket::IPv4Protocol; });
        d_->state = Private::State::Connecting;
        Connect(v4 != addresses.end() ? *v4 : addresses.front());
    });
}

void HartIpPort::Connect(const QHostAddress& address)
{
    if (d_->target.tcp)
        d_->socket = std::make_unique<QTcpSocket>();
    else
        d_->socket = std::make_unique<QUdpSocket>();
    QAbstractSocket* s = d_->socket.get();
    connect(s, &QAbstractSocket::connected, this, [this] {
        Depth depth(d_->inSocketCall);
        if (d_->state != Private::State::Connecting)
            return;
        d_->state = Private::State::Initiating;
        d_->initiateSequence = d_->nextSequence;
        Send(ip::SessionInitiate(d_->nextSequence++, d_->target.master, d_->target.inactivityMs));
    });
    connect(s, &QAbstractSocket::readyRead, this, &HartIpPort::ReadReady);
    connect(s, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        Depth depth(d_->inSocketCall);
        const QString why = error == QAbstractSocket::RemoteHostClosedError ? tr("the server closed the connection")
                            : error == QAbstractSocket::ConnectionRefusedError
                                ? tr("nothing answers at that address and port")
                                : d_->socket->errorString();
        if (d_->state == Private::State::Open)
            SessionLost(tr("The connection to %1 was lost: %2.").arg(NameText(), why));
        else
            SetupFailed(tr("Cannot reach %1: %2.").arg(NameText(), why));
    });
    connect(s, &QAbstractSocket::disconnected, this, [this] {
        Depth depth(d_->inSocketCall);
        if (d_->state == Private::State::Open)
            SessionLost(tr("The connection to %1 was lost: %2.").arg(NameText(), tr("the server closed the connection")));
    });
    s->connectToHost(address, d_->target.port);
}

void HartIpPort::Close()
{
    const bool open = d_->state == Private::State::Open;
    if (open)
        Send(ip::SessionClose(d_->nextSequence++)); // not waited for: the server ends the session either way
    Shutdown();
}

void HartIpPort::Shutdown()
{
    d_->state = Private::State::Closed;
    if (d_->lookupId >= 0) {
        QHostInfo::abortHostLookup(d_->lookupId);
        d_->lookupId = -1;
    }
    d_->setupTimer.stop();
    d_->keepAliveTimer.stop();
    d_->probeTimer.stop();
    d_->passThrough.reset();
    d_->keepAliveOutstanding = false;
    d_->keepAlivesMissed = 0;
    if (auto socket = std::move(d_->socket)) {
        socket->disconnect(this);
        if (auto* tcp = qobject_cast<QTcpSocket*>(socket.get()))
            tcp->flush(); // the session close goes before the connection does
        socket->abort();
        if (d_->inSocketCall > 0)
            socket.release()->deleteLater();
    }
}

void HartIpPort::SetupFailed(const QString& reason)
{
    if (d_->state == Private::State::Closed || d_->state == Private::State::Open)
        return;
    qCInfo(lcHartIp).noquote() << reason;
    Shutdown();
    emit Failed(reason);
}

void HartIpPort::SessionLost(const QString& reason)
{
    if (d_->state != Private::State::Open)
        return;
    qCInfo(lcHartIp).noquote() << reason;
    Shutdown();
    emit Lost(reason);
}

void HartIpPort::Send(const std::vector<std::uint8_t>& message)
{
    QAbstractSocket* s = d_->socket.get();
    if (!s)
        return;
    s->write(reinterpret_cast<const char*>(message.data()), static_cast<qint64>(message.size()));
    Record(hart::Direction::Sent, message);
    // Anything sent keeps the session alive: keep-alives go only when idle.
    if (d_->state == Private::State::Open)
        d_->keepAliveTimer.start(KeepAliveInterval());
}

int HartIpPort::KeepAliveInterval() const
{
    // A third of the server's timer: two may go unanswered before it runs out.
    return static_cast<int>(std::clamp<std::uint32_t>(d_->inactivityMs / 3, 1, 3'600'000));
}

void HartIpPort::KeepAliveDue()
{
    if (d_->state != Private::State::Open)
        return;
    if (d_->keepAliveOutstanding && ++d_->keepAlivesMissed >= 2) {
        SessionLost(tr("The server at %1 stopped answering.").arg(NameText()));
        return;
    }
    d_->keepAliveOutstanding = true;
    Send(ip::KeepAlive(d_->nextSequence++));
}

void HartIpPort::Probe()
{
    // Requests going out keep the keep-alives from going, so a server gone
    // quiet mid-batch would only be seen as a silent device, item after item.
    // A silent device and a server gone look alike from the pass-through
    // alone; the server answers a keep-alive for itself.
    if (!d_->keepAliveOutstanding) {
        d_->keepAliveOutstanding = true;
        Send(ip::KeepAlive(d_->nextSequence++));
    }
    // One already out serves as well; the wait for it is not drawn out.
    if (!d_->probeTimer.isActive())
        d_->probeTimer.start(kHartIpProbeMs);
}

void HartIpPort::Record(hart::Direction direction, std::span<const std::uint8_t> message)
{
    if (!d_->sink || !d_->socket)
        return;
    const QAbstractSocket* s = d_->socket.get();
    hart::NetworkEndpoints e;
    e.tcp = d_->target.tcp;
    const bool sent = direction == hart::Direction::Sent;
    bool v6 = false;
    e.source = AddressBytes(sent ? s->localAddress() : s->peerAddress(), &v6);
    e.destination = AddressBytes(sent ? s->peerAddress() : s->localAddress(), &v6);
    e.ipv6 = v6;
    e.sourcePort = sent ? s->localPort() : s->peerPort();
    e.destinationPort = sent ? s->peerPort() : s->localPort();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
    d_->sink(hart::TrafficRecord{direction, ns, {message.begin(), message.end()}, e});
}

bool HartIpPort::WriteBytes(const void* data, std::uint16_t count)
{
    if (d_->state != Private::State::Open || !data || count == 0)
        return false;
    std::span<const std::uint8_t> frame(static_cast<const std::uint8_t*>(data), count);
    // One frame a message: a byte some requests carry after the checksum
    // belongs to a modem's line, not to the frame.
    const hart::FrameSpan f = hart::FindFrame(frame);
    if (f.state == hart::FrameState::Whole)
        frame = frame.subspan(f.start, f.length);
    if (d_->passThrough)
        Probe(); // the request before this one is still unanswered
    d_->passThrough = d_->nextSequence;
    Send(ip::PassThrough(ip::MessageType::Request, d_->nextSequence++, frame));
    return true;
}

void HartIpPort::ReadReady()
{
    QPointer<HartIpPort> self(this);
    Depth depth(d_->inSocketCall);
    if (auto* udp = qobject_cast<QUdpSocket*>(d_->socket.get())) {
        while (self && d_->socket && udp->hasPendingDatagrams()) {
            const QNetworkDatagram datagram = udp->receiveDatagram();
            const QByteArray bytes = datagram.data();
            const auto parsed = ip::Parse({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
            if (!parsed.message) {
                // One datagram, one message: a bad one is dropped, the session goes on.
                ++d_->ignored;
                qCInfo(lcHartIp) << "datagram dropped:" << ip::RejectName(parsed.reject);
                continue;
            }
            Take(*parsed.message, {reinterpret_cast<const std::uint8_t*>(bytes.constData()), parsed.length});
        }
        return;
    }
    QAbstractSocket* tcp = d_->socket.get();
    if (!tcp)
        return;
    const QByteArray chunk = tcp->readAll();
    d_->stream.insert(d_->stream.end(), chunk.begin(), chunk.end());
    while (self && d_->socket && !d_->stream.empty()) {
        const auto parsed = ip::Parse(d_->stream);
        if (!parsed.message) {
            if (parsed.reject == ip::Reject::ShortHeader || parsed.reject == ip::Reject::CountPastEnd)
                return; // the rest is on its way
            // A stream out of step cannot be read on: where the next message starts is unknown.
            const QString why = tr("%1 sent bytes that are no HART-IP message (%2).").arg(NameText(), RejectText(parsed.reject));
            if (d_->state == Private::State::Open)
                SessionLost(why);
            else
                SetupFailed(why);
            return;
        }
        const std::vector<std::uint8_t> message(d_->stream.begin(), d_->stream.begin() + static_cast<std::ptrdiff_t>(parsed.length));
        d_->stream.erase(d_->stream.begin(), d_->stream.begin() + static_cast<std::ptrdiff_t>(parsed.length));
        const auto again = ip::Parse(message);
        Take(*again.message, message);
    }
}

QString HartIpPort::RejectText(ip::Reject reject)
{
    switch (reject) {
    case ip::Reject::ShortHeader: return tr("short header");
    case ip::Reject::WrongVersion: return tr("wrong version");
    case ip::Reject::UnknownType: return tr("unknown message type");
    case ip::Reject::UnknownId: return tr("unknown message id");
    case ip::Reject::CountTooSmall: return tr("byte count below the header");
    case ip::Reject::CountPastEnd: return tr("byte count past the end");
    case ip::Reject::TooLong: return tr("message too long");
    }
    return tr("rejected");
}

QString HartIpPort::SessionStatusText(std::uint8_t status)
{
    switch (status) {
    case ip::kStatusInvalidSelection: return tr("it does not take this master type");
    case ip::kStatusTooFewDataBytes: return tr("too few data bytes");
    case ip::kStatusVersionNotSupported: return tr("HART-IP version not supported");
    case ip::kStatusSessionsInUse: return tr("all available sessions in use");
    case ip::kStatusSessionEstablished: return tr("a session is already established");
    }
    return tr("status %1").arg(status);
}

QString HartIpPort::ErrorCodeText(std::span<const std::uint8_t> body)
{
    if (body.empty())
        return tr("no error code given");
    switch (body[0]) {
    case ip::kErrorSessionClosed: return tr("session closed");
    case ip::kErrorPrimaryUnavailable: return tr("primary master unavailable");
    case ip::kErrorServiceUnavailable: return tr("service unavailable");
    }
    return tr("error code %1").arg(body[0]);
}

void HartIpPort::Take(const ip::Message& m, std::span<const std::uint8_t> bytes)
{
    Record(hart::Direction::Received, bytes);
    const auto& h = m.header;
    if (h.type == ip::MessageType::Error || h.type == ip::MessageType::Nak) {
        const QString what = ErrorCodeText(m.body);
        if (d_->state == Private::State::Open)
            SessionLost(tr("%1 ended the session: %2.").arg(NameText(), what));
        else
            SetupFailed(tr("%1 refused the session: %2.").arg(NameText(), what));
        return;
    }
    if (h.type != ip::MessageType::Response) {
        ++d_->ignored; // a request or a publish: nothing this master asked for
        return;
    }
    // Anything the server answers shows it is there.
    d_->keepAliveOutstanding = false;
    d_->keepAlivesMissed = 0;
    d_->probeTimer.stop();
    switch (h.id) {
    case ip::MessageId::SessionInitiate:
        if (d_->state != Private::State::Initiating || h.sequence != d_->initiateSequence) {
            ++d_->ignored;
            return;
        }
        if (h.status != ip::kStatusSuccess && h.status != ip::kStatusSetToNearest) {
            SetupFailed(tr("%1 refused the session: %2.").arg(NameText(), SessionStatusText(h.status)));
            return;
        }
        d_->inactivityMs = d_->target.inactivityMs;
        if (const auto body = ip::ParseSessionBody(m.body); body && body->inactivityMs > 0)
            d_->inactivityMs = body->inactivityMs; // the server's own figure, when it set another
        d_->state = Private::State::Open;
        d_->setupTimer.stop();
        d_->keepAliveTimer.start(KeepAliveInterval());
        emit Opened();
        return;
    case ip::MessageId::PassThrough:
        if (d_->state != Private::State::Open || h.sequence != d_->passThrough) {
            // A late response to a request sent again since, or to none.
            ++d_->ignored;
            qCDebug(lcHartIp) << "pass-through response" << h.sequence << "ignored";
            return;
        }
        d_->passThrough.reset();
        if (m.body.empty()) {
            // The gateway could not run the transaction (status in its header):
            // no frame, so the link's wait ends as with no answer.
            qCInfo(lcHartIp) << "pass-through response without a frame, status" << h.status;
            return;
        }
        emit Received(QByteArray(reinterpret_cast<const char*>(m.body.data()), static_cast<qsizetype>(m.body.size())));
        return;
    case ip::MessageId::KeepAlive:
    case ip::MessageId::SessionClose:
        return;
    }
}

} // namespace line
