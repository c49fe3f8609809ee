// Every write from a page's Set button goes into the history, as the
// configuration batches' and the loop test's writes do.
#include "app/tform1.h"
#include "codec/numeric.h"
#include "config/items.h"
#include "config/loop_test.h"
#include "hart/frames.h"

#include <QLabel>

namespace app {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString HexBytes(const std::vector<std::uint8_t>& data)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())).toHex(' ').toUpper());
}

} // namespace

void TForm1::WireSetHistory()
{
    // What the pages read from the device is the "before" of the next write to it.
    connect(&link_, &hart::HartLink::AnswerDecoded, this, [this](int code, const hart::AnswerFrame& frame) {
        if (showingConfiguration_)
            return;
        if (code == hart::Request(hart::RequestId::Button3).pendingCode) {
            const hart::DeviceIdentity& id = link_.Buffer().identity();
            if (!(id == readFrom_))
                readValues_ = {};
            readFrom_ = id;
        }
        const config::AnswerData answer{frame.data(), link_.Buffer().identity().pollingAddress};
        for (const auto& item : config::Items()) {
            config::Configuration read;
            if (item.query().pendingCode == code && item.decode(answer, read))
                item.take(read, readValues_);
        }
    });
    connect(&link_, &hart::HartLink::WriteAnswered, this, [this](int code, int responseCode) {
        if (!pendingSet_ || pendingSet_->code != code)
            return;
        const QString late = pendingSet_->timedOut ? tr("answered after the time-out; ") : QString();
        if (responseCode < 0)
            SettleSet(config::HistoryOutcome::PossiblyTaken, late + tr("what came was no answer to it"));
        else if (hart::IsErrorResponse(static_cast<std::uint8_t>(responseCode)))
            SettleSet(config::HistoryOutcome::Refused,
                      late + Q(hart::DeviceAnsweredText(static_cast<std::uint8_t>(responseCode))));
        else if (responseCode != 0) // a warning: taken, perhaps not as sent
            SettleSet(config::HistoryOutcome::PossiblyTaken,
                      late + Q(hart::DeviceAnsweredText(static_cast<std::uint8_t>(responseCode))));
        else
            SettleSet(config::HistoryOutcome::PossiblyTaken, late + tr("answered without error, not read back"));
    });
    connect(&link_, &hart::HartLink::TimedOut, this, [this](int code, int) {
        if (!pendingSet_ || pendingSet_->code != code || pendingSet_->timedOut)
            return;
        SettleSet(config::HistoryOutcome::NoAnswer, {});
    });
}

void TForm1::RecordSet(hart::RequestId request, const Bytes& data)
{
    LeaveSet(tr("another request went out before its answer"));
    if (!link_.Buffer().portOpen())
        return; // no device to write to: the port drops the request
    const hart::RequestRow& row = hart::Request(request);
    const config::Item* item = config::ItemSetBy(request);
    QString key;
    QString after;
    std::optional<QString> before;
    if (item) {
        key = Q(item->name);
        config::Configuration sent;
        after = item->fromWrite(data, sent) ? Q(item->text(sent)) : HexBytes(data);
        if (item->has(readValues_))
            before = Q(item->text(readValues_));
    } else if (request == hart::RequestId::Button6 && data.size() == 4) {
        key = config::kLoopCurrentItem;
        after = config::LoopCurrentText(codec::DecodeFloatBE(data[0], data[1], data[2], data[3]));
    } else {
        key = QStringLiteral("command%1").arg(row.command);
        after = HexBytes(data);
    }
    const QString tag = readValues_.tagDescriptorDate ? QString::fromLatin1(readValues_.tagDescriptorDate->tag).trimmed()
                                                      : QString();
    PendingSet p;
    p.code = row.pendingCode;
    p.record = config::MakeHistoryRecord(link_.Buffer().identity(), tag, key, config::HistoryOutcome::PossiblyTaken);
    p.record.before = before;
    p.record.after = after;
    pendingSet_ = std::move(p);
}

void TForm1::SettleSet(config::HistoryOutcome outcome, const QString& detail)
{
    if (!pendingSet_)
        return;
    config::HistoryRecord record = pendingSet_->record;
    record.time = QDateTime::currentDateTimeUtc();
    record.outcome = outcome;
    record.detail = detail;
    // Kept for a late answer: it may still say that the device took the value.
    const bool wait = outcome == config::HistoryOutcome::NoAnswer;
    if (wait)
        pendingSet_->timedOut = true;
    else
        pendingSet_.reset();
    // A value the device may have taken is no longer known as read.
    if (outcome == config::HistoryOutcome::PossiblyTaken || outcome == config::HistoryOutcome::Verified)
        if (const auto* item = config::FindItem(record.item.toStdString()))
            item->take(config::Configuration{}, readValues_);
    // The write stands whatever happens to its record; a lost record is said.
    if (const auto kept = config::AppendHistory(historyPath_, record); !kept)
        ui_.Label68->setText(ui_.Label68->text() + QLatin1Char(' ') + tr("The history is not kept: ")
                             + QString::fromStdString(kept.error()));
}

void TForm1::LeaveSet(const QString& why)
{
    if (!pendingSet_)
        return;
    if (pendingSet_->timedOut) {
        pendingSet_.reset(); // recorded already
        return;
    }
    SettleSet(config::HistoryOutcome::PossiblyTaken, why);
}

} // namespace app
