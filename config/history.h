#pragma once

#include "codec/result.h"
#include "hart/link_buffer.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace config {

// What became of one write to a device.
enum class HistoryOutcome {
    Verified,      // read back and equal
    Refused,       // the device answered with an error code (detail: the code in words)
    NoAnswer,      // nothing came; the device kept its value as far as is known
    PossiblyTaken, // the request went out but was not read back
};

// One write to one device: a line of the history file.
struct HistoryRecord {
    QDateTime time; // UTC
    QString program;
    QString version;
    // The device, as it identified itself.
    int manufacturer = 0;
    int deviceType = 0;
    std::uint32_t uniqueIdentifier = 0;
    int pollingAddress = 0;
    QString tag;
    QString item;                 // the item's file key
    std::optional<QString> before; // the value before, when it was read
    QString after;
    HistoryOutcome outcome = HistoryOutcome::Verified;
    QString detail; // the response code in words for a refusal; may be empty

    bool operator==(const HistoryRecord&) const = default;
};

// A record of now, by this program, for the device `id` (tag when known).
HistoryRecord MakeHistoryRecord(const hart::DeviceIdentity& id, const QString& tag, const QString& item,
                                HistoryOutcome outcome);

// The file every program of this tool appends to.
QString DefaultHistoryPath();

// Appends one record as one line and forces it to the disk before returning,
// so a crash or a pulled cable afterwards cannot take it back. The file is
// opened for appending each time: two programs writing at once never
// interleave inside a line.
codec::Result<bool> AppendHistory(const QString& path, const HistoryRecord& record);
// The same for any one-line record (no newline inside `line`).
codec::Result<bool> AppendLine(const QString& path, QByteArray line);

struct HistoryWarning {
    int line = 0; // 1-based
    QString reason;
};
struct HistoryLog {
    std::vector<HistoryRecord> records; // in file order
    std::vector<HistoryWarning> warnings; // damaged lines, skipped
};

// Reads every record it can; a damaged line is skipped with a warning and
// costs no other. A missing file is an empty history.
codec::Result<HistoryLog> ReadHistory(const QString& path);

struct HistoryFilter {
    std::optional<std::uint32_t> uniqueIdentifier;
    std::optional<QDateTime> since; // inclusive
};
std::vector<HistoryRecord> Select(const std::vector<HistoryRecord>& records, const HistoryFilter& filter);

// The record's line in the file (no newline) and back.
QByteArray HistoryLine(const HistoryRecord& record);
codec::Result<HistoryRecord> ParseHistoryLine(const QByteArray& line);

QString HistoryOutcomeText(HistoryOutcome outcome);

// A table for spreadsheets: a header and one row a record, RFC 4180 quoting.
// A cell that a spreadsheet would take for a formula is prefixed with '.
QByteArray HistoryCsv(const std::vector<HistoryRecord>& records);

} // namespace config
