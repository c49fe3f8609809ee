// Writes one screenshot of the main window per page: form_preview OUT_DIR [--show-hidden]
// --show-hidden also shows the internal parameter group and the "***" marker, to check the room kept for them,
// and writes the open drop-down lists of the widest lists.
#include "app/form1_ui.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: form_preview OUT_DIR [--show-hidden]\n");
        return 2;
    }
    const QDir out(args.at(1));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    const bool showHidden = args.contains(QStringLiteral("--show-hidden"));

    QWidget form;
    app::Form1Ui ui;
    ui.setupUi(&form);
    form.show();
    if (showHidden) {
        ui.GroupBox4->show();
        ui.Label90->show();
    }
    for (int page = 0; page < ui.PageControl2->count(); ++page) {
        ui.PageControl2->setCurrentIndex(page);
        QApplication::processEvents();
        const QString path
            = out.filePath(QStringLiteral("page%1%2.png").arg(page).arg(showHidden ? "-hidden-shown" : ""));
        if (!form.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    if (showHidden) {
        ui.PageControl2->setCurrentIndex(3);
        for (QComboBox* combo : {ui.Dxieyi1, ui.Bianlan1, ui.WEI1}) {
            if (combo == ui.Bianlan1)
                ui.PageControl2->setCurrentIndex(4);
            combo->showPopup();
            QApplication::processEvents();
            const QString path = out.filePath(QStringLiteral("popup-%1.png").arg(combo->objectName()));
            if (!combo->view()->window()->grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
            combo->hidePopup();
            std::printf("%s\n", qPrintable(path));
        }
    }
    return 0;
}
