#include "config/file.h"

#include "codec/text.h"
#include "config/fields.h"
#include "config/items.h"
#include "config/strict_json.h"
#include "i18n/tr.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStringList>

#include <cerrno>
#include <cmath>
#include <cstring>

namespace config {

namespace {

using Loaded = codec::Result<LoadedFile>;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }


QJsonObject IdentityJson(const hart::DeviceIdentity& id)
{
    QJsonObject o{{"manufacturer", id.ManufacturerCode()},
                  {"deviceType", id.DeviceTypeCode()},
                  {"uniqueIdentifier", static_cast<double>(id.serialNumber())},
                  {"pollingAddress", id.pollingAddress}};
    if (id.expandedType)
        o["expandedDeviceType"] = true; // HART 7: 16-bit manufacturer and device type
    return o;
}

codec::Result<hart::DeviceIdentity> IdentityFrom(const QJsonValue& v)
{
    using R = codec::Result<hart::DeviceIdentity>;
    if (!v.isObject())
        return R::Fail(i18n::Arg(QCoreApplication::translate("config", "identity: not an object")));
    const QJsonObject o = v.toObject();
    struct Field {
        const char* name;
        long long hi;
    };
    for (auto it = o.begin(); it != o.end(); ++it)
        if (!QStringList{"manufacturer", "deviceType", "uniqueIdentifier", "pollingAddress", "expandedDeviceType"}.contains(it.key()))
            return R::Fail(i18n::Arg(QCoreApplication::translate("config", "identity: unknown key \"%1\""), codec::EscapeControl(it.key().toStdString(), true)));
    if (o.contains("expandedDeviceType") && !o.value("expandedDeviceType").isBool())
        return R::Fail(i18n::Arg(QCoreApplication::translate("config", "identity: expandedDeviceType: not true or false")));
    const bool expanded = o.value("expandedDeviceType").toBool(false);
    const long long code = expanded ? 0xFFFF : 0xFF;
    const Field fields[] = {{"manufacturer", code}, {"deviceType", code}, {"uniqueIdentifier", 0xFFFFFF}, {"pollingAddress", 15}};
    long long values[4]{};
    for (std::size_t k = 0; k < 4; ++k) {
        const auto n = WholeNumber(o.value(fields[k].name), 0, fields[k].hi);
        if (!n)
            return R::Fail(i18n::Arg(QCoreApplication::translate("config", "identity: %1: missing or not a whole number in 0..%2"), fields[k].name, fields[k].hi));
        values[k] = *n;
    }
    hart::DeviceIdentity id;
    id.expandedType = expanded;
    id.manufacturerId = expanded ? static_cast<std::uint16_t>(values[0]) : std::uint16_t{0};
    id.manufacturer = static_cast<std::uint8_t>(expanded ? values[1] >> 8 : values[0]);
    id.deviceType = static_cast<std::uint8_t>(values[1]);
    id.identifier = {static_cast<std::uint8_t>(values[2] >> 16), static_cast<std::uint8_t>(values[2] >> 8),
                     static_cast<std::uint8_t>(values[2])};
    id.pollingAddress = static_cast<std::uint8_t>(values[3]);
    return R::Ok(id);
}

} // namespace

QByteArray ToJson(const Configuration& c, const FileInfo& info)
{
    QJsonObject items;
    for (const auto& item : Items())
        if (item.has(c))
            items[Q(item.name)] = item.toJson(c);

    QJsonObject root{{"format", kFormatName},
                     {"version", kFormatVersion},
                     {"savedAt", info.savedAt.toUTC().toString(Qt::ISODate)},
                     {"savedBy", info.savedBy},
                     {"items", items}};
    if (c.identity)
        root["identity"] = IdentityJson(*c.identity);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

codec::Result<LoadedFile> FromJson(const QByteArray& json)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return Loaded::Fail(i18n::Arg(QCoreApplication::translate("config", "not valid JSON: %1 at offset %2"), error.errorString(), error.offset));
    if (!doc.isObject())
        return Loaded::Fail(i18n::Arg(QCoreApplication::translate("config", "not a configuration file: the JSON is not an object")));
    if (const auto key = DuplicateKey(json))
        return Loaded::Fail(i18n::Arg(QCoreApplication::translate("config", "the key \"%1\" stands twice"), codec::EscapeControl(*key, true)));
    const QJsonObject root = doc.object();
    if (root.value("format").toString() != QLatin1String(kFormatName))
        return Loaded::Fail(i18n::Arg(QCoreApplication::translate("config", "not a configuration file: format is not \"%1\""), std::string(kFormatName)));
    const auto version = WholeNumber(root.value("version"), 1, 1'000'000);
    if (!version)
        return Loaded::Fail(i18n::Arg(QCoreApplication::translate("config", "unknown format version")));
    if (*version > kFormatVersion)
        return Loaded::Fail(i18n::Arg(
            QCoreApplication::translate("config", "made by a newer program: format version %1, this program reads up to %2"),
            *version, kFormatVersion));

    LoadedFile out;
    out.info.savedAt = QDateTime::fromString(root.value("savedAt").toString(), Qt::ISODate);
    out.info.savedBy = root.value("savedBy").toString();
    if (root.contains("identity")) {
        const auto id = IdentityFrom(root.value("identity"));
        if (!id)
            return id.failAs<LoadedFile>();
        out.configuration.identity = *id;
    }

    const QJsonValue itemsValue = root.value("items");
    if (!itemsValue.isObject())
        return Loaded::Fail(i18n::Arg(QCoreApplication::translate("config", "items: missing or not an object")));
    const QJsonObject items = itemsValue.toObject();
    for (auto it = items.begin(); it != items.end(); ++it) {
        const std::string name = it.key().toStdString();
        const Item* item = FindItem(name);
        if (!item)
            return Loaded::Fail(i18n::Arg(QCoreApplication::translate("config", "unknown item \"%1\""), codec::EscapeControl(name, true)));
        if (const auto bad = item->fromJson(it.value(), out.configuration))
            return Loaded::Fail(i18n::Arg(QCoreApplication::translate("config", "item \"%1\": %2"), name, *bad));
    }
    // Values a device can hold but would refuse to take (a date never set, a long tag
    // with control bytes) load, so a device's own backup does; a write refuses them
    // when it would send them.
    return Loaded::Ok(std::move(out));
}

codec::Result<LoadedFile> LoadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Loaded::Fail(path.toStdString() + ": " + file.errorString().toStdString());
    const auto loaded = FromJson(file.readAll());
    if (!loaded)
        return Loaded::Fail(path.toStdString() + ": " + loaded.error());
    return loaded;
}

codec::Result<bool> SaveFile(const QString& path, const Configuration& c, const FileInfo& info)
{
    using R = codec::Result<bool>;
    const QByteArray text = ToJson(c, info);
    // Unbuffered, so that write() reports what reached the file: a buffered
    // write that fails at the flush (a full disk) went unnoticed by commit().
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return R::Fail(path.toStdString() + ": " + file.errorString().toStdString());
    errno = 0;
    if (file.write(text) != text.size() || file.error() != QFileDevice::NoError) {
        // Qt has no words for a short write; the system's are better.
        const std::string why = errno != 0 ? std::strerror(errno) : file.errorString().toStdString();
        file.cancelWriting();
        return R::Fail(i18n::Arg(QCoreApplication::translate("config", "%1: not saved: %2"), path, why));
    }
    if (!file.commit())
        return R::Fail(i18n::Arg(QCoreApplication::translate("config", "%1: not saved: %2"), path, file.errorString()));
    return R::Ok(true);
}

QString DefaultSavedBy()
{
    QString name = QCoreApplication::applicationName();
    if (name.isEmpty())
        name = QStringLiteral("modbus-hart");
    return name + QLatin1Char(' ') + QStringLiteral(MH_VERSION);
}

} // namespace config
