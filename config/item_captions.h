#pragma once

#include "config/configuration.h"
#include "config/items.h"

#include <QDate>
#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// The caption the five pages give a configuration item, where the engineer
// sets it ("Instrument Command 1" for the file key "instrumentCommand1"),
// translated; empty for a key no page names.
QString ItemCaption(std::string_view key);

// A device's or a file's text made safe to show: control characters escaped
// as the command line escapes them.
QString SafeText(const QString& text);
QString SafeText(std::string_view utf8);

// One field of an item's value, named as its page names it ("RS485 AD3 Value:
// Coefficient"); `key` is its place in the file ("1/coefficient").
struct ItemField {
    QString key;
    QString caption;
    QString value; // escaped
};
// The item's value field by field, in the order of its page; empty when the
// configuration lacks the item.
std::vector<ItemField> ItemFields(const config::Item& item, const config::Configuration& c);

// Device and file side by side, field by field; a side without the item
// leaves its values empty, and then every field of the other side differs.
struct FieldRow {
    QString caption;
    QString device;
    QString file;
    bool differs = false;
};
std::vector<FieldRow> CompareFields(const config::Item& item, const config::Configuration* device,
                                    const config::Configuration* file);

// The name "Save File..." proposes: the device's tag and the date
// ("PT_101-2026-12-08.json"), characters unsafe in a file name made "_";
// without a tag "configuration-2026-12-08.json".
QString ProposedSaveName(const std::optional<std::string>& tag, const QDate& date);

} // namespace config
