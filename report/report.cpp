#include "report/report.h"

#include "codec/text.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <cerrno>
#include <cmath>
#include <cstring>

namespace report {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("report::Report", text); }

// Outside text: control bytes as escapes, then HTML's own characters.
QString E(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return QString::fromStdString(codec::EscapeControl(std::string_view(utf8.constData(), utf8.size()), true))
        .toHtmlEscaped();
}

QString Ma(const std::optional<double>& v)
{
    return v ? QLocale().toString(*v, 'f', 3) : QStringLiteral("–");
}

QString When(const QDateTime& t) { return QLocale().toString(t.toLocalTime(), QLocale::LongFormat); }

// One row per field; a row never spans two pages, so an item is never split.
QString FieldTable(const std::vector<Field>& fields)
{
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"1\">");
    for (const auto& f : fields)
        html += QStringLiteral("<tr><td width=\"38%\">%1</td><td>%2</td></tr>").arg(E(f.caption), E(f.value));
    return html + QStringLiteral("</table>");
}

QString LoopTable(const LoopTest& t)
{
    QString html = QStringLiteral("<p>%1</p>").arg(E(When(t.time)));
    html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"1\"><tr>");
    for (const char* h : {QT_TRANSLATE_NOOP("report::Report", "Set (mA)"),
                          QT_TRANSLATE_NOOP("report::Report", "Device reports (mA)"),
                          QT_TRANSLATE_NOOP("report::Report", "Control system reads (mA)"),
                          QT_TRANSLATE_NOOP("report::Report", "Deviation (mA)"),
                          QT_TRANSLATE_NOOP("report::Report", "Result")})
        html += QStringLiteral("<th>%1</th>").arg(E(Tr(h)));
    html += QStringLiteral("</tr>");
    for (const auto& p : t.points) {
        const std::optional<double> deviation =
            p.readMa ? std::optional<double>(*p.readMa - p.setMa) : std::nullopt;
        QString verdict = !p.error.isEmpty() ? p.error
                          : p.passed         ? (*p.passed ? Tr(QT_TRANSLATE_NOOP("report::Report", "passed")) : Tr(QT_TRANSLATE_NOOP("report::Report", "failed")))
                                             : QString();
        html += QStringLiteral("<tr><td align=\"right\">%1</td><td align=\"right\">%2</td><td align=\"right\">%3</td>"
                               "<td align=\"right\">%4</td><td>%5</td></tr>")
                    .arg(Ma(p.setMa), Ma(p.reportedMa), Ma(p.readMa), Ma(deviation), E(verdict));
    }
    html += QStringLiteral("</table>");
    const QString colour = t.released ? QStringLiteral("black") : QStringLiteral("red");
    return html + QStringLiteral("<p style=\"color:%1\">%2</p>").arg(colour, E(t.releaseText));
}

QString WritesTable(const std::vector<config::HistoryRecord>& writes)
{
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"1\"><tr>");
    for (const char* h : {QT_TRANSLATE_NOOP("report::Report", "Time"), QT_TRANSLATE_NOOP("report::Report", "Item"),
                          QT_TRANSLATE_NOOP("report::Report", "Before"), QT_TRANSLATE_NOOP("report::Report", "After"),
                          QT_TRANSLATE_NOOP("report::Report", "Outcome"), QT_TRANSLATE_NOOP("report::Report", "Program")})
        html += QStringLiteral("<th>%1</th>").arg(E(Tr(h)));
    html += QStringLiteral("</tr>");
    for (const auto& w : writes) {
        QString outcome = config::HistoryOutcomeText(w.outcome);
        if (!w.detail.isEmpty())
            outcome += QStringLiteral(": ") + w.detail;
        html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td><td>%6</td></tr>")
                    .arg(E(When(w.time)), E(w.item), E(w.before.value_or(QString())), E(w.after), E(outcome),
                         E(w.program + QLatin1Char(' ') + w.version));
    }
    return html + QStringLiteral("</table>");
}

QString Heading(const char* text) { return QStringLiteral("<h2>%1</h2>").arg(E(Tr(text))); }

// Written whole or not at all: a short write (a full disk) is an error here,
// which Qt's file classes would let pass when the bytes go out in one piece.
codec::Result<bool> SaveBytes(const QString& path, const QByteArray& bytes)
{
    using R = codec::Result<bool>;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return R::Fail((path + QStringLiteral(": ") + file.errorString()).toStdString());
    errno = 0;
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        const QString why = errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
        file.cancelWriting();
        return R::Fail((path + QStringLiteral(": ") + why).toStdString());
    }
    if (!file.commit())
        return R::Fail((path + QStringLiteral(": ") + file.errorString()).toStdString());
    return R::Ok(true);
}

} // namespace

QString Html(const Document& d)
{
    QString html = QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body>")
                       .arg(E(Tr(QT_TRANSLATE_NOOP("report::Report", "Commissioning report"))));
    html += QStringLiteral("<h1>%1</h1>").arg(E(Tr(QT_TRANSLATE_NOOP("report::Report", "Commissioning report"))));
    html += FieldTable({{Tr(QT_TRANSLATE_NOOP("report::Report", "Date and time")), When(d.time)},
                        {Tr(QT_TRANSLATE_NOOP("report::Report", "Tool version")), d.version},
                        {Tr(QT_TRANSLATE_NOOP("report::Report", "Operator")), d.operatorName},
                        {Tr(QT_TRANSLATE_NOOP("report::Report", "Values from")), d.source}});
    html += Heading(QT_TRANSLATE_NOOP("report::Report", "Device"));
    html += FieldTable(d.identity);
    html += Heading(QT_TRANSLATE_NOOP("report::Report", "Configuration"));
    html += FieldTable(d.items);
    html += Heading(QT_TRANSLATE_NOOP("report::Report", "Loop test"));
    html += d.loopTest ? LoopTable(*d.loopTest)
                       : QStringLiteral("<p>%1</p>").arg(E(Tr(QT_TRANSLATE_NOOP("report::Report", "No loop test of this device is on record."))));
    html += Heading(QT_TRANSLATE_NOOP("report::Report", "Writes to this device"));
    if (!d.writes.empty())
        html += WritesTable(d.writes);
    else if (d.writesNote.isEmpty())
        html += QStringLiteral("<p>%1</p>").arg(E(Tr(QT_TRANSLATE_NOOP("report::Report", "No writes to this device are on record."))));
    // An unreadable history is no proof that nothing was written.
    if (!d.writesNote.isEmpty())
        html += QStringLiteral("<p style=\"color:red\">%1</p>").arg(E(d.writesNote));
    html += QStringLiteral("<p><br><br>%1 ______________________________ &nbsp; %2 ______________</p>")
                .arg(E(Tr(QT_TRANSLATE_NOOP("report::Report", "Signature:"))), E(Tr(QT_TRANSLATE_NOOP("report::Report", "Date:"))));
    return html + QStringLiteral("</body></html>");
}

codec::Result<bool> SaveHtml(const QString& path, const Document& d) { return SaveBytes(path, Html(d).toUtf8()); }

codec::Result<bool> SavePdf(const QString& path, const Document& d)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(Tr(QT_TRANSLATE_NOOP("report::Report", "Commissioning report")));
        writer.setCreator(QStringLiteral("modbus-hart ") + d.version);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter);
        QTextDocument doc;
        // Ligatures would turn "fi" into one glyph that a search for the word misses.
        QFont font = doc.defaultFont();
        font.setStyleStrategy(QFont::PreferNoShaping);
        doc.setDefaultFont(font);
        doc.setHtml(Html(d));
        doc.print(&writer);
    } // the writer finishes the document here
    return SaveBytes(path, pdf);
}

} // namespace report
