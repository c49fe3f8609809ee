#include "hart/request_frame.h"

namespace hart {

std::size_t BuildRequestFrame(std::span<std::uint8_t> out, const RequestRow& row, const DeviceIdentity& id,
                              std::span<const std::uint8_t> data, std::uint8_t pollingAddress)
{
    std::size_t length = 0;
    switch (row.shape) {
    case FrameShape::Short: length = BuildShortFrame(out, pollingAddress); break;
    case FrameShape::Long8: length = BuildLongFrame(out, 8, id, row.command, data); break;
    case FrameShape::Long6: length = BuildLongFrame(out, 6, id, row.command, data); break;
    }
    if (length == 0)
        return 0;
    if (row.trailer) {
        if (length >= out.size())
            return 0;
        out[length++] = *row.trailer;
    }
    return length;
}

std::vector<std::uint8_t> RequestFrame(const RequestRow& row, const DeviceIdentity& id,
                                       std::span<const std::uint8_t> data, std::uint8_t pollingAddress)
{
    std::vector<std::uint8_t> frame(8 + 9 + data.size() + 1); // most preambles, header, data, trailer
    frame.resize(BuildRequestFrame(frame, row, id, data, pollingAddress));
    return frame;
}

Transaction MakeTransaction(const RequestRow& row, const DeviceIdentity& id, std::span<const std::uint8_t> data,
                            std::uint8_t pollingAddress)
{
    return Transaction{RequestFrame(row, id, data, pollingAddress), row.command, row.rts};
}

} // namespace hart
