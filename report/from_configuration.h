#pragma once

#include "config/configuration.h"
#include "report/report.h"

namespace report {

// The report's identity and items from a configuration (a device's, or a
// file's): every item it holds, named as the pages name it. Texts stay raw;
// the document escapes them when it is written.
void FillFromConfiguration(Document& d, const config::Configuration& c);

} // namespace report
