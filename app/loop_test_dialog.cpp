#include "app/loop_test_dialog.h"

#include "config/history.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace app {

namespace {

enum Column { SetColumn, ReportedColumn, ReadColumn, DeviationColumn, VerdictColumn, ColumnCount };

QString Ma(double value) { return QString::number(value, 'f', 3); }

} // namespace

LoopTestDialog::LoopTestDialog(LoopTestHost host, QWidget* parent) : QDialog(parent), host_(std::move(host)), owner_(host_.owner)
{
    setObjectName("LoopTestDialog");
    setWindowTitle(tr("Loop Test"));
    auto* layout = new QVBoxLayout(this);

    auto* form = new QFormLayout;
    points_ = new QLineEdit(QStringLiteral("4, 8, 12, 16, 20"), this);
    points_->setObjectName("LoopPoints");
    form->addRow(tr("Points (mA):"), points_);
    layout->addLayout(form);

    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setObjectName("LoopTable");
    table_->setHorizontalHeaderLabels(
        {tr("Set (mA)"), tr("Reported (mA)"), tr("Control system (mA)"), tr("Deviation (mA)"), tr("Verdict")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    // The point on hold: what the control system shows, and the verdict.
    auto* pointRow = new QHBoxLayout;
    pointRow->addWidget(new QLabel(tr("Control system reads (mA):"), this));
    read_ = new QLineEdit(this);
    read_->setObjectName("LoopRead");
    read_->setPlaceholderText(tr("optional"));
    pointRow->addWidget(read_);
    deviation_ = new QLabel(this);
    deviation_->setObjectName("LoopDeviation");
    pointRow->addWidget(deviation_);
    passed_ = new QPushButton(tr("Passed"), this);
    passed_->setObjectName("LoopPassed");
    passed_->setCheckable(true);
    failed_ = new QPushButton(tr("Failed"), this);
    failed_->setObjectName("LoopFailed");
    failed_->setCheckable(true);
    pointRow->addWidget(passed_);
    pointRow->addWidget(failed_);
    layout->addLayout(pointRow);

    status_ = new QLabel(this);
    status_->setObjectName("LoopStatus");
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    layout->addWidget(status_);
    release_ = new QLabel(this);
    release_->setObjectName("LoopRelease");
    release_->setWordWrap(true);
    release_->setTextFormat(Qt::PlainText);
    layout->addWidget(release_);

    auto* buttons = new QHBoxLayout;
    start_ = new QPushButton(tr("Start"), this);
    start_->setObjectName("LoopStart");
    next_ = new QPushButton(tr("Next"), this);
    next_->setObjectName("LoopNext");
    stop_ = new QPushButton(tr("Stop"), this);
    stop_->setObjectName("LoopStop");
    close_ = new QPushButton(tr("Close"), this);
    close_->setObjectName("LoopClose");
    buttons->addWidget(start_);
    buttons->addStretch(1);
    buttons->addWidget(next_);
    buttons->addWidget(stop_);
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(start_, &QPushButton::clicked, this, &LoopTestDialog::StartTest);
    connect(next_, &QPushButton::clicked, this, &LoopTestDialog::NextPoint);
    connect(stop_, &QPushButton::clicked, this, &LoopTestDialog::StopTest);
    connect(close_, &QPushButton::clicked, this, &LoopTestDialog::close);
    // One verdict at most: a second mark replaces the first, a click on the same one takes it back.
    connect(passed_, &QPushButton::toggled, this, [this](bool on) {
        if (on)
            failed_->setChecked(false);
        UpdateVerdict();
    });
    connect(failed_, &QPushButton::toggled, this, [this](bool on) {
        if (on)
            passed_->setChecked(false);
        UpdateVerdict();
    });
    connect(read_, &QLineEdit::textChanged, this, &LoopTestDialog::UpdateVerdict);
    // The line taken away under a running test (the port closed or lost):
    // the release is still tried, and its failure said.
    if (owner_)
        connect(owner_, &hart::LineOwner::HolderChanged, this, [this] {
            if (runner_ && runner_->Running() && !claiming_ && !owner_->Holds(this))
                StopTest();
        });
    resize(620, 360);
    UpdateButtons();
}

LoopTestDialog::~LoopTestDialog()
{
    // Whoever destroys a running test leaves the loop fixed; the window waits
    // for Finished. The claim, at least, must not outlive the dialog.
    if (owner_)
        owner_->Release(this);
}

bool LoopTestDialog::Running() const { return claiming_ || (runner_ && runner_->Running()); }
QString LoopTestDialog::StatusText() const { return status_->text(); }

void LoopTestDialog::SetStatus(const QString& text, bool bad)
{
    status_->setText(text);
    status_->setStyleSheet(bad ? QStringLiteral("color: red") : QString());
}

void LoopTestDialog::UpdateButtons()
{
    const bool running = Running();
    const bool holding = running && current_ >= 0;
    start_->setEnabled(!running);
    points_->setEnabled(!running);
    next_->setEnabled(holding);
    stop_->setEnabled(running);
    close_->setEnabled(!running);
    for (QWidget* w : {static_cast<QWidget*>(read_), static_cast<QWidget*>(passed_), static_cast<QWidget*>(failed_)})
        w->setEnabled(holding);
    if (holding && current_ + 1 >= pointCount_)
        next_->setText(tr("Finish"));
    else
        next_->setText(tr("Next"));
}

void LoopTestDialog::StartTest()
{
    if (Running() || !host_.transport)
        return;
    const auto points = config::ParseLoopPoints(points_->text());
    if (!points) {
        SetStatus(QString::fromStdString(points.error()), true);
        return;
    }
    const QString warning = tr("During the loop test the loop current will not follow the process. Put the "
                               "control loop in manual before you go on.\n\nStart the loop test?");
    const bool yes = host_.confirm ? host_.confirm(warning)
                                   : QMessageBox::question(this, windowTitle(), warning) == QMessageBox::Yes;
    if (!yes)
        return;

    table_->setRowCount(0);
    release_->clear();
    current_ = -1;
    stopping_ = false;
    pointCount_ = static_cast<int>(points->size());
    last_.reset();
    runner_ = std::make_unique<config::LoopTestRunner>(*host_.transport);
    runner_->SetHistoryPath(host_.historyPath);
    connect(runner_.get(), &config::LoopTestRunner::PointDone, this, &LoopTestDialog::PointDone);
    connect(runner_.get(), &config::LoopTestRunner::Finished, this, &LoopTestDialog::Done);
    connect(runner_.get(), &config::LoopTestRunner::HistoryNotKept, this,
            [this](const QString& why) { release_->setText(tr("The history is not kept: ") + why); });
    claiming_ = true;
    SetStatus(tr("Identifying the device..."));
    const std::uint8_t address = host_.pollingAddress ? host_.pollingAddress() : 0;
    auto go = [this, address, points = *points] {
        claiming_ = false;
        runner_->Start(address, points);
        UpdateButtons();
    };
    UpdateButtons();
    if (owner_)
        owner_->Claim(hart::LineClient::Batch, this, go);
    else
        go();
}

void LoopTestDialog::PointDone(int index)
{
    const auto& point = runner_->Result().points[static_cast<std::size_t>(index)];
    table_->setRowCount(index + 1);
    ShowRow(index);
    table_->scrollToBottom();
    if (!point.error.isEmpty()) {
        SetStatus(tr("The device did not take %1 mA: %2").arg(Ma(point.setMa), point.error), true);
        current_ = -1; // the runner releases at once
    } else if (runner_->Running() && !stopping_) {
        current_ = index;
        read_->clear();
        passed_->setChecked(false);
        failed_->setChecked(false);
        SetStatus(tr("Point %1: the loop is set to %2 mA. Enter what the control system reads, mark the point, then Next.")
                      .arg(index + 1)
                      .arg(Ma(point.setMa)));
    }
    UpdateButtons();
}

std::optional<double> LoopTestDialog::ReadEntry() const
{
    // The engineer's own decimal sign, or a point.
    const QString text = read_->text().trimmed();
    bool ok = false;
    double value = QLocale().toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

void LoopTestDialog::UpdateVerdict()
{
    if (!runner_ || current_ < 0)
        return;
    const auto read = ReadEntry();
    const std::optional<bool> passed = passed_->isChecked() ? std::optional<bool>(true)
                                       : failed_->isChecked() ? std::optional<bool>(false)
                                                              : std::nullopt;
    runner_->Note(current_, read, passed);
    const auto deviation = runner_->Result().points[static_cast<std::size_t>(current_)].Deviation();
    deviation_->setText(deviation ? tr("Deviation %1 mA").arg(Ma(*deviation)) : QString());
    ShowRow(current_);
}

void LoopTestDialog::ShowRow(int index)
{
    const auto& result = runner_ ? runner_->Result() : *last_;
    const auto& p = result.points[static_cast<std::size_t>(index)];
    auto set = [this, index](int column, const QString& text, bool bad = false) {
        auto* item = new QTableWidgetItem(text);
        if (bad)
            item->setForeground(Qt::red);
        table_->setItem(index, column, item);
    };
    set(SetColumn, Ma(p.setMa));
    set(ReportedColumn, p.reportedMa ? Ma(*p.reportedMa) : (p.error.isEmpty() ? QString() : p.error), !p.error.isEmpty());
    set(ReadColumn, p.readMa ? Ma(*p.readMa) : QString());
    const auto deviation = p.Deviation();
    set(DeviationColumn, deviation ? Ma(*deviation) : QString());
    set(VerdictColumn, p.passed ? (*p.passed ? tr("Passed") : tr("Failed")) : QString(), p.passed && !*p.passed);
}

void LoopTestDialog::NextPoint()
{
    if (!runner_ || current_ < 0)
        return;
    UpdateVerdict();
    current_ = -1;
    deviation_->clear();
    SetStatus(tr("Setting the next point..."));
    UpdateButtons();
    if (table_->rowCount() >= pointCount_)
        SetStatus(tr("Releasing the loop current..."));
    runner_->Next();
}

void LoopTestDialog::StopTest()
{
    if (claiming_) {
        // Nothing was sent: the claim is withdrawn and nothing needs releasing.
        claiming_ = false;
        if (owner_)
            owner_->Release(this);
        runner_.reset();
        config::LoopTestResult none;
        none.refused = tr("cancelled before anything was sent");
        last_ = none;
        SetStatus(tr("Cancelled; nothing was sent."));
        UpdateButtons();
        emit Finished(*last_); // whoever waits for the end (a closing window) hears of it
        if (closeAsked_)
            close();
        return;
    }
    if (!runner_ || !runner_->Running())
        return;
    if (current_ >= 0)
        UpdateVerdict();
    current_ = -1;
    stopping_ = true; // a point still on the line is not held once it is answered
    SetStatus(tr("Releasing the loop current..."));
    UpdateButtons();
    runner_->Stop();
}

void LoopTestDialog::Done(const config::LoopTestResult& result)
{
    if (owner_)
        owner_->Release(this);
    last_ = result;
    current_ = -1;
    if (!result.refused.isEmpty()) {
        SetStatus(tr("Nothing was changed: %1").arg(result.refused), true);
    } else {
        // The result is kept for the report whatever it says; a test that
        // left the loop fixed is the one most worth keeping.
        if (!host_.loopTestPath.isEmpty()) {
            if (const auto kept = config::AppendLine(
                    host_.loopTestPath, config::LoopTestLine(result.device.serialNumber(), QDateTime::currentDateTimeUtc(), result));
                !kept)
                release_->setText(tr("The loop test result is not kept: %1").arg(QString::fromStdString(kept.error())));
        }
        const QString summary = result.Passed() ? tr("Loop test passed.")
                                : result.stoppedEarly ? tr("Loop test stopped before the last point.")
                                                      : tr("Loop test failed.");
        SetStatus(summary + " " + result.releaseText, !result.released);
    }
    // It is the sender: it goes once its signal has returned.
    runner_.release()->deleteLater();
    UpdateButtons();
    emit Finished(*last_);
    if (closeAsked_)
        close();
}

void LoopTestDialog::closeEvent(QCloseEvent* event)
{
    if (claiming_) {
        StopTest(); // nothing was sent: nothing to wait for
        QDialog::closeEvent(event);
        return;
    }
    if (Running()) {
        // The loop may be fixed: the dialog goes once the release has its answer.
        closeAsked_ = true;
        event->ignore();
        StopTest();
        return;
    }
    QDialog::closeEvent(event);
}

void LoopTestDialog::reject()
{
    // Escape is a close like any other.
    if (claiming_)
        StopTest();
    if (Running()) {
        closeAsked_ = true;
        StopTest();
        return;
    }
    QDialog::reject();
}

} // namespace app
