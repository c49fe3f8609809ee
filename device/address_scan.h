#pragma once

#include "codec/result.h"
#include "hart/line_owner.h"
#include "hart/transport.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace device {

// One device that answered the scan.
struct ScanHit {
    std::uint8_t address = 0;
    std::uint16_t manufacturer = 0; // manufacturer code; 16 bits from HART 7 on
    std::uint16_t deviceType = 0;   // expanded device type from HART 7 on
    std::uint32_t uniqueId = 0; // 24 bits
    std::uint8_t hartRevision = 0;
    std::uint8_t preambles = 0; // what the device asks the master to send
};

// "address 5: manufacturer 38 (0x26), device type 5, unique id 66051 (0x010203), HART 5, 5 preambles"
std::string ScanHitText(const ScanHit& hit);

enum class ScanEnd { Completed, Cancelled, PortFailed };

// Polls each short address with command 0, one at a time over the batch path,
// and reports every device as it answers. A silent address costs a single
// answer-start wait: the scan never asks for a repeat. With a line owner the
// scan holds the line from its first address to its end.
class AddressScanner : public QObject {
    Q_OBJECT
public:
    explicit AddressScanner(hart::Transport& transport, hart::LineOwner* owner = nullptr, QObject* parent = nullptr);

    // Scans first..last (each 0..63); false when a scan already runs or the range is wrong.
    bool Start(int first, int last);
    // Ends the scan within the address on the line.
    void Cancel();
    bool Running() const { return running_; }

signals:
    void Found(const device::ScanHit& hit);
    // `done` of `total` addresses polled.
    void Progress(int done, int total);
    void Finished(device::ScanEnd end, int found, const QString& error);

private:
    void PollNext();
    void Answered(int address, const hart::TransactionResult& r);
    void Finish(ScanEnd end, const QString& error = {});

    hart::Transport& transport_;
    hart::LineOwner* owner_;
    std::unique_ptr<hart::Reply> reply_;
    bool running_ = false;
    bool cancelled_ = false;
    int first_ = 0;
    int last_ = 0;
    int next_ = 0;
    int found_ = 0;
};

// "0-15" or "7" -> {first, last}; a failure for anything else or outside 0..63.
codec::Result<std::pair<int, int>> ParseAddressRange(const std::string& text);

} // namespace device
