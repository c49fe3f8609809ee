#include "sim/sample_states.h"

#include <algorithm>
#include <iterator>

namespace sim {

ConverterState OtherConverterState()
{
    ConverterState s;
    s.deviceId = {0x0A, 0x0B, 0x0C};
    s.message = "CLONE SOURCE CONVERTER A 0123456";
    s.tag = "TAGA0001";
    s.descriptor = "SOURCE DESCRIPTR";
    s.date = {3, 11, 124};
    s.finalAssembly = 0xABCDEF;
    s.longTag = {};
    const char longTag[] = "Long tag of converter A";
    std::copy(std::begin(longTag), std::end(longTag) - 1, s.longTag.begin());
    s.rangeUnit = 12;
    s.upperRange = 123.456f;
    s.lowerRange = -0.1f;
    s.instruments = {{
        {0, 0x02, 0x04, {0x02, 0x04, 0x00, 0x10, 0x00, 0x04, 0xF0, 0x3A}},
        {1, 0x03, 0x03, {0x03, 0x03, 0x00, 0x01, 0x00, 0x02}},
        {1, 0x04, 0x03, {0x04}},
        {1, 0x05, 0x04, {0x05, 0x04, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,
                         0x09, 0x0A, 0x0B, 0x0C, 0x0D}},
    }};
    s.parsing = {{{2, 5, 4, 3, 0.1f}, {1, 1, 2, 7, 2.5f}, {3, 9, 4, 12, -1.0f},
                  {4, 16, 4, 26, 1e-7f}, {1, 2, 2, 1, 100.0f}}};
    s.baudIndex = 6;
    s.parityIndex = 2;
    s.interval = 25;
    s.analog = {{{21.5f, 3.8f, 0.25f, 9999}, {10.0f, 0.0f, 1.0f, 1}, {1e6f, -1e6f, 0.0f, 65535},
                 {0.3f, 0.2f, 0.1f, 12345}}};
    s.mapping = {{{5, 7}, {6, 237}, {7, 33}, {8, 17}}};
    return s;
}

} // namespace sim
