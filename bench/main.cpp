// mh-bench: how fast the real window gets a decoded answer from the simulated
// converter at 1200-baud timing, how long its event loop stalls, how often
// the serial threads wake while idle, how soon the window is painted and how
// much memory it holds. The figures and their reading: docs/performance.md.

#include "bench/config_batch.h"
#include "bench/hart_ip_batch.h"
#include "bench/proc_stats.h"
#include "bench/session.h"
#include "bench/startup.h"
#include "bench/summary.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using namespace bench;

// One character on the line: start bit, 8 data bits, parity, stop bit.
constexpr double kByteMs = 11.0 * 1000.0 / 1200.0;

// Targets of the tracker's issue.
constexpr double kOverheadTargetMs = 25;
constexpr double kSleepMs = 200;        // the send sequence's pause of the window thread
constexpr double kStallTargetMs = kSleepMs + 20;
constexpr double kStartupTargetMs = 500;
constexpr double kMemoryTargetBytes = 80e6;
constexpr double kBatchTargetRatio = 1.2; // a configuration batch against its wire floor

QJsonObject ToJson(const BatchFigure& f)
{
    return {{"measured_ms", f.measuredMs}, {"floor_ms", f.floorMs},     {"ratio", f.ratio()},
            {"requests", f.requests},      {"repeats", f.repeats},      {"sent_bytes", qint64(f.sentBytes)},
            {"received_bytes", qint64(f.receivedBytes)}};
}

void PrintConfigBench(const ConfigBenchResult& c)
{
    std::printf("\nConfiguration batches, simulated converter with 1200-baud timing, turnaround %d ms\n", c.turnaroundMs);
    std::printf("  floor = (sent + received bytes) x 11/1200 s + turnaround x requests on the line\n");
    const auto row = [](const char* label, const BatchFigure& f) {
        std::printf("  %-34s %8.0f ms, floor %8.0f ms, %.3f x floor (%d requests, %d repeats, %lld + %lld B)  %s\n",
                    label, f.measuredMs, f.floorMs, f.ratio(), f.requests, f.repeats, f.sentBytes, f.receivedBytes,
                    f.ratio() <= kBatchTargetRatio ? "met" : "NOT met");
    };
    row("read, whole configuration", c.read);
    row("clone (compare, write, verify)", c.clone);
    std::printf("  %-34s %8.0f ms, floor %8.0f ms, %.3f x floor (%d presses)\n", "same read by the Query buttons",
                c.buttonsMs, c.buttonsFloorMs, c.buttonsFloorMs > 0 ? c.buttonsMs / c.buttonsFloorMs : 0.0,
                c.buttonPresses);
    std::printf("  items written and verified by the clone: %d\n", c.itemsWritten);
}

QJsonObject ToJson(const HartIpBenchResult& h)
{
    return {{"runs", h.runs},
            {"transactions", h.transactions},
            {"pty_read_ms", h.ptyMs},
            {"hart_ip_read_ms", h.hartIpMs},
            {"pty_per_transaction_ms", h.PtyPerTransactionMs()},
            {"hart_ip_per_transaction_ms", h.HartIpPerTransactionMs()},
            {"added_per_transaction_ms", h.AddedPerTransactionMs()},
            {"met", h.AddedPerTransactionMs() <= kHartIpAddedTargetMs}};
}

void PrintHartIpBench(const HartIpBenchResult& h)
{
    std::printf("\nWhole-configuration read over HART-IP on the loopback beside a pseudo-terminal, no line timing,\n"
                "turnaround %d ms, median of %d runs each; server: %s\n",
                h.turnaroundMs, h.runs, qPrintable(h.server));
    std::printf("  pseudo-terminal   %8.1f ms, %d transactions, %.2f ms a transaction\n", h.ptyMs, h.transactions,
                h.PtyPerTransactionMs());
    std::printf("  HART-IP (UDP)     %8.1f ms, %d transactions, %.2f ms a transaction\n", h.hartIpMs, h.transactions,
                h.HartIpPerTransactionMs());
    std::printf("  added by HART-IP  %.2f ms a transaction (target <= %.0f ms)  %s\n", h.AddedPerTransactionMs(),
                kHartIpAddedTargetMs, h.AddedPerTransactionMs() <= kHartIpAddedTargetMs ? "met" : "NOT met");
}

struct Args {
    bool quick = false;
    bool json = false;
    bool configOnly = false;
    int repetitions = 20;
    int idleMs = 5000;
    int settleMs = 1000;
    int startupRuns = 7;
};

void Usage(std::FILE* out)
{
    std::fprintf(out, "usage: mh-bench [--quick] [--json] [--repeat N] [--idle-seconds S] [--startup-runs N] [--config-only]\n"
                "  --quick           a short run that only shows the bench works (2 repetitions, 1 s idle, 1 start-up)\n"
                "  --json            the figures as one JSON object instead of the text report\n"
                "  --repeat N        transactions of each kind (default 20)\n"
                "  --idle-seconds S  idle window for the wake-up count (default 5)\n"
                "  --startup-runs N  child processes timed from start to first paint (default 7)\n"
                "  --config-only     only the configuration batches (read, clone, the same read by buttons,\n"
                "                    the read over HART-IP beside a pseudo-terminal)\n");
}

bool ParseInt(const char* text, int lo, int hi, int* out)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!text[0] || *end || v < lo || v > hi)
        return false;
    *out = int(v);
    return true;
}

// 0 = run, 1 = done (help), 2 = bad usage.
int Parse(int argc, char** argv, Args* a)
{
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        const bool hasValue = k + 1 < argc;
        int seconds = 0;
        if (arg == "--quick") {
            a->quick = true;
            a->repetitions = 2;
            a->idleMs = 1000;
            a->settleMs = 300;
            a->startupRuns = 1;
        } else if (arg == "--json") {
            a->json = true;
        } else if (arg == "--config-only") {
            a->configOnly = true;
        } else if (arg == "--repeat" && hasValue && ParseInt(argv[k + 1], 1, 1000, &a->repetitions)) {
            ++k;
        } else if (arg == "--idle-seconds" && hasValue && ParseInt(argv[k + 1], 1, 600, &seconds)) {
            a->idleMs = seconds * 1000;
            ++k;
        } else if (arg == "--startup-runs" && hasValue && ParseInt(argv[k + 1], 0, 100, &a->startupRuns)) {
            ++k;
        } else if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return 1;
        } else {
            std::fprintf(stderr, "mh-bench: unknown or incomplete argument '%s'\n", arg.c_str());
            Usage(stderr);
            return 2;
        }
    }
    return 0;
}

QJsonObject ToJson(const Summary& s)
{
    return {{"count", qint64(s.count)}, {"min", s.min}, {"median", s.median}, {"max", s.max}};
}

QString Fixed(double v, int decimals = 1) { return QString::number(v, 'f', decimals); }

QString Triple(const Summary& s, int decimals = 1)
{
    return QString("%1 / %2 / %3").arg(Fixed(s.min, decimals), Fixed(s.median, decimals), Fixed(s.max, decimals));
}

const char* YesNo(bool met) { return met ? "met" : "NOT met"; }

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kStartupChildFlag) == 0)
        return RunStartupChild(argc, argv);

    Args args;
    if (const int parsed = Parse(argc, argv, &args))
        return parsed == 1 ? 0 : 64;

    QApplication application(argc, argv);
    const Machine machine = DescribeMachine();

    const ConfigBenchResult configBench = RunConfigBench(!args.quick);
    if (!configBench.error.isEmpty()) {
        std::fprintf(stderr, "mh-bench: %s\n", qPrintable(configBench.error));
        return 1;
    }
    const HartIpBenchResult hartIpBench = RunHartIpBench(args.quick ? 1 : 7);
    if (!hartIpBench.error.isEmpty()) {
        std::fprintf(stderr, "mh-bench: HART-IP: %s\n", qPrintable(hartIpBench.error));
        return 1;
    }
    if (args.configOnly) {
        if (args.json)
            std::printf("%s\n", QJsonDocument(QJsonObject{{"read", ToJson(configBench.read)},
                                                           {"clone", ToJson(configBench.clone)},
                                                           {"buttons_ms", configBench.buttonsMs},
                                                           {"buttons_floor_ms", configBench.buttonsFloorMs},
                                                           {"hart_ip", ToJson(hartIpBench)}})
                                     .toJson(QJsonDocument::Indented)
                                     .constData());
        else {
            PrintConfigBench(configBench);
            PrintHartIpBench(hartIpBench);
        }
        return 0;
    }

    QString error;
    const std::vector<StartupSample> startup = MeasureStartup(args.startupRuns, &error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "mh-bench: %s\n", qPrintable(error));
        return 1;
    }

    SessionOptions so;
    so.repetitions = args.repetitions;
    so.idleMs = args.idleMs;
    so.settleMs = args.settleMs;
    if (args.quick)
        so.pauseMs = 100;
    const SessionResult session = RunSession(so);
    if (!session.error.isEmpty()) {
        std::fprintf(stderr, "mh-bench: %s\n", qPrintable(session.error));
        return 1;
    }

    // The floor a transaction cannot beat. The answer reaches the window in
    // one delivery, which the receive thread posts only after 300 ms of
    // silence behind the last answer byte; the window thread is blocked by
    // the 200 ms pause at most until then, so the pause never lies on the
    // path; Timer2 is started by the delivery and fires 100 ms later.
    //   line floor = (request + answer bytes) x 11/1200 s + turnaround + read interval + Timer2
    // The simulator writes each answer byte when its character would begin,
    // so its last byte is on the port one character earlier than a real
    // UART would hand it over: simulator floor = line floor - 11/1200 s.
    const double fixedMs = session.turnaroundMs + session.readIntervalMs + session.timer2Ms;
    struct Row {
        const TransactionResult* t;
        Summary latency, handler, stall, overLine, overSim;
        double floorLine = 0;
        int request = 0, answer = 0;
    };
    std::vector<Row> rows;
    double worstStall = 0;
    bool overheadMet = true;
    for (const TransactionResult& t : session.transactions) {
        Row r{&t, {}, {}, {}, {}, {}, 0, 0, 0};
        std::vector<double> lat, hnd, stall, overLine, overSim;
        for (const TransactionSample& s : t.samples) {
            const double line = (s.requestBytes + s.answerBytes) * kByteMs + fixedMs;
            lat.push_back(s.latencyMs);
            hnd.push_back(s.handlerMs);
            stall.push_back(s.stallMs);
            overLine.push_back(s.latencyMs - line);
            overSim.push_back(s.latencyMs - (line - kByteMs));
        }
        r.latency = Summarize(lat);
        r.handler = Summarize(hnd);
        r.stall = Summarize(stall);
        r.overLine = Summarize(overLine);
        r.overSim = Summarize(overSim);
        r.request = t.samples.front().requestBytes;
        r.answer = t.samples.front().answerBytes;
        r.floorLine = (r.request + r.answer) * kByteMs + fixedMs;
        worstStall = std::max(worstStall, r.stall.max);
        // Judged against the simulator's floor: the larger, honest overhead.
        overheadMet = overheadMet && r.overSim.median < kOverheadTargetMs;
        rows.push_back(r);
    }

    std::int64_t serialSwitches = 0;
    for (const ThreadWakeups& w : session.idle)
        if (w.role.startsWith("TComm"))
            serialSwitches += w.switches.total();
    const double serialPerSecond = double(serialSwitches) / session.idleSeconds;

    std::vector<double> spawnPainted, appPainted;
    for (const StartupSample& s : startup) {
        spawnPainted.push_back(s.spawnToPaintedMs);
        appPainted.push_back(s.appToPaintedMs);
    }
    const Summary startupAll = Summarize(spawnPainted);
    const Summary startupApp = Summarize(appPainted);
    const bool startupMeasured = !startup.empty();

    const bool stallMet = worstStall <= kStallTargetMs;
    const bool wakeMet = serialSwitches == 0;
    const bool startupMet = startupMeasured && startupAll.median < kStartupTargetMs;
    const bool memoryMet = double(session.afterOpen.residentBytes) < kMemoryTargetBytes;
    const QString buildType = MH_BENCH_BUILD_TYPE;
    const bool sanitized = MH_BENCH_SANITIZE != 0;

    if (args.json) {
        QJsonObject m{{"cpu", QString::fromStdString(machine.cpu)},
                      {"logical_cpus", machine.logicalCpus},
                      {"kernel", QString::fromStdString(machine.kernel)},
                      {"load_average", QString::fromStdString(machine.loadAverage)},
                      {"qt_runtime", qVersion()},
                      {"qt_built", QT_VERSION_STR},
                      {"compiler", QString::fromStdString(machine.compiler)},
                      {"build_type", buildType},
                      {"sanitizers", sanitized},
                      {"platform", session.platform}};
        QJsonArray tx;
        for (const Row& r : rows) {
            QJsonArray samples;
            for (const TransactionSample& s : r.t->samples)
                samples.append(QJsonObject{{"latency_ms", s.latencyMs}, {"handler_ms", s.handlerMs},
                                           {"stall_ms", s.stallMs}});
            tx.append(QJsonObject{{"label", r.t->label},
                                  {"button", r.t->button},
                                  {"tail", r.t->tail},
                                  {"request_bytes", r.request},
                                  {"answer_bytes", r.answer},
                                  {"floor_line_ms", r.floorLine},
                                  {"floor_simulator_ms", r.floorLine - kByteMs},
                                  {"latency_ms", ToJson(r.latency)},
                                  {"overhead_line_ms", ToJson(r.overLine)},
                                  {"overhead_simulator_ms", ToJson(r.overSim)},
                                  {"handler_ms", ToJson(r.handler)},
                                  {"stall_ms", ToJson(r.stall)},
                                  {"samples", samples}});
        }
        QJsonArray idle;
        for (const ThreadWakeups& w : session.idle)
            idle.append(QJsonObject{{"role", w.role},
                                    {"tid", w.tid},
                                    {"nice", w.nice},
                                    {"voluntary", qint64(w.switches.voluntary)},
                                    {"nonvoluntary", qint64(w.switches.nonvoluntary)},
                                    {"per_second", double(w.switches.total()) / session.idleSeconds}});
        QJsonArray st;
        for (const StartupSample& s : startup)
            st.append(QJsonObject{{"spawn_to_main_ms", s.spawnToMainMs},
                                  {"main_to_app_ms", s.mainToAppMs},
                                  {"app_to_form_ms", s.appToFormMs},
                                  {"form_to_paint_ms", s.formToPaintMs},
                                  {"paint_to_painted_ms", s.paintToPaintedMs},
                                  {"spawn_to_painted_ms", s.spawnToPaintedMs},
                                  {"platform", s.platform}});
        const QJsonObject all{
            {"machine", m},
            {"settings", QJsonObject{{"repetitions", args.repetitions},
                                     {"idle_seconds", session.idleSeconds},
                                     {"turnaround_ms", session.turnaroundMs},
                                     {"read_interval_ms", session.readIntervalMs},
                                     {"timer2_ms", session.timer2Ms},
                                     {"byte_ms", kByteMs}}},
            {"transactions", tx},
            {"idle_wakeups", idle},
            {"startup", st},
            {"startup_spawn_to_painted_ms", ToJson(startupAll)},
            {"startup_app_to_painted_ms", ToJson(startupApp)},
            {"configuration", QJsonObject{{"read", ToJson(configBench.read)},
                                          {"clone", ToJson(configBench.clone)},
                                          {"buttons_ms", configBench.buttonsMs},
                                          {"buttons_floor_ms", configBench.buttonsFloorMs}}},
            {"hart_ip", ToJson(hartIpBench)},
            {"resident_after_open_bytes", qint64(session.afterOpen.residentBytes)},
            {"resident_after_transactions_bytes", qint64(session.afterTransactions.residentBytes)},
            {"peak_resident_bytes", qint64(session.afterTransactions.peakBytes)},
            {"targets", QJsonObject{{"overhead", overheadMet},
                                    {"stall", stallMet},
                                    {"idle_wakeups", wakeMet},
                                    {"startup", startupMet},
                                    {"memory", memoryMet}}}};
        std::printf("%s\n", QJsonDocument(all).toJson(QJsonDocument::Indented).constData());
        return 0;
    }

    const auto mib = [](std::uint64_t b) { return Fixed(double(b) / (1024.0 * 1024.0)); };
    const auto mb = [](std::uint64_t b) { return Fixed(double(b) / 1e6); };
    std::printf("mh-bench%s\n", args.quick ? " --quick (too few runs for figures)" : "");
    std::printf("machine   %s, %d logical CPUs, %s, load %s\n", machine.cpu.c_str(), machine.logicalCpus,
                machine.kernel.c_str(), machine.loadAverage.c_str());
    std::printf("software  Qt %s (built with %s), %s, build type %s, sanitizers %s, platform %s\n", qVersion(),
                QT_VERSION_STR, machine.compiler.c_str(), qPrintable(buildType), sanitized ? "on" : "off",
                qPrintable(session.platform));
    std::printf("setup     real window and real 200 ms pause; simulated converter with 1200-baud line timing,\n"
                "          turnaround %d ms; read interval %d ms; Timer2 %d ms; one byte = 11/1200 s = %.3f ms\n\n",
                session.turnaroundMs, session.readIntervalMs, session.timer2Ms, kByteMs);

    std::printf("Transaction latency, press to decoded answer (AnswerHandled), %d runs each, ms (min / median / max)\n",
                args.repetitions);
    for (const Row& r : rows) {
        std::printf("  %s (%s, tail %d): request %d B, answer %d B\n", qPrintable(r.t->label), qPrintable(r.t->button),
                    r.t->tail, r.request, r.answer);
        std::printf("    floor      line %.1f = (%d + %d) x %.3f + %d + %d + %d; simulator %.1f (one byte less)\n",
                    r.floorLine, r.request, r.answer, kByteMs, session.turnaroundMs, session.readIntervalMs,
                    session.timer2Ms, r.floorLine - kByteMs);
        std::printf("    measured   %s\n", qPrintable(Triple(r.latency)));
        std::printf("    overhead   %s above the line floor; %s above the simulator floor\n",
                    qPrintable(Triple(r.overLine)), qPrintable(Triple(r.overSim)));
        std::printf("    handler    %s (window thread inside the button handler, the pause included)\n",
                    qPrintable(Triple(r.handler)));
        std::printf("    stall      %s (longest gap of a %d ms heartbeat)\n", qPrintable(Triple(r.stall)),
                    so.heartbeatMs);
    }

    std::printf("\nIdle wake-ups over %.1f s, port open, nothing sent (context switches, voluntary + involuntary)\n",
                session.idleSeconds);
    for (const ThreadWakeups& w : session.idle)
        std::printf("  %-48s tid %-7d nice %3d  %lld + %lld = %.2f/s\n", qPrintable(w.role), int(w.tid), w.nice,
                    static_cast<long long>(w.switches.voluntary), static_cast<long long>(w.switches.nonvoluntary),
                    double(w.switches.total()) / session.idleSeconds);

    std::printf("\nStart to first painted window, %zu child process(es), ms (min / median / max)\n", startup.size());
    if (startupMeasured) {
        std::printf("  from spawn (fork/exec)           %s   first run %.1f\n", qPrintable(Triple(startupAll)),
                    startup.front().spawnToPaintedMs);
        std::printf("  from QApplication construction   %s\n", qPrintable(Triple(startupApp)));
        std::vector<double> a, b, c, d, e;
        for (const StartupSample& s : startup) {
            a.push_back(s.spawnToMainMs);
            b.push_back(s.mainToAppMs);
            c.push_back(s.appToFormMs);
            d.push_back(s.formToPaintMs);
            e.push_back(s.paintToPaintedMs);
        }
        std::printf("  medians: to main %.1f, QApplication %.1f, TForm1 %.1f, show to first paint %.1f, paint pass %.1f"
                    " (platform %s)\n",
                    Summarize(a).median, Summarize(b).median, Summarize(c).median, Summarize(d).median,
                    Summarize(e).median, qPrintable(startup.front().platform));
    }

    std::printf("\nResident memory\n");
    std::printf("  after opening the port   %s MiB (%s MB)\n", qPrintable(mib(session.afterOpen.residentBytes)),
                qPrintable(mb(session.afterOpen.residentBytes)));
    std::printf("  after the transactions   %s MiB (%s MB), peak %s MiB\n",
                qPrintable(mib(session.afterTransactions.residentBytes)),
                qPrintable(mb(session.afterTransactions.residentBytes)),
                qPrintable(mib(session.afterTransactions.peakBytes)));

    PrintConfigBench(configBench);
    PrintHartIpBench(hartIpBench);

    std::printf("\nTargets\n");
    std::printf("  overhead above the floor < %.0f ms at the median     %s\n", kOverheadTargetMs, YesNo(overheadMet));
    std::printf("  longest stall <= %.0f ms                           %s (%.1f ms)\n", kStallTargetMs,
                YesNo(stallMet), worstStall);
    std::printf("  serial-thread wake-ups while idle = 0/s            %s (%.2f/s)\n", YesNo(wakeMet),
                serialPerSecond);
    std::printf("  start to first painted window < %.0f ms (median)   %s (%s ms)\n", kStartupTargetMs,
                YesNo(startupMet), startupMeasured ? qPrintable(Fixed(startupAll.median)) : "not measured");
    std::printf("  resident memory after open < 80 MB                 %s (%s MB)\n", YesNo(memoryMet),
                qPrintable(mb(session.afterOpen.residentBytes)));
    std::printf("  HART-IP adds <= %.0f ms a transaction               %s (%.2f ms)\n", kHartIpAddedTargetMs,
                YesNo(hartIpBench.AddedPerTransactionMs() <= kHartIpAddedTargetMs), hartIpBench.AddedPerTransactionMs());
    return 0;
}
