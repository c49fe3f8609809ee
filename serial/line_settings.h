#pragma once

#include "hart/byte_port.h"

#include <termios.h>

#include <cstdint>

namespace serial {

enum class TDtrControl : int { DtrEnable = 0, DtrDisable = 1, DtrHandshake = 2 };
using TRtsControl = hart::TRtsControl;
enum class TByteSize : int { _5 = 0, _6 = 1, _7 = 2, _8 = 3 };
enum class TParity : int { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };
enum class TStopBits : int { _1 = 0, _1_5 = 1, _2 = 2 };

// Bits of OnReceiveError's EventMask (the Windows CE_ values).
inline constexpr std::uint32_t kLineErrorRxOverflow = 0x01; // input buffer overflow
inline constexpr std::uint32_t kLineErrorOverrun = 0x02;
inline constexpr std::uint32_t kLineErrorParity = 0x04;
inline constexpr std::uint32_t kLineErrorFrame = 0x08;
inline constexpr std::uint32_t kLineErrorBreak = 0x10;
// Bits of OnModemStateChange's ModemEvent.
inline constexpr std::uint32_t kModemCarrierDetect = 8;
inline constexpr std::uint32_t kModemRing = 4;

// The line properties of the component, with its defaults.
struct CommSettings {
    std::uint32_t BaudRate = 9600;
    bool ParityCheck = false;
    bool Outx_CtsFlow = false;
    bool Outx_DsrFlow = false;
    TDtrControl DtrControl = TDtrControl::DtrEnable;
    bool DsrSensitivity = false;
    bool TxContinueOnXoff = true;
    bool Outx_XonXoffFlow = true;
    bool Inx_XonXoffFlow = true;
    bool ReplaceWhenParityError = false;
    bool IgnoreNullChar = false;
    TRtsControl RtsControl = TRtsControl::RtsEnable;
    std::uint16_t XonLimit = 500;
    std::uint16_t XoffLimit = 500;
    TByteSize ByteSize = TByteSize::_8;
    TParity Parity = TParity::None;
    TStopBits StopBits = TStopBits::_1;
    char XonChar = 17;
    char XoffChar = 19;
    char ReplacedChar = 0;
};

// The time-out properties, in milliseconds.
struct CommTimeouts {
    std::uint32_t ReadIntervalTimeout = 100;
    std::uint32_t ReadTotalTimeoutMultiplier = 0;
    std::uint32_t ReadTotalTimeoutConstant = 0;
    std::uint32_t WriteTotalTimeoutMultiplier = 0;
    std::uint32_t WriteTotalTimeoutConstant = 0;
};

// What ApplyCommState writes to a port: the terminal settings and the modem
// lines to raise (TIOCMBIS) and to drop (TIOCMBIC).
struct LineImage {
    termios tio{};
    int modemSet = 0;
    int modemClear = 0;
    bool baudApplied = false; // false: the rate has no termios code; the port keeps its speed
};

// Maps the properties onto a raw terminal, starting from `current` (what the
// port reports now) so that fields without a property keep their values.
// Settings without a Linux counterpart (DSR flow, DSR sensitivity, continue
// on XOFF, the XON/XOFF limits, the replacement character and DTR
// handshake) are accepted and change nothing. Stop bits 1.5 run as 2.
// RtsTransmissionAvailable drops RTS: Linux has no general RTS toggle.
LineImage BuildLineImage(const CommSettings& settings, const termios& current);

// The termios speed code of a standard rate; B0 when there is none.
speed_t SpeedCode(std::uint32_t baudRate);

} // namespace serial
