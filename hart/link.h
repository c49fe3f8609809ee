#pragma once

#include "hart/answer_dispatch.h"
#include "hart/byte_port.h"
#include "hart/frames.h"
#include "hart/line_owner.h"
#include "hart/link_buffer.h"
#include "hart/request_table.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string_view>

namespace hart {

// The master side of one HART line: sends one request at a time, finds and
// judges its answer, and reports outcomes as status texts. Lives on the window
// thread; everything it owns is touched by that thread only.
class HartLink : public QObject {
    Q_OBJECT
public:
    // Decodes a found, whole, error-free answer into the window; false when the
    // answer lacks bytes the decoder needs (it then counts as failed).
    using Decoder = std::function<bool(const AnswerFrame&)>;
    // Clears what a failed query clears.
    using FailureHandler = std::function<void()>;

    explicit HartLink(QObject* parent = nullptr);

    void SetPort(BytePort* port) { port_ = port; }
    // The window thread's pause after handing a frame over; tests replace it.
    void SetSleep(std::function<void(int ms)> sleep) { sleep_ = std::move(sleep); }
    // Receives the send sequence's steps by name ("rts-on", "write", "sleep", "arm", "start", "rts-off").
    void SetTrace(std::function<void(std::string_view step)> trace) { trace_ = std::move(trace); }
    void SetDecoder(int pendingCode, Decoder decode, FailureHandler fail = {});
    // Every request claims the line as a button's and holds it until its
    // answer is handled or its time-out fires; without an owner it goes at once.
    void SetLineOwner(LineOwner* owner) { owner_ = owner; }

    LinkBuffer& Buffer() { return buffer_; }
    const LinkBuffer& Buffer() const { return buffer_; }
    std::int32_t PendingRequest() const { return pendingRequest_; }
    std::int32_t TimeoutKindValue() const { return timeoutKind_; }
    std::uint8_t PendingCommand() const { return pendingCommand_; }
    std::int32_t BytesSent() const { return bytesSent_; }
    std::int32_t BytesReceived() const { return bytesReceived_; }
    QTimer& Timer2() { return timer2_; }
    QTimer& Timer3() { return timer3_; }

    void ResetCounters();
    // Bytes that went on the line or came off it another way (the batch path):
    // the counters count every byte on the line.
    void CountSent(std::size_t bytes);
    void CountReceived(std::size_t bytes);

    // Step 2 of the send sequence: the request's status text.
    void ShowStatus(const RequestRow& row);
    // The rest of it: RTS, frame, count, write, tail; RTS goes back off once the
    // port says the frame has left the line (always, on every path).
    // `pollingAddress` is used by the short frame only.
    void Transmit(const RequestRow& row, std::span<const std::uint8_t> data = {}, std::uint8_t pollingAddress = 0);
    // ShowStatus then Transmit, for requests without input to check in between.
    void Send(const RequestRow& row, std::span<const std::uint8_t> data = {}, std::uint8_t pollingAddress = 0);

    // Runs the decoder registered for `pendingCode` on an answer that came
    // another way (a batch read), or its failure handler when it cannot;
    // touches no pending request, timer or status text.
    bool Decode(int pendingCode, const AnswerFrame& frame);

    // The port's delivery handler.
    void Comm1ReceiveData(const void* buffer, std::uint16_t length);
    void Timer2Timer();
    void Timer3Timer();

signals:
    void StatusChanged(const QString& text);     // the transfer-status label
    void BytesSentChanged(std::int32_t total);
    void BytesReceivedChanged(std::int32_t total);
    // A pending request's answer was judged (after its texts and fields were written).
    void AnswerHandled(int pendingCode, bool success);
    // Before AnswerHandled: a setting's answer, with its response code (-1: what
    // came held no answer to it).
    void WriteAnswered(int pendingCode, int responseCode);
    // A query's answer, or one that came another way, was decoded into the window.
    void AnswerDecoded(int pendingCode, const hart::AnswerFrame& frame);
    // Nothing came in time for the pending request (it may still come).
    void TimedOut(int pendingCode, int timeoutKind);

private:
    void Step(std::string_view name) { if (trace_) trace_(name); }
    void Arm(const RequestRow& row);
    void StartTimeout();
    void Sleep();
    void SetStatus(std::string_view text);
    void TransmitNow(const RequestRow& row, std::span<const std::uint8_t> data, std::uint8_t pollingAddress);
    void ReleaseRts();
    void ReleaseLine();

    LinkBuffer buffer_;
    BytePort* port_ = nullptr;
    std::function<void(int)> sleep_;
    std::function<void(std::string_view)> trace_;
    struct Handler {
        Decoder decode;
        FailureHandler fail;
    };
    std::map<int, Handler> handlers_;
    LineOwner* owner_ = nullptr;

    std::int32_t pendingRequest_ = 0;
    std::int32_t timeoutKind_ = 0;
    std::uint8_t pendingCommand_ = 0; // tells apart the two commands that share a pending code
    std::int32_t bytesSent_ = 0;
    std::int32_t bytesReceived_ = 0;
    int rtsHolds_ = 0;                // RTS requests whose frames have not yet left the line
    std::size_t deliveryLength_ = 0;  // bytes of the latest delivery in the receive area
    bool deliveredSinceSend_ = false; // only bytes that came after the request can answer it
    QTimer timer2_;
    QTimer timer3_;
};

} // namespace hart
