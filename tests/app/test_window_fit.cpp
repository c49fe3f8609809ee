// Where the window opens and that it fits the screen it opens on.
#include "app/tform1.h"
#include "app/window_fit.h"

#include <QApplication>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <optional>

Q_DECLARE_METATYPE(std::optional<QRect>)

class TestWindowFit : public QObject {
    Q_OBJECT
    QTemporaryDir settings_;

private slots:
    void initTestCase()
    {
        // The stored placement goes to a folder of the test's own.
        QVERIFY(settings_.isValid());
        qputenv("XDG_CONFIG_HOME", settings_.path().toLocal8Bit());
    }

    void placement_data()
    {
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<std::optional<QRect>>("last");
        QTest::addColumn<QRect>("placed");
        const QRect big(0, 0, 1920, 1080);
        const QRect small(0, 0, 1024, 740);
        const QRect right(1920, 0, 1280, 800);
        QTest::newRow("room: designed size, centred") << QList<QRect>{big} << QPoint(5, 5) << std::optional<QRect>()
                                                       << QRect(471, 200, 978, 679);
        QTest::newRow("small screen: as large as it") << QList<QRect>{small} << QPoint(5, 5) << std::optional<QRect>()
                                                       << QRect(23, 30, 978, 679).intersected(small);
        QTest::newRow("scaled 1280x800: both ways smaller")
            << QList<QRect>{QRect(0, 0, 853, 533)} << QPoint(5, 5) << std::optional<QRect>() << QRect(0, 0, 853, 533);
        QTest::newRow("the screen with the mouse") << QList<QRect>{big, right} << QPoint(2000, 100)
                                                    << std::optional<QRect>() << QRect(2071, 60, 978, 679);
        QTest::newRow("mouse off every screen: the first") << QList<QRect>{big, right} << QPoint(-50, -50)
                                                            << std::optional<QRect>() << QRect(471, 200, 978, 679);
        QTest::newRow("where it was closed") << QList<QRect>{big, right} << QPoint(5, 5)
                                              << std::optional<QRect>(QRect(2000, 20, 900, 600))
                                              << QRect(2000, 20, 900, 600);
        QTest::newRow("closed on a screen that is gone") << QList<QRect>{big} << QPoint(5, 5)
                                                          << std::optional<QRect>(QRect(2000, 20, 900, 600))
                                                          << QRect(471, 200, 978, 679);
        QTest::newRow("closed half off the screen") << QList<QRect>{big} << QPoint(5, 5)
                                                     << std::optional<QRect>(QRect(1500, 20, 978, 679))
                                                     << QRect(471, 200, 978, 679);
    }
    void placement()
    {
        QFETCH(QList<QRect>, screens);
        QFETCH(QPoint, cursor);
        QFETCH(std::optional<QRect>, last);
        QFETCH(QRect, placed);
        QCOMPARE(app::PlaceWindow(app::kDesignedSize, screens, cursor, last), placed);
    }

    // A screen lower than the window's minimum: the minimum holds, and the
    // title bar stays on the screen rather than the window centred above it.
    void placementKeepsTheMinimum()
    {
        const QList<QRect> screens{QRect(0, 0, 837, 461)};
        QCOMPARE(app::PlaceWindow(app::kDesignedSize, screens, QPoint(5, 5), std::nullopt, QSize(669, 480)),
                 QRect(0, 0, 837, 480));
        QCOMPARE(app::PlaceWindow(app::kDesignedSize, screens, QPoint(5, 5), QRect(10, 10, 500, 300), QSize(669, 480)),
                 QRect(0, 0, 837, 480));
    }

    // On whatever screen the test runs (the offscreen one, or Xvfb at the sizes
    // ctest gives it): the whole window with its status panel is on the screen,
    // and all six captions show without scroll arrows at the designed width.
    void opensOnScreen()
    {
        app::TForm1 form;
        app::RestorePlacement(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect screen = form.screen()->availableGeometry();
        QVERIFY2(screen.contains(form.frameGeometry()),
                 qPrintable(QStringLiteral("window %1,%2 %3x%4 on a screen of %5x%6")
                                .arg(form.frameGeometry().x()).arg(form.frameGeometry().y())
                                .arg(form.frameGeometry().width()).arg(form.frameGeometry().height())
                                .arg(screen.width()).arg(screen.height())));
        const QWidget* panel = form.findChild<QWidget*>("Panel1");
        QVERIFY(panel->isVisible());
        QVERIFY(form.rect().contains(QRect(panel->mapTo(&form, QPoint(0, 0)), panel->size())));
        if (form.size() == app::kDesignedSize) {
            const auto* tabs = form.findChild<QTabWidget*>("PageControl2");
            QCOMPARE(tabs->count(), 6);
            for (const QToolButton* arrow : tabs->tabBar()->findChildren<QToolButton*>())
                QVERIFY2(!arrow->isVisible(), "the tab bar scrolls");
        }
        // Stored at exit, restored next time where it was.
        form.resize(form.size() - QSize(40, 30));
        form.move(screen.topLeft() + QPoint(3, 2));
        app::StorePlacement(&form);
        app::TForm1 again;
        app::RestorePlacement(&again);
        QCOMPARE(again.pos(), screen.topLeft() + QPoint(3, 2));
        QCOMPARE(again.size(), form.size());
    }
};

QTEST_MAIN(TestWindowFit)
#include "test_window_fit.moc"
