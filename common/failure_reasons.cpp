#include "failure_reasons.h"

#include "log_lines.h"

// Marks the texts for the translation tools; the table itself stays plain C++.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace tessaly_common {

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
  return WithArgument(FailureReasonText(reason), source);
}

}  // namespace tessaly_common
