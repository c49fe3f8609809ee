#include "app/tform1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    // The installed menu entry and icon carry this id; desktops match the window to them by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(MH_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(MH_APP_ID)));
    app::TForm1 form1;
    form1.show();
    return application.exec();
}
