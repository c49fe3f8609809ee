#include "config/items.h"

namespace config {

std::span<const Item> Items() { return {}; }

const Item* FindItem(std::string_view name)
{
    for (const auto& item : Items())
        if (item.name == name)
            return &item;
    return nullptr;
}

std::vector<const Item*> ItemsInWriteOrder() { return {}; }

hart::Transaction ReadRequest(const Item&, const hart::DeviceIdentity&, std::uint8_t) { return {}; }

codec::Result<hart::Transaction> WriteRequest(const Item&, const Configuration&, const hart::DeviceIdentity&)
{
    return codec::Result<hart::Transaction>::Fail("not built yet");
}

std::optional<std::string> Validate(const Configuration&) { return std::nullopt; }

std::string ShortestFloatText(float) { return {}; }

} // namespace config
