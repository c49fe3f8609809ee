// modbus-hart-config over HART-IP as a user runs it, against the simulated
// converter served by the simulator's own HART-IP server on the loopback.
#include "hart/hart_ip.h"
#include "sim/hart_ip_server.h"
#include "support/cli_run.h"
#include "support/converter_setups.h"

#include <QtTest>

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

namespace ip = hart::ip;

namespace {

using testing::Run;

using Trace = std::function<void(bool received, std::span<const std::uint8_t> bytes)>;

std::unique_ptr<sim::HartIpServer> Serve(const sim::ConverterState& state, Trace trace = {}, int maxSessions = 8)
{
    sim::HartIpServer::Options o;
    o.lineTiming = false;
    o.maxSessions = maxSessions;
    o.trace = std::move(trace);
    std::string error;
    auto s = sim::HartIpServer::Start(o, &error);
    if (!s)
        qFatal("%s", error.c_str());
    s->WithDevice([&](sim::Device& d) { d.State() = state; });
    return s;
}

sim::ConverterState StateOf(sim::HartIpServer& s)
{
    sim::ConverterState out;
    s.WithDevice([&](sim::Device& d) { out = d.State(); });
    return out;
}

std::map<std::uint8_t, std::vector<std::uint8_t>> AnswersOf(sim::HartIpServer& s)
{
    sim::Device copy(StateOf(s));
    return testing::ConfigurationAnswers(copy);
}

QStringList At(const sim::HartIpServer& s, bool tcp)
{
    QStringList a{"--hart-ip", QString("127.0.0.1:%1").arg(s.Port())};
    if (tcp)
        a << "--tcp";
    return a;
}

// Stops `server` from a thread of its own once it has received `messages`
// messages: the server goes away in the middle of what the program is doing.
class StopAfter {
public:
    explicit StopAfter(int messages) : left_(messages) {}
    ~StopAfter()
    {
        if (thread_.joinable())
            thread_.join();
    }
    Trace Tracer()
    {
        return [this](bool received, std::span<const std::uint8_t>) {
            if (!received)
                return;
            const std::lock_guard lock(mutex_);
            if (--left_ == 0)
                due_.notify_one();
        };
    }
    void Arm(sim::HartIpServer& server)
    {
        thread_ = std::thread([this, &server] {
            std::unique_lock lock(mutex_);
            due_.wait_for(lock, std::chrono::seconds(30), [this] { return left_ <= 0; });
            lock.unlock();
            server.Stop();
        });
    }

private:
    std::mutex mutex_;
    std::condition_variable due_;
    int left_;
    std::thread thread_;
};

} // namespace

class TestCliHartIp : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    Run Program(const QStringList& args)
    {
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir_.filePath("data")); // backups land here
        return testing::RunProgram(args, env);
    }
    QString Path(const QString& name) { return dir_.filePath(name); }

    static void Transports()
    {
        QTest::addColumn<bool>("tcp");
        QTest::newRow("udp") << false;
        QTest::newRow("tcp") << true;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void cloneRoundTrip_data() { Transports(); }
    // Read A, write it to B, both over the network; B then answers as A does,
    // and a second write changes nothing. Every run closes its session.
    void cloneRoundTrip()
    {
        QFETCH(bool, tcp);
        auto a = Serve(testing::OtherConverter());
        auto b = Serve(sim::ConverterState{});
        QVERIFY(AnswersOf(*a) != AnswersOf(*b));
        const QString file = Path(QString("clone-%1.json").arg(tcp));

        const Run read = Program(QStringList{"read", "-o", file} + At(*a, tcp));
        QVERIFY2(read.exit == 0, qPrintable(read.err));
        QTRY_COMPARE_WITH_TIMEOUT(a->SessionCount(), 0, 5000);

        const Run write = Program(QStringList{"write", file} + At(*b, tcp));
        QVERIFY2(write.exit == 0, qPrintable(write.out + write.err));
        QVERIFY2(write.out.contains("written and verified"), qPrintable(write.out));
        const auto answersB = AnswersOf(*b);
        for (const auto& [command, answer] : AnswersOf(*a))
            QVERIFY2(answersB.at(command) == answer, qPrintable(QString("command %1").arg(command)));

        const auto changes = StateOf(*b).configChangeCounter;
        const Run again = Program(QStringList{"write", file} + At(*b, tcp));
        QVERIFY2(again.exit == 0, qPrintable(again.out + again.err));
        QVERIFY2(!again.out.contains("written and verified"), qPrintable(again.out));
        QCOMPARE(StateOf(*b).configChangeCounter, changes);

        const Run diff = Program(QStringList{"diff", file} + At(*b, tcp));
        QVERIFY2(diff.exit == 0, qPrintable(diff.out + diff.err));
        QVERIFY(diff.out.contains("are equal"));
        QTRY_COMPARE_WITH_TIMEOUT(b->SessionCount(), 0, 5000);
    }

    void scan_data() { Transports(); }
    void scan()
    {
        QFETCH(bool, tcp);
        sim::ConverterState state;
        state.pollAddress = 5;
        auto s = Serve(state);
        const Run r = Program(QStringList{"scan", "--addresses", "4-5"} + At(*s, tcp));
        QVERIFY2(r.exit == 0, qPrintable(r.err));
        QCOMPARE(r.out, QString("address 5: manufacturer 38 (0x26), device type 5 (0x05), unique id 66051 (0x010203), "
                                "HART 5, 5 preambles\n"));
    }

    // A server whose sessions are all taken refuses the program's: said in
    // words, nothing read.
    void sessionsInUse()
    {
        auto s = Serve(sim::ConverterState{}, {}, 1);
        QUdpSocket other;
        QVERIFY(other.bind(QHostAddress::LocalHost, 0));
        const auto initiate = ip::SessionInitiate(1, ip::MasterType::Primary, 60000);
        other.writeDatagram(reinterpret_cast<const char*>(initiate.data()), qint64(initiate.size()),
                            QHostAddress::LocalHost, s->Port());
        QVERIFY(other.waitForReadyRead(5000));
        QCOMPARE(s->SessionCount(), 1);

        const Run r = Program(QStringList{"read", "-o", Path("refused.json")} + At(*s, false));
        QCOMPARE(r.exit, 2);
        QVERIFY2(r.err.contains("all available sessions in use"), qPrintable(r.err));
        QVERIFY(!QFile::exists(Path("refused.json")));
    }

    void serverGoneMidBatch_data()
    {
        QTest::addColumn<bool>("tcp");
        QTest::addColumn<QString>("says");
        QTest::newRow("udp") << false << "stopped answering";
        QTest::newRow("tcp") << true << "was lost";
    }
    // The server goes away in the middle of a read: the loss is said, and the
    // read ends as on a lost serial port. Over UDP nothing but silence tells;
    // the program asks the server itself once a request goes unanswered,
    // instead of taking it for a silent device item after item.
    void serverGoneMidBatch()
    {
        QFETCH(bool, tcp);
        QFETCH(QString, says);
        StopAfter stop(6); // the session initiate and five pass-through requests
        auto s = Serve(testing::OtherConverter(), stop.Tracer());
        stop.Arm(*s);
        const QString file = Path(QString("gone-%1.json").arg(tcp));
        const Run r = Program(QStringList{"read", "-o", file} + At(*s, tcp));
        QVERIFY2(r.exit == 1 || r.exit == 2, qPrintable(QString::number(r.exit) + ": " + r.err));
        QVERIFY2(r.err.contains(says), qPrintable(r.err));
        // Lost once, said once: the items after it are not each reported as a silent device.
        QVERIFY2(r.err.count(says) == 1, qPrintable(r.err));
    }

    void captureDecodes_data() { Transports(); }
    // A capture of a read over HART-IP: tshark shows every message as HART-IP
    // between the loopback addresses and the ports really used.
    void captureDecodes()
    {
        if (QStandardPaths::findExecutable("tshark").isEmpty())
            QSKIP("tshark is not installed (scripts/test installs it with apt-get): captures are not checked");
        QFETCH(bool, tcp);
        auto s = Serve(testing::OtherConverter());
        const QString file = Path(QString("net-%1.pcapng").arg(tcp));
        const Run r = Program(QStringList{"read", "-o", Path("captured.json"), "--capture", file} + At(*s, tcp));
        QVERIFY2(r.exit == 0, qPrintable(r.err));

        QProcess t;
        t.start("tshark", {"-r", file, "-T", "fields", "-E", "occurrence=f", "-e", "exported_pdu.ipv4_src", "-e",
                           "exported_pdu.src_port", "-e", "exported_pdu.ipv4_dst", "-e", "exported_pdu.dst_port", "-e",
                           "exported_pdu.port_type", "-e", "hart_ip.message_type", "-e", "hart_ip.message_id", "-e",
                           "_ws.malformed"});
        QVERIFY(t.waitForFinished(60000));
        const QStringList rows = QString::fromUtf8(t.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(rows.size() > 20, qPrintable(rows.join('\n')));
        const QString server = QString::number(s->Port());
        const QString type = tcp ? "2" : "3";
        std::set<QString> clientPorts;
        std::map<QString, int> messages; // type and id
        for (const QString& row : rows) {
            const QStringList f = row.split('\t');
            QCOMPARE(f.size(), 8);
            QVERIFY2(f[0] == "127.0.0.1" && f[2] == "127.0.0.1" && f[4] == type && f[7].isEmpty(), qPrintable(row));
            const bool request = f[5] == "0";
            QVERIFY2(f[request ? 3 : 1] == server, qPrintable(row));
            clientPorts.insert(f[request ? 1 : 3]);
            ++messages[f[5] + "/" + f[6]];
        }
        QCOMPARE(clientPorts.size(), std::size_t(1));
        QVERIFY(*clientPorts.begin() != "0");
        QVERIFY2(rows.front().endsWith("\t0\t0\t"), qPrintable(rows.front())); // session initiate first
        QVERIFY2(rows.back().endsWith("\t0\t1\t"), qPrintable(rows.back()));   // session close last
        QCOMPARE(messages["1/0"], 1);
        QVERIFY(messages["0/3"] >= 15);
        QCOMPARE(messages["1/3"], messages["0/3"]);
    }
};

QTEST_GUILESS_MAIN(TestCliHartIp)
#include "test_cli_hart_ip.moc"
