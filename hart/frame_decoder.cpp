#include "hart/frame_decoder.h"

#include "hart/frames.h"
#include "hart/request_table.h"
#include "i18n/tr.h"

#include <QCoreApplication>

#include <array>
#include <cstdio>

namespace hart {

namespace {

// Fills in what the bytes of the frame `f` (found in `bytes`) reach.
void ReadFrame(std::span<const std::uint8_t> bytes, const FrameSpan& f, LinePiece& p)
{
    p.delimiter = f.delimiter;
    p.type = f.type;
    if (f.addressAt() + f.addressLength > bytes.size())
        return;
    const auto address = bytes.subspan(f.addressAt(), f.addressLength);
    p.address.assign(address.begin(), address.end());
    if (f.commandAt() >= bytes.size())
        return;
    p.command = bytes[f.commandAt()];
    if (!f.countKnown)
        return;
    p.byteCount = f.byteCount;
    if (f.state != FrameState::Whole) {
        p.expectedLength = f.checksumAt() + 1 - f.delimiterAt();
        return;
    }
    auto body = bytes.subspan(f.dataAt(), f.byteCount);
    if (p.type != FrameType::Request && body.size() >= 2) {
        p.responseCode = body[0];
        p.deviceStatus = body[1];
        body = body.subspan(2);
    }
    p.data.assign(body.begin(), body.end());
    p.checksum = bytes[f.checksumAt()];
    p.checksumOk = f.checksumOk;
}

// Where the next frame seems to begin (two preambles and a delimiter), so that
// a cut frame does not swallow a whole one behind it.
std::size_t NextFrameStart(std::span<const std::uint8_t> bytes, std::size_t from)
{
    const FrameSpan next = FindFrame(bytes.subspan(from), 2);
    return next.delimiter ? from + next.start : bytes.size();
}

void AppendNoise(std::vector<LinePiece>& pieces, std::size_t from, std::size_t to)
{
    if (from >= to)
        return;
    if (!pieces.empty() && pieces.back().kind == PieceKind::Noise && pieces.back().offset + pieces.back().length == from) {
        pieces.back().length = to - pieces.back().offset;
        return;
    }
    LinePiece p;
    p.kind = PieceKind::Noise;
    p.offset = from;
    p.length = to - from;
    pieces.push_back(std::move(p));
}

std::string Hex2(std::uint8_t b)
{
    char s[3];
    std::snprintf(s, sizeof s, "%02X", b);
    return s;
}

std::string_view TypeText(FrameType t)
{
    switch (t) {
    case FrameType::Request: return "Request";
    case FrameType::Answer: return "Answer";
    case FrameType::Burst: return "Burst";
    }
    return {};
}

std::string AddressText(const LinePiece& p)
{
    if (p.address.empty())
        return "?";
    if (!p.longAddress())
        return "short " + std::to_string(p.address[0] & 0x3F);
    std::vector<std::uint8_t> a = p.address;
    a[0] &= 0x3F; // the master and burst bits are not address
    return "long " + HexText(a);
}

std::string CommandPart(const LinePiece& p)
{
    return p.command ? "cmd " + std::to_string(*p.command) + " " + CommandText(*p.command) : std::string("cmd ?");
}

} // namespace

std::vector<LinePiece> DecodeLine(std::span<const std::uint8_t> bytes)
{
    std::vector<LinePiece> pieces;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto rest = bytes.subspan(i);
        const FrameSpan f = FindFrame(rest);
        if (f.state == FrameState::None)
            break;
        LinePiece p;
        p.offset = i + f.start;
        p.preambles = static_cast<int>(f.preambles);
        if (f.state == FrameState::Whole) {
            p.kind = PieceKind::Frame;
            p.length = f.length;
        } else {
            p.kind = PieceKind::Cut;
            // Preambles and then nothing end with the bytes; a frame that
            // began ends where the next one seems to begin.
            p.length = f.delimiter ? NextFrameStart(bytes, i + f.delimiterAt() + 1) - p.offset : f.length;
        }
        if (f.delimiter)
            ReadFrame(rest, f, p);
        AppendNoise(pieces, i, p.offset);
        i = p.offset + p.length;
        pieces.push_back(std::move(p));
    }
    AppendNoise(pieces, i, bytes.size());
    return pieces;
}

std::string CommandText(std::uint8_t command)
{
    const std::string_view name = CommandName(command);
    if (!name.empty())
        return std::string(name);
    return "command " + std::to_string(command);
}

namespace {

// Codes with one meaning for every command, in the words of the HART common
// tables. The others (8 to 15, 24 to 31, 65 and above) mean something else
// for each command, so only their kind is named.
std::string_view UniversalMeaning(std::uint8_t rc)
{
    switch (rc) {
    case 0: return QT_TRANSLATE_NOOP("hart", "Success");
    case 1: return QT_TRANSLATE_NOOP("hart", "Undefined");
    case 2: return QT_TRANSLATE_NOOP("hart", "Invalid selection");
    case 3: return QT_TRANSLATE_NOOP("hart", "Passed parameter too large");
    case 4: return QT_TRANSLATE_NOOP("hart", "Passed parameter too small");
    case 5: return QT_TRANSLATE_NOOP("hart", "Too few data bytes received");
    case 6: return QT_TRANSLATE_NOOP("hart", "Device-specific command error");
    case 7: return QT_TRANSLATE_NOOP("hart", "In write protect mode");
    case 16: return QT_TRANSLATE_NOOP("hart", "Access restricted");
    case 17: return QT_TRANSLATE_NOOP("hart", "Invalid device variable index");
    case 18: return QT_TRANSLATE_NOOP("hart", "Invalid units code");
    case 19: return QT_TRANSLATE_NOOP("hart", "Device variable index not allowed");
    case 20: return QT_TRANSLATE_NOOP("hart", "Invalid extended command number");
    case 32: return QT_TRANSLATE_NOOP("hart", "Busy");
    case 33: return QT_TRANSLATE_NOOP("hart", "Delayed response initiated");
    case 34: return QT_TRANSLATE_NOOP("hart", "Delayed response running");
    case 35: return QT_TRANSLATE_NOOP("hart", "Delayed response dead");
    case 36: return QT_TRANSLATE_NOOP("hart", "Delayed response conflict");
    case 64: return QT_TRANSLATE_NOOP("hart", "Command not implemented");
    default: return {};
    }
}

// The meaning without the code's number.
std::string Meaning(std::uint8_t rc)
{
    if (IsCommunicationError(rc)) {
        static constexpr std::array<std::pair<std::uint8_t, std::string_view>, 5> kErrors{{
            {0x40, "Vertical parity error"},
            {0x20, "Overrun error"},
            {0x10, "Framing error"},
            {0x08, "Longitudinal parity error"},
            {0x02, "Buffer overflow"},
        }};
        std::string text = "Communication error:";
        bool any = false;
        for (const auto& [bit, word] : kErrors)
            if (rc & bit) {
                text += (any ? ", " : " ") + std::string(word);
                any = true;
            }
        return any ? text : text + " 0x" + Hex2(rc);
    }
    if (const auto words = UniversalMeaning(rc); !words.empty())
        return std::string(words);
    return IsErrorResponse(rc) ? QT_TRANSLATE_NOOP("hart", "Command-specific error")
                              : QT_TRANSLATE_NOOP("hart", "Command-specific warning");
}

} // namespace

std::string ResponseCodeText(std::uint8_t rc)
{
    std::string text = Meaning(rc);
    if (!IsCommunicationError(rc) && UniversalMeaning(rc).empty())
        text += " " + std::to_string(rc);
    return text;
}

std::string DeviceAnsweredText(std::uint8_t rc)
{
    const std::string meaning = Meaning(rc);
    std::string words = QCoreApplication::translate("hart", meaning.c_str()).toStdString();
    // Mid-sentence in English; a translation keeps its own capitals.
    if (words == meaning && !words.empty() && words[0] >= 'A' && words[0] <= 'Z')
        words[0] = static_cast<char>(words[0] - 'A' + 'a');
    return i18n::Arg(QCoreApplication::translate("hart", "the device answered: %1 (response code %2)"), words, rc);
}

std::vector<std::string_view> DeviceStatusWords(std::uint8_t status)
{
    static constexpr std::array<std::pair<std::uint8_t, std::string_view>, 8> kBits{{
        {0x80, QT_TRANSLATE_NOOP("hart", "Field device malfunction")},
        {0x40, QT_TRANSLATE_NOOP("hart", "Configuration changed")},
        {0x20, QT_TRANSLATE_NOOP("hart", "Cold start")},
        {0x10, QT_TRANSLATE_NOOP("hart", "More status available")},
        {0x08, QT_TRANSLATE_NOOP("hart", "Loop current fixed")},
        {0x04, QT_TRANSLATE_NOOP("hart", "Loop current saturated")},
        {0x02, QT_TRANSLATE_NOOP("hart", "Non-primary variable out of limits")},
        {0x01, QT_TRANSLATE_NOOP("hart", "Primary variable out of limits")},
    }};
    std::vector<std::string_view> words;
    for (const auto& [bit, word] : kBits)
        if (status & bit)
            words.push_back(word);
    return words;
}

std::string DeviceStatusText(std::uint8_t status)
{
    std::string text;
    for (auto w : DeviceStatusWords(status))
        text += (text.empty() ? "" : ", ") + std::string(w);
    return text.empty() ? QT_TRANSLATE_NOOP("hart", "OK") : text;
}

std::string HexText(std::span<const std::uint8_t> bytes)
{
    std::string s;
    s.reserve(bytes.size() * 3);
    for (auto b : bytes) {
        if (!s.empty())
            s += ' ';
        s += Hex2(b);
    }
    return s;
}

std::string Summary(const LinePiece& p)
{
    switch (p.kind) {
    case PieceKind::Noise:
        return "Noise: " + std::to_string(p.length) + " byte" + (p.length == 1 ? "" : "s");
    case PieceKind::Cut: {
        std::string s = "Cut " + std::string(TypeText(p.type)) + ": ";
        if (p.delimiter == 0)
            return s + std::to_string(p.preambles) + " preambles, no delimiter";
        s += CommandPart(p) + ", " + std::to_string(p.length - static_cast<std::size_t>(p.preambles));
        if (p.expectedLength)
            s += " of " + std::to_string(p.expectedLength);
        return s + " bytes";
    }
    case PieceKind::Frame: break;
    }
    std::string s = std::string(TypeText(p.type)) + " " + CommandPart(p);
    if (p.responseCode) {
        s += ", " + ResponseCodeText(*p.responseCode);
        if (!IsCommunicationError(*p.responseCode))
            s += ", status " + DeviceStatusText(*p.deviceStatus);
    }
    s += ", " + std::to_string(p.data.size()) + " data bytes";
    if (!p.checksumOk)
        s += ", BAD CHECKSUM";
    return s;
}

std::string Summary(std::span<const LinePiece> pieces)
{
    std::string s;
    for (const auto& p : pieces)
        s += (s.empty() ? "" : " | ") + Summary(p);
    return s;
}

std::string Details(const LinePiece& p, std::span<const std::uint8_t> bytes)
{
    const auto own = bytes.subspan(std::min(p.offset, bytes.size()), std::min(p.length, bytes.size() - std::min(p.offset, bytes.size())));
    std::string s = Summary(p) + "\n";
    if (p.kind == PieceKind::Noise)
        return s + "  Bytes: " + HexText(own) + "\n";
    s += "  Preambles: " + std::to_string(p.preambles) + "\n";
    if (p.delimiter != 0) {
        s += "  Delimiter: 0x" + Hex2(p.delimiter) + " (" + std::string(TypeText(p.type)) + ", "
             + (p.longAddress() ? "long" : "short") + " address)\n";
    }
    if (!p.address.empty()) {
        s += "  Address: " + AddressText(p) + " [" + HexText(p.address) + "], "
             + (p.masterBit() ? "primary master" : "secondary master") + (p.burstBit() ? ", burst mode" : "") + "\n";
    }
    if (p.command)
        s += "  Command: " + std::to_string(*p.command) + " " + CommandText(*p.command) + "\n";
    if (p.byteCount)
        s += "  Byte count: " + std::to_string(*p.byteCount) + "\n";
    if (p.responseCode)
        s += "  Response code: " + std::to_string(*p.responseCode) + " " + ResponseCodeText(*p.responseCode) + "\n";
    if (p.deviceStatus)
        s += "  Device status: 0x" + Hex2(*p.deviceStatus) + " " + DeviceStatusText(*p.deviceStatus) + "\n";
    if (p.kind == PieceKind::Frame) {
        s += "  Data: " + (p.data.empty() ? std::string("none") : HexText(p.data)) + "\n";
        s += "  Checksum: 0x" + Hex2(p.checksum) + (p.checksumOk ? " right" : " WRONG") + "\n";
    }
    return s + "  Bytes: " + HexText(own) + "\n";
}

} // namespace hart
