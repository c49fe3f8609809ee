#pragma once

#include "device/address_scan.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace app {

// "Find Devices": scans the polling addresses and lists each device as it
// answers; choosing one hands its address back to the window.
class ScanDialog : public QDialog {
    Q_OBJECT
public:
    ScanDialog(hart::Transport& transport, hart::LineOwner* owner, QWidget* parent = nullptr);

    device::AddressScanner& Scanner() { return scanner_; }
    // Starts a scan of the chosen range (what the Scan button does).
    void StartScan();
    void reject() override; // Close / Escape / a closing port cancel a running scan first

signals:
    // The user chose the device at `address`.
    void Chosen(int address);


private:
    void AddHit(const device::ScanHit& hit);
    void Finished(device::ScanEnd end, int found, const QString& error);
    void ChooseSelected();

    device::AddressScanner scanner_;
    QComboBox* range_;
    QPushButton* scan_;
    QPushButton* cancel_;
    QPushButton* choose_;
    QProgressBar* progress_;
    QTableWidget* list_;
    QLabel* state_;
};

} // namespace app
