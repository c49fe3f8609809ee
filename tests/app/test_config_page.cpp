#include "app/config_page.h"

#include <QtTest>

Q_DECLARE_METATYPE(app::PageSituation)
Q_DECLARE_METATYPE(app::PageButtons)

namespace {

// Situation flags: port open, batch running, link waiting, device read, file open.
app::PageSituation S(bool port, bool batch, bool waiting, bool device, bool file)
{
    return {port, batch, waiting, device, file};
}
// Buttons: read, open, save, compare, write, cancel, identity.
app::PageButtons B(bool read, bool open, bool save, bool compare, bool write, bool cancel, bool identity)
{
    return {read, open, save, compare, write, cancel, identity};
}

} // namespace

class TestConfigPage : public QObject {
    Q_OBJECT
private slots:
    void buttons_data()
    {
        QTest::addColumn<app::PageSituation>("situation");
        QTest::addColumn<app::PageButtons>("buttons");
        QTest::newRow("port closed, nothing loaded") << S(0, 0, 0, 0, 0) << B(0, 1, 0, 0, 0, 0, 1);
        QTest::newRow("port closed, file open") << S(0, 0, 0, 0, 1) << B(0, 1, 0, 0, 0, 0, 1);
        QTest::newRow("port closed, device read") << S(0, 0, 0, 1, 0) << B(0, 1, 1, 0, 0, 0, 1);
        QTest::newRow("port open") << S(1, 0, 0, 0, 0) << B(1, 1, 0, 0, 0, 0, 1);
        QTest::newRow("port open, file open") << S(1, 0, 0, 0, 1) << B(1, 1, 0, 1, 1, 0, 1);
        QTest::newRow("everything there") << S(1, 0, 0, 1, 1) << B(1, 1, 1, 1, 1, 0, 1);
        QTest::newRow("a page's request waits") << S(1, 0, 1, 1, 1) << B(0, 1, 1, 0, 0, 0, 1);
        QTest::newRow("batch running") << S(1, 1, 0, 1, 1) << B(0, 0, 0, 0, 0, 1, 0);
    }
    void buttons()
    {
        QFETCH(app::PageSituation, situation);
        QFETCH(app::PageButtons, buttons);
        QCOMPARE(app::ButtonsFor(situation), buttons);
    }
};

QTEST_GUILESS_MAIN(TestConfigPage)
#include "test_config_page.moc"
