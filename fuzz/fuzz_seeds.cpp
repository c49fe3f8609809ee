// Writes one input per request into the given directory: that request's
// well-formed answer as a single delivery, in the fuzz target's input format.
#include "fuzz/answer_harness.h"

#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds DIRECTORY\n");
        return 2;
    }
    int written = 0;
    for (const auto& row : hart::RequestTable()) {
        const auto answer = fuzzing::TemplateAnswer(row, 1);
        const std::string path = std::string(argv[1]) + "/seed-" + std::string(row.button);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f)
            return 1;
        for (std::size_t k = 0; k < answer.size(); k += 255) {
            const std::size_t n = std::min<std::size_t>(255, answer.size() - k);
            std::fputc(static_cast<int>(n), f);
            std::fwrite(answer.data() + k, 1, n, f);
        }
        std::fclose(f);
        ++written;
    }
    std::printf("%d seeds in %s\n", written, argv[1]);
    return 0;
}
