#pragma once

// What the component shares with its port threads. Internal to serial/.

#include "serial/read_timing.h"
#include "serial/unique_fd.h"

#include <QtCore/QEvent>

#include <linux/serial.h>

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class QObject;

namespace serial::detail {

// Posted to the notification object; numbered from the first user message.
enum EventType : int {
    kEventReceiveData = 1025,
    kEventReceiveError = 1026,
    kEventRequestHangup = 1027,
    kEventModemState = 1028,
    kEventSendDataEmpty = 1029,
    kEventDrained = 1030, // value: count of blocks of this open that have left the line
};

class CommEvent : public QEvent {
public:
    CommEvent(int type, std::uint64_t generation, std::uint32_t value = 0,
              std::unique_ptr<std::uint8_t[]> block = nullptr)
        : QEvent(QEvent::Type(type)), generation(generation), value(value), block(std::move(block))
    {
    }

    const std::uint64_t generation; // the open that posted it
    const std::uint32_t value;      // byte count, error bits, modem value, errno or block count
    const std::unique_ptr<std::uint8_t[]> block; // freed with the event
};

// Forwards events to the notification object until it is gone. Threads keep
// it alive, so a late post never reaches a destroyed object.
class NotifySink {
public:
    explicit NotifySink(QObject* target) : target_(target) {}
    void Post(std::unique_ptr<CommEvent> event);
    void Detach();

private:
    std::mutex mutex_;
    QObject* target_;
};

// One open of the port: descriptors, the send queue and the values the
// threads read while they run.
struct PortLink {
    UniqueFd port;
    UniqueFd closeEvent; // eventfd, signalled once by ClosePort and never reset
    UniqueFd readWake;   // eventfd: time-outs changed
    UniqueFd sendWake;   // eventfd: the send queue has work
    std::uint64_t generation = 0;
    std::shared_ptr<NotifySink> sink;

    std::atomic<bool> closing{false};
    std::atomic<std::uint32_t> readInterval{0};
    std::atomic<std::uint32_t> readTotalMultiplier{0};
    std::atomic<std::uint32_t> readTotalConstant{0};
    std::atomic<bool> ignoreNullChar{false};

    std::mutex sendMutex;
    std::deque<std::vector<std::uint8_t>> sendQueue; // guarded by sendMutex
    bool sendAccepting = true;                       // guarded by sendMutex
    std::uint32_t sendAccepted = 0;                  // blocks ever queued; guarded by sendMutex
    std::atomic<bool> sendDataEmpty{true};

    std::atomic<bool> hangupPosted{false};

    void Post(int type, std::uint32_t value = 0, std::unique_ptr<std::uint8_t[]> block = nullptr);
    // At most one hang-up request per open, whichever thread notices first;
    // `err` is the system's reason (0: none given, as for an end of file).
    void RequestHangup(int err = 0);
    ReadTimeouts Timeouts() const;
};

// Windows-style line-error bits (CE_RXOVER, CE_OVERRUN, CE_RXPARITY,
// CE_FRAME, CE_BREAK) from the growth of the driver's counters.
std::uint32_t LineErrorBits(const serial_icounter_struct& before, const serial_icounter_struct& after);
// 8 when carrier detect changed, plus 4 for a ring.
std::uint32_t ModemEventBits(const serial_icounter_struct& before, const serial_icounter_struct& after);

void RunReceiver(PortLink& link);
void RunSender(PortLink& link);
// Only for drivers with modem counters; needs an interruptible worker.
void RunModemWatch(PortLink& link, const std::atomic<bool>& stop);
bool HasModemCounters(int fd);

} // namespace serial::detail
