#include "app/tform1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    app::TForm1 form1;
    form1.show();
    return application.exec();
}
