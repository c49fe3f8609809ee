#pragma once

#include <QLocale>

class QCoreApplication;

namespace i18n {

// Installs the program's own translation and Qt's for `locale` on `application` (Chinese and German are
// shipped; any other language keeps the English texts). Returns whether the program's own translation
// was found; Qt's is optional, since its package may be missing.
bool InstallTranslators(QCoreApplication& application, const QLocale& locale = QLocale::system());

} // namespace i18n
