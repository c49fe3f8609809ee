#pragma once

#include "hart/transport.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace hart {

// Bytes of the line that belong together: one write, or received bytes that
// are final, with how many deliveries they came in.
struct LineRun {
    Direction direction = Direction::Received;
    std::int64_t timeNs = 0; // of the record that brought its last bytes
    std::vector<std::uint8_t> bytes;
    int deliveries = 1;
};

// Rejoins the line's deliveries for everyone who shows or keeps them (the
// traffic window, captures, the device status), so that they agree on which
// bytes form a frame. A delivery continues the frame cut at the end of the
// received bytes before it while that frame's rest may still come: within
// the time its missing bytes take on the line plus the wait an answer is
// allowed, and never once it is longer than any answer. Only that frame's
// rest joins; what follows it starts a run of its own.
class DeliveryJoiner {
public:
    void SetBaud(std::uint32_t baud) { baud_ = baud ? baud : 1200; }
    void Clear();
    // Whether `record` would continue the newest run.
    bool Joins(const TrafficRecord& record) const;
    // Takes one write or delivery; returns the runs it makes final, in line
    // order. A received frame cut at the end is kept back while its rest may come.
    std::vector<LineRun> Add(const TrafficRecord& record);
    // What is kept back, final now (at the end of a capture).
    std::vector<LineRun> Flush();

    // Whether the last record continued the newest run, and with how many of
    // its leading bytes; the rest of it started a new run.
    bool Joined() const { return joined_; }
    std::size_t Continued() const { return continued_; }
    // When the rest of the frame kept back must have come by; 0 when none is.
    std::int64_t RestDueNs() const;

private:
    void Settle(LineRun run, std::vector<LineRun>& out);

    std::uint32_t baud_ = 1200;
    std::vector<std::uint8_t> pending_; // a received frame cut at the end of the newest run
    std::int64_t pendingNs_ = 0;        // its last delivery
    int pendingDeliveries_ = 0;
    bool joined_ = false;
    std::size_t continued_ = 0;
};

} // namespace hart
