#pragma once

// What the window end-to-end tests share: one window opened on the simulated
// converter for a whole test case, what the link did while a button ran, and
// checks on the device's state and on the fields shown.
#include "support/window_driver.h"

#include <memory>
#include <optional>

namespace testing {

inline sim::ConverterState StateOf(WindowDriver& d)
{
    sim::ConverterState s;
    d.withDevice([&](sim::Device& dev) { s = dev.State(); });
    return s;
}

// "#n" in an expected value stands for item n of a list, so that list texts
// need not be spelled out.
inline void CompareAll(WindowDriver& d, const WindowDriver::Fields& fields)
{
    for (const auto& [name, value] : fields) {
        const QByteArray n = name.toLatin1();
        const QString shown = value.startsWith('#') ? "#" + QString::number(d.w<QComboBox>(n)->currentIndex()) : d.text(n);
        QVERIFY2(shown == value, qPrintable(QString("%1 shows '%2', expected '%3'").arg(name, shown, value)));
    }
}

// What the link did while a handler ran: its status texts, its steps and the
// RTS line at the moment the frame went to the port.
struct Recorder {
    QStringList statuses;
    QStringList steps;
    std::optional<hart::TRtsControl> rtsAtWrite;

    void attach(WindowDriver& d)
    {
        QObject::connect(&d.form.Link(), &hart::HartLink::StatusChanged, [this](const QString& s) { statuses << s; });
        d.form.Link().SetTrace([this, &d](std::string_view step) {
            steps << QString::fromLatin1(step.data(), static_cast<qsizetype>(step.size()));
            if (step == "write")
                rtsAtWrite = d.form.Comm1().RtsControl();
        });
    }
    void clear()
    {
        statuses.clear();
        steps.clear();
        rtsAtWrite.reset();
    }
};

// One window for a whole test case, opened on the simulated converter and
// identified once; each test starts from the device `reset` leaves.
struct SharedWindow {
    std::unique_ptr<WindowDriver> d;
    Recorder rec;

    void openShared()
    {
        d = std::make_unique<WindowDriver>();
        rec.attach(*d);
        QVERIFY(d->open());
        QCOMPARE(d->identify(), "upload successful!");
    }
    void reset(const std::function<void(sim::ConverterState&)>& steady)
    {
        d->withDevice([&](sim::Device& dev) {
            steady(dev.State());
            dev.ClearFaults();
        });
        d->errors.clear();
        d->messages.clear();
        rec.clear();
    }
    QString press(const QString& button)
    {
        rec.clear();
        return d->press(button.toLatin1());
    }
};

} // namespace testing
