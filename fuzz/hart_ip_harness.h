#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fuzzing {

// How far an input got, so that a seeded run can show its mix reaches the device.
struct HartIpCounts {
    int accepted = 0; // messages the parser took
    int answered = 0; // pass-through responses carrying a device's frame
};

// HART-IP messages under arbitrary bytes. The parser's promises, checked
// against the bytes; then the server's message handling: as a datagram from a
// client without a session and from one with, and as a TCP stream whole and
// in pieces (which must make no difference). Every reply must be one
// well-formed message answering its request. Returns the first broken
// promise, or "".
std::string CheckHartIp(std::span<const std::uint8_t> bytes, HartIpCounts* counts = nullptr);

// One well-formed request of each kind, to mutate from.
std::vector<std::vector<std::uint8_t>> HartIpSeeds();

} // namespace fuzzing
