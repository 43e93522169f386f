// SPDX-License-Identifier: GPL-3.0-or-later
// Intervals counted in fixed buckets, so that a board streaming for hours costs the same memory
// as one that streamed for a second: 10 us steps up to 100 ms, 1 ms steps up to 10 s, and the
// largest interval kept exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tamo::config {

class IntervalHistogram {
public:
    IntervalHistogram();

    void add(std::uint64_t intervalUs);
    void clear();
    std::uint64_t count() const { return count_; }
    // The interval below which the given share of intervals lies (0.5 the median), to the
    // bucket's resolution; none before the first interval.
    std::optional<std::uint64_t> quantileUs(double share) const;
    std::optional<std::uint64_t> largestUs() const;

private:
    std::vector<std::uint32_t> buckets_;
    std::uint64_t count_ = 0;
    std::uint64_t largest_ = 0;
};

} // namespace tamo::config
