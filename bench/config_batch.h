#pragma once

// Whole-configuration batches against the simulated converter at 1200-baud
// timing: a read and a clone over the batch path, and the same read done
// through the window's own Query buttons for comparison.
#include <QString>

namespace bench {

struct BatchFigure {
    double measuredMs = 0;
    double floorMs = 0;      // (sent + received bytes) x 11/1200 s + turnaround per request on the line
    int requests = 0;        // frames on the line, repeats included
    int repeats = 0;
    long long sentBytes = 0;
    long long receivedBytes = 0;
    double ratio() const { return floorMs > 0 ? measuredMs / floorMs : 0; }
};

struct ConfigBenchResult {
    QString error; // empty when every step worked
    int turnaroundMs = 0;
    BatchFigure read;
    BatchFigure clone;
    int itemsWritten = 0;
    // The window's Query buttons, one press after the other's answer.
    double buttonsMs = 0;
    int buttonPresses = 0;
    double buttonsFloorMs = 0;
};

// Without line timing the figures mean nothing; the steps still run (--quick).
ConfigBenchResult RunConfigBench(bool lineTiming = true);

} // namespace bench
