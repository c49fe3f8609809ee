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

codec::Result<std::pair<int, int>> ParseAddressRange(const std::string& text)
{
    using R = codec::Result<std::pair<int, int>>;
    const auto dash = text.find('-');
    const std::string_view s(text);
    int a = 0;
    int b = 0;
    const auto bad = [&text] { return R::Fail("not FIRST-LAST within 0-63"); };
    if (dash == std::string::npos) {
        if (!ParseInt(s, a))
            return bad();
        b = a;
    } else if (!ParseInt(s.substr(0, dash), a) || !ParseInt(s.substr(dash + 1), b)) {
        return bad();
    }
    if (a < 0 || b > kHighestAddress || a > b)
        return bad();
    return R::Ok({a, b});
}

AddressScanner::AddressScanner(hart::Transport& transport, hart::LineOwner* owner, QObject* parent)
    : QObject(parent), transport_(transport), owner_(owner)
{
}

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
    emit Progress(0, last_ - first_ + 1);
    if (!owner_) {
        PollNext();
        return true;
    }
    // A button's request still waiting for its answer keeps the line until it has it.
    owner_->Claim(hart::LineClient::Scan, this, [this] {
        if (running_ && !reply_)
            PollNext();
    });
    return true;
}

void AddressScanner::Cancel()
{
    if (!running_ || cancelled_)
        return;
    cancelled_ = true;
    if (reply_)
        reply_->Cancel(); // the request on the line ends as Cancelled and finishes the scan
    else
        Finish(ScanEnd::Cancelled); // still waiting for the line
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
    reply_ = transport_.Submit(std::move(t), [this, address](const hart::TransactionResult& r) {
        reply_.reset();
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
    reply_.reset();
    if (owner_)
        owner_->Release(this);
    emit Finished(end, found_, error);
}

} // namespace device
