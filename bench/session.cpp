#include "bench/session.h"

#include "app/tform1.h"
#include "hart/request_table.h"
#include "sim/pty_simulator.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <iterator>

namespace bench {

namespace {

// Runs the event loop for `ms` without blocking it: nothing here may sleep,
// or the stall and latency figures would be our own.
void Spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Ticks every few milliseconds on the window thread; the longest gap between
// two ticks bounds how long the event loop was kept from running.
class Heartbeat : public QObject {
public:
    explicit Heartbeat(int periodMs)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(periodMs);
        connect(&timer_, &QTimer::timeout, this, [this] {
            const std::int64_t now = MonotonicNs();
            if (last_ != 0)
                longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
    }
    void Start()
    {
        last_ = 0;
        longest_ = 0;
        timer_.start();
    }
    void Stop() { timer_.stop(); }
    // Keeps the last tick, so the gap that spans the next press is counted whole.
    void NewWindow() { longest_ = 0; }
    double LongestGapMs() const { return NsToMs(longest_); }

private:
    QTimer timer_;
    std::int64_t last_ = 0;
    std::int64_t longest_ = 0;
};

class FirstPaint : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

template <typename T>
T* Control(app::TForm1& form, const QString& name)
{
    return form.findChild<T*>(name);
}

struct Planned {
    const char* label;
    const char* button;
    const char* expected; // the status text of a good answer
    std::function<void(app::TForm1&)> prepare;
};

std::vector<pid_t> Difference(const std::set<pid_t>& a, const std::set<pid_t>& b)
{
    std::vector<pid_t> out;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}

} // namespace

SessionResult RunSession(const SessionOptions& options)
{
    SessionResult result;
    result.platform = QGuiApplication::platformName();
    result.turnaroundMs = sim::PtySimulatorOptions{}.turnaroundMs;

    QStringList boxes; // message boxes would block the run; they are failures here
    app::TForm1::Options o;
    o.showError = [&](const QString& t) { boxes << t; };
    o.showMessage = [&](const QString& t) { boxes << t; };
    o.simulatorLineTiming = true; // the real 200 ms pause stays: o.sleep is left empty
    app::TForm1 form(o);
    result.readIntervalMs = int(form.Comm1().ReadIntervalTimeout());
    result.timer2Ms = form.Link().Timer2().interval();

    const auto fail = [&](const QString& what) {
        result.error = boxes.isEmpty() ? what : what + " (message: " + boxes.join(" / ") + ")";
        return result;
    };

    FirstPaint painted;
    form.installEventFilter(&painted);
    form.show();
    for (int k = 0; k < 100 && !painted.painted; ++k)
        Spin(20);
    form.removeEventFilter(&painted);
    if (!painted.painted)
        return fail("the window was never painted");

    auto* portSelector = Control<QComboBox>(form, "SPREALCOM");
    auto* openClose = Control<QPushButton>(form, "Button1");
    const auto pressOpenClose = [&](const char* expectedCaption) {
        openClose->click();
        Spin(100);
        return openClose->text() == expectedCaption && boxes.isEmpty();
    };

    // The first open starts the simulator's thread as well; a close and a
    // second open then show exactly the threads that the port itself starts.
    const std::set<pid_t> beforeOpen = ThreadIds();
    if (beforeOpen.empty() || ProcessMemory().residentBytes == 0)
        return fail("/proc/self cannot be read");
    portSelector->setEditText(app::kSimulatedPortName);
    if (!pressOpenClose("Close"))
        return fail("the simulated converter could not be opened");
    const std::set<pid_t> afterFirstOpen = ThreadIds();
    if (!pressOpenClose("Open"))
        return fail("the port could not be closed");
    const std::set<pid_t> afterClose = ThreadIds();
    if (!pressOpenClose("Close"))
        return fail("the simulated converter could not be opened again");
    Spin(200);
    result.afterOpen = ProcessMemory();
    const std::set<pid_t> afterReopen = ThreadIds();
    if (afterFirstOpen.empty() || afterClose.empty() || afterReopen.empty() || result.afterOpen.residentBytes == 0)
        return fail("/proc/self cannot be read");
    const std::vector<pid_t> serialThreads = Difference(afterReopen, afterClose);
    result.serialThreadCount = int(serialThreads.size());
    if (serialThreads.empty())
        return fail("no thread appeared when the port was opened");
    std::vector<pid_t> others;
    for (pid_t t : Difference(afterFirstOpen, beforeOpen))
        if (afterReopen.count(t) && std::find(serialThreads.begin(), serialThreads.end(), t) == serialThreads.end())
            others.push_back(t);

    const std::vector<Planned> plan = {
        {"Communication Test", "Button3", "upload successful!", {}},
        {"Instrument Data Query", "Button4", "upload successful!", {}},
        {"RS485 Set (converter)", "Button17", "Write successful!",
         [](app::TForm1& f) {
             Control<QComboBox>(f, "ComboBox1")->setCurrentIndex(3);
             Control<QComboBox>(f, "ComboBox2")->setCurrentIndex(1);
             Control<QLineEdit>(f, "Edit13")->setText("12");
         }},
    };

    Heartbeat heartbeat(options.heartbeatMs);
    QEventLoop* waiting = nullptr;
    std::int64_t answeredNs = 0;
    bool answerOk = false;
    QObject::connect(&form.Link(), &hart::HartLink::AnswerHandled, &form, [&](int, bool success) {
        answeredNs = MonotonicNs();
        answerOk = success;
        if (waiting)
            waiting->quit();
    });

    heartbeat.Start();
    for (const Planned& planned : plan) {
        TransactionResult tr;
        tr.label = planned.label;
        tr.button = planned.button;
        const hart::RequestRow* row = hart::FindRequest(planned.button); // a misspelt name fails below
        tr.tail = row ? int(row->tail) : 0;
        auto* button = Control<QPushButton>(form, planned.button);
        if (!button || !button->isEnabled())
            return fail(QString("%1 cannot be pressed").arg(planned.button));
        for (int k = 0; k < options.repetitions; ++k) {
            if (planned.prepare)
                planned.prepare(form);
            Spin(options.pauseMs);
            heartbeat.NewWindow();
            const int sentBefore = form.Link().BytesSent();
            const int receivedBefore = form.Link().BytesReceived();
            answeredNs = 0;

            const std::int64_t pressNs = MonotonicNs();
            button->click();
            const std::int64_t returnedNs = MonotonicNs();
            if (answeredNs == 0) {
                QEventLoop loop;
                waiting = &loop;
                QTimer::singleShot(6000, &loop, &QEventLoop::quit);
                loop.exec();
                waiting = nullptr;
            }
            if (answeredNs == 0) {
                const QString status = Control<QLabel>(form, "Label68")->text();
                return fail(QString("%1: no answer (status '%2')").arg(planned.label, status));
            }
            const std::int64_t doneNs = answeredNs;
            Spin(50); // the repaint after the answer belongs to the transaction
            const QString status = Control<QLabel>(form, "Label68")->text();
            if (!answerOk || status != planned.expected)
                return fail(QString("%1: answer judged '%2'").arg(planned.label, status));

            TransactionSample s;
            s.latencyMs = NsToMs(doneNs - pressNs);
            s.handlerMs = NsToMs(returnedNs - pressNs);
            s.stallMs = heartbeat.LongestGapMs();
            s.requestBytes = form.Link().BytesSent() - sentBefore;
            s.answerBytes = form.Link().BytesReceived() - receivedBefore;
            tr.samples.push_back(s);
        }
        result.transactions.push_back(std::move(tr));
    }
    heartbeat.Stop();
    result.afterTransactions = ProcessMemory();

    // Idle: the port open, nothing sent, the window's loop running.
    Spin(options.settleMs);
    std::vector<pid_t> watched = serialThreads;
    std::vector<QString> roles;
    for (std::size_t k = 0; k < serialThreads.size(); ++k) {
        // The receive thread is started first, the send thread right after it.
        roles.push_back(serialThreads.size() == 2 ? (k == 0 ? "TComm receive thread" : "TComm send thread")
                                                  : QString("TComm thread %1").arg(k + 1));
    }
    for (pid_t t : others) {
        watched.push_back(t);
        roles.push_back("simulated converter (not the tool)");
    }
    watched.push_back(MainThreadId());
    // A focused line edit blinks its cursor, which wakes the window thread.
    const QWidget* focus = QApplication::focusWidget();
    roles.push_back(focus ? QString("window thread (focus: %1 %2)")
                                .arg(focus->metaObject()->className(),
                                     focus->objectName().isEmpty() && focus->parentWidget()
                                         ? "in " + focus->parentWidget()->objectName()
                                         : focus->objectName())
                          : QString("window thread (no focus)"));

    std::vector<ContextSwitches> before;
    for (pid_t t : watched) {
        const auto c = ThreadContextSwitches(t);
        if (!c)
            return fail(QString("thread %1 ended before the idle window").arg(t));
        before.push_back(*c);
    }
    const std::int64_t idleStart = MonotonicNs();
    Spin(options.idleMs);
    const std::int64_t idleEnd = MonotonicNs();
    for (std::size_t k = 0; k < watched.size(); ++k) {
        const auto c = ThreadContextSwitches(watched[k]);
        if (!c)
            return fail(QString("thread %1 ended during the idle window").arg(watched[k]));
        ThreadWakeups w;
        w.tid = watched[k];
        w.role = roles[k];
        w.nice = ThreadNice(watched[k]).value_or(0);
        w.switches = {c->voluntary - before[k].voluntary, c->nonvoluntary - before[k].nonvoluntary};
        result.idle.push_back(w);
    }
    result.idleSeconds = double(idleEnd - idleStart) / 1e9;

    if (!pressOpenClose("Open"))
        return fail("the port could not be closed at the end");
    return result;
}

} // namespace bench
