#pragma once

#include "sim/device.h"

namespace sim {

// A converter set up unlike the default one in every configuration item,
// with values a write carries exactly (odd floats included): the other end
// of clones in demonstrations, tests and the benchmark.
ConverterState OtherConverterState();

} // namespace sim
