// Why a repair failed when the engine itself said nothing: worded once, so that
// the window and tessaly-cli explain a failure alike.
#ifndef TESSALY_FAILURE_REASONS_H
#define TESSALY_FAILURE_REASONS_H

#include <cstdint>
#include <string>

namespace tessaly_common {

// The translation context of the texts below, for clients that translate them.
inline constexpr char kFailureReasonsContext[] = "FailureReasons";

enum class FailureReason : uint32_t {
  // The engine returned 0 without an error event: the source is shorter than a
  // table header, or none of its field descriptors is plausible.
  kNothingRecovered = 1,
};

// The reason's text, untranslated; "%1" stands for the source path.
const char* FailureReasonText(FailureReason reason);

// The text with the source path in the place of "%1".
std::string FormatFailureReason(FailureReason reason, const std::string& source);

}  // namespace tessaly_common

#endif
