#include "fuzz/hart_ip_harness.h"

#include <QtTest>

#include <algorithm>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

// One way to spoil a message, or to make something else up entirely.
Bytes Mutate(Bytes b, std::mt19937& rng)
{
    auto pick = [&](std::size_t n) { return n ? rng() % n : 0; };
    const auto any = [&] { return static_cast<std::uint8_t>(rng()); };
    switch (rng() % 7) {
    case 0: // cut short
        b.resize(pick(b.size() + 1));
        break;
    case 1: // a header field changed: version, type, id, status, sequence or count
        if (b.size() >= 8)
            b[pick(8)] = any();
        break;
    case 2: // a byte count off by a little
        if (b.size() >= 8)
            b[7] = static_cast<std::uint8_t>(b[7] + static_cast<int>(rng() % 7) - 3);
        break;
    case 3: // entirely random
        b.assign(pick(300), 0);
        std::generate(b.begin(), b.end(), any);
        break;
    case 4: // garbage behind it
        b.insert(b.end(), 1 + pick(12), any());
        break;
    case 5: // a body byte changed: the HART frame inside, or the session body
        if (b.size() > 8)
            b[8 + pick(b.size() - 8)] = any();
        break;
    default: // left as it is
        break;
    }
    return b;
}

} // namespace

class TestHartIpFuzz : public QObject {
    Q_OBJECT
private slots:
    // Seeded and repeatable: mutated and random messages, alone and two in a row.
    void messagesKeepTheirPromises()
    {
        const auto seeds = fuzzing::HartIpSeeds();
        std::mt19937 rng(20261210);
        fuzzing::HartIpCounts counts;
        for (int round = 0; round < 20000; ++round) {
            Bytes b = Mutate(seeds[static_cast<std::size_t>(round) % seeds.size()], rng);
            if (rng() % 4 == 0) {
                const Bytes next = Mutate(seeds[rng() % seeds.size()], rng);
                b.insert(b.end(), next.begin(), next.end());
            }
            const std::string broken = fuzzing::CheckHartIp(b, &counts);
            QVERIFY2(broken.empty(),
                     qPrintable(QString("round %1: %2").arg(round).arg(QString::fromStdString(broken))));
        }
        // The mix must reach the parser's acceptance and the device, or it proves nothing.
        QVERIFY2(counts.accepted > 5000, qPrintable(QString::number(counts.accepted)));
        QVERIFY2(counts.answered > 1000, qPrintable(QString::number(counts.answered)));
    }

    // The harness itself, on inputs whose fate is known.
    void harnessSeesTheSeedsAnswered()
    {
        for (const Bytes& seed : fuzzing::HartIpSeeds()) {
            fuzzing::HartIpCounts counts;
            QCOMPARE(QString::fromStdString(fuzzing::CheckHartIp(seed, &counts)), QString());
            QCOMPARE(counts.accepted, 1);
        }
        // Commands 0, 3 and 40: answered in the session only.
        for (std::size_t k : {4, 5, 6}) {
            fuzzing::HartIpCounts counts;
            QVERIFY(fuzzing::CheckHartIp(fuzzing::HartIpSeeds()[k], &counts).empty());
            QCOMPARE(counts.answered, 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestHartIpFuzz)
#include "test_hart_ip_fuzz.moc"
