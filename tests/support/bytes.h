#pragma once

// Small helpers shared by the tests: hex text <-> bytes.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace testing {

// "41 A0 00 00" or "41A00000" -> bytes.
inline std::vector<std::uint8_t> Hex(const char* text)
{
    const QByteArray raw = QByteArray::fromHex(QByteArray(text).replace(' ', ""));
    return {raw.begin(), raw.end()};
}

inline QString HexOf(std::span<const std::uint8_t> bytes)
{
    QByteArray raw(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    return QString::fromLatin1(raw.toHex(' ').toUpper());
}

inline QString HexOf(const std::vector<std::uint8_t>& bytes) { return HexOf(std::span<const std::uint8_t>(bytes)); }

} // namespace testing
