#include "app/traffic_model.h"
#include "app/traffic_window.h"
#include "hart/tapped_port.h"
#include "hart/transactor.h"

#include <QItemSelectionModel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

using app::TrafficModel;
using hart::Direction;

namespace {

// Record i is sent at i ms when even, received when odd; its one byte is i.
hart::TrafficRecord Nth(int i)
{
    return {i % 2 ? Direction::Received : Direction::Sent, std::int64_t{i} * 1'000'000, {std::uint8_t(i)}};
}

// Which records the rows hold, by their byte.
QString Held(const TrafficModel& m)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << QString::number(m.Record(r).bytes.front());
    return out.join(' ');
}

} // namespace

class TestTrafficModel : public QObject {
    Q_OBJECT
private slots:
    // The ring keeps the newest rows, in order, and never more than its capacity.
    void ring_data()
    {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("appended");
        QTest::addColumn<int>("pauseAt");  // -1: never paused
        QTest::addColumn<int>("resumeAt"); // -1: still paused at the end
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("held");
        QTest::newRow("below capacity") << 5 << 3 << -1 << -1 << "0 1 2" << 0;
        QTest::newRow("full") << 5 << 5 << -1 << -1 << "0 1 2 3 4" << 0;
        QTest::newRow("wrapped") << 5 << 8 << -1 << -1 << "3 4 5 6 7" << 0;
        QTest::newRow("wrapped twice") << 3 << 10 << -1 << -1 << "7 8 9" << 0;
        QTest::newRow("paused") << 5 << 4 << 2 << -1 << "0 1" << 2;
        QTest::newRow("resumed") << 5 << 4 << 2 << 4 << "0 1 2 3" << 0;
        QTest::newRow("resumed past capacity") << 5 << 8 << 3 << 8 << "3 4 5 6 7" << 0;
        QTest::newRow("paused longer than capacity") << 3 << 9 << 1 << 9 << "6 7 8" << 0;
        QTest::newRow("held rows bounded") << 3 << 9 << 1 << -1 << "0" << 3;
        QTest::newRow("resumed into a wrapped ring") << 4 << 9 << 6 << 9 << "5 6 7 8" << 0;
    }
    void ring()
    {
        QFETCH(int, capacity);
        QFETCH(int, appended);
        QFETCH(int, pauseAt);
        QFETCH(int, resumeAt);
        QFETCH(QString, rows);
        QFETCH(int, held);
        TrafficModel m(nullptr, capacity);
        for (int i = 0; i < appended; ++i) {
            if (i == pauseAt)
                m.SetPaused(true);
            m.Append(Nth(i));
            QVERIFY(m.rowCount() <= capacity);
        }
        if (resumeAt >= 0)
            m.SetPaused(false);
        QCOMPARE(Held(m), rows);
        QCOMPARE(m.Held(), held);
    }

    // A big ring drops its oldest rows in batches, staying within its capacity.
    void largeRingStaysBounded()
    {
        TrafficModel m(nullptr, 1000);
        for (int i = 0; i < 5000; ++i)
            m.Append(Nth(i));
        QVERIFY(m.rowCount() <= 1000 && m.rowCount() >= 990);
        QCOMPARE(m.Record(m.rowCount() - 1).timeNs, std::int64_t{4999} * 1'000'000);
        QCOMPARE(m.Record(0).timeNs, std::int64_t{5000 - m.rowCount()} * 1'000'000);
    }

    // Times count from the first row since the last clear; gaps from the row before, even one that left.
    void timesAndGaps()
    {
        TrafficModel m(nullptr, 3);
        for (int i : {10, 15, 30, 31})
            m.Append({Direction::Sent, std::int64_t{i} * 1'000'000, {0x00}});
        auto cell = [&](int row, int column) { return m.index(row, column).data().toString(); };
        QCOMPARE(cell(0, TrafficModel::TimeColumn), QString("5.0"));
        QCOMPARE(cell(0, TrafficModel::GapColumn), QString("5.0"));
        QCOMPARE(cell(2, TrafficModel::GapColumn), QString("1.0"));
        m.Clear();
        QCOMPARE(m.rowCount(), 0);
        m.Append({Direction::Received, 50'000'000, {0x00}});
        QCOMPARE(cell(0, TrafficModel::TimeColumn), QString("0.0"));
        QCOMPARE(cell(0, TrafficModel::GapColumn), QString());
    }

    // An answer handed over in pieces is one row; a request or a whole frame ends the row.
    void fragmentsJoin_data()
    {
        QTest::addColumn<QStringList>("records"); // "S" or "R", then hex
        QTest::addColumn<QStringList>("rows");
        const QString answer = "FF FF 86 A6 05 01 02 03 11 02 00 00 36";
        QTest::newRow("whole") << QStringList{"R" + answer} << QStringList{"Answer cmd 17"};
        QTest::newRow("byte by byte") << (QStringList{} << [&] {
            QStringList r;
            for (const QString& b : answer.split(' '))
                r << "R" + b;
            return r;
        }()) << QStringList{"Answer cmd 17"};
        QTest::newRow("two pieces, then noise")
            << QStringList{"RFF FF 86 A6", "R05 01 02 03 11 02 00 00 36", "R00"}
            << QStringList{"Answer cmd 17", "Noise: 1 byte"};
        QTest::newRow("a request ends the row")
            << QStringList{"RFF FF 86 A6", "SFF FF 02 00 00 00 02", "R05 01"}
            << QStringList{"Cut Answer", "Request cmd 0", "Noise: 2 bytes"};
    }
    void fragmentsJoin()
    {
        QFETCH(QStringList, records);
        QFETCH(QStringList, rows);
        for (bool paused : {false, true}) {
            TrafficModel m;
            m.SetPaused(paused);
            for (const QString& r : records) {
                const QByteArray raw = QByteArray::fromHex(r.mid(1).toLatin1());
                m.Append({r[0] == 'S' ? Direction::Sent : Direction::Received, 1, {raw.begin(), raw.end()}});
            }
            m.SetPaused(false);
            QStringList got;
            for (int i = 0; i < m.rowCount(); ++i)
                got << m.index(i, TrafficModel::SummaryColumn).data().toString();
            QCOMPARE(got.size(), rows.size());
            for (int i = 0; i < rows.size(); ++i)
                QVERIFY2(got[i].startsWith(rows[i]), qPrintable(got[i]));
        }
    }

    // A HART-IP message is a row of its own: what it is, its frame without
    // preambles, its endpoints; a refused one is shown, never decoded.
    void networkRows_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("detail"); // a line the details must hold
        QTest::newRow("pass-through answer")
            << "01 01 03 00 00 07 00 0F 06 80 00 02 00 00 84"
            << "HART-IP pass-through response, sequence 7, status 0 | Answer cmd 0"
            << "UDP from 127.0.0.1:40001 to 127.0.0.2:5094";
        QTest::newRow("keep-alive") << "01 00 02 00 00 08 00 08" << "HART-IP keep-alive request, sequence 8, status 0"
                                    << "01 00 02 00 00 08 00 08";
        QTest::newRow("sessions in use") << "01 01 00 0F 00 01 00 0D 01 00 00 EA 60"
                                         << "HART-IP session initiate response, sequence 1, status 15" << "";
        QTest::newRow("byte count past the end") << "01 01 03 00 00 07 00 20 06"
                                                 << "HART-IP message refused (byte count past the end): 01 01 03 00 00 07 00 20 06"
                                                 << "";
    }
    void networkRows()
    {
        QFETCH(QString, message);
        QFETCH(QString, summary);
        QFETCH(QString, detail);
        TrafficModel m;
        hart::NetworkEndpoints n;
        n.source = {127, 0, 0, 1};
        n.destination = {127, 0, 0, 2};
        n.sourcePort = 40001;
        n.destinationPort = 5094;
        const QByteArray raw = QByteArray::fromHex(message.toLatin1());
        // A cut answer before it: the message ends its wait at once.
        m.Append({Direction::Received, 1, {0xFF, 0xFF, 0x86, 0xA6}});
        m.Append({Direction::Received, 2, {raw.begin(), raw.end()}, n});
        QCOMPARE(m.rowCount(), 2);
        QVERIFY(!m.Arriving(0));
        const QString got = m.index(1, TrafficModel::SummaryColumn).data().toString();
        QVERIFY2(got.startsWith(summary), qPrintable(got));
        QVERIFY2(m.Details(1).contains(detail), qPrintable(m.Details(1)));
        QCOMPARE(m.Record(1).network, std::optional(n));
    }

    // An answer cut at the end of the newest row is still arriving until the
    // rest could no longer come in time; a delivery within that time is its
    // rest, one after it is not. The answer below misses 3 bytes after its
    // byte count: due 27.5 ms (3 characters at 1200 baud) + 310 ms after its
    // last delivery; with no byte count yet, the longest rest's (262 bytes) 2402 ms + 310 ms.
    void cutAnswerWaitsForItsRest_data()
    {
        QTest::addColumn<QStringList>("records"); // "S" or "R", the time in ms, ":", then hex
        QTest::addColumn<int>("nowMs");
        QTest::addColumn<QStringList>("rows");
        const QString head = "FF FF 86 A6 05 01 02 03 11 02";
        QTest::newRow("rest within the time-out")
            << QStringList{"R0:" + head, "R300:00 00 36"} << 10'000 << QStringList{"Answer cmd 17"};
        QTest::newRow("rest at the last moment")
            << QStringList{"R0:" + head, "R337:00 00 36"} << 10'000 << QStringList{"Answer cmd 17"};
        QTest::newRow("still arriving") << QStringList{"R0:" + head} << 337 << QStringList{"Arriving Answer: cmd 17"};
        QTest::newRow("nothing more past the time-out") << QStringList{"R0:" + head} << 338 << QStringList{"Cut Answer: cmd 17"};
        QTest::newRow("rest after the time-out")
            << QStringList{"R0:" + head, "R338:00 00 36"} << 10'000 << QStringList{"Cut Answer", "Noise: 3 bytes"};
        QTest::newRow("each piece within the time-out of the last")
            << QStringList{"R0:FF FF 86", "R2500:A6 05 01 02 03 11 02", "R2800:00", "R3100:00 36"} << 10'000
            << QStringList{"Answer cmd 17"};
        QTest::newRow("no byte count yet, still arriving") << QStringList{"R0:FF FF 86 A6"} << 2'700 << QStringList{"Arriving Answer"};
        QTest::newRow("no byte count yet, past the time-out") << QStringList{"R0:FF FF 86 A6"} << 2'750 << QStringList{"Cut Answer"};
        QTest::newRow("a whole frame before it")
            << QStringList{"R0:FF FF 86 A6 05 01 02 03 11 02 00 00 36 FF FF 86"} << 100
            << QStringList{"Answer cmd 17 Write Message, Success, status OK, 0 data bytes | Arriving Answer"};
        QTest::newRow("the rest, then the next answer")
            << QStringList{"R0:" + head, "R100:00 00 36 FF FF 86 A6 05 01 02 03 11 02 00 00 36"} << 10'000
            << QStringList{"Answer cmd 17", "Answer cmd 17"};
        QTest::newRow("a line that never pauses")
            << QStringList{"R0:FF FF 86 A6 05", "R50:01 02 03 11 02 00 00 36 FF FF 86 A6",
                           "R100:05 01 02 03 11 02 00 00 36 FF", "R150:FF 86 A6 05 01 02 03 11 02 00 00 36"}
            << 10'000 << QStringList{"Answer cmd 17", "Answer cmd 17", "Answer cmd 17"};
        // Longer than any answer: noise, final; the next delivery is a row of its own.
        QTest::newRow("a line of 0xFF stops growing")
            << QStringList{"R0:" + QString("FF ").repeated(290).trimmed(), "R100:FF FF"} << 10'000
            << QStringList{"", ""};
        QTest::newRow("a request after it") << QStringList{"R0:" + head, "S10:FF FF 02 00 00 00 02"} << 20
                                            << QStringList{"Cut Answer", "Request cmd 0"};
    }
    void cutAnswerWaitsForItsRest()
    {
        QFETCH(QStringList, records);
        QFETCH(int, nowMs);
        QFETCH(QStringList, rows);
        // Never paused; paused throughout; paused after the first record, its rest coming while paused.
        for (int pauseAt : {-1, 0, 1}) {
            TrafficModel m;
            std::int64_t now = 0;
            m.SetClock([&] { return now; });
            for (int i = 0; i < records.size(); ++i) {
                if (i == pauseAt)
                    m.SetPaused(true);
                const QString& r = records[i];
                const int colon = r.indexOf(':');
                now = r.mid(1, colon - 1).toLongLong() * 1'000'000;
                const QByteArray raw = QByteArray::fromHex(r.mid(colon + 1).toLatin1());
                m.Append({r[0] == 'S' ? Direction::Sent : Direction::Received, now, {raw.begin(), raw.end()}});
            }
            m.SetPaused(false);
            now = std::int64_t{nowMs} * 1'000'000;
            QStringList got;
            for (int i = 0; i < m.rowCount(); ++i)
                got << m.index(i, TrafficModel::SummaryColumn).data().toString();
            QVERIFY2(got.size() == rows.size(), qPrintable(QString("pause at %1: %2").arg(pauseAt).arg(got.join(" / "))));
            for (int i = 0; i < rows.size(); ++i)
                QVERIFY2(got[i].startsWith(rows[i]), qPrintable(QString("pause at %1: %2").arg(pauseAt).arg(got[i])));
            const QString details = m.Details(m.rowCount() - 1);
            QCOMPARE(details.contains("Arriving "), rows.back().contains("Arriving "));
        }
    }

    // Once its time is up the arriving row is repainted as cut, without a new record.
    void arrivingRowRepaintedWhenDue()
    {
        TrafficModel m;
        const std::int64_t start = hart::TappedPort::NowNs();
        m.Append({Direction::Received, start, {0xFF, 0xFF, 0x86, 0xA6, 0x05, 0x01, 0x02, 0x03, 0x11, 0x02}});
        QVERIFY(m.Arriving(0));
        QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
        QVERIFY(changed.wait(5000));
        QVERIFY(!m.Arriving(0));
        QVERIFY(hart::TappedPort::NowNs() - start > std::int64_t{hart::kAnswerStartMs} * 1'000'000);
        QVERIFY(m.index(0, TrafficModel::SummaryColumn).data().toString().startsWith("Cut Answer"));
    }

    // The view follows new rows while the newest is in view, and stays where
    // the user scrolled otherwise.
    void windowFollows()
    {
        TrafficModel m;
        app::TrafficWindow w(m, {});
        w.resize(600, 300);
        w.show();
        auto* bar = w.findChild<QTableView*>("TrafficTable")->verticalScrollBar();
        auto burst = [&](int n) {
            for (int i = 0; i < n; ++i)
                m.Append(Nth(2 * i));
            QCoreApplication::processEvents();
        };
        burst(200);
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        burst(50);
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(10);
        burst(50);
        QCOMPARE(bar->value(), 10);
        bar->setValue(bar->maximum());
        burst(1);
        QCOMPARE(bar->value(), bar->maximum());
    }

    // A selected row holds the view still, even at the bottom; clearing the
    // selection, or scrolling back to the bottom by hand, follows again.
    void windowHoldsSelectedRow_data()
    {
        QTest::addColumn<QString>("resume"); // how the user lets it follow again
        QTest::newRow("selection cleared") << "clear";
        QTest::newRow("escape") << "escape";
        QTest::newRow("scrolled to the bottom") << "scroll";
    }
    void windowHoldsSelectedRow()
    {
        QFETCH(QString, resume);
        TrafficModel m;
        app::TrafficWindow w(m, {});
        w.resize(600, 300);
        w.show();
        auto* table = w.findChild<QTableView*>("TrafficTable");
        auto* bar = table->verticalScrollBar();
        int sent = 0;
        auto burst = [&](int n) {
            for (int i = 0; i < n; ++i)
                m.Append(Nth(2 * sent++));
            QCoreApplication::processEvents();
        };
        burst(200);
        QCOMPARE(bar->value(), bar->maximum());
        table->selectRow(m.rowCount() - 1);
        QCOMPARE(bar->value(), bar->maximum());
        const int held = bar->value();
        burst(50);
        QCOMPARE(bar->value(), held);
        QVERIFY(bar->value() < bar->maximum());
        if (resume == "clear") {
            table->clearSelection();
        } else if (resume == "escape") {
            table->setFocus();
            QTest::keyClick(table, Qt::Key_Escape);
        } else {
            bar->triggerAction(QAbstractSlider::SliderToMaximum);
            QVERIFY(table->selectionModel()->hasSelection());
        }
        burst(50);
        QCOMPARE(bar->value(), bar->maximum());
        burst(1);
        QCOMPARE(bar->value(), bar->maximum());
    }

    void copiedText()
    {
        TrafficModel m;
        m.Append({Direction::Sent, 1'000'000, {0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 0x02}});
        m.Append({Direction::Received, 3'500'000, {0x01, 0x02}});
        QCOMPARE(m.Text({0, 1}), QString("0.0\t\tSent\tRequest cmd 0 Read Unique Identifier, 0 data bytes\n"
                                         "2.5\t2.5\tReceived\tNoise: 2 bytes\n"));
    }
};

QTEST_MAIN(TestTrafficModel)
#include "test_traffic_model.moc"
