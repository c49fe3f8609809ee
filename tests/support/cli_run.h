#pragma once

// Runs modbus-hart-config as a user would, against simulated converters on
// pseudo-terminals.
#include "sim/pty_simulator.h"

#include <QtTest>

#include <QProcess>

#include <functional>
#include <memory>

namespace testing {

struct Run {
    int exit = -1; // -1: the program did not end normally
    QString out;
    QString err;
};

// A simulated converter holding `state`; `lineTiming`: bytes take the time
// they would on the wire.
inline std::unique_ptr<sim::PtySimulator> StartSimulator(const sim::ConverterState& state = {}, bool lineTiming = false)
{
    sim::PtySimulatorOptions o;
    o.lineTiming = lineTiming;
    std::string error;
    auto s = sim::PtySimulator::Start(o, &error);
    if (!s)
        qFatal("%s", error.c_str());
    s->WithDevice([&](sim::Device& d) { d.State() = state; });
    return s;
}

inline QString PortOf(const sim::PtySimulator& s) { return QString::fromStdString(s.SlavePath()); }

// Runs the program to its end; `prepare` sets up the process before it starts.
inline Run RunProgram(const QStringList& args, const QProcessEnvironment& env,
                      const std::function<void(QProcess&)>& prepare = {})
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (prepare)
        prepare(p);
    p.start(MH_CONFIG_PROGRAM, args);
    if (!p.waitForFinished(60000))
        qFatal("modbus-hart-config did not finish");
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace testing
