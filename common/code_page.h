#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly_common {

// The code page a table's language-driver byte (header byte 29) names; 0 when it names
// none this program can convert.
uint32_t CodePageOfLanguageDriver(uint8_t languageDriver);

// The code pages a user may choose for a table that names none: the common DOS and
// Windows ones, in ascending order.
const std::vector<uint32_t>& ChoosableCodePages();
bool IsChoosableCodePage(uint32_t codePage);

// The table's own code page when its language-driver byte names one, else the user's.
uint32_t TableCodePage(uint8_t languageDriver, uint32_t userChoice);

// Converts text from one code page to UTF-8. A byte the code page does not define
// becomes U+FFFD, so nothing is lost silently and the result is always valid UTF-8.
class CodePageConverter {
 public:
  explicit CodePageConverter(uint32_t codePage);
  ~CodePageConverter();
  CodePageConverter(const CodePageConverter&) = delete;
  CodePageConverter& operator=(const CodePageConverter&) = delete;

  // False when the system cannot convert from this code page.
  bool IsUsable() const;
  std::string ToUtf8(std::string_view text);

 private:
  uint32_t codePage_;
  void* converter_ = nullptr;  // the C library's conversion descriptor, where there is one
};

}  // namespace tessaly_common
