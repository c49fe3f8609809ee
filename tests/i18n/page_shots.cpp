// Not a test: writes each page of the window in the given language to DIR/page<N>.png, for looking at the widths.
// Usage: page_shots LOCALE DIR
#include "app/tform1.h"
#include "i18n/translators.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 3)
        return 2;
    i18n::InstallTranslators(application, QLocale(QString::fromLocal8Bit(argv[1])));
    const QString dir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(dir);
    app::TForm1 form;
    form.show();
    auto* pages = form.findChild<QTabWidget*>("PageControl2");
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        if (!form.grab().save(QDir(dir).filePath(QStringLiteral("page%1.png").arg(page))))
            return 1;
    }
    return 0;
}
