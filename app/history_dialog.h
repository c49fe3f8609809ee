#pragma once

#include "config/history.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace app {

struct HistoryDialogHost {
    QString path; // the history file
    // The connected device's unique identifier; none: every device is shown.
    std::optional<std::uint32_t> device;
    // Asks where to export; empty when the user gave no name.
    std::function<QString()> chooseCsv;
};

// The writes recorded in the history, newest first, with a CSV export.
class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    explicit HistoryDialog(HistoryDialogHost host, QWidget* parent = nullptr);

    void Reload();
    QString StatusText() const;

private:
    void Export();

    HistoryDialogHost host_;
    std::vector<config::HistoryRecord> shown_; // as listed: newest first
    QCheckBox* all_;
    QTableWidget* table_;
    QLabel* status_;
    QPushButton* export_;
};

} // namespace app
