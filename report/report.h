#pragma once

#include "codec/result.h"
#include "config/history.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace report {

// One line of the report: the caption a reader knows, the value as shown.
struct Field {
    QString caption;
    QString value;
};

// One step of a loop test as it went.
struct LoopPoint {
    double setMa = 0;                   // what the device was asked to source
    std::optional<double> reportedMa;   // what it said it sources
    std::optional<double> readMa;       // what the control system read, when entered
    std::optional<bool> passed;         // the engineer's verdict, when given
    QString error;                      // why the point failed on the line
};
struct LoopTest {
    QDateTime time;
    std::vector<LoopPoint> points;
    bool released = false; // fixed-current mode left and confirmed
    QString releaseText;   // the outcome of leaving it, in words
};

struct Document {
    QDateTime time;
    QString version;
    QString operatorName;
    QString source; // "the device at address 3" or the file's name
    std::vector<Field> identity;
    std::vector<Field> items;
    std::optional<LoopTest> loopTest;
    std::vector<config::HistoryRecord> writes;
    // Why the writes above may not be all of them (the history could not be
    // read, or lines of it were damaged); said where the writes are.
    QString writesNote;
};

// The document as HTML: every text from outside is escaped; control bytes
// are shown as escapes, never passed on.
QString Html(const Document& d);

codec::Result<bool> SaveHtml(const QString& path, const Document& d);
// Needs a QGuiApplication (fonts); the text stays text, so the PDF is searchable.
codec::Result<bool> SavePdf(const QString& path, const Document& d);

} // namespace report
