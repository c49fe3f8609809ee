#pragma once

#include "codec/result.h"
#include "config/configuration.h"
#include "hart/frames.h"
#include "hart/request_table.h"
#include "hart/transport.h"

#include <QJsonValue>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// Where an item goes in a write: groups in this order keep the device
// reachable (its address bytes change last).
enum class WriteGroup { Converter, Range, Text, Identity };

// What a decoder gets: the answer's data bytes and the address the identify went to.
struct AnswerData {
    std::span<const std::uint8_t> data;
    std::uint8_t polledAddress = 0;
};

// How an item's value is held, read, written, shown and filed (items.cpp).
class ItemValue;

// One configuration item. The frames come from the request table rows of
// its Query and Set buttons; the value's fields are listed once in items.cpp.
struct Item {
    std::string_view name;          // key in the file, label in reports
    hart::RequestId queryId;        // the row that reads it (Button3: the identify)
    hart::RequestId settingId;      // the row that writes it
    int writeOrder;                 // position in a write, ascending
    WriteGroup group;
    bool identity;                  // saved, written only when asked; re-identify after writing
    const ItemValue* value;

    bool has(const Configuration&) const;
    // Copies this item's value (or its absence).
    void take(const Configuration& from, Configuration& to) const;
    // Decodes the query's answer into `out`; false when the answer lacks bytes.
    bool decode(const AnswerData& answer, Configuration& out) const;
    // Data bytes of the setting; refused (with the reason) when the window would refuse the value.
    codec::Result<std::vector<std::uint8_t>> buildWrite(const Configuration&) const;
    // The value the setting's data bytes carry (the inverse of buildWrite, without
    // its checks), into `out`; false when the bytes are too few.
    bool fromWrite(std::span<const std::uint8_t> data, Configuration& out) const;
    // The data of the query's answer a device holding the value would send (the
    // inverse of decode); none for items the identify reads, or a value that
    // cannot be encoded.
    std::optional<std::vector<std::uint8_t>> answerData(const Configuration&) const;
    // Whether the setting's data bytes are equal; both must be present.
    bool equal(const Configuration&, const Configuration&) const;
    // The value as one line of text, for comparisons and reports.
    std::string text(const Configuration&) const;
    QJsonValue toJson(const Configuration&) const;
    // Empty on success, else the reason (without the item name).
    std::optional<std::string> fromJson(const QJsonValue&, Configuration& out) const;

    const hart::RequestRow& query() const { return hart::Request(queryId); }
    const hart::RequestRow& setting() const { return hart::Request(settingId); }
    bool readByIdentify() const { return queryId == hart::RequestId::Button3; }
};

// Every item, one row each, in file order.
std::span<const Item> Items();
const Item* FindItem(std::string_view name);
// The item a Set button writes; nullptr for a setting that is no item (the fixed current).
const Item* ItemSetBy(hart::RequestId setting);
// The items in write order (identity items last).
std::vector<const Item*> ItemsInWriteOrder();

// The read request of an item (the identify for identity items read by it).
hart::Transaction ReadRequest(const Item& item, const hart::DeviceIdentity& id, std::uint8_t pollingAddress);
// The write request of an item's value; refused as buildWrite refuses.
codec::Result<hart::Transaction> WriteRequest(const Item& item, const Configuration& value,
                                              const hart::DeviceIdentity& id);

// Checks every present item as a write would; the first refusal names the
// item and its reason ("range: 'nan' is not a valid floating point value").
std::optional<std::string> Validate(const Configuration& c);

// Shortest decimal text that reads back as the same single ("0.1", "1e-07").
std::string ShortestFloatText(float v);

} // namespace config
