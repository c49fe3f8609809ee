#pragma once

#include "codec/result.h"
#include "config/configuration.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace config {

inline constexpr const char* kFormatName = "modbus-hart-configuration";
inline constexpr int kFormatVersion = 1;

// What a file says about itself besides the items.
struct FileInfo {
    QDateTime savedAt;
    QString savedBy; // program and version
};

struct LoadedFile {
    Configuration configuration;
    FileInfo info;
};

// The file's text: indented JSON, items in table order.
QByteArray ToJson(const Configuration& c, const FileInfo& info);
// Refused with a sentence naming the item and the reason: invalid JSON,
// another format, a newer version, or an item the window would refuse.
codec::Result<LoadedFile> FromJson(const QByteArray& json);

// The same through a file; errors name the path.
codec::Result<LoadedFile> LoadFile(const QString& path);
// Written to a temporary file beside `path` and renamed over it, so a failed
// save never leaves half a file.
codec::Result<bool> SaveFile(const QString& path, const Configuration& c, const FileInfo& info);

// "<program> <version>" as written into savedBy, e.g. "modbus-hart-config 4.2".
QString DefaultSavedBy();

} // namespace config
