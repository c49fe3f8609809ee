// The window over HART-IP: the simulated converter served on the loopback,
// the real sockets and the real event loop.
#include "app/config_page.h"
#include "app/traffic_model.h"
#include "app/traffic_window.h"
#include "sim/hart_ip_server.h"
#include "support/window_driver.h"

#include <QTableView>

using testing::WindowDriver;

class TestHartIpWindow : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<sim::HartIpServer> Serve()
    {
        sim::HartIpServer::Options o;
        o.lineTiming = false;
        std::string error;
        auto server = sim::HartIpServer::Start(o, &error);
        if (!server)
            qWarning("%s", error.c_str());
        return server;
    }

    static void Schemes()
    {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("udp") << "hart-ip";
        QTest::newRow("tcp") << "hart-ip+tcp";
    }

private slots:
    // A typed hart-ip:// name opens a session; the buttons work over it, the
    // traffic window shows the messages, and Close ends the session.
    void buttonsWorkOverASession_data() { Schemes(); }
    void buttonsWorkOverASession()
    {
        QFETCH(QString, scheme);
        auto server = Serve();
        QVERIFY(server);
        WindowDriver d;
        d.open(QString("%1://127.0.0.1:%2").arg(scheme).arg(server->Port()));
        QTRY_COMPARE_WITH_TIMEOUT(d.text("Button1"), QString("Close"), 6000);
        QCOMPARE(server->SessionCount(), 1);

        QCOMPARE(d.identify(), QString("upload successful!"));
        QCOMPARE(d.press("Button4"), QString("upload successful!"));
        QVERIFY(!d.text("Edit1").isEmpty()); // a process value shown

        QTest::mouseClick(d.w<QPushButton>("TrafficButton"), Qt::LeftButton);
        const QAbstractItemModel& m = *d.w<app::TrafficWindow>("TrafficWindow")->findChild<QTableView*>("TrafficTable")->model();
        QStringList rows;
        for (int r = 0; r < m.rowCount(); ++r)
            rows << m.index(r, app::TrafficModel::SummaryColumn).data().toString().section(',', 0, 0);
        QCOMPARE(rows.mid(0, 6), QStringList({"HART-IP session initiate request", "HART-IP session initiate response",
                                              "HART-IP pass-through request", "HART-IP pass-through response",
                                              "HART-IP pass-through request", "HART-IP pass-through response"}));
        // The counters count the frames carried, no preamble the network never saw.
        int sent = 0, received = 0;
        for (int r = 0; r < m.rowCount(); ++r) {
            const auto rec = static_cast<const app::TrafficModel&>(m).Record(r);
            if (rec.bytes.size() > 8 && rec.bytes[2] == 3)
                (rec.direction == hart::Direction::Sent ? sent : received) += int(rec.bytes.size()) - 8;
        }
        QCOMPARE(d.text("Label56"), QString::number(sent));
        QCOMPARE(d.text("Label67"), QString::number(received));

        // The batch path goes over the session too: the whole configuration read.
        auto* page = d.form.findChild<app::ConfigPage*>("TabSheetConfig");
        QTRY_VERIFY_WITH_TIMEOUT(d.w<QPushButton>("ConfigRead")->isEnabled(), 3000);
        QTest::mouseClick(d.w<QPushButton>("ConfigRead"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!page->BatchRunning(), 20000);
        QVERIFY2(page->StatusText().startsWith("Read "), qPrintable(page->StatusText()));
        QVERIFY2(!page->StatusText().contains("could not"), qPrintable(page->StatusText()));

        d.close();
        QCOMPARE(d.text("Button1"), QString("Open"));
        QTRY_COMPARE_WITH_TIMEOUT(server->SessionCount(), 0, 3000);
        QVERIFY(d.errors.isEmpty());
    }

    void failuresAreSaid_data() { Schemes(); }
    // A name that is no server, and a server that goes away, are said in
    // words. Over UDP only silence tells: the press that finds it out takes
    // a timeout and the server's silence to a keep-alive.
    void failuresAreSaid()
    {
        QFETCH(QString, scheme);
        WindowDriver d;
        d.open(scheme + "://");
        QCOMPARE(d.text("Button1"), QString("Open"));
        QCOMPARE(d.errors.size(), 1);

        auto server = Serve();
        QVERIFY(server);
        d.open(QString("%1://127.0.0.1:%2").arg(scheme).arg(server->Port()));
        QTRY_COMPARE_WITH_TIMEOUT(d.text("Button1"), QString("Close"), 6000);
        server->Stop();
        if (scheme == "hart-ip") {
            // The first press goes unanswered; the one after it asks the server itself.
            d.identify();
            d.identify();
        }
        QTRY_COMPARE_WITH_TIMEOUT(d.text("Button1"), QString("Open"), 10000);
        QVERIFY2(d.status().startsWith("Port disconnected: "), qPrintable(d.status()));
    }
};

QTEST_MAIN(TestHartIpWindow)
#include "test_hart_ip_window.moc"
