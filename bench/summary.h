#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace bench {

struct Summary {
    std::size_t count = 0;
    double min = 0;
    double median = 0;
    double max = 0;
};

// Median of an even count is the mean of the two middle values.
inline Summary Summarize(std::vector<double> values)
{
    Summary s;
    s.count = values.size();
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    s.min = values.front();
    s.max = values.back();
    const std::size_t mid = values.size() / 2;
    s.median = values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
    return s;
}

} // namespace bench
