#include "converter/list_items.h"

#include "converter/parsing_format.h"
#include "converter/rs485.h"
#include "converter/variable_mapping.h"

#include <array>

// Marks the texts for the translation tools; this layer keeps the English and the window translates at display.
// Spelt as Qt spells it, so that a Qt header included later redefines it without a warning.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace converter {

namespace {

constexpr std::array<std::string_view, 2> kEnable{
    QT_TRANSLATE_NOOP("converter", "0-Close"), QT_TRANSLATE_NOOP("converter", "1-Open")};
constexpr std::array<std::string_view, kCommandNumberItems> kCommandNumbers{
    QT_TRANSLATE_NOOP("converter", "0-Close"),
    QT_TRANSLATE_NOOP("converter", "1-Instruction 1"),
    QT_TRANSLATE_NOOP("converter", "2-Instruction 2"),
    QT_TRANSLATE_NOOP("converter", "3-Instruction 3"),
    QT_TRANSLATE_NOOP("converter", "4-Instruction 4")};
// The brackets of some names are full-width characters, part of the names.
constexpr std::array<std::string_view, kParsingFormatItems> kParsingFormats{
    QT_TRANSLATE_NOOP("converter", "0-Float（4321）"),
    QT_TRANSLATE_NOOP("converter", "1-Float（2143）"),
    QT_TRANSLATE_NOOP("converter", "2-Float（1234）"),
    QT_TRANSLATE_NOOP("converter", "3-Unsigned int(4321)"),
    QT_TRANSLATE_NOOP("converter", "4-Unsigned int(2143)"),
    QT_TRANSLATE_NOOP("converter", "5-Unsigned int(1234)"),
    QT_TRANSLATE_NOOP("converter", "6-Signed int(4321)"),
    QT_TRANSLATE_NOOP("converter", "7-Signed int(2143)"),
    QT_TRANSLATE_NOOP("converter", "8-Signed int"),
    QT_TRANSLATE_NOOP("converter", "9-Signed int(invert)"),
    QT_TRANSLATE_NOOP("converter", "10-Signed int(not inverted)"),
    QT_TRANSLATE_NOOP("converter", "11-BCD(high low order)"),
    QT_TRANSLATE_NOOP("converter", "12-BCD(low high order)"),
    QT_TRANSLATE_NOOP("converter", "13-Character string(high low order)"),
    QT_TRANSLATE_NOOP("converter", "14-Character string(low high order)"),
    QT_TRANSLATE_NOOP("converter", "15-Double(high low order)"),
    QT_TRANSLATE_NOOP("converter", "16-Double(low high order\uFF09"),
    QT_TRANSLATE_NOOP("converter", "17-BCD(low high order-0X33)"),
    QT_TRANSLATE_NOOP("converter", "18-Integer(bits 0,1 are positive, others are negative)"),
    QT_TRANSLATE_NOOP("converter", "19-Octet integer(Four bits higher*coefficient+low four)"),
    QT_TRANSLATE_NOOP("converter", "20-Octet integer(Four bits lower*coefficient+high four)"),
    QT_TRANSLATE_NOOP("converter", "21-Raw data"),
    QT_TRANSLATE_NOOP("converter", "22-Arrange in byte order from low to high"),
    QT_TRANSLATE_NOOP("converter", "23-Arrange in byte order from high to low"),
    QT_TRANSLATE_NOOP("converter", "24-Four digit unsigned integer (4321)+exponent"),
    QT_TRANSLATE_NOOP("converter", "25-Four digit unsigned integer (2143)+exponent"),
    QT_TRANSLATE_NOOP("converter", "26-Positioning status"),
};
constexpr std::array<std::string_view, kBaudItems> kBauds{"1200", "2400", "4800", "9600", "19200", "38400", "57600"};
constexpr std::array<std::string_view, kParityItems> kParities{
    QT_TRANSLATE_NOOP("converter", "None"), QT_TRANSLATE_NOOP("converter", "Odd"), QT_TRANSLATE_NOOP("converter", "Even")};
constexpr std::array<std::string_view, kInputChannelItems> kInputChannels{
    QT_TRANSLATE_NOOP("converter", "0-Close"),
    QT_TRANSLATE_NOOP("converter", "1_AD1(analog)"),
    QT_TRANSLATE_NOOP("converter", "2_AD2(analog)"),
    QT_TRANSLATE_NOOP("converter", "3_AD3(RS485 direct reading)"),
    QT_TRANSLATE_NOOP("converter", "4_AD4(RS485 direct reading)"),
    QT_TRANSLATE_NOOP("converter", "5_AD5(RS485 direct reading)"),
    QT_TRANSLATE_NOOP("converter", "6_AD6(RS485 direct reading)"),
    QT_TRANSLATE_NOOP("converter", "7_AD3(analog)"),
    QT_TRANSLATE_NOOP("converter", "8_AD4(analog)"),
};

} // namespace

std::span<const std::string_view> EnableItems() { return kEnable; }
std::span<const std::string_view> CommandNumberItems() { return kCommandNumbers; }
std::span<const std::string_view> ParsingFormatItems() { return kParsingFormats; }
std::span<const std::string_view> BaudItems() { return kBauds; }
std::span<const std::string_view> ParityItems() { return kParities; }
std::span<const std::string_view> InputChannelItems() { return kInputChannels; }

} // namespace converter
