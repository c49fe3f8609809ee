#pragma once

#include "config/configuration.h"
#include "report/report.h"

namespace report {

// The report's identity and items from a configuration (a device's, or a
// file's): every item it holds, named as the pages name it. Texts stay raw;
// the document escapes them when it is written.
void FillFromConfiguration(Document& d, const config::Configuration& c);

// The whole report of a configuration, as the window and the command line
// make it: the configuration, then the device's latest loop test and its
// writes from the history (when the configuration names the device).
Document Assemble(const config::Configuration& c, const QString& source, const QString& operatorName,
                  const QString& loopTestPath, const QString& historyPath);
// "report-TAG-DATE.pdf", as "Save File..." names a configuration.
QString DefaultReportName(const config::Configuration& c, const QDate& date);
// HTML when the name says so (.html, .htm), else PDF.
codec::Result<bool> Save(const QString& path, const Document& d);

} // namespace report
