#include "converter/list_items.h"

#include "converter/parsing_format.h"
#include "converter/rs485.h"
#include "converter/variable_mapping.h"

#include <array>

namespace converter {

namespace {

constexpr std::array<std::string_view, 2> kEnable{"0-Close", "1-Open"};
constexpr std::array<std::string_view, kCommandNumberItems> kCommandNumbers{
    "0-Close", "1-Instruction 1", "2-Instruction 2", "3-Instruction 3", "4-Instruction 4"};
// The brackets of some names are full-width characters, part of the names.
constexpr std::array<std::string_view, kParsingFormatItems> kParsingFormats{
    "0-Float\uFF084321\uFF09",
    "1-Float\uFF082143\uFF09",
    "2-Float\uFF081234\uFF09",
    "3-Unsigned int(4321)",
    "4-Unsigned int(2143)",
    "5-Unsigned int(1234)",
    "6-Signed int(4321)",
    "7-Signed int(2143)",
    "8-Signed int",
    "9-Signed int(invert)",
    "10-Signed int(not inverted)",
    "11-BCD(high low order)",
    "12-BCD(low high order)",
    "13-Character string(high low order)",
    "14-Character string(low high order)",
    "15-Double(high low order)",
    "16-Double(low high order\uFF09",
    "17-BCD(low high order-0X33)",
    "18-Integer(bits 0,1 are positive, others are negative)",
    "19-Octet integer(Four bits higher*coefficient+low four)",
    "20-Octet integer(Four bits lower*coefficient+high four)",
    "21-Raw data",
    "22-Arrange in byte order from low to high",
    "23-Arrange in byte order from high to low",
    "24-Four digit unsigned integer (4321)+exponent",
    "25-Four digit unsigned integer (2143)+exponent",
    "26-Positioning status",
};
constexpr std::array<std::string_view, kBaudItems> kBauds{"1200", "2400", "4800", "9600", "19200", "38400", "57600"};
constexpr std::array<std::string_view, kParityItems> kParities{"None", "Odd", "Even"};
constexpr std::array<std::string_view, kInputChannelItems> kInputChannels{
    "0-Close",
    "1_AD1(analog)",
    "2_AD2(analog)",
    "3_AD3(RS485 direct reading)",
    "4_AD4(RS485 direct reading)",
    "5_AD5(RS485 direct reading)",
    "6_AD6(RS485 direct reading)",
    "7_AD3(analog)",
    "8_AD4(analog)",
};

} // namespace

std::span<const std::string_view> EnableItems() { return kEnable; }
std::span<const std::string_view> CommandNumberItems() { return kCommandNumbers; }
std::span<const std::string_view> ParsingFormatItems() { return kParsingFormats; }
std::span<const std::string_view> BaudItems() { return kBauds; }
std::span<const std::string_view> ParityItems() { return kParities; }
std::span<const std::string_view> InputChannelItems() { return kInputChannels; }

} // namespace converter
