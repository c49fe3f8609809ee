#include "i18n/translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace i18n {

bool InstallTranslators(QCoreApplication& application, const QLocale& locale)
{
    // English is the source language: no translator, so every text stays exactly as written.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return false;
    auto* own = new QTranslator(&application);
    const bool found = own->load(locale, QStringLiteral("modbus-hart"), QStringLiteral("_"), QStringLiteral(":/i18n"));
    if (found)
        QCoreApplication::installTranslator(own);
    else
        delete own;
    // Qt's own texts (the buttons of message and file dialogs), from the qt6-translations-l10n package.
    auto* qt = new QTranslator(&application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return found;
}

} // namespace i18n
