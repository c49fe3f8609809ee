#include "codec/numeric.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace codec {

namespace {

std::string Quoted(std::string_view text, std::string_view tail)
{
    std::string s;
    s.reserve(text.size() + tail.size() + 2);
    s += '\'';
    s += text;
    s += '\'';
    s += tail;
    return s;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s)
{
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string WithSeparator(std::string text, std::string_view separator)
{
    if (separator == ".")
        return text;
    const auto dot = text.find('.');
    if (dot != std::string::npos)
        text.replace(dot, 1, separator);
    return text;
}

// Keeps the first `width` characters (UTF-8 code points: the separator may be one).
std::string CutToWidth(std::string text, int width)
{
    if (width < 0)
        return text;
    int chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && chars++ == width)
            return text.substr(0, i);
    }
    return text;
}

std::string NonFiniteText(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

} // namespace

std::string IntegerErrorText(std::string_view text) { return Quoted(text, " is not a valid integer value"); }
std::string FloatErrorText(std::string_view text) { return Quoted(text, " is not a valid floating point value"); }

std::string RangeErrorText(std::string_view text, long long lo, long long hi)
{
    return Quoted(text, " is out of range (" + std::to_string(lo) + ".." + std::to_string(hi) + ")");
}

Result<long long> ParseInteger(std::string_view text)
{
    using R = Result<long long>;
    std::string_view s = TrimLeft(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty())
        return R::Fail(IntegerErrorText(text));
    const std::string_view digits = s.substr(std::min(s.find_first_not_of('0'), s.size() - 1));
    if (digits.size() > 12)
        return R::Fail(IntegerErrorText(text));
    long long v = 0;
    for (char c : digits) {
        if (!IsDigit(c))
            return R::Fail(IntegerErrorText(text));
        v = v * 10 + (c - '0');
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return R::Fail(IntegerErrorText(text));
    return R::Ok(v);
}

Result<long long> ParseIntegerInRange(std::string_view text, long long lo, long long hi)
{
    auto v = ParseInteger(text);
    if (v && (*v < lo || *v > hi))
        return Result<long long>::Fail(RangeErrorText(text, lo, hi));
    return v;
}

namespace {

// A checked decimal text rewritten for from_chars: '.' as separator, no sign,
// no blanks; `tiny` when the value lies below 1, so an out-of-range result
// means it rounds to zero rather than overflows.
struct PlainNumber {
    std::string text;
    bool negative = false;
    bool tiny = false;
};

std::optional<PlainNumber> ToPlainNumber(std::string_view text, std::string_view decimalSeparator)
{
    const std::string_view s = TrimRight(TrimLeft(text));
    PlainNumber out;
    std::string& plain = out.text;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        out.negative = s[i] == '-';
        ++i;
    }
    int mantissaDigits = 0;
    int magnitude = 0;         // rough decimal exponent of the leading digit
    bool seenNonZero = false;
    while (i < s.size() && IsDigit(s[i])) {
        if (s[i] != '0' || seenNonZero) {
            seenNonZero = true;
            ++magnitude;
        }
        plain += s[i++];
        ++mantissaDigits;
    }
    if (!decimalSeparator.empty() && s.substr(i).starts_with(decimalSeparator)) {
        i += decimalSeparator.size();
        plain += '.';
        while (i < s.size() && IsDigit(s[i])) {
            if (!seenNonZero) {
                if (s[i] == '0')
                    --magnitude;
                else
                    seenNonZero = true;
            }
            plain += s[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            plain += s[i++];
        const std::size_t expStart = i;
        while (i < s.size() && IsDigit(s[i]))
            plain += s[i++];
        if (i == expStart)
            return std::nullopt;
        long long e = 0;
        std::from_chars(s.data() + expStart, s.data() + i, e);
        const bool expNegative = s[expStart - 1] == '-';
        magnitude += static_cast<int>(std::min<long long>(e, 100000)) * (expNegative ? -1 : 1);
    }
    if (i != s.size())
        return std::nullopt;
    out.tiny = !seenNonZero || magnitude < 0;
    return out;
}

// One correctly rounded conversion straight to T: going through a wider
// type first could round twice and miss the nearest value.
template <class T>
Result<T> ParseAs(std::string_view text, std::string_view decimalSeparator)
{
    using R = Result<T>;
    const auto plain = ToPlainNumber(text, decimalSeparator);
    if (!plain)
        return R::Fail(FloatErrorText(text));
    T v = 0;
    const char* first = plain->text.data();
    const char* last = first + plain->text.size();
    const auto [end, ec] = std::from_chars(first, last, v);
    if (end != last)
        return R::Fail(FloatErrorText(text));
    if (ec == std::errc::result_out_of_range) {
        if (!plain->tiny)
            return R::Fail(FloatErrorText(text));
        v = 0;
    }
    return R::Ok(plain->negative ? -v : v);
}

} // namespace

Result<double> ParseFloat(std::string_view text, std::string_view decimalSeparator)
{
    return ParseAs<double>(text, decimalSeparator);
}

float DecodeFloatBE(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    const std::uint32_t bits = (std::uint32_t{b0} << 24) | (std::uint32_t{b1} << 16) | (std::uint32_t{b2} << 8) | b3;
    return std::bit_cast<float>(bits);
}

float DecodeFloatBE(std::span<const std::uint8_t, 4> b) { return DecodeFloatBE(b[0], b[1], b[2], b[3]); }

FloatBytes EncodeFloatBE(float value)
{
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
            static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

Result<FloatBytes> EncodeFloatBE(std::string_view text, std::string_view decimalSeparator)
{
    const auto parsed = ParseAs<float>(text, decimalSeparator);
    if (!parsed)
        return parsed.failAs<FloatBytes>();
    return Result<FloatBytes>::Ok(EncodeFloatBE(*parsed));
}

std::string FloatText(double value, int width, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return CutToWidth(NonFiniteText(value), width);
    if (value == 0)
        return "0";

    // %.14e rounds the exact binary value correctly to 15 significant digits.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const std::string_view sci(buf);
    const bool negative = sci.front() == '-';
    const auto ePos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (IsDigit(c))
            digits += c;
    int exponent = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+'), sci.data() + sci.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const std::string sign = negative ? "-" : "";
    const bool fixed = exponent >= -5 && exponent < 15;
    if (fixed) {
        std::string out = sign;
        if (exponent >= 0) {
            if (digits.size() <= static_cast<std::size_t>(exponent) + 1) {
                out += digits;
                out.append(static_cast<std::size_t>(exponent) + 1 - digits.size(), '0');
            } else {
                out += digits.substr(0, static_cast<std::size_t>(exponent) + 1);
                out += '.';
                out += digits.substr(static_cast<std::size_t>(exponent) + 1);
            }
        } else {
            out += "0.";
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        }
        // A cut that drops only fraction digits keeps the value's size.
        const std::size_t integerChars = sign.size() + (exponent >= 0 ? static_cast<std::size_t>(exponent) + 1 : 1);
        if (width < 0 || integerChars <= static_cast<std::size_t>(width))
            return CutToWidth(WithSeparator(std::move(out), decimalSeparator), width);
    }
    // Exponent form, its mantissa cut to what the width leaves. The exponent
    // is never cut, even where it alone overruns the width: a shorter text
    // would read back as another number.
    std::string tail(1, 'E'); // appended, not "E" + ...: GCC 12 warns falsely on that
    tail += std::to_string(exponent);
    const long long left = static_cast<long long>(width) - static_cast<long long>(sign.size() + tail.size());
    const std::size_t room = width < 0 ? digits.size() + 1 : static_cast<std::size_t>(std::max(0LL, left));
    std::string out = sign + digits.substr(0, 1);
    // Room for the point and at least one digit after it.
    if (digits.size() > 1 && room >= 3) {
        out += '.';
        out += digits.substr(1, std::min(digits.size() - 1, room - 2));
    }
    out += tail;
    return WithSeparator(std::move(out), decimalSeparator);
}

std::string VariableText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                         std::string_view decimalSeparator)
{
    if (b0 == 0x7F)
        return "0.000";
    return FloatText(DecodeFloatBE(b0, b1, b2, b3), 6, decimalSeparator);
}

std::string VariableText(std::span<const std::uint8_t, 4> b, std::string_view decimalSeparator)
{
    return VariableText(b[0], b[1], b[2], b[3], decimalSeparator);
}

std::string CoefficientText(double value, std::string_view decimalSeparator)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);

    // The exact decimal expansion of a widened single has at most 149 fraction
    // digits, so this prints every digit; the rounding below is half away from zero.
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.160f", std::fabs(value));
    std::string text(buf);
    const auto dot = text.find('.');
    std::string intPart = text.substr(0, dot);
    std::string frac = text.substr(dot + 1, 6);
    if (text[dot + 7] >= '5') {
        std::string all = intPart + frac;
        int k = static_cast<int>(all.size()) - 1;
        while (k >= 0 && all[static_cast<std::size_t>(k)] == '9')
            all[static_cast<std::size_t>(k--)] = '0';
        if (k < 0)
            all.insert(all.begin(), '1');
        else
            ++all[static_cast<std::size_t>(k)];
        intPart = all.substr(0, all.size() - 6);
        frac = all.substr(all.size() - 6);
    }
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (intPart == "0")
        intPart.clear();
    if (intPart.empty() && frac.empty())
        return "0";
    std::string out = value < 0 ? "-" : "";
    out += intPart;
    if (!frac.empty()) {
        out += decimalSeparator;
        out += frac;
    }
    return out;
}

std::uint32_t DecodeUIntBE(std::span<const std::uint8_t> bytes)
{
    std::uint32_t v = 0;
    for (auto b : bytes)
        v = (v << 8) | b;
    return v;
}

std::vector<std::uint8_t> EncodeUIntBE(long long value, int n)
{
    std::vector<std::uint8_t> out(static_cast<std::size_t>(n));
    // Truncating division and its remainder, each cut to 8 bits (-1 as 2 bytes is 00 FF).
    long long divisor = 1;
    for (int k = n - 1; k >= 0; --k) {
        const long long q = value / divisor;
        out[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>((k == 0 ? q : q % 256) & 0xFF);
        divisor *= 256;
    }
    return out;
}

Result<std::vector<std::uint8_t>> EncodeUIntBE(std::string_view text, int n)
{
    const auto v = ParseInteger(text);
    if (!v)
        return v.failAs<std::vector<std::uint8_t>>();
    return Result<std::vector<std::uint8_t>>::Ok(EncodeUIntBE(*v, n));
}

Result<std::vector<std::uint8_t>> EncodeUIntBEChecked(std::string_view text, int n)
{
    const auto v = ParseIntegerInRange(text, 0, (1LL << (8 * n)) - 1);
    if (!v)
        return v.failAs<std::vector<std::uint8_t>>();
    return Result<std::vector<std::uint8_t>>::Ok(EncodeUIntBE(*v, n));
}

Result<std::uint8_t> ByteFromText(std::string_view text)
{
    const auto v = ParseInteger(text);
    if (!v)
        return v.failAs<std::uint8_t>();
    return Result<std::uint8_t>::Ok(static_cast<std::uint8_t>(*v & 0xFF));
}

Result<std::uint8_t> ByteFromTextInRange(std::string_view text, long long lo, long long hi)
{
    const auto v = ParseIntegerInRange(text, lo, hi);
    if (!v)
        return v.failAs<std::uint8_t>();
    return Result<std::uint8_t>::Ok(static_cast<std::uint8_t>(*v & 0xFF));
}

std::string ByteToHex(int v)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    if (v < 0 || v > 255)
        return ".";
    return {digits[v / 16], digits[v % 16]};
}

std::optional<int> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

std::string HexByteList(std::span<const std::uint8_t> bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3);
    for (auto b : bytes) {
        out += ByteToHex(b);
        out += ' ';
    }
    return out;
}

} // namespace codec
