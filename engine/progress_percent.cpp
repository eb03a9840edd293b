#include "progress_percent.h"

namespace mendrel {
namespace {

constexpr uint32_t kWholeRange = 100;

// The percent before it is cut to a byte; it never falls as the position grows.
uint32_t WholePercent(uint64_t position, uint64_t length) {
  const double percent = static_cast<double>(position) * 100.0 / static_cast<double>(length);
  return static_cast<uint32_t>(percent);
}

}  // namespace

uint8_t PercentOf(uint64_t position, uint64_t length) {
  return static_cast<uint8_t>(WholePercent(position, length));
}

uint8_t ProgressPercent::At(uint64_t position) {
  if (position >= from_ && position < to_) return percent_;
  const uint32_t whole = WholePercent(position, length_);
  percent_ = static_cast<uint8_t>(whole);
  // Past the end the byte wraps around; such positions are not worth a range.
  if (whole >= kWholeRange) {
    from_ = 1;
    to_ = 0;
    return percent_;
  }
  from_ = position;
  to_ = NextPercentStart(position, whole);
  return percent_;
}

// Starts from the exact integer answer and walks to where the floating-point formula
// itself moves on, a step or two at most.
uint64_t ProgressPercent::NextPercentStart(uint64_t position, uint32_t whole) const {
  const auto estimate = static_cast<uint64_t>(static_cast<long double>(length_) * (whole + 1) / kWholeRange);
  uint64_t next = estimate > position ? estimate : position + 1;
  while (next > position + 1 && WholePercent(next - 1, length_) > whole) --next;
  while (WholePercent(next, length_) <= whole) ++next;
  return next;
}

}  // namespace mendrel
