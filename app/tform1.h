#pragma once

#include "app/form1_ui.h"
#include "codec/result.h"
#include "config/configuration.h"
#include "config/history.h"
#include "hart/line_owner.h"
#include "hart/link.h"
#include "hart/switched_port.h"
#include "hart/tapped_port.h"
#include "hart/transactor.h"
#include "hart/transport.h"
#include "line/line.h"
#include "serial/tcomm.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace config {
struct BatchReport;
}
namespace sim {
class PtySimulator;
}
namespace line {
class HartIpPort;
}

namespace app {

class ScanLive;
class TrafficWindow;
class LoopTestDialog;

// The port selector's entry that runs the simulated converter behind a pseudo-terminal.
inline constexpr const char* kSimulatedPortName = "Simulated converter";

// The one main window: every control, the serial port, the link and its timers.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    struct Options {
        // Replaces the window thread's 200 ms pause after a frame (tests only).
        std::function<void(int ms)> sleep;
        // Replaces the modal message boxes (tests only): error boxes and plain messages.
        std::function<void(const QString& text)> showError;
        std::function<void(const QString& text)> showMessage;
        // The simulated converter keeps 1200-baud timing unless told otherwise.
        bool simulatorLineTiming = true;
        // Replaces the file dialogs of the configuration page (tests only); empty: none chosen.
        std::function<QString(bool save)> chooseFile;
        std::function<bool(const QString& question)> confirm; // yes/no boxes (tests only)
        // Where every write is recorded; empty: the tool's history file.
        QString historyPath;
    };

    explicit TForm1(QWidget* parent = nullptr);
    explicit TForm1(Options options, QWidget* parent = nullptr);
    ~TForm1() override;

    serial::TComm& Comm1() { return comm1_; }
    hart::HartLink& Link() { return link_; }
    // The simulated converter, once "Simulated converter" was opened; nullptr before.
    sim::PtySimulator* Simulator() { return simulator_.get(); }
    const Form1Ui& Ui() const { return ui_; }
    // The batch path on the window's port (configuration batches, address scan, live values).
    hart::Transport& BatchPath() { return transactor_; }
    hart::Transactor& Transactor() { return transactor_; }
    // Who holds the line: the buttons, a batch, the scan or live values.
    hart::LineOwner& LineOwner() { return lineOwner_; }
    ScanLive& FindAndWatch() { return *scanLive_; }
    // The loop test dialog while it is open; nullptr otherwise.
    LoopTestDialog* LoopTest();

    // Offline editing. The pages show a configuration as after a read of it
    // (identity items on their Set fields only: the link's identity stays the device's).
    void ShowConfiguration(const config::Configuration& c);
    // What the pages show, as their Set buttons would send it, over `shown`
    // (the configuration ShowConfiguration showed): an item whose page still
    // sends what it sent when shown keeps its exact value, since the fields
    // show numbers cut to their width; an item `shown` lacks stays absent.
    // None when a Set would refuse a value: the refusal is shown as the Set shows it.
    std::optional<config::Configuration> PagesConfiguration(const config::Configuration& shown);

    // The open port went away (adapter unplugged, device node removed): back
    // to the Closed state as Button1 would leave it, with the reason shown.
    void PortLost(const QString& reason);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Bytes = std::vector<std::uint8_t>;
    using Builder = std::function<codec::Result<Bytes>()>;

    void FormCreate();
    void Button1Click();
    void CloseConnection();
    void PageControl2Change(int index);
    void ShowInternalParameters();
    void SetConnectionButtonsEnabled(bool enabled);
    void ClearFieldsOnPortChange(bool keepAssemblyNumber);
    void PopulatePortSelector();
    bool PreparePortName();

    // The shapes every request handler takes.
    void SendQuery(hart::RequestId request, std::initializer_list<QLineEdit*> emptied = {});
    void SendSetting(hart::RequestId request, const Builder& build);
    // A Set button whose builder is kept for the pages' configuration.
    void WireSet(QPushButton* button, hart::RequestId request, Builder build);
    // What a Set's builder gives now, as one comparable text.
    std::string BuiltNow(hart::RequestId request) const;

    // The history of the pages' writes (set_history.cpp).
    void WireSetHistory();
    void RecordSet(hart::RequestId request, const Bytes& data);
    // The pending write's outcome goes into the history.
    void SettleSet(config::HistoryOutcome outcome, const QString& detail);
    // The link moves on to another request: the pending write's answer will not be judged.
    void LeaveSet(const QString& why);
    void ShowError(const QString& text);
    void ShowMessage(const QString& text);
    // Input refused before sending: the instrument-command texts in a plain box, conversions in an error box.
    void ShowRefusal(const std::string& text);
    std::string DecimalSeparator() const;

    void WirePortLost();
    void WireIdentify();
    void WireDeviceOperations();   // process values, output current, instrument information, internal parameters
    void WireConverter();          // instrument commands, parsing format, RS485, analog inputs, mapping
    void WireTraffic();            // the traffic window, the device status, and the tap on the line
    void WireConfigurationFile();  // the sixth page and its batch line
    void WireLine(); // the line's owner: deliveries, the port's reads, the counters, the holder shown
    // A hart-ip:// name in the port selector: its session is being opened
    // (or the name was refused, with a message) and true; false for a serial port.
    bool OpenNetworkLine();
    // The state every open port starts in, serial or HART-IP.
    void PortOpened();
    void DropNetworkLine();
    void ShowLineHolder();
    void OpenLoopTest();
    // After a configuration write: the pages show what the device now holds.
    void ShowWritten(const config::BatchReport& report);
    void FollowPollingAddress(int address); // the device answers at another short address now

    Options options_;
    Form1Ui ui_;
    serial::TComm comm1_;
    hart::LineOwner lineOwner_; // outlives every client of the line
    hart::HartLink link_;
    std::unique_ptr<sim::PtySimulator> simulator_;
    std::uint8_t polledAddress_ = 0;
    std::optional<int> pollingAddressSent_; // by the last polling-address Set
    std::map<hart::RequestId, Builder> setBuilders_; // what each Set button sends, from the pages
    std::map<hart::RequestId, std::string> shownWrites_; // what they sent when a configuration was shown
    QString historyPath_;
    // The values the pages last read from the device (the writes' "before"), and from whom.
    config::Configuration readValues_;
    hart::DeviceIdentity readFrom_;
    bool showingConfiguration_ = false; // decoding a configuration, not a device's answers
    struct PendingSet {
        int code = 0;
        config::HistoryRecord record;
        bool timedOut = false; // recorded as no answer; a late answer is recorded too
    };
    std::optional<PendingSet> pendingSet_;
    // The newest answer per command of the running configuration batch.
    std::map<std::uint8_t, std::vector<std::uint8_t>> batchAnswers_;
    hart::TrafficSink trafficSink_; // every write and delivery, from any thread
    hart::BytePort* linePort_ = &comm1_; // where requests are written: the port, or the traffic tap on it
    hart::BytePort* serialPort_ = &comm1_; // the serial side of linePort_, tapped for the traffic window
    std::unique_ptr<hart::SwitchedPort> switch_; // linePort_ once wired: serial, or the HART-IP session
    QPointer<line::HartIpPort> hartIp_;          // while a session is opening or open
    // The one batch path of the window: configuration batches, the scan and live values.
    hart::Transactor transactor_;
    std::unique_ptr<hart::TappedPort> batchPort_; // the batch path's writes, counted
    std::unique_ptr<line::ReadsFollowHolder> reads_;
    QPointer<QLabel> lineHolder_; // who of the batch path holds the line, in the status panel
    QPointer<QWidget> trafficButton_;
    QPointer<TrafficWindow> trafficWindow_;
    QPointer<LoopTestDialog> loopTest_;
    bool closeAfterLoopTest_ = false; // the window was closed during a loop test: it goes after the release
    struct ConfigFileWiring;
    std::shared_ptr<ConfigFileWiring> configFile_; // goes before the port it uses
    std::unique_ptr<ScanLive> scanLive_;           // last: goes before the link and the line
};

} // namespace app
