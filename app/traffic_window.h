#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace app {

class TrafficModel;

// The line as it happens: every write and delivery decoded, beside the main
// window. Shows the model it is given; the model keeps recording while the
// window is closed.
class TrafficWindow : public QWidget {
    Q_OBJECT
public:
    struct Options {
        // Replace the file dialog and the message boxes (tests only).
        std::function<QString()> askSavePath;
        std::function<void(const QString& text)> showError;
    };

    TrafficWindow(TrafficModel& model, Options options, QWidget* parent = nullptr);

    // Writes the rows kept as a pcapng file; false after telling the user why.
    bool SaveCapture(const QString& path);
    void CopyAsText();

private:
    void RowsAboutToArrive();
    void RowsArrived();
    void ShowSelected();
    void UpdateCount();

    TrafficModel& model_;
    Options options_;
    QTableView* table_ = nullptr;
    QPlainTextEdit* details_ = nullptr;
    QPushButton* pause_ = nullptr;
    QLabel* count_ = nullptr;
    bool follow_ = true;
    bool reading_ = false; // a row is selected: the view holds still for it
    bool refreshQueued_ = false;
};

} // namespace app
