#pragma once

#include "hart/link.h"
#include "support_fake_port.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fuzzing {

// Drives the link's answer path the way the port does: one request, then
// deliveries, each followed by the answer timer's tick. Every query code has
// its real decoder attached. Run() reports the first broken promise, or "".
class AnswerHarness {
public:
    AnswerHarness();

    std::string Run(const hart::RequestRow& row, std::span<const std::vector<std::uint8_t>> deliveries);

    hart::HartLink& Link() { return link_; }
    int Successes() const { return successes_; }

private:
    std::string Tick(const std::vector<std::uint8_t>& delivery);

    fuzzing::NullPort port_;
    hart::HartLink link_;
    std::string lastStatus_;
    int successes_ = 0;
};

// What the link must accept: a whole, right answer at the first header of the
// code's window within the delivery. Written apart from the link on purpose.
struct Verdict {
    bool found = false;        // a header matched in the window
    bool valid = false;        // ... and the frame there is whole with a right checksum
    std::uint8_t command = 0;
    std::uint8_t responseCode = 0;
};
Verdict Judge(int pendingCode, std::span<const std::uint8_t> delivery);

// The frame grammar's promises on any bytes, checked against rules written
// out apart from it, against the display decoder and against the assembler
// fed byte by byte. Returns the first broken promise, or "".
std::string CheckGrammar(std::span<const std::uint8_t> bytes);

// A plausible answer to a request, to mutate from.
std::vector<std::uint8_t> TemplateAnswer(const hart::RequestRow& row, std::uint32_t seed);

} // namespace fuzzing
