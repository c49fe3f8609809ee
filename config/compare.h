#pragma once

#include "config/configuration.h"
#include "config/items.h"

#include <string>
#include <vector>

namespace config {

enum class CompareState { Equal, Different, OnlyLeft, OnlyRight, Neither };

struct CompareRow {
    const Item* item = nullptr;
    CompareState state = CompareState::Neither;
    std::string left;  // value text; empty when absent
    std::string right;
};

// One row per item in table order (identity items too: their rows say what
// a write with identity would change).
std::vector<CompareRow> Compare(const Configuration& left, const Configuration& right);
bool AllEqual(const std::vector<CompareRow>& rows, bool withIdentity);
// "equal", "different", "only in the device", ... with the given side names.
std::string StateText(CompareState s, std::string_view leftName, std::string_view rightName);

} // namespace config
