#include "app/tform1.h"
#include "app/window_fit.h"
#include "i18n/translators.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    i18n::InstallTranslators(application);
    // The installed menu entry and icon carry this id; desktops match the window to them by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(MH_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(MH_APP_ID)));
    // The list texts' full-width punctuation is missing from the usual Latin fonts.
    QFont::insertSubstitution(QApplication::font().family(), QStringLiteral(MH_CJK_FONT_FAMILY));
    app::TForm1 form1;
    app::RestorePlacement(&form1);
    form1.show();
    const int status = application.exec();
    app::StorePlacement(&form1);
    return status;
}
