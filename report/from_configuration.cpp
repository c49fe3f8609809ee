#include "report/from_configuration.h"

#include "config/file.h"
#include "config/history.h"
#include "config/item_captions.h"
#include "config/items.h"
#include "config/loop_test.h"

#include <QCoreApplication>

namespace report {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("report::Report", text); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

QString Hex(std::uint32_t v, int digits) { return QStringLiteral("%1").arg(v, digits, 16, QLatin1Char('0')).toUpper(); }

} // namespace

void FillFromConfiguration(Document& d, const config::Configuration& c)
{
    const QString unknown = Tr(QT_TRANSLATE_NOOP("report::Report", "not known"));
    if (c.identity) {
        const auto& id = *c.identity;
        d.identity.push_back({Tr(QT_TRANSLATE_NOOP("report::Report", "Manufacturer")), QStringLiteral("%1 (0x%2)").arg(id.ManufacturerCode()).arg(Hex(id.ManufacturerCode(), 2))});
        d.identity.push_back({Tr(QT_TRANSLATE_NOOP("report::Report", "Device type")), QStringLiteral("%1 (0x%2)").arg(id.DeviceTypeCode()).arg(Hex(id.DeviceTypeCode(), 2))});
        d.identity.push_back({Tr(QT_TRANSLATE_NOOP("report::Report", "Unique identifier")), QStringLiteral("%1 (0x%2)").arg(id.serialNumber()).arg(Hex(id.serialNumber(), 6))});
        d.identity.push_back({Tr(QT_TRANSLATE_NOOP("report::Report", "Polling address")), QString::number(id.pollingAddress)});
    } else {
        for (const char* f : {QT_TRANSLATE_NOOP("report::Report", "Manufacturer"),
                              QT_TRANSLATE_NOOP("report::Report", "Device type"),
                              QT_TRANSLATE_NOOP("report::Report", "Unique identifier"),
                              QT_TRANSLATE_NOOP("report::Report", "Polling address")})
            d.identity.push_back({Tr(f), unknown});
    }
    const auto& tdd = c.tagDescriptorDate;
    d.identity.push_back({Tr(QT_TRANSLATE_NOOP("report::Report", "Tag")), tdd ? Q(tdd->tag) : unknown});
    d.identity.push_back({Tr(QT_TRANSLATE_NOOP("report::Report", "Long tag")), c.longTag ? Q(*c.longTag) : unknown});
    d.identity.push_back({Tr(QT_TRANSLATE_NOOP("report::Report", "Descriptor")), tdd ? Q(tdd->descriptor) : unknown});
    d.identity.push_back({Tr(QT_TRANSLATE_NOOP("report::Report", "Message")), c.message ? Q(*c.message) : unknown});
    d.identity.push_back({Tr(QT_TRANSLATE_NOOP("report::Report", "Date")), tdd ? QStringLiteral("%1-%2-%3")
                                                .arg(tdd->year, 4, 10, QLatin1Char('0'))
                                                .arg(tdd->month, 2, 10, QLatin1Char('0'))
                                                .arg(tdd->day, 2, 10, QLatin1Char('0'))
                                          : unknown});
    for (const auto& item : config::Items()) {
        if (!item.has(c))
            continue;
        d.items.push_back({config::ItemCaption(item.name), Q(item.text(c))});
    }
}

namespace {

LoopTest ReportLoopTest(const config::StoredLoopTest& t)
{
    LoopTest out;
    out.time = t.time;
    for (const auto& p : t.result.points)
        out.points.push_back({p.setMa, p.reportedMa, p.readMa, p.passed, p.error});
    out.released = t.result.released;
    out.releaseText = t.result.releaseText;
    return out;
}

} // namespace

Document Assemble(const config::Configuration& c, const QString& source, const QString& operatorName,
                  const QString& loopTestPath, const QString& historyPath)
{
    Document d;
    d.time = QDateTime::currentDateTime();
    d.version = QStringLiteral(MH_VERSION);
    d.operatorName = operatorName;
    d.source = source;
    FillFromConfiguration(d, c);
    if (c.identity) {
        const auto uid = c.identity->serialNumber();
        if (const auto t = config::LatestLoopTest(loopTestPath, uid))
            d.loopTest = ReportLoopTest(*t);
        const auto h = config::ReadHistory(historyPath);
        if (!h) {
            d.writesNote = Tr(QT_TRANSLATE_NOOP("report::Report", "The writes to this device are not known: the history "
                                                                  "could not be read (%1)."))
                               .arg(QString::fromStdString(h.error()));
        } else {
            d.writes = config::Select(h->records, {uid, std::nullopt});
            if (!h->warnings.empty())
                d.writesNote = Tr(QT_TRANSLATE_NOOP("report::Report", "%1 damaged line(s) of the history were skipped; "
                                                                      "writes recorded there are not shown."))
                                   .arg(h->warnings.size());
        }
    }
    return d;
}

QString DefaultReportName(const config::Configuration& c, const QDate& date)
{
    const auto tag = c.tagDescriptorDate ? std::optional<std::string>(c.tagDescriptorDate->tag) : std::nullopt;
    QString name = config::ProposedSaveName(tag, date);
    name.chop(int(QStringLiteral(".json").size()));
    return QStringLiteral("report-") + name + QStringLiteral(".pdf");
}

codec::Result<bool> Save(const QString& path, const Document& d)
{
    const bool html = path.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive)
                      || path.endsWith(QStringLiteral(".htm"), Qt::CaseInsensitive);
    return html ? SaveHtml(path, d) : SavePdf(path, d);
}

} // namespace report
