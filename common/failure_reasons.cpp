#include "failure_reasons.h"

// Marks the texts for the translation tools; the table itself stays plain C++.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace tessaly_common {
namespace {

constexpr char kSourceSlot[] = "%1";

}  // namespace

const char* FailureReasonText(FailureReason reason) {
  switch (reason) {
    case FailureReason::kNothingRecovered:
      return QT_TRANSLATE_NOOP("FailureReasons",
                               "'%1' holds no field list that can be recovered: it is shorter "
                               "than a table header, or none of its field descriptors is "
                               "plausible");
  }
  return "";
}

std::string FormatFailureReason(FailureReason reason, const std::string& source) {
  std::string text = FailureReasonText(reason);
  const size_t slot = text.find(kSourceSlot);
  if (slot != std::string::npos) text.replace(slot, sizeof kSourceSlot - 1, source);
  return text;
}

}  // namespace tessaly_common
