// After a configuration write the pages show what the device holds, and the
// window follows the device to a new polling address.
#include "app/combo_index.h"
#include "app/scan_live.h"
#include "app/tform1.h"
#include "config/batch.h"
#include "config/items.h"
#include "hart/frames.h"

#include <QComboBox>

namespace app {

namespace {

// A value the device surely holds: written and read back, or never sent. A
// write that failed may or may not have been taken.
bool KnownAfterWrite(const config::BatchReport& report, const config::Item& item)
{
    for (const auto& r : report.items) {
        if (r.item != &item)
            continue;
        using O = config::ItemOutcome;
        return r.outcome == O::Verified || r.outcome == O::Unchanged || r.outcome == O::Skipped
               || r.outcome == O::NotAttempted;
    }
    return true; // not in the file: as read before writing
}

} // namespace

void TForm1::ShowWritten(const config::BatchReport& report)
{
    const auto answers = std::move(batchAnswers_);
    batchAnswers_.clear();
    if (report.status == config::BatchStatus::Refused)
        return; // nothing was sent: the pages keep what they show

    // One decoder per query; it runs only when every item it fills is known.
    struct Query {
        std::uint8_t command = 0;
        bool known = true;
    };
    std::map<int, Query> queries;
    for (const config::Item& item : config::Items()) {
        Query& q = queries[item.query().pendingCode];
        q.command = item.query().command;
        q.known = q.known && KnownAfterWrite(report, item);
    }
    polledAddress_ = SelectedPollingAddress(ui_.ComboBox9);
    // The newest answer to each query: the read-back of a written item, else the read before writing.
    for (const auto& [code, q] : queries) {
        const auto a = answers.find(q.command);
        if (!q.known || a == answers.end())
            continue;
        if (const auto frame = hart::AnswerFrame::Parse(a->second, 0))
            link_.Decode(code, *frame);
    }
}

void TForm1::FollowPollingAddress(int address)
{
    polledAddress_ = static_cast<std::uint8_t>(address);
    SelectItem(ui_.ComboBox9, ui_.ComboBox9->findText(QString::number(address), Qt::MatchExactly));
    hart::DeviceIdentity id = link_.Buffer().identity();
    id.pollingAddress = polledAddress_;
    link_.Buffer().setIdentity(id);
}

} // namespace app
