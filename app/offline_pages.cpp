// Offline editing: a configuration shown on the pages as after a read of it,
// and what the pages show taken back as their Set buttons build it.
#include "app/combo_index.h"
#include "app/field_text.h"
#include "app/tform1.h"
#include "config/items.h"
#include "hart/frames.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace app {

std::string TForm1::BuiltNow(hart::RequestId request) const
{
    const auto built = setBuilders_.at(request)();
    return built ? "=" + std::string(built->begin(), built->end()) : "!" + built.error();
}

void TForm1::ShowConfiguration(const config::Configuration& c)
{
    // Through the answers' own decoders, as a batch read is shown; the range's
    // Set stays as only a device's answer may leave it.
    const bool rangeSet = ui_.Button10->isEnabled();
    showingConfiguration_ = true;
    const hart::DeviceIdentity id = c.identity.value_or(hart::DeviceIdentity{});
    for (const auto& item : config::Items()) {
        if (!item.has(c))
            continue;
        if (item.settingId == hart::RequestId::Button37) {
            ui_.Edit28->setText(QString::number(*c.serialNumber));
        } else if (item.settingId == hart::RequestId::Button27) {
            SelectItem(ui_.ComboBox3, *c.pollingAddress <= 15 ? *c.pollingAddress : -1);
        } else if (const auto data = item.answerData(c)) {
            const auto bytes = hart::LongAnswer(id, item.query().command, 0, *data);
            if (const auto frame = hart::AnswerFrame::Parse(bytes, 0))
                link_.Decode(item.query().pendingCode, *frame);
        }
    }
    showingConfiguration_ = false;
    ui_.Button10->setEnabled(rangeSet);
    shownWrites_.clear();
    for (const auto& [request, build] : setBuilders_)
        shownWrites_[request] = BuiltNow(request);
}

std::optional<config::Configuration> TForm1::PagesConfiguration(const config::Configuration& shown)
{
    config::Configuration out = shown;
    for (const auto& item : config::Items()) {
        if (!item.has(shown) || !setBuilders_.contains(item.settingId))
            continue;
        // Unchanged on its page: the exact value, not the page's cut text of it.
        if (const auto was = shownWrites_.find(item.settingId);
            was != shownWrites_.end() && was->second == BuiltNow(item.settingId))
            continue;
        const auto data = setBuilders_.at(item.settingId)();
        if (!data) {
            ShowRefusal(data.error());
            return std::nullopt;
        }
        if (!item.fromWrite(*data, out)) {
            ShowError(tr("%1: the page's value cannot be kept in a file.").arg(Text(std::string(item.name))));
            return std::nullopt;
        }
    }
    // A value the file could not be opened with again is not saved.
    if (const auto bad = config::Validate(out)) {
        ShowError(Text(*bad));
        return std::nullopt;
    }
    return out;
}

} // namespace app
