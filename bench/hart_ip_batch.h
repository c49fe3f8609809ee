#pragma once

// A whole-configuration read over HART-IP on the loopback beside the same
// read over a pseudo-terminal, both against the simulated converter without
// line timing (answers whole after the turnaround): what the network path
// adds to each transaction.
#include <QString>

namespace bench {

struct HartIpBenchResult {
    QString error;  // empty when every read worked
    QString server; // what served HART-IP
    int runs = 0;
    int turnaroundMs = 0;
    int transactions = 0;     // of one read (the same on both paths)
    double ptyMs = 0;         // one whole read, median of the runs
    double hartIpMs = 0;
    double PtyPerTransactionMs() const { return transactions ? ptyMs / transactions : 0; }
    double HartIpPerTransactionMs() const { return transactions ? hartIpMs / transactions : 0; }
    double AddedPerTransactionMs() const { return HartIpPerTransactionMs() - PtyPerTransactionMs(); }
};

// The HART-IP path may add this much to a transaction.
inline constexpr double kHartIpAddedTargetMs = 2.0;

HartIpBenchResult RunHartIpBench(int runs);

} // namespace bench
