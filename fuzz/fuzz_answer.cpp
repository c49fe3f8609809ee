// libFuzzer entry: the input, as it is, goes through the frame grammar; then,
// as a run of deliveries (each a length byte and that many bytes), it is
// played against every request in turn.
#include "fuzz/answer_harness.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_answer";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static fuzzing::AnswerHarness harness;

    if (const std::string broken = fuzzing::CheckGrammar({data, size}); !broken.empty()) {
        std::fprintf(stderr, "frame grammar: %s\n", broken.c_str());
        std::abort();
    }
    std::vector<std::vector<std::uint8_t>> deliveries;
    for (std::size_t k = 0; k < size;) {
        const std::size_t length = data[k++];
        const std::size_t take = std::min(length, size - k);
        deliveries.emplace_back(data + k, data + k + take);
        k += take;
    }
    for (const auto& row : hart::RequestTable()) {
        const std::string broken = harness.Run(row, deliveries);
        if (!broken.empty()) {
            std::fprintf(stderr, "%.*s: %s\n", int(row.button.size()), row.button.data(), broken.c_str());
            std::abort();
        }
    }
    return 0;
}
