#pragma once

#include <cstdint>

namespace mendrel {

// Position × 100 / length in floating point, truncated to a byte: the percent of a
// progress event.
uint8_t PercentOf(uint64_t position, uint64_t length);

// PercentOf for positions that mostly stay within one percent of the last one: a
// percent holds for a range of positions, which is worked out once, so that a table of
// millions of records costs no division per record.
class ProgressPercent {
 public:
  explicit ProgressPercent(uint64_t length) : length_(length) {}

  uint8_t At(uint64_t position);

 private:
  // The first position after `position` whose percent is above `whole`.
  uint64_t NextPercentStart(uint64_t position, uint32_t whole) const;

  const uint64_t length_;
  uint64_t from_ = 1;  // the cached range [from_, to_) holds percent_; empty at first
  uint64_t to_ = 0;
  uint8_t percent_ = 0;
};

}  // namespace mendrel
