#include "config/batch.h"

namespace config {

int BatchReport::count(ItemOutcome o) const
{
    int n = 0;
    for (const auto& r : items)
        n += r.outcome == o ? 1 : 0;
    return n;
}

struct BatchRunner::Job {};

BatchRunner::BatchRunner(hart::Transport& transport, QObject* parent) : QObject(parent), transport_(transport) {}
BatchRunner::~BatchRunner() = default;
void BatchRunner::Read(std::uint8_t) {}
void BatchRunner::Write(const Configuration&, const WriteOptions&) {}
void BatchRunner::Cancel() {}
bool BatchRunner::Busy() const { return job_ != nullptr; }

} // namespace config
