#pragma once

#include "device/live_poller.h"
#include "device/live_values.h"
#include "hart/transport.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <memory>

class QComboBox;
class QWidget;

namespace app {

class LiveTrend;
class ScanDialog;
class TForm1;

// Shows a field's value as no longer current (greyed), or as current again.
void ShowStale(QWidget* field, bool stale);

// The polling address the Communication Test sends to: the selected item of
// the address list, whose items past "15" were added by a scan.
std::uint8_t SelectedPollingAddress(const QComboBox* combo);

// Page 0's "Find Devices" and live values: the scan dialog, the live poller
// sharing the line with the window's buttons, the sample store and its trend.
// Owned by the window and gone before its link and line.
class ScanLive : public QObject {
    Q_OBJECT
public:
    ScanLive(TForm1& form, hart::Transport& transport);
    ~ScanLive() override;

    void PortOpened();
    // The port is closing or gone: live stops at once, a scan is cancelled.
    void PortClosing();

    device::LivePoller& Poller() { return poller_; }
    const device::SampleStore& Samples() const { return store_; }
    LiveTrend& Trend();
    ScanDialog* Dialog();
    void FindDevices();
    void UseAddress(int address);

private:
    void SetLive(bool on);
    void LiveAnswer(const hart::TransactionResult& r);
    void ShowState();

    TForm1& form_;
    hart::Transport& transport_;
    device::LivePoller poller_;
    device::SampleStore store_;
    QPointer<LiveTrend> trend_;
    QPointer<ScanDialog> dialog_;
    device::LiveRun run_;
    QString lastFailure_; // why live values stopped
};

} // namespace app
