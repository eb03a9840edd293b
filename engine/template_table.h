#pragma once

#include <string>

#include "field_descriptor.h"
#include "field_lengths.h"
#include "io/file_exception.h"
#include "table_header.h"

namespace mendrel {

// The head of a sound table of the same structure as a damaged one: its header and its
// field list stand in for the damaged table's.
struct TemplateTable {
  TableHeader header{};
  FieldList fields;
  FieldLengths lengths;
};

enum class TemplateRead { kSound, kCannotOpen, kNotSound };

// Reads the template's head. It must scan cleanly: plausible descriptors up to a terminator,
// a header length that puts the records where the list's end implies, and a record length
// that adds up with the fields. Descriptors are mended as the scan mends them. openError
// describes a failed open.
TemplateRead ReadTemplateTable(const std::string& path, TemplateTable& table, CFileException& openError);

}  // namespace mendrel
