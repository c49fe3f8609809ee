#pragma once

#include "codec/result.h"
#include "hart/delivery_joiner.h"
#include "hart/transport.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class QFile;

namespace capture {

// The pcapng blocks of a capture that Wireshark decodes as HART-IP without any
// setting: one interface of link type "exported PDU", and per HART frame one
// packet whose exported-PDU tags hand it to the dissector of UDP port 5094.
// An answer that failed (cut, bad checksum, no frame at all) is a HART-IP
// error message, never a response.
class PcapngEncoder {
public:
    // `wallMinusSteadyNs` turns the records' steady-clock times into wall-clock times.
    explicit PcapngEncoder(std::int64_t wallMinusSteadyNs);

    // Section header and interface description: the start of every file.
    std::vector<std::uint8_t> Header() const;
    // The packets of one write or delivery: one per frame; a record without a
    // whole frame still gives one packet, so that nothing on the line is left out.
    // A frame cut at the end of a delivery waits for the deliveries that
    // finish it, joined as the traffic window joins them. A record off a
    // HART-IP network is one packet, the message as it was, with its endpoints.
    std::vector<std::uint8_t> Packets(const hart::TrafficRecord& record);
    // What still waits, as a packet of its own; at the end of a capture.
    std::vector<std::uint8_t> Flush();

    std::uint16_t Sequence() const { return sequence_; }

private:
    std::vector<std::uint8_t> Packet(std::int64_t timeNs, bool sent, std::uint8_t type,
                                     std::span<const std::uint8_t> frame, const std::string& comment) const;
    void Emit(std::vector<std::uint8_t>& out, const hart::LineRun& run) const;

    std::int64_t wallMinusSteadyNs_;
    std::uint16_t sequence_ = 0;
    bool requestOpen_ = false; // a request went out and its answer shares its number
    hart::DeliveryJoiner joiner_;
};

// The offset between the wall clock and the steady clock, now.
std::int64_t WallMinusSteadyNs();

// A whole capture in one call; a sentence when the file cannot be written
// (an existing file is then left as it was).
codec::Result<void> WriteCaptureFile(const std::string& path, std::span<const hart::TrafficRecord> records);

// A capture written as the traffic happens (the command-line program's
// --capture): Open, then Append from the traffic sink, then Close.
class CaptureFile {
public:
    CaptureFile();
    ~CaptureFile();
    CaptureFile(const CaptureFile&) = delete;
    CaptureFile& operator=(const CaptureFile&) = delete;

    codec::Result<void> Open(const std::string& path);
    void Append(const hart::TrafficRecord& record);
    // Flushes and closes; a sentence when some bytes could not be written.
    codec::Result<void> Close();
    hart::TrafficSink Sink() { return [this](const hart::TrafficRecord& r) { Append(r); }; }

private:
    std::unique_ptr<QFile> file_;
    PcapngEncoder encoder_;
    bool failed_ = false;
};

} // namespace capture
