#pragma once

#include "config/loop_test.h"
#include "hart/line_owner.h"
#include "hart/transport.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace app {

// The window's side of a loop test.
struct LoopTestHost {
    hart::Transport* transport = nullptr;
    hart::LineOwner* owner = nullptr; // the test holds the line as a batch does; none: the line is its own
    std::function<std::uint8_t()> pollingAddress;
    QString historyPath;  // each step recorded; empty: not recorded
    QString loopTestPath; // the result kept for the report; empty: not kept
    // The warning before the first point; true to go on. None: a message box asks.
    std::function<bool(const QString&)> confirm;
};

// Steps the loop current through points, one at a time at the engineer's
// word, and takes the device out of fixed-current mode whatever ends the test.
// It does not close while the loop may still be fixed.
class LoopTestDialog : public QDialog {
    Q_OBJECT
public:
    explicit LoopTestDialog(LoopTestHost host, QWidget* parent = nullptr);
    ~LoopTestDialog() override;

    // A test is on: from the first point's claim on the line to the release's answer.
    bool Running() const;
    // Ends the test; Finished follows once the loop is released (or not).
    void StopTest();
    QString StatusText() const;
    std::optional<config::LoopTestResult> LastResult() const { return last_; }

signals:
    void Finished(const config::LoopTestResult& result);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void StartTest();
    void PointDone(int index);
    void NextPoint();
    void Done(const config::LoopTestResult& result);
    void ShowRow(int index);
    void UpdateVerdict();
    std::optional<double> ReadEntry() const;
    void UpdateButtons();
    void SetStatus(const QString& text, bool bad = false);

    LoopTestHost host_;
    QPointer<hart::LineOwner> owner_; // the window's; it may go before its children
    std::unique_ptr<config::LoopTestRunner> runner_;
    bool claiming_ = false; // waiting for the line
    bool closeAsked_ = false;
    bool stopping_ = false; // Stop pressed: the release is next
    int current_ = -1; // the point on hold, waiting for Next
    int pointCount_ = 0;
    std::optional<config::LoopTestResult> last_;

    QLineEdit* points_;
    QTableWidget* table_;
    QLineEdit* read_;
    QPushButton* passed_;
    QPushButton* failed_;
    QLabel* deviation_;
    QPushButton* start_;
    QPushButton* next_;
    QPushButton* stop_;
    QPushButton* close_;
    QLabel* status_;
    QLabel* release_;
};

} // namespace app
