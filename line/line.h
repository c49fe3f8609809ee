#pragma once

#include "codec/result.h"
#include "hart/line_owner.h"
#include "hart/transactor.h"
#include "line/hart_ip_port.h"
#include "serial/tcomm.h"
#include "sim/pty_simulator.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace line {

// Reads end after this much silence: how the window's own buttons get an
// answer in one delivery.
inline constexpr std::uint32_t kWindowReadInterval = 300;
// Every read is delivered at once: the batch path assembles frames itself.
inline constexpr std::uint32_t kBatchReadInterval = 0xFFFFFFFF;

// The settings the window's port has always had: 1200 baud, odd parity,
// 8 data bits, 1 stop bit, RTS off, no XON/XOFF, the window's read interval.
void ConfigureHartPort(serial::TComm& comm);

// The name to give TComm for `name`; with `simulate` the simulated
// converter's pseudo-terminal, started into `simulator` unless it runs.
codec::Result<std::string> PortNameFor(std::string_view name, bool simulate,
                                       std::unique_ptr<sim::PtySimulator>& simulator,
                                       const sim::PtySimulatorOptions& options = {});

// While it lives the port delivers every read at once; the window's read
// interval comes back when it goes, so the buttons keep their timing.
class BatchReads {
public:
    explicit BatchReads(serial::TComm& comm);
    ~BatchReads();
    BatchReads(const BatchReads&) = delete;
    BatchReads& operator=(const BatchReads&) = delete;

private:
    serial::TComm& comm_;
    std::uint32_t saved_;
};

// The window's port: every read delivered at once while the batch path holds
// the line (a configuration batch, the scan, live values); the window's read
// interval while a button's request holds it or nobody does.
class ReadsFollowHolder {
public:
    ReadsFollowHolder(serial::TComm& comm, hart::LineOwner& owner);
    ~ReadsFollowHolder();
    ReadsFollowHolder(const ReadsFollowHolder&) = delete;
    ReadsFollowHolder& operator=(const ReadsFollowHolder&) = delete;

private:
    QMetaObject::Connection changed_;
    std::unique_ptr<BatchReads> reads_;
};

// A line for a program without a window: the port (or the simulated
// converter, or a HART-IP server) open, in batch reads, with a Transactor fed
// by its deliveries.
class Line {
public:
    struct Options {
        std::string port;
        bool simulate = false;
        sim::PtySimulatorOptions simulator;
        // Set: a session with this HART-IP server instead of a serial port.
        std::optional<HartIpTarget> hartIp{};
        // Every frame on a serial line, or every HART-IP message with its
        // endpoints (the session initiate included).
        hart::TrafficSink traffic{};
    };

    // The open line, or a plain sentence saying why there is none. A HART-IP
    // session is waited for (at most kHartIpSetupMs and a little).
    static codec::Result<std::unique_ptr<Line>> Open(const Options& options);
    ~Line(); // a HART-IP session is closed
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    hart::Transactor& Transactor() { return transactor_; }
    serial::TComm& Comm() { return comm_; }
    sim::PtySimulator* Simulator() { return simulator_.get(); }
    // The HART-IP port; nothing on a serial line.
    HartIpPort* HartIp() { return hartIp_.get(); }

private:
    Line() = default;
    codec::Result<void> OpenHartIp(const HartIpTarget& target, const hart::TrafficSink& traffic);

    std::unique_ptr<sim::PtySimulator> simulator_;
    serial::TComm comm_;
    hart::Transactor transactor_;
    std::unique_ptr<BatchReads> batch_;
    std::unique_ptr<HartIpPort> hartIp_;
};

} // namespace line
