#pragma once

// Frames built the way the tool and a HART slave lay them out, written
// independently of the simulator so that its answers can be checked.

#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace simtest {

using Bytes = std::vector<std::uint8_t>;

// The default converter: manufacturer 0x26 with the master bit, type 5, id 01 02 03.
inline const Bytes kAddress = {0xA6, 0x05, 0x01, 0x02, 0x03};

inline Bytes Cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes F(float v)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &v, 4);
    return {std::uint8_t(bits >> 24), std::uint8_t(bits >> 16), std::uint8_t(bits >> 8), std::uint8_t(bits)};
}

inline Bytes Repeat(std::uint8_t b, int n) { return Bytes(static_cast<std::size_t>(n), b); }

// Delimiter, address, command, byte count, data and the XOR checksum of them.
inline Bytes Frame(std::uint8_t delimiter, const Bytes& address, std::uint8_t command, const Bytes& body)
{
    Bytes f = Cat({{delimiter}, address, {command, std::uint8_t(body.size())}, body});
    std::uint8_t sum = 0;
    for (std::uint8_t b : f)
        sum ^= b;
    f.push_back(sum);
    return f;
}

inline Bytes LongRequest(std::uint8_t command, const Bytes& data = {}, const Bytes& address = kAddress,
                         int preambles = 8)
{
    return Cat({Repeat(0xFF, preambles), Frame(0x82, address, command, data)});
}

inline Bytes ShortRequest(std::uint8_t pollAddress, std::uint8_t command = 0, int preambles = 6)
{
    return Cat({Repeat(0xFF, preambles), Frame(0x02, {pollAddress}, command, {})});
}

inline Bytes LongAnswer(std::uint8_t command, std::uint8_t code, const Bytes& data, const Bytes& address = kAddress,
                        int preambles = 5, std::uint8_t status = 0)
{
    return Cat({Repeat(0xFF, preambles), Frame(0x86, address, command, Cat({{code, status}, data}))});
}

inline Bytes ShortAnswer(std::uint8_t addressByte, const Bytes& data, std::uint8_t code = 0, int preambles = 5,
                         std::uint8_t status = 0)
{
    return Cat({Repeat(0xFF, preambles), Frame(0x06, {addressByte}, 0, Cat({{code, status}, data}))});
}

inline QByteArray Q(const Bytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())); }
inline Bytes B(const QByteArray& q) { return Bytes(q.begin(), q.end()); }

} // namespace simtest
