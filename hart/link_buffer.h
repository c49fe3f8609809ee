#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace hart {

// What the identify answer teaches us about the device: enough to address it.
// `manufacturer` and `deviceType` are identify data bytes 1 and 2, which
// make the long address. Up to HART 6 they are the manufacturer code and the
// device type; from HART 7 on they are the expanded device type, and the
// manufacturer code comes later in the answer. Show and compare the codes.
struct DeviceIdentity {
    std::uint8_t manufacturer = 0;   // identify data byte 1
    std::uint8_t deviceType = 0;     // identify data byte 2
    std::uint8_t preambles = 0;      // preambles the device asks for (only shown)
    std::array<std::uint8_t, 3> identifier{}; // unique device identifier, MSB first
    std::uint8_t pollingAddress = 0; // the short address it answered at
    bool expandedType = false;        // HART 7 layout: bytes 1-2 are the expanded device type
    std::uint16_t manufacturerId = 0; // HART 7 layout: the manufacturer code (data bytes 17-18)

    std::uint32_t serialNumber() const
    {
        return (std::uint32_t{identifier[0]} << 16) | (std::uint32_t{identifier[1]} << 8) | identifier[2];
    }
    std::uint16_t ManufacturerCode() const { return expandedType ? manufacturerId : manufacturer; }
    std::uint16_t DeviceTypeCode() const
    {
        return expandedType ? static_cast<std::uint16_t>(manufacturer << 8 | deviceType) : deviceType;
    }
    bool operator==(const DeviceIdentity&) const = default;
};

// The window-wide byte area shared by requests and answers, at fixed offsets.
// Zero at start and never cleared as a whole.
class LinkBuffer {
public:
    static constexpr std::size_t kSize = 298;
    static constexpr std::size_t kReceiveSize = 132;  // offsets 0..131: latest delivery
    static constexpr std::size_t kFrameBegin = 132;   // outgoing frame
    static constexpr std::size_t kFrameCapacity = 283 - kFrameBegin;
    static constexpr std::size_t kPreambles = 283;
    static constexpr std::size_t kManufacturer = 284;
    static constexpr std::size_t kExpandedType = 285;  // spare bytes: the HART 7 identity
    static constexpr std::size_t kManufacturerId = 286; // 286, 287
    static constexpr std::size_t kIdentifier = 288;   // 288, 289, 290
    static constexpr std::size_t kDeviceType = 294;
    static constexpr std::size_t kPollingSlot = 295;
    static constexpr std::size_t kPortOpen = 296;
    static constexpr std::size_t kKeptUnitCode = 297;

    std::span<std::uint8_t, kReceiveSize> receiveArea() { return std::span(bytes_).first<kReceiveSize>(); }
    std::span<const std::uint8_t, kReceiveSize> receiveArea() const { return std::span(bytes_).first<kReceiveSize>(); }
    std::span<std::uint8_t, kFrameCapacity> frameArea() { return std::span(bytes_).subspan<kFrameBegin, kFrameCapacity>(); }

    DeviceIdentity identity() const
    {
        return {bytes_[kManufacturer], bytes_[kDeviceType], bytes_[kPreambles],
                {bytes_[kIdentifier], bytes_[kIdentifier + 1], bytes_[kIdentifier + 2]},
                bytes_[kPollingSlot], bytes_[kExpandedType] != 0,
                static_cast<std::uint16_t>(bytes_[kManufacturerId] << 8 | bytes_[kManufacturerId + 1])};
    }
    void setIdentity(const DeviceIdentity& id)
    {
        bytes_[kManufacturer] = id.manufacturer;
        bytes_[kDeviceType] = id.deviceType;
        bytes_[kPreambles] = id.preambles;
        bytes_[kIdentifier] = id.identifier[0];
        bytes_[kIdentifier + 1] = id.identifier[1];
        bytes_[kIdentifier + 2] = id.identifier[2];
        bytes_[kPollingSlot] = id.pollingAddress;
        bytes_[kExpandedType] = id.expandedType ? 1 : 0;
        bytes_[kManufacturerId] = static_cast<std::uint8_t>(id.manufacturerId >> 8);
        bytes_[kManufacturerId + 1] = static_cast<std::uint8_t>(id.manufacturerId);
    }

    bool portOpen() const { return bytes_[kPortOpen] != 0; }
    void setPortOpen(bool open) { bytes_[kPortOpen] = open ? 1 : 0; }
    std::uint8_t keptUnitCode() const { return bytes_[kKeptUnitCode]; }
    void setKeptUnitCode(std::uint8_t code) { bytes_[kKeptUnitCode] = code; }

    std::span<const std::uint8_t, kSize> all() const { return bytes_; }

private:
    std::array<std::uint8_t, kSize> bytes_{};
};

} // namespace hart
