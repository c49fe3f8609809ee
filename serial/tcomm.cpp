#include "serial/tcomm.h"

#include "serial/comm_link.h"
#include "serial/port_discovery.h"

#include <QtCore/QEvent>

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace serial {

namespace detail {

// Stands in for the hidden window: receives what the threads post and
// raises the events on the component's thread.
class NotifyWindow : public QObject {
public:
    NotifyWindow(TComm* owner) : QObject(owner), owner_(owner) { setObjectName(QStringLiteral("NotifyWindow")); }

    bool event(QEvent* e) override
    {
        const int type = int(e->type());
        if (type < kEventReceiveData || type > kEventDrained)
            return QObject::event(e);
        owner_->Dispatch(static_cast<const CommEvent&>(*e));
        return true;
    }

private:
    TComm* owner_;
};

} // namespace detail

using namespace detail;

namespace {

constexpr auto kThreadStopLimit = std::chrono::seconds(10);

// Runs a thread body; an exception cannot leave a thread, so it ends the
// thread as a failure of the port would.
template <class F>
Worker::Body Guarded(std::shared_ptr<PortLink> link, F body)
{
    return [link = std::move(link), body](const std::atomic<bool>& stop) {
        try {
            body(*link, stop);
        } catch (...) {
            try {
                link->RequestHangup();
            } catch (...) {
            }
        }
    };
}

} // namespace

TComm::TComm(QObject* owner)
    : QObject(owner),
      notifyWindow_(new NotifyWindow(this)),
      sink_(std::make_shared<NotifySink>(notifyWindow_))
{
}

TComm::~TComm()
{
    ClosePort();
    sink_->Detach();
}

bool TComm::IsOpen() const
{
    return link_ != nullptr;
}

bool TComm::SendDataEmpty() const
{
    return !link_ || link_->sendDataEmpty;
}

bool TComm::ReadThreadRunning() const
{
    return readThread_.Running();
}

bool TComm::WriteThreadRunning() const
{
    return writeThread_.Running();
}

int TComm::PortDescriptor() const
{
    return link_ ? link_->port.Get() : -1;
}

void TComm::OpenPort()
{
    if (link_)
        throw ECommsError(std::string(kMsgAlreadyOpen));

    const std::string path = PortPath(commName_);
    UniqueFd port(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!port.Valid())
        throw CommsError(kMsgOpenFailed, errno, path);
    if (!isatty(port.Get()))
        throw ECommsError(std::string(kMsgNotCommHandle));
    // The lock also keeps out privileged processes, which TIOCEXCL does not.
    if (flock(port.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        throw CommsError(kMsgOpenFailed, EBUSY, path);
    (void)ioctl(port.Get(), TIOCEXCL);

    auto link = std::make_shared<PortLink>();
    link->port = std::move(port);
    link->sink = sink_;
    for (UniqueFd* event : {&link->closeEvent, &link->readWake, &link->sendWake}) {
        *event = UniqueFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
        if (!event->Valid())
            throw CommsError(kMsgNoEvent, errno);
    }

    tcflush(link->port.Get(), TCIOFLUSH);
    link_ = link;
    generation_++;
    link->generation = generation_;
    handedOver_ = 0;
    drained_ = 0;
    ApplyCommTimeouts();
    ApplyCommState();

    auto fail = [&](std::string_view message, int err) {
        StopThreads(*link);
        link_.reset();
        generation_++;
        return CommsError(message, err);
    };
    try {
        readThread_.Start(Guarded(link, [](PortLink& l, const std::atomic<bool>&) { RunReceiver(l); }));
    } catch (const std::system_error& e) {
        throw fail(kMsgNoReadThread, e.code().value());
    }
    try {
        // Interruptible, so that a close also ends a wait for the line to drain.
        writeThread_.Start(Guarded(link, [](PortLink& l, const std::atomic<bool>&) { RunSender(l); }),
                           InstallInterruptHandler());
    } catch (const std::system_error& e) {
        throw fail(kMsgNoWriteThread, e.code().value());
    }
    // Modem lines need a thread of their own that blocks in the driver;
    // ports without modem counters (pseudo-terminals) have no line events.
    if (HasModemCounters(link->port.Get()) && InstallInterruptHandler()) {
        try {
            modemThread_.Start(Guarded(link, [](PortLink& l, const std::atomic<bool>& stop) { RunModemWatch(l, stop); }),
                               true);
        } catch (const std::system_error&) {
            // Without it the port works; it only reports no modem changes.
        }
    }
}

void TComm::StopThreads(PortLink& link)
{
    link.closing = true;
    (void)eventfd_write(link.closeEvent.Get(), 1);
    tcflush(link.port.Get(), TCIFLUSH);
    readThread_.Stop(kThreadStopLimit);
    tcflush(link.port.Get(), TCOFLUSH);
    writeThread_.Stop(kThreadStopLimit);
    modemThread_.Stop(kThreadStopLimit);
    link.sendDataEmpty = true;
}

void TComm::ClosePort()
{
    if (!link_)
        return;
    std::shared_ptr<PortLink> link = std::move(link_);
    generation_++;
    StopThreads(*link);
    (void)ioctl(link->port.Get(), TIOCNXCL);
    // The descriptors close with the last owner: here, or a thread that
    // overran its stop limit once it ends.
    RunDrainWaiters(true);
}

void TComm::WhenDrained(std::function<void()> fn)
{
    if (!fn)
        return;
    // Counted with wrap-around: only the distance matters.
    if (!link_ || std::int32_t(handedOver_ - drained_) <= 0) {
        fn();
        return;
    }
    drainWaiters_.push_back({handedOver_, std::move(fn)});
}

void TComm::RunDrainWaiters(bool all)
{
    // Taken off before it runs: a callback may write, wait again or close.
    while (!drainWaiters_.empty() && (all || std::int32_t(drainWaiters_.front().ticket - drained_) <= 0)) {
        auto fn = std::move(drainWaiters_.front().fn);
        drainWaiters_.pop_front();
        fn();
    }
}

bool TComm::WriteBytes(const void* data, std::uint16_t count)
{
    if (!link_ || !writeThread_.Started() || count == 0 || data == nullptr)
        return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    {
        std::lock_guard lock(link_->sendMutex);
        if (!link_->sendAccepting)
            return false;
        link_->sendQueue.emplace_back(bytes, bytes + count);
        link_->sendAccepted++;
        // Cleared under the queue lock, so the sender cannot report empty
        // between the hand-over and this store.
        link_->sendDataEmpty = false;
    }
    (void)eventfd_write(link_->sendWake.Get(), 1);
    handedOver_++;
    return true;
}

void TComm::ApplyCommState()
{
    if (!link_)
        return;
    const int fd = link_->port.Get();
    termios current{};
    (void)tcgetattr(fd, &current);
    const LineImage image = BuildLineImage(settings_, current);
    // A pseudo-terminal has no modem lines and some drivers refuse rates;
    // neither stops the port.
    (void)tcsetattr(fd, TCSANOW, &image.tio);
    if (image.modemSet)
        (void)ioctl(fd, TIOCMBIS, &image.modemSet);
    if (image.modemClear)
        (void)ioctl(fd, TIOCMBIC, &image.modemClear);
    link_->ignoreNullChar = settings_.IgnoreNullChar;
}

void TComm::ApplyCommTimeouts()
{
    if (!link_)
        return;
    link_->readInterval = timeouts_.ReadIntervalTimeout;
    link_->readTotalMultiplier = timeouts_.ReadTotalTimeoutMultiplier;
    link_->readTotalConstant = timeouts_.ReadTotalTimeoutConstant;
    // A delivery being gathered takes the new time-outs at once.
    (void)eventfd_write(link_->readWake.Get(), 1);
}

void TComm::Dispatch(const CommEvent& event)
{
    // Whatever an earlier open posted is gone with that open.
    if (!link_ || event.generation != generation_)
        return;
    switch (int(event.type())) {
    case kEventReceiveData:
        if (auto handler = OnReceiveData)
            handler(this, event.block.get(), std::uint16_t(event.value));
        break;
    case kEventReceiveError:
        if (auto handler = OnReceiveError)
            handler(this, event.value);
        break;
    case kEventRequestHangup:
        hangupReason_ = HangupReasonText(int(event.value));
        // Nothing more leaves a line that is gone.
        drained_ = handedOver_;
        RunDrainWaiters(true);
        if (auto handler = OnRequestHangup)
            handler(this);
        break;
    case kEventDrained:
        // Only forward: a hang-up may already have counted everything.
        if (std::int32_t(event.value - drained_) > 0)
            drained_ = event.value;
        RunDrainWaiters(false);
        break;
    case kEventModemState:
        if (auto handler = OnModemStateChange)
            handler(this, event.value);
        break;
    case kEventSendDataEmpty:
        if (auto handler = OnSendDataEmpty)
            handler(this);
        break;
    default:
        break;
    }
}

} // namespace serial
