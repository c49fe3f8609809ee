#pragma once

// Start-up to the first painted window, measured in child processes that
// start exactly like the tool does (QApplication, TForm1, show, exec).
#include <QString>

#include <vector>

namespace bench {

inline constexpr const char* kStartupChildFlag = "--startup-child";

struct StartupSample {
    double spawnToMainMs = 0;     // fork, exec, dynamic loading up to main()
    double mainToAppMs = 0;       // QApplication constructed (platform plugin loaded)
    double appToFormMs = 0;       // TForm1 constructed (controls, logo, port list)
    double formToPaintMs = 0;     // show() up to the first paint event of the window
    double paintToPaintedMs = 0;  // that paint pass finished and flushed
    double spawnToPaintedMs = 0;  // the whole road: what the user waits for
    double appToPaintedMs = 0;    // from QApplication construction
    QString platform;
};

// The child's side: runs instead of the bench when started with kStartupChildFlag.
int RunStartupChild(int argc, char** argv);

// Starts `runs` children one after another; an empty result and a message
// in *error when a child fails.
std::vector<StartupSample> MeasureStartup(int runs, QString* error);

} // namespace bench
