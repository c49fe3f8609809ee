// libFuzzer entry: the input, as it is, is one datagram or a piece of a
// stream for the HART-IP parser and the simulator's server.
#include "fuzz/hart_ip_harness.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (const std::string broken = fuzzing::CheckHartIp({data, size}); !broken.empty()) {
        std::fprintf(stderr, "HART-IP: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
