#pragma once

// One session of the real window against the simulated converter at
// 1200-baud timing: open the port, time transactions, watch the event loop,
// then count the serial threads' wake-ups while the port idles.
#include "bench/proc_stats.h"

#include <QString>

#include <sys/types.h>

#include <vector>

namespace bench {

struct SessionOptions {
    int repetitions = 20;
    int idleMs = 5000;       // window over which idle wake-ups are counted
    int settleMs = 1000;     // quiet time before that window
    int pauseMs = 150;       // between two transactions
    int heartbeatMs = 5;     // period of the event-loop heartbeat
};

struct TransactionSample {
    double latencyMs = 0;  // press to AnswerHandled
    double handlerMs = 0;  // press to the button handler's return (the window thread blocked)
    double stallMs = 0;    // longest heartbeat gap, from before the press to 50 ms after the answer
    int requestBytes = 0;  // on the line, from BytesSent
    int answerBytes = 0;   // on the line, from BytesReceived
};

struct TransactionResult {
    QString label;
    QString button;
    int tail = 0;
    std::vector<TransactionSample> samples;
};

struct ThreadWakeups {
    pid_t tid = 0;
    QString role;
    int nice = 0;
    ContextSwitches switches; // over the idle window
};

struct SessionResult {
    QString error; // empty when every step worked
    QString platform;
    int turnaroundMs = 0;     // the simulator's
    int readIntervalMs = 0;   // Comm1's
    int timer2Ms = 0;
    double idleSeconds = 0;
    Memory afterOpen;
    Memory afterTransactions;
    std::vector<TransactionResult> transactions;
    std::vector<ThreadWakeups> idle; // receive thread, send thread, then the others for comparison
    int serialThreadCount = 0;
};

SessionResult RunSession(const SessionOptions& options);

} // namespace bench
