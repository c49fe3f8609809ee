#pragma once

#include "hart/byte_port.h"
#include "serial/comm_error.h"
#include "serial/line_settings.h"
#include "serial/worker.h"

#include <QtCore/QObject>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

namespace serial {

namespace detail {
class CommEvent;
class NotifyWindow;
class NotifySink;
struct PortLink;
} // namespace detail

// One serial port with a receive thread and a send thread. Every event is
// raised on the thread that constructed the component, through posted
// events; the threads never call the component.
//
// The port name becomes a device path by PortPath ("COM1" is /dev/ttyS0,
// "ttyUSB0" is /dev/ttyUSB0). The open is exclusive (TIOCEXCL and a
// flock), so a second open from this or another process fails.
// Handlers may call any operation, but must not delete the component
// (use deleteLater).
class TComm : public QObject, public hart::BytePort {
    Q_OBJECT

public:
    explicit TComm(QObject* owner = nullptr);
    // Closes an open port: its threads cannot outlive the component.
    ~TComm() override;

    // Throws ECommsError; a failed open leaves the component closed with
    // nothing held.
    void OpenPort();
    // Stops both threads (10 s limit each) and closes the port; nothing
    // when closed. Events still queued from this open are dropped.
    void ClosePort();
    // Copies the bytes and hands them to the send thread. False when the
    // port is closed, the send thread has ended, or count is 0.
    bool WriteBytes(const void* data, std::uint16_t count) override;
    // Runs `fn` on the component's thread once every byte handed to
    // WriteBytes so far has been written and has left the line (tcdrain);
    // at once when nothing is outstanding or the port is closed. Waiting
    // callbacks run in order, each once, also when the port is closed or
    // hangs up, before OnRequestHangup.
    void WhenDrained(std::function<void()> fn) override;
    // Push the properties to the open port; no effect while closed.
    void ApplyCommState();
    void ApplyCommTimeouts();

    bool IsOpen() const;
    bool SendDataEmpty() const;
    bool ReadThreadRunning() const;
    bool WriteThreadRunning() const;
    int PortDescriptor() const; // -1 while closed
    // Why the port went away, for the latest hang-up request: the system's
    // text for the failing call's error.
    const std::string& HangupReason() const { return hangupReason_; }

    // Stored only; used by the next OpenPort.
    const std::string& CommName() const { return commName_; }
    void SetCommName(std::string value) { commName_ = std::move(value); }
    // Stored only; reaches the port with the next OpenPort or ApplyCommState.
    TParity Parity() const { return settings_.Parity; }
    void SetParity(TParity value) { settings_.Parity = value; }

    std::uint32_t BaudRate() const { return settings_.BaudRate; }
    void SetBaudRate(std::uint32_t v) { SetState(&CommSettings::BaudRate, v); }
    bool ParityCheck() const { return settings_.ParityCheck; }
    void SetParityCheck(bool v) { SetState(&CommSettings::ParityCheck, v); }
    bool Outx_CtsFlow() const { return settings_.Outx_CtsFlow; }
    void SetOutx_CtsFlow(bool v) { SetState(&CommSettings::Outx_CtsFlow, v); }
    bool Outx_DsrFlow() const { return settings_.Outx_DsrFlow; }
    void SetOutx_DsrFlow(bool v) { SetState(&CommSettings::Outx_DsrFlow, v); }
    TDtrControl DtrControl() const { return settings_.DtrControl; }
    void SetDtrControl(TDtrControl v) { SetState(&CommSettings::DtrControl, v); }
    bool DsrSensitivity() const { return settings_.DsrSensitivity; }
    void SetDsrSensitivity(bool v) { SetState(&CommSettings::DsrSensitivity, v); }
    bool TxContinueOnXoff() const { return settings_.TxContinueOnXoff; }
    void SetTxContinueOnXoff(bool v) { SetState(&CommSettings::TxContinueOnXoff, v); }
    bool Outx_XonXoffFlow() const { return settings_.Outx_XonXoffFlow; }
    void SetOutx_XonXoffFlow(bool v) { SetState(&CommSettings::Outx_XonXoffFlow, v); }
    bool Inx_XonXoffFlow() const { return settings_.Inx_XonXoffFlow; }
    void SetInx_XonXoffFlow(bool v) { SetState(&CommSettings::Inx_XonXoffFlow, v); }
    bool ReplaceWhenParityError() const { return settings_.ReplaceWhenParityError; }
    void SetReplaceWhenParityError(bool v) { SetState(&CommSettings::ReplaceWhenParityError, v); }
    bool IgnoreNullChar() const { return settings_.IgnoreNullChar; }
    void SetIgnoreNullChar(bool v) { SetState(&CommSettings::IgnoreNullChar, v); }
    TRtsControl RtsControl() const override { return settings_.RtsControl; }
    // On an open port the RTS line follows at once.
    void SetRtsControl(TRtsControl v) override { SetState(&CommSettings::RtsControl, v); }
    std::uint16_t XonLimit() const { return settings_.XonLimit; }
    void SetXonLimit(std::uint16_t v) { SetState(&CommSettings::XonLimit, v); }
    std::uint16_t XoffLimit() const { return settings_.XoffLimit; }
    void SetXoffLimit(std::uint16_t v) { SetState(&CommSettings::XoffLimit, v); }
    TByteSize ByteSize() const { return settings_.ByteSize; }
    void SetByteSize(TByteSize v) { SetState(&CommSettings::ByteSize, v); }
    TStopBits StopBits() const { return settings_.StopBits; }
    void SetStopBits(TStopBits v) { SetState(&CommSettings::StopBits, v); }
    char XonChar() const { return settings_.XonChar; }
    void SetXonChar(char v) { SetState(&CommSettings::XonChar, v); }
    char XoffChar() const { return settings_.XoffChar; }
    void SetXoffChar(char v) { SetState(&CommSettings::XoffChar, v); }
    char ReplacedChar() const { return settings_.ReplacedChar; }
    void SetReplacedChar(char v) { SetState(&CommSettings::ReplacedChar, v); }

    std::uint32_t ReadIntervalTimeout() const { return timeouts_.ReadIntervalTimeout; }
    void SetReadIntervalTimeout(std::uint32_t v) { SetTimeout(&CommTimeouts::ReadIntervalTimeout, v); }
    std::uint32_t ReadTotalTimeoutMultiplier() const { return timeouts_.ReadTotalTimeoutMultiplier; }
    void SetReadTotalTimeoutMultiplier(std::uint32_t v) { SetTimeout(&CommTimeouts::ReadTotalTimeoutMultiplier, v); }
    std::uint32_t ReadTotalTimeoutConstant() const { return timeouts_.ReadTotalTimeoutConstant; }
    void SetReadTotalTimeoutConstant(std::uint32_t v) { SetTimeout(&CommTimeouts::ReadTotalTimeoutConstant, v); }
    // Stored; the sender goes on after a piece that timed out, so a write
    // limit never changes what is sent.
    std::uint32_t WriteTotalTimeoutMultiplier() const { return timeouts_.WriteTotalTimeoutMultiplier; }
    void SetWriteTotalTimeoutMultiplier(std::uint32_t v) { SetTimeout(&CommTimeouts::WriteTotalTimeoutMultiplier, v); }
    std::uint32_t WriteTotalTimeoutConstant() const { return timeouts_.WriteTotalTimeoutConstant; }
    void SetWriteTotalTimeoutConstant(std::uint32_t v) { SetTimeout(&CommTimeouts::WriteTotalTimeoutConstant, v); }

    const CommSettings& Settings() const { return settings_; }

    // The block lives only for the call; it has a 0 byte after the data.
    std::function<void(TComm* Sender, const void* Buffer, std::uint16_t BufferLength)> OnReceiveData;
    std::function<void(TComm* Sender, std::uint32_t EventMask)> OnReceiveError;
    std::function<void(TComm* Sender, std::uint32_t ModemEvent)> OnModemStateChange;
    // At most once per open.
    std::function<void(TComm* Sender)> OnRequestHangup;
    std::function<void(TComm* Sender)> OnSendDataEmpty;

private:
    friend class detail::NotifyWindow;

    template <class T>
    void SetState(T CommSettings::*field, T value)
    {
        if (settings_.*field == value)
            return;
        settings_.*field = value;
        if (IsOpen())
            ApplyCommState();
    }
    void SetTimeout(std::uint32_t CommTimeouts::*field, std::uint32_t value)
    {
        if (timeouts_.*field == value)
            return;
        timeouts_.*field = value;
        if (IsOpen())
            ApplyCommTimeouts();
    }

    void Dispatch(const detail::CommEvent& event);
    void StopThreads(detail::PortLink& link);
    // Runs the drain waiters that are due, or all of them.
    void RunDrainWaiters(bool all);

    std::string commName_ = "COM2";
    CommSettings settings_;
    CommTimeouts timeouts_;

    detail::NotifyWindow* notifyWindow_;
    std::shared_ptr<detail::NotifySink> sink_;
    std::shared_ptr<detail::PortLink> link_; // null while closed
    std::uint64_t generation_ = 0;           // changes with every open and close
    std::uint32_t handedOver_ = 0;           // blocks accepted by WriteBytes in this open
    std::uint32_t drained_ = 0;              // of those, the ones that have left the line
    struct DrainWaiter {
        std::uint32_t ticket; // handedOver_ when it was registered
        std::function<void()> fn;
    };
    std::deque<DrainWaiter> drainWaiters_;
    std::string hangupReason_;
    Worker readThread_;
    Worker writeThread_;
    Worker modemThread_;
};

} // namespace serial
