#include "device/address_scan.h"

#include "device/identify.h"
#include "hart/frames.h"
#include "hart/request_frame.h"

#include <QCoreApplication>

#include <charconv>
#include <cstdio>

namespace device {

namespace {

constexpr int kHighestAddress = 63;

bool ParseInt(std::string_view s, int& out)
{
    if (s.empty())
        return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc{} && end == s.data() + s.size();
}

} // namespace

std::string ScanHitText(const ScanHit& h)
{
    const auto hex = [](unsigned n, int digits) { return QString::number(n, 16).toUpper().rightJustified(digits, u'0'); };
    return QCoreApplication::translate("device",
        "address %1: manufacturer %2 (0x%3), device type %4 (0x%5), unique id %6 (0x%7), HART %8, %9 preambles")
        .arg(QString::number(h.address), QString::number(h.manufacturer), hex(h.manufacturer, 2),
            QString::number(h.deviceType), hex(h.deviceType, 2), QString::number(h.uniqueId), hex(h.uniqueId, 6),
            QString::number(h.hartRevision), QString::number(h.preambles))
        .toStdString();
}

bool ParseAddressRange(const std::string& text, int& first, int& last)
{
    const auto dash = text.find('-');
    const std::string_view s(text);
    int a = 0;
    int b = 0;
    if (dash == std::string::npos) {
        if (!ParseInt(s, a))
            return false;
        b = a;
    } else if (!ParseInt(s.substr(0, dash), a) || !ParseInt(s.substr(dash + 1), b)) {
        return false;
    }
    if (a < 0 || b > kHighestAddress || a > b)
        return false;
    first = a;
    last = b;
    return true;
}

AddressScanner::AddressScanner(hart::Transport& transport, QObject* parent) : QObject(parent), transport_(transport) {}

bool AddressScanner::Start(int first, int last)
{
    if (running_ || first < 0 || last > kHighestAddress || first > last)
        return false;
    running_ = true;
    cancelled_ = false;
    first_ = first;
    last_ = last;
    next_ = first;
    found_ = 0;
    ++generation_;
    emit Progress(0, last_ - first_ + 1);
    PollNext();
    return true;
}

void AddressScanner::Cancel()
{
    if (!running_ || cancelled_)
        return;
    cancelled_ = true;
    transport_.Cancel(); // the request on the line ends as Cancelled and finishes the scan
}

void AddressScanner::PollNext()
{
    if (next_ > last_) {
        Finish(ScanEnd::Completed);
        return;
    }
    const int address = next_++;
    // The Communication Test's request, to each address in turn.
    hart::Transaction t
        = hart::MakeTransaction(hart::Request(hart::RequestId::Button3), {}, {}, static_cast<std::uint8_t>(address));
    t.maxRepeats = 0;
    const unsigned generation = generation_;
    transport_.Submit(std::move(t), [this, address, generation](const hart::TransactionResult& r) {
        if (generation == generation_ && running_)
            Answered(address, r);
    });
}

void AddressScanner::Answered(int address, const hart::TransactionResult& r)
{
    if (cancelled_ || r.error == hart::TransactionError::Cancelled) {
        Finish(ScanEnd::Cancelled);
        return;
    }
    if (r.error == hart::TransactionError::PortFailed) {
        Finish(ScanEnd::PortFailed, QString::fromStdString(hart::TransactionErrorText(r.error)));
        return;
    }
    // Only a short-frame identity answer from the polled address counts; anything
    // else (a collision, noise, an error code) leaves the address as not found.
    if (const auto frame = r.Frame(); frame && !frame->longAddress() && frame->command() == 0
                                      && (frame->address()[0] & 0x3F) == address
                                      && !hart::IsErrorResponse(frame->responseCode())) {
        if (const auto id = DecodeIdentify(frame->data(), static_cast<std::uint8_t>(address))) {
            ScanHit hit;
            hit.address = static_cast<std::uint8_t>(address);
            hit.manufacturer = id->identity.ManufacturerCode();
            hit.deviceType = id->identity.DeviceTypeCode();
            hit.uniqueId = id->identity.serialNumber();
            hit.hartRevision = id->hartRevision;
            hit.preambles = id->identity.preambles;
            ++found_;
            emit Found(hit);
        }
    }
    emit Progress(address - first_ + 1, last_ - first_ + 1);
    PollNext();
}

void AddressScanner::Finish(ScanEnd end, const QString& error)
{
    running_ = false;
    emit Finished(end, found_, error);
}

} // namespace device
