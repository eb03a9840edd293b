#include "cell_text.h"

#include "field_value_text.h"

namespace tessaly_common {

std::string CellText(const char* bytes, size_t length) {
  std::string text;
  text.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == 0 || byte == '\t' || byte == '\r' || byte == '\n') {
      text += ' ';
    } else if (byte < 0x20 || byte == 0x7F) {
      text += '.';
    } else {
      text += static_cast<char>(byte);
    }
  }
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string FieldCellText(EngineTable& table, uint64_t record, uint32_t field, uint32_t optionWord) {
  const std::string value = table.RenderWhole(record, field, optionWord);
  const std::string decoded = FieldValueText(table.Fields()[field].type, static_cast<uint32_t>(value.size()),
                                             value.data(), table.Info().version);
  return CellText(decoded.data(), decoded.size());
}

}  // namespace tessaly_common
