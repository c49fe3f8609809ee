#include "fuzz/answer_harness.h"

#include <QtTest>

#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

// One way to spoil an answer, or to make something else up entirely.
Bytes Mutate(Bytes b, std::mt19937& rng)
{
    auto pick = [&](std::size_t n) { return n ? rng() % n : 0; };
    switch (rng() % 10) {
    case 0: // flip a bit
        if (!b.empty())
            b[pick(b.size())] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        break;
    case 1: // cut short
        b.resize(pick(b.size() + 1));
        break;
    case 2: // noise in front
        for (std::size_t k = pick(16); k > 0; --k)
            b.insert(b.begin(), static_cast<std::uint8_t>(rng()));
        break;
    case 3: // a false header in front
        b.insert(b.begin(), {0xFF, 0x86});
        break;
    case 4: // a wrong byte count
        if (b.size() > 12)
            b[pick(b.size())] = static_cast<std::uint8_t>(rng());
        break;
    case 5: // entirely random
        b.assign(pick(300), 0);
        for (auto& x : b)
            x = static_cast<std::uint8_t>(rng());
        break;
    case 6: // two answers back to back
        b.insert(b.end(), b.begin(), b.end());
        break;
    case 7: // longer than the receive area
        b.resize(b.size() + 140, 0xFF);
        break;
    default: // left as it is: must decode
        break;
    }
    return b;
}

} // namespace

class TestAnswerFuzz : public QObject {
    Q_OBJECT
private slots:
    // Seeded and repeatable: mutated and random deliveries across every request.
    void deliveriesKeepTheirPromises()
    {
        fuzzing::AnswerHarness harness;
        std::mt19937 rng(20261208);
        const auto rows = hart::RequestTable();
        int deliveries = 0;
        for (int round = 0; deliveries < 200000; ++round) {
            const auto& row = rows[static_cast<std::size_t>(round) % rows.size()];
            Bytes answer = Mutate(fuzzing::TemplateAnswer(row, rng()), rng);
            // Arbitrary splits: up to three deliveries.
            std::vector<Bytes> parts;
            const int pieces = 1 + static_cast<int>(rng() % 3);
            for (int p = 1; p < pieces && !answer.empty(); ++p) {
                const std::size_t cut = rng() % answer.size();
                parts.emplace_back(answer.begin(), answer.begin() + static_cast<std::ptrdiff_t>(cut));
                answer.erase(answer.begin(), answer.begin() + static_cast<std::ptrdiff_t>(cut));
            }
            parts.push_back(answer);
            deliveries += static_cast<int>(parts.size());
            const std::string broken = harness.Run(row, parts);
            QVERIFY2(broken.empty(), qPrintable(QString("%1 in round %2: %3")
                                                    .arg(QString::fromUtf8(row.button.data(), qsizetype(row.button.size())))
                                                    .arg(round)
                                                    .arg(QString::fromStdString(broken))));
        }
        // The mix must reach the decoders, or it proves nothing.
        QVERIFY2(harness.Successes() > 10000, qPrintable(QString::number(harness.Successes())));
    }

    // The frame grammar under the same mix, whole deliveries and their parts.
    void grammarKeepsItsPromises()
    {
        std::mt19937 rng(20261209);
        const auto rows = hart::RequestTable();
        for (int round = 0; round < 20000; ++round) {
            const auto& row = rows[static_cast<std::size_t>(round) % rows.size()];
            const Bytes bytes = Mutate(fuzzing::TemplateAnswer(row, rng()), rng);
            const std::string broken = fuzzing::CheckGrammar(bytes);
            QVERIFY2(broken.empty(), qPrintable(QString("round %1: %2").arg(round).arg(QString::fromStdString(broken))));
        }
    }

    // The oracle itself, on answers whose fate is known.
    void judgeKnowsGoodFromBad()
    {
        const auto& row = hart::Request(hart::RequestId::Button34);
        const auto good = fuzzing::TemplateAnswer(row, 1);
        QVERIFY(fuzzing::Judge(102, good).valid);
        auto bad = good;
        bad.back() ^= 1;
        QVERIFY(!fuzzing::Judge(102, bad).valid);
        QVERIFY(fuzzing::Judge(102, bad).found);
        QVERIFY(!fuzzing::Judge(102, std::span(good).first(good.size() - 1)).valid);
    }
};

QTEST_GUILESS_MAIN(TestAnswerFuzz)
#include "test_answer_fuzz.moc"
