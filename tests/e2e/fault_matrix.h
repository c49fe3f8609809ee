#pragma once

// Every request of the window crossed with every fault of the simulated
// converter. The cells live in test_fault_matrix.cpp; each ctest test runs one
// group of fault columns, so that the groups can run side by side.

namespace faultmatrix {

// Runs the cells of one group ("no_answer", "wrong_command", "frames", "codes",
// "position", "split", "delay") as one QtTest run; needs a QApplication.
int RunGroup(const char* group, int argc, char** argv);

} // namespace faultmatrix
