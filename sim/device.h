#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sim {

// One of the four raw requests the converter sends to its instruments.
struct InstrumentCommand {
    std::uint8_t enable = 0;
    std::uint8_t returnByte1 = 0;
    std::uint8_t returnByte2 = 0;
    std::vector<std::uint8_t> bytes;
    bool operator==(const InstrumentCommand&) const = default;
};

// Where one value lies in an instrument's answer.
struct ParsingRow {
    std::uint8_t command = 0; // 0 = off, 1..4 = instrument command
    std::uint8_t address = 0;
    std::uint8_t length = 4;
    std::uint8_t format = 0;  // 0..26
    float coefficient = 1.0f;
    bool operator==(const ParsingRow&) const = default;
};

struct AnalogChannel {
    float upper = 20.0f;
    float lower = 4.0f;
    float start = 0.0f;
    std::uint16_t coefficient = 10000;
    bool operator==(const AnalogChannel&) const = default;
};

// Which input feeds one HART variable, and in which unit it is reported.
struct VariableMapping {
    std::uint8_t channel = 0; // 0 = closed, 1..8 = input
    std::uint8_t unit = 250;
    bool operator==(const VariableMapping&) const = default;
};

// Everything the converter keeps; public so that tests can preset and inspect it.
struct ConverterState {
    // Identity: manufacturerId, deviceType and deviceId form the long address.
    std::uint8_t pollAddress = 0;
    std::uint8_t manufacturerId = 0x26;
    std::uint8_t deviceType = 5;
    std::uint8_t preambles = 5; // requested from the master; also the answer's preamble count
    std::uint8_t universalRevision = 5;
    std::uint8_t deviceRevision = 1;
    std::uint8_t softwareRevision = 1;
    std::uint8_t hardwareRevision = 1; // 5 bits
    std::uint8_t flags = 0;
    std::array<std::uint8_t, 3> deviceId{0x01, 0x02, 0x03};
    // Newer firmware: every list (enable, command number, parsing format,
    // baud rate, parity, input channel) takes this many items more.
    std::uint8_t extraListItems = 0;
    std::uint8_t deviceStatus = 0;         // second status byte of every answer; "loop current fixed" follows fixedCurrent
    std::uint16_t configChangeCounter = 0; // counts applied writes

    // Texts are kept as the unpacked characters; packing pads them with blanks.
    std::string message = "QUORVANE MODBUS-HART CONVERTER";
    std::string tag = "CONVERTR";
    std::string descriptor = "MODBUS TO HART";
    std::array<std::uint8_t, 3> date{15, 7, 123}; // day, month, year - 1900
    std::uint32_t finalAssembly = 66051;          // 24 bits
    std::array<std::uint8_t, 32> longTag{'D', 'T'};

    // Primary variable range and loop output.
    std::uint8_t alarmCode = 0;
    std::uint8_t transferFunction = 0;
    std::uint8_t rangeUnit = 32;
    float upperRange = 20.0f;
    float lowerRange = 4.0f;
    float damping = 1.0f;
    std::uint8_t writeProtect = 0; // 1 refuses every configuration write with response code 7
    std::uint8_t privateLabel = 0x26;
    std::optional<float> fixedCurrent; // mA; empty = the loop follows the primary variable

    // Converter configuration.
    std::array<InstrumentCommand, 4> instruments{{
        {1, 0x01, 0x03, {0x01, 0x03, 0x00, 0x00, 0x00, 0x02, 0xC4, 0x0B}},
        {}, {}, {},
    }};
    std::array<ParsingRow, 5> parsing{{{1, 3, 4, 0, 1.0f}, {}, {}, {}, {}}};
    std::uint8_t baudIndex = 3;   // 9600
    std::uint8_t parityIndex = 0; // none
    std::uint8_t interval = 10;   // tenths of a second
    std::uint8_t markerFlag = 0;  // fourth byte of the RS485 read answer
    std::array<AnalogChannel, 4> analog{};
    std::array<VariableMapping, 4> mapping{{{1, 32}, {2, 39}, {3, 57}, {4, 250}}};

    // Simulated inputs 1..8 (index 0, "closed", has no value), around which
    // each value drifts by driftAmplitude times its magnitude (at least 1).
    std::array<float, 9> inputValues{0.0f, 12.0f, 8.0f, 50.0f, 1.0f, 100.0f, 7.0f, 25.0f, 0.5f};
    float driftAmplitude = 0.01f;
    int driftPeriodMs = 30000;

    bool operator==(const ConverterState&) const = default;
};

enum class FaultKind {
    NoAnswer,     // the request is ignored
    BadChecksum,  // the answer's checksum byte is wrong
    ResponseCode, // value = response code; errors carry no data and change nothing
    Preambles,    // value = number of preambles
    Noise,        // value = count of noise bytes (never 0xFF) before the preambles
    Split,        // value = gap in ms between the two halves (<= 0: 400)
    Delay,        // value = extra ms before the answer starts
    WrongCommand, // value = command number echoed instead of the request's
    Truncated,    // value = bytes kept (<= 0: checksum and last data byte dropped)
    LongIdentity, // command 0 answers with the HART 7 layout (byte count 24)
};

struct Fault {
    FaultKind kind = FaultKind::NoAnswer;
    int value = 0;
    bool operator==(const Fault&) const = default;
};

struct Chunk {
    int gapBeforeMs = 0; // silence before the chunk's first byte
    std::vector<std::uint8_t> bytes;
    bool operator==(const Chunk&) const = default;
};

// What to send in answer to one request.
struct Transmission {
    std::vector<Chunk> chunks; // the first gap is the turnaround plus any delay
    std::int64_t requestStartMs = 0; // when the request's first preamble arrived
    std::size_t requestBytes = 0;    // request length on the line, preambles to checksum
};

// Response codes whose answer still carries the command's data.
bool IsWarningCode(std::uint8_t code);

// A HART slave with the converter's command set. Pure: no I/O and no clock;
// the caller passes the time with every piece of input.
class Device {
public:
    explicit Device(ConverterState initial = {});

    // Parses master frames from a byte stream in any chunking and returns the
    // answer to each complete frame addressed to this device.
    std::vector<Transmission> Feed(std::span<const std::uint8_t> bytes, std::int64_t nowMs);

    ConverterState& State() { return state_; }
    const ConverterState& State() const { return state_; }
    // As the master sends it: 0x80 | manufacturer (low 6 bits), device type, identifier.
    std::array<std::uint8_t, 5> LongAddress() const;

    // A fault for one command, or for every command when `command` is empty;
    // a command's own fault wins over the one for all commands.
    void SetFault(std::optional<std::uint8_t> command, Fault fault);
    void ClearFault(std::optional<std::uint8_t> command);
    void ClearFaults();
    std::optional<Fault> FaultFor(std::uint8_t command) const;

    // After `answered` answers to `command`, the device answers nothing more,
    // as a device that loses power or its loop mid-way.
    void SilenceAfter(std::uint8_t command, int answered);

    // The latest requests addressed to this device (command and data), oldest first.
    struct Request {
        std::uint8_t command = 0;
        std::vector<std::uint8_t> data;
    };
    const std::deque<Request>& Requests() const { return requests_; }

    void SetTurnaroundMs(int ms);
    int TurnaroundMs() const { return turnaroundMs_; }

    // Live values at a given time, as commands 2 and 3 report them.
    float InputValue(int channel, std::int64_t nowMs) const;
    float VariableValue(int index, std::int64_t nowMs) const; // index 0..3
    float LoopCurrent(std::int64_t nowMs) const;
    float PercentOfRange(std::int64_t nowMs) const;

private:
    struct Reply {
        std::uint8_t code = 0;
        std::vector<std::uint8_t> data;
    };

    void DropPending();
    bool AddressedToMe() const;
    std::uint8_t StatusByte() const;
    bool TagMatches(std::span<const std::uint8_t> data) const;
    std::optional<Transmission> Answer();
    Reply Execute(std::uint8_t command, std::span<const std::uint8_t> data, std::int64_t nowMs,
                  bool longIdentity);
    std::vector<std::uint8_t> IdentityData(bool longIdentity) const;
    std::uint8_t NextNoiseByte();

    ConverterState state_;
    std::optional<Fault> allFault_;
    std::map<std::uint8_t, Fault> commandFaults_;
    int turnaroundMs_ = 20;
    std::optional<std::pair<std::uint8_t, int>> silenceAfter_; // command, answers left before silence
    bool silent_ = false;
    std::deque<Request> requests_;
    std::uint32_t noiseSeed_ = 0x2545F491u;

    // Request assembly: the bytes since the last whole frame, from where the
    // next one may begin, and when each came.
    std::vector<std::uint8_t> pending_;
    std::vector<std::int64_t> pendingMs_;
    std::size_t extraPreambles_ = 0; // a long run's preambles counted, not kept
    std::int64_t runStartMs_ = 0;    // when that run began
    std::int64_t lastByteMs_ = 0;
    // The request being answered.
    std::int64_t frameStartMs_ = 0;
    std::size_t framePreambles_ = 0;
    std::size_t addressLength_ = 0;
    std::size_t dataLength_ = 0;
    std::vector<std::uint8_t> frame_; // delimiter through last data byte
    std::int64_t nowMs_ = 0;
};

} // namespace sim
