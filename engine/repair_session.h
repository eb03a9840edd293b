#pragma once

#include <cstdint>
#include <string>

#include "field_descriptor.h"
#include "field_lengths.h"
#include "mendrel.h"
#include "repair_options.h"

namespace mendrel {

class CBufferedWriter;
class CFile64Ex;
class CMemoFile;
class MendCounts;

// One repair run: the caller's callback, the unpacked options and the source
// length that progress percentages are computed from. Created and destroyed by
// ordinal 1 for every call.
class RepairSession {
 public:
  RepairSession(ProgressCallback callback, void* userData)
      : callback(callback), userData(userData) {}
  virtual ~RepairSession() = default;

  // The repair pass. Returns 1 once at least one field descriptor was accepted.
  int32_t RepairTable(const char* sourcePath, uint32_t reserved, uint32_t optionWord,
                      const char* outputPath);

  // Copies every record from the source position on into one output part, mending each
  // field; writes the selected fields only. lengths holds each field's bytes in a record.
  // counts receives what was mended. Returns the number of records written.
  uint32_t CopyRecords(CFile64Ex& source, CMemoFile& sourceMemo, uint8_t sourceVersion,
                       const FieldList& fields, const FieldLengths& lengths, const FieldSelection& selection,
                       CBufferedWriter& output, CMemoFile& outputMemo, MendCounts& counts);

  void SendProgress(uint8_t percent);
  // Position × 100 / SourceLength, truncated; nothing while the length is unknown.
  void SendProgressAt(uint64_t position);
  void SendSourceFile(const char* path);
  void SendMessage(const std::string& text);
  void SendError(const std::string& text);
  void SendNotice(const std::string& text);
  void SendMendReport(const std::string& line);
  bool QueryStop();

  ProgressCallback callback;
  void* userData;
  RepairOptions options;
  uint64_t SourceLength = 0;
  // A sound table of the same structure whose header and field list replace the source's;
  // empty for none.
  std::string TemplatePath;

 private:
  int32_t Send(int32_t code, const void* data);
};

}  // namespace mendrel
