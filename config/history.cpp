#include "config/history.h"

#include "config/fields.h"
#include "config/strict_json.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace config {

namespace {

struct OutcomeName {
    HistoryOutcome outcome;
    const char* key;  // in the file
    const char* text; // for people
};
constexpr std::array kOutcomes{
    OutcomeName{HistoryOutcome::Verified, "verified", QT_TRANSLATE_NOOP("config::History", "verified")},
    OutcomeName{HistoryOutcome::Refused, "refused", QT_TRANSLATE_NOOP("config::History", "refused")},
    OutcomeName{HistoryOutcome::NoAnswer, "noAnswer", QT_TRANSLATE_NOOP("config::History", "no answer")},
    OutcomeName{HistoryOutcome::PossiblyTaken, "possiblyTaken",
                QT_TRANSLATE_NOOP("config::History", "the device may have taken the value")},
};

const OutcomeName& NameOf(HistoryOutcome o)
{
    for (const auto& n : kOutcomes)
        if (n.outcome == o)
            return n;
    return kOutcomes.front();
}

QString SystemError(const QString& path, const char* what, int error)
{
    return QStringLiteral("%1: %2: %3").arg(path, QString::fromUtf8(what), QString::fromLocal8Bit(std::strerror(error)));
}


} // namespace

HistoryRecord MakeHistoryRecord(const hart::DeviceIdentity& id, const QString& tag, const QString& item,
                                HistoryOutcome outcome)
{
    HistoryRecord r;
    r.time = QDateTime::currentDateTimeUtc();
    r.program = QCoreApplication::applicationName();
    r.version = QStringLiteral(MH_VERSION);
    r.manufacturer = id.ManufacturerCode();
    r.deviceType = id.DeviceTypeCode();
    r.uniqueIdentifier = id.serialNumber();
    r.pollingAddress = id.pollingAddress;
    r.tag = tag;
    r.item = item;
    r.outcome = outcome;
    return r;
}

QString DefaultHistoryPath()
{
    // Beside the backups: the window and modbus-hart-config share one history.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.isEmpty() ? QDir::current().filePath(QStringLiteral("history.jsonl"))
                          : QDir(base).filePath(QStringLiteral("modbus-hart/history.jsonl"));
}

QString HistoryOutcomeText(HistoryOutcome outcome)
{
    return QCoreApplication::translate("config::History", NameOf(outcome).text);
}

QByteArray HistoryLine(const HistoryRecord& r)
{
    QJsonObject o{{"time", r.time.toUTC().toString(Qt::ISODateWithMs)},
                  {"program", r.program},
                  {"version", r.version},
                  {"device", QJsonObject{{"manufacturer", r.manufacturer},
                                         {"deviceType", r.deviceType},
                                         {"uniqueIdentifier", static_cast<double>(r.uniqueIdentifier)},
                                         {"pollingAddress", r.pollingAddress},
                                         {"tag", r.tag}}},
                  {"item", r.item},
                  {"after", r.after},
                  {"outcome", QString::fromUtf8(NameOf(r.outcome).key)}};
    if (r.before)
        o["before"] = *r.before;
    if (!r.detail.isEmpty())
        o["detail"] = r.detail;
    // Compact JSON escapes control bytes and newlines: one record stays one line.
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

codec::Result<HistoryRecord> ParseHistoryLine(const QByteArray& line)
{
    using R = codec::Result<HistoryRecord>;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return R::Fail("not a JSON object");
    if (const auto twice = DuplicateKey(line))
        return R::Fail("key \"" + *twice + "\" stands twice");
    const QJsonObject o = doc.object();
    const QJsonObject d = o.value("device").toObject();

    HistoryRecord r;
    r.time = QDateTime::fromString(o.value("time").toString(), Qt::ISODateWithMs);
    if (!r.time.isValid())
        return R::Fail("no valid time");
    r.time = r.time.toUTC();
    const auto manufacturer = WholeNumber(d.value("manufacturer"), 0, 0xFFFF);
    const auto deviceType = WholeNumber(d.value("deviceType"), 0, 0xFFFF);
    const auto id = WholeNumber(d.value("uniqueIdentifier"), 0, 0xFFFFFF);
    const auto address = WholeNumber(d.value("pollingAddress"), 0, 63);
    if (!manufacturer || !deviceType || !id || !address)
        return R::Fail("the device is not identified");
    r.manufacturer = static_cast<int>(*manufacturer);
    r.deviceType = static_cast<int>(*deviceType);
    r.uniqueIdentifier = static_cast<std::uint32_t>(*id);
    r.pollingAddress = static_cast<int>(*address);
    r.tag = d.value("tag").toString();
    r.program = o.value("program").toString();
    r.version = o.value("version").toString();
    r.item = o.value("item").toString();
    if (r.item.isEmpty() || !o.value("after").isString())
        return R::Fail("no item or no value");
    r.after = o.value("after").toString();
    if (o.contains("before")) {
        if (!o.value("before").isString())
            return R::Fail("the value before is not a text");
        r.before = o.value("before").toString();
    }
    r.detail = o.value("detail").toString();
    const QString outcome = o.value("outcome").toString();
    const auto known = std::find_if(kOutcomes.begin(), kOutcomes.end(),
                                    [&](const OutcomeName& n) { return outcome == QLatin1String(n.key); });
    if (known == kOutcomes.end())
        return R::Fail("unknown outcome");
    r.outcome = known->outcome;
    return R::Ok(std::move(r));
}

codec::Result<bool> AppendHistory(const QString& path, const HistoryRecord& record)
{
    return AppendLine(path, HistoryLine(record));
}

codec::Result<bool> AppendLine(const QString& path, QByteArray line)
{
    using R = codec::Result<bool>;
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return R::Fail(("cannot create the folder " + dir).toStdString());
    line.append('\n');
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return R::Fail(SystemError(path, "cannot be opened", errno).toStdString());
    // A line cut short by an earlier failure must not swallow this record.
    struct stat before {};
    if (::fstat(fd, &before) == 0 && before.st_size > 0) {
        char last = '\n';
        if (::pread(fd, &last, 1, before.st_size - 1) == 1 && last != '\n')
            line.prepend('\n');
    }
    // One write for the whole line: with O_APPEND it lands whole at the end.
    qsizetype done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(fd, line.constData() + done, static_cast<size_t>(line.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int e = n < 0 ? errno : ENOSPC;
            // Take back a half line when nobody else has written since.
            struct stat now {};
            if (done > 0 && ::fstat(fd, &now) == 0 && now.st_size == before.st_size + done)
                (void)::ftruncate(fd, before.st_size);
            ::close(fd);
            return R::Fail(SystemError(path, "not written", e).toStdString());
        }
        done += n;
    }
    if (::fsync(fd) != 0) {
        const int e = errno;
        ::close(fd);
        return R::Fail(SystemError(path, "did not reach the disk", e).toStdString());
    }
    if (::close(fd) != 0)
        return R::Fail(SystemError(path, "did not reach the disk", errno).toStdString());
    return R::Ok(true);
}

codec::Result<HistoryLog> ReadHistory(const QString& path)
{
    using R = codec::Result<HistoryLog>;
    HistoryLog log;
    QFile file(path);
    if (!file.exists())
        return R::Ok(std::move(log));
    if (!file.open(QIODevice::ReadOnly))
        return R::Fail(("cannot read " + path + ": " + file.errorString()).toStdString());
    int number = 0;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        ++number;
        if (line.endsWith('\n'))
            line.chop(1);
        else if (file.error() != QFileDevice::NoError)
            return R::Fail(("cannot read " + path + ": " + file.errorString()).toStdString());
        if (line.trimmed().isEmpty())
            continue;
        auto parsed = ParseHistoryLine(line);
        if (parsed)
            log.records.push_back(*parsed);
        else
            log.warnings.push_back({number, QString::fromStdString(parsed.error())});
    }
    return R::Ok(std::move(log));
}

std::vector<HistoryRecord> Select(const std::vector<HistoryRecord>& records, const HistoryFilter& filter)
{
    std::vector<HistoryRecord> out;
    for (const auto& r : records) {
        if (filter.uniqueIdentifier && r.uniqueIdentifier != *filter.uniqueIdentifier)
            continue;
        if (filter.since && r.time < *filter.since)
            continue;
        out.push_back(r);
    }
    return out;
}

namespace {

QByteArray CsvCell(QString text)
{
    // Spreadsheets run a cell that starts like a formula; a tag is the device's text.
    if (!text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()))
        text.prepend('\'');
    QByteArray bytes = text.toUtf8();
    if (bytes.contains(',') || bytes.contains('"') || bytes.contains('\n') || bytes.contains('\r')) {
        bytes.replace("\"", "\"\"");
        bytes = '"' + bytes + '"';
    }
    return bytes;
}

} // namespace

QByteArray HistoryCsv(const std::vector<HistoryRecord>& records)
{
    QByteArray out = "time,program,version,manufacturer,device type,unique identifier,polling address,tag,item,"
                     "before,after,outcome,detail\r\n";
    for (const auto& r : records) {
        const QStringList cells{r.time.toUTC().toString(Qt::ISODateWithMs),
                                r.program,
                                r.version,
                                QString::number(r.manufacturer),
                                QString::number(r.deviceType),
                                QString::number(r.uniqueIdentifier),
                                QString::number(r.pollingAddress),
                                r.tag,
                                r.item,
                                r.before.value_or(QString()),
                                r.after,
                                QString::fromUtf8(NameOf(r.outcome).key),
                                r.detail};
        QByteArrayList row;
        for (const auto& c : cells)
            row << CsvCell(c);
        out += row.join(',') + "\r\n";
    }
    return out;
}

} // namespace config
