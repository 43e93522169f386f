// SPDX-License-Identifier: GPL-3.0-or-later
#include "interval_histogram.h"

#include <algorithm>
#include <cmath>

namespace tamo::config {

namespace {

constexpr std::uint64_t kFineStepUs = 10;
constexpr std::uint64_t kFineLimitUs = 100'000;
constexpr std::uint64_t kCoarseStepUs = 1000;
constexpr std::uint64_t kCoarseLimitUs = 10'000'000;
constexpr std::size_t kFineBuckets = kFineLimitUs / kFineStepUs;
constexpr std::size_t kCoarseBuckets = (kCoarseLimitUs - kFineLimitUs) / kCoarseStepUs;
// The last bucket holds everything from 10 s on.
constexpr std::size_t kBuckets = kFineBuckets + kCoarseBuckets + 1;

std::size_t BucketOf(std::uint64_t us)
{
    if (us < kFineLimitUs)
        return static_cast<std::size_t>(us / kFineStepUs);
    if (us < kCoarseLimitUs)
        return kFineBuckets + static_cast<std::size_t>((us - kFineLimitUs) / kCoarseStepUs);
    return kBuckets - 1;
}

std::uint64_t BucketStartUs(std::size_t bucket)
{
    if (bucket < kFineBuckets)
        return bucket * kFineStepUs;
    return kFineLimitUs + (bucket - kFineBuckets) * kCoarseStepUs;
}

} // namespace

IntervalHistogram::IntervalHistogram()
    : buckets_(kBuckets, 0)
{}

void IntervalHistogram::add(std::uint64_t intervalUs)
{
    ++buckets_[BucketOf(intervalUs)];
    ++count_;
    largest_ = std::max(largest_, intervalUs);
}

void IntervalHistogram::clear()
{
    std::fill(buckets_.begin(), buckets_.end(), 0u);
    count_ = 0;
    largest_ = 0;
}

std::optional<std::uint64_t> IntervalHistogram::quantileUs(double share) const
{
    if (count_ == 0)
        return std::nullopt;
    // The rank of the interval that share of them do not exceed (nearest-rank method).
    const auto rank = std::max<std::uint64_t>(
        1, static_cast<std::uint64_t>(std::ceil(std::clamp(share, 0.0, 1.0) * count_)));
    std::uint64_t seen = 0;
    for (std::size_t bucket = 0; bucket < buckets_.size(); ++bucket) {
        seen += buckets_[bucket];
        if (seen >= rank)
            return std::min(BucketStartUs(bucket), largest_);
    }
    return largest_;
}

std::optional<std::uint64_t> IntervalHistogram::largestUs() const
{
    if (count_ == 0)
        return std::nullopt;
    return largest_;
}

} // namespace tamo::config
