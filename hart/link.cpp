#include "hart/link.h"

#include "hart/request_frame.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace hart {

namespace {

constexpr int kSleepMs = 200;

std::int32_t Wrapped(std::int32_t total, std::size_t add)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(total) + static_cast<std::uint32_t>(add));
}

// Enabling an enabled timer must not restart it.
void Enable(QTimer& t)
{
    if (!t.isActive())
        t.start();
}

} // namespace

HartLink::HartLink(QObject* parent)
    : QObject(parent), sleep_([](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); })
{
    // Coarse timers may fire 5 % early: a 3000 ms time-out must not come at 2850.
    timer2_.setTimerType(Qt::PreciseTimer);
    timer3_.setTimerType(Qt::PreciseTimer);
    timer2_.setObjectName("Timer2");
    timer2_.setInterval(100);
    timer2_.setSingleShot(false);
    timer3_.setObjectName("Timer3");
    timer3_.setInterval(3000);
    timer3_.setSingleShot(false);
    connect(&timer2_, &QTimer::timeout, this, &HartLink::Timer2Timer);
    connect(&timer3_, &QTimer::timeout, this, &HartLink::Timer3Timer);
}

void HartLink::SetDecoder(int pendingCode, Decoder decode, FailureHandler fail)
{
    handlers_[pendingCode] = Handler{std::move(decode), std::move(fail)};
}

bool HartLink::Decode(int pendingCode, const AnswerFrame& frame)
{
    const auto handler = handlers_.find(pendingCode);
    if (handler == handlers_.end())
        return false;
    if (!IsErrorResponse(frame.responseCode()) && handler->second.decode && handler->second.decode(frame)) {
        emit AnswerDecoded(pendingCode, frame);
        return true;
    }
    if (handler->second.fail)
        handler->second.fail();
    return false;
}

void HartLink::ResetCounters()
{
    bytesSent_ = 0;
    bytesReceived_ = 0;
}

void HartLink::CountSent(std::size_t bytes)
{
    bytesSent_ = Wrapped(bytesSent_, bytes);
    emit BytesSentChanged(bytesSent_);
}

void HartLink::CountReceived(std::size_t bytes)
{
    bytesReceived_ = Wrapped(bytesReceived_, bytes);
    emit BytesReceivedChanged(bytesReceived_);
}

void HartLink::ReleaseLine()
{
    if (owner_)
        owner_->Release(this);
}

void HartLink::SetStatus(std::string_view text)
{
    // Every status text is one of the marked English texts; the translation is looked up by it.
    emit StatusChanged(QCoreApplication::translate("hart", std::string(text).c_str()));
}

void HartLink::ShowStatus(const RequestRow& row) { SetStatus(StatusString(row.status)); }

void HartLink::Send(const RequestRow& row, std::span<const std::uint8_t> data, std::uint8_t pollingAddress)
{
    ShowStatus(row);
    Transmit(row, data, pollingAddress);
}

void HartLink::Arm(const RequestRow& row)
{
    pendingRequest_ = row.pendingCode;
    timeoutKind_ = static_cast<std::int32_t>(row.kind);
    pendingCommand_ = row.command;
    Step("arm");
}

void HartLink::StartTimeout()
{
    // Restarted, not merely enabled: a request must not inherit the time-out
    // an older, unanswered one left running.
    timer3_.start();
    Step("start");
}

void HartLink::Sleep()
{
    Step("sleep");
    sleep_(kSleepMs);
}

void HartLink::Transmit(const RequestRow& row, std::span<const std::uint8_t> data, std::uint8_t pollingAddress)
{
    if (!owner_)
        return TransmitNow(row, data, pollingAddress);
    const RequestRow* r = &row; // rows live in the static table
    std::vector<std::uint8_t> copy(data.begin(), data.end());
    // At once when the line is free or already the buttons'; else after the holder lets go.
    owner_->Claim(LineClient::Button, this,
                  [this, r, copy = std::move(copy), pollingAddress] { TransmitNow(*r, copy, pollingAddress); });
}

void HartLink::TransmitNow(const RequestRow& row, std::span<const std::uint8_t> data, std::uint8_t pollingAddress)
{
    Q_ASSERT(row.byteCount == kVariableByteCount || static_cast<std::size_t>(row.byteCount) == data.size());

    // Keys the modem until the frame has left the line, on every way out.
    struct RtsGuard {
        HartLink& link;
        bool active;
        ~RtsGuard()
        {
            if (active)
                link.ReleaseRts();
        }
    } rts{*this, row.rts};
    if (row.rts) {
        ++rtsHolds_;
        if (port_)
            port_->SetRtsControl(TRtsControl::RtsEnable);
        Step("rts-on");
    }

    const auto area = buffer_.frameArea();
    const std::size_t length = BuildRequestFrame(area, row, buffer_.identity(), data, pollingAddress);
    if (length == 0)
        return; // cannot happen for the table's requests: they all fit the frame area

    deliveredSinceSend_ = false;
    bytesSent_ = Wrapped(bytesSent_, port_ ? CarriedBytes(*port_, area.first(length)) : length);
    emit BytesSentChanged(bytesSent_);
    if (port_)
        port_->WriteBytes(area.data(), static_cast<std::uint16_t>(length));
    Step("write");

    switch (row.tail) {
    case Tail::SleepArmStart: Sleep(); Arm(row); StartTimeout(); break;
    case Tail::ArmStartSleep: Arm(row); StartTimeout(); Sleep(); break;
    case Tail::StartSleepArm: StartTimeout(); Sleep(); Arm(row); break;
    case Tail::ArmStart: Arm(row); StartTimeout(); break;
    case Tail::StartArm: StartTimeout(); Arm(row); break;
    }
}

void HartLink::ReleaseRts()
{
    auto drop = [this, self = QPointer<HartLink>(this), port = port_] {
        // A later request may still be going out: the last one drops RTS.
        if (self && --rtsHolds_ > 0)
            return;
        if (port)
            port->SetRtsControl(TRtsControl::RtsDisable);
        if (self)
            Step("rts-off");
    };
    if (port_)
        port_->WhenDrained(std::move(drop));
    else
        drop();
}

void HartLink::Comm1ReceiveData(const void* buffer, std::uint16_t length)
{
    // A frame from a network comes without preambles: two go before it, so
    // that its header (a preamble and the delimiter) lies where every search
    // window looks, the identify answer's too, which starts at the second
    // byte. Only the bytes that came are counted.
    const std::size_t lead = port_ && port_->MinPreambles() == 0 && buffer && length > 0 ? 2 : 0;
    // Only the first 132 bytes are kept: nothing received may reach the frame area or the identity.
    const std::size_t kept = std::min<std::size_t>(length, LinkBuffer::kReceiveSize - lead);
    std::fill_n(buffer_.receiveArea().begin(), lead, kPreamble);
    if (kept > 0 && buffer)
        std::memcpy(buffer_.receiveArea().data() + lead, buffer, kept);
    deliveryLength_ = buffer ? kept + lead : 0;
    deliveredSinceSend_ = true;
    bytesReceived_ = Wrapped(bytesReceived_, length);
    emit BytesReceivedChanged(bytesReceived_);
    Enable(timer2_);
}

void HartLink::Timer2Timer()
{
    timer2_.stop();
    const DispatchRow* row = FindDispatch(pendingRequest_);
    // A tick with nothing received since the request went out has nothing to judge.
    if (!row || !deliveredSinceSend_)
        return;

    // Parsed from a copy of exactly the delivered bytes, so that no decoder can
    // read a byte the device did not send without the sanitizers seeing it.
    const auto area = buffer_.receiveArea();
    const std::vector<std::uint8_t> delivery(area.begin(), area.begin() + static_cast<std::ptrdiff_t>(deliveryLength_));
    std::optional<AnswerFrame> frame;
    if (const auto header = FindHeader(*row, delivery))
        frame = AnswerFrame::Parse(delivery, *header);

    // A whole answer to another command is not ours: keep waiting for ours.
    if (frame && frame->command() != pendingCommand_)
        return;

    const int code = pendingRequest_;
    pendingRequest_ = 0;
    timer3_.stop();

    if (row->kind == AnswerKind::Write) {
        SetStatus(WriteAnswerText(frame ? std::optional(frame->responseCode()) : std::nullopt));
        emit WriteAnswered(code, frame ? frame->responseCode() : -1);
        emit AnswerHandled(code, frame && frame->responseCode() == 0);
        ReleaseLine();
        return;
    }

    const auto handler = handlers_.find(code);
    const bool decoded = frame && !IsErrorResponse(frame->responseCode()) && handler != handlers_.end()
                         && handler->second.decode && handler->second.decode(*frame);
    if (decoded) {
        emit AnswerDecoded(code, *frame);
        SetStatus(kUploadSuccessful);
    } else {
        if (handler != handlers_.end() && handler->second.fail)
            handler->second.fail();
        SetStatus(kUploadFailed);
    }
    emit AnswerHandled(code, decoded);
    ReleaseLine();
}

void HartLink::Timer3Timer()
{
    if (timeoutKind_ == static_cast<std::int32_t>(TimeoutKind::Query))
        SetStatus(kUploadTimeout);
    else if (timeoutKind_ == static_cast<std::int32_t>(TimeoutKind::Setting))
        SetStatus(kWriteTimeout);
    timer3_.stop();
    emit TimedOut(pendingRequest_, timeoutKind_);
    ReleaseLine(); // a late answer is still decoded, but the line goes on
}

} // namespace hart
