#include "hart/request_frame.h"

namespace hart {

std::vector<std::uint8_t> RequestFrame(const RequestRow& row, const DeviceIdentity& id,
                                       std::span<const std::uint8_t> data, std::uint8_t pollingAddress)
{
    std::vector<std::uint8_t> frame;
    switch (row.shape) {
    case FrameShape::Short: frame = ShortFrame(pollingAddress); break;
    case FrameShape::Long8: frame = LongFrame(8, id, row.command, data); break;
    case FrameShape::Long6: frame = LongFrame(6, id, row.command, data); break;
    }
    if (row.trailer && !frame.empty())
        frame.push_back(*row.trailer);
    return frame;
}

Transaction MakeTransaction(const RequestRow& row, const DeviceIdentity& id, std::span<const std::uint8_t> data,
                            std::uint8_t pollingAddress)
{
    return Transaction{RequestFrame(row, id, data, pollingAddress), row.command, row.rts};
}

} // namespace hart
