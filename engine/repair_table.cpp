#include <new>
#include <string>
#include <vector>

#include "all_zero_file.h"
#include "buffered_writer.h"
#include "byte_order.h"
#include "engine_strings.h"
#include "extra_header_bytes.h"
#include "field_descriptor_scan.h"
#include "fpt_block_size.h"
#include "header_rebuild.h"
#include "io/os_error.h"
#include "io/platform.h"
#include "lost_descriptor.h"
#include "memo_file.h"
#include "memo_file_name.h"
#include "mend_report.h"
#include "path_rules.h"
#include "positioned_reader.h"
#include "record_start.h"
#include "record_start_sampling.h"
#include "repair_session.h"
#include "template_table.h"

namespace mendrel {
namespace {

// Larger than one record of most tables, so that a record costs a copy, not a platform
// call; chosen by measurement (bench/).
constexpr uint32_t kSourceBufferSize = 64 * 1024;
// Memos mostly lie in the order of their records: a larger buffer reads several at once.
constexpr uint32_t kSourceMemoBufferSize = 64 * 1024;
constexpr uint32_t kMemoBufferSize = 4096;
constexpr uint32_t kOutputBufferSize = 1024 * 1024;
constexpr char kSeparatorLine[] = "-";

std::string WithDescription(uint32_t textId, const std::string& description) {
  return InsertDescription(EngineText(textId), description);
}

// One repair pass: every file, list and buffer it needs, released with it.
class RepairPass {
 public:
  RepairPass(RepairSession& session, const char* sourcePath, const char* outputPath)
      : session_(session), sourcePath_(sourcePath), outputPath_(outputPath) {}

  int32_t Run();

 private:
  // False for a silent early end.
  bool RepairOpenSource();
  void ReportSourceOpenFailure(const CFileException& error);
  // False, with the error sent, when the template cannot stand in for the source's head.
  bool ReadTemplate(TemplateTable& table);
  // False when no descriptor was accepted.
  bool RecoverFieldList();
  void TakeFieldList(const TemplateTable& table);
  void LocateRecords();
  void LocateRecordsAfterTemplateList();
  void ReadExtraHeaderBytes();
  void TakeRecordArea(uint64_t afterTerminator, const RecordArea& area);
  void OpenSourceMemo();
  void WriteParts();
  // False when no further part is to be attempted.
  bool WritePart(const std::string& outputName);
  bool CreateOutputMemo(const std::string& outputName);
  void FindDescriptorMends();
  void SendMendReport(const MendCounts& counts, uint32_t written);
  void WriteHeaderArea();
  void PatchRecordCount(uint32_t count);
  // The source table or its memo file: never to be created or truncated.
  bool IsSourceFile(const std::string& name) const;
  void ReportCreateFailure(const CFileException& error);

  RepairSession& session_;
  const std::string sourcePath_;
  const std::string outputPath_;
  int32_t result_ = 0;

  CFile64Ex source_{kSourceBufferSize};
  CBufferedWriter output_{kOutputBufferSize};
  CMemoFile sourceMemo_{kSourceMemoBufferSize};
  CMemoFile outputMemo_{kMemoBufferSize};
  std::string memoExtension_ = kDbtExtension;
  std::vector<std::string> sourceMemoPaths_;
  TableHeader header_{};
  uint8_t sourceVersion_ = 0;
  FieldList fields_;
  FieldLengths lengths_;
  FieldSelection selection_;
  std::vector<uint8_t> extraHeaderBytes_;
  uint64_t recordStart_ = 0;
  bool hasMemo_ = false;
  uint32_t announcedRecords_ = 0;  // the source header's record count, before it is rebuilt
  SourceMemoState memoState_ = SourceMemoState::missing;
  std::vector<DescriptorMend> descriptorMends_;
  bool scanStopped_ = false;
};

int32_t RepairPass::Run() {
  try {
    session_.SendProgress(0);
    session_.SendSourceFile(sourcePath_.c_str());
    CFileException openError;
    if (source_.Open(sourcePath_.c_str(), CFile64::kReadFlags, &openError)) {
      if (!RepairOpenSource()) return 0;
    } else {
      ReportSourceOpenFailure(openError);
    }
  } catch (const CException& failure) {
    session_.SendError(WithDescription(kTextErrorGeneral, failure.ErrorMessage()));
  } catch (const std::bad_alloc&) {
    session_.SendError(WithDescription(kTextErrorGeneral, CMemoryException().ErrorMessage()));
  } catch (...) {
    session_.SendError(EngineText(kTextErrorUnknown));
  }
  session_.SendProgress(100);
  return result_;
}

void RepairPass::ReportSourceOpenFailure(const CFileException& error) {
  session_.SendError(WithDescription(kTextErrorOpenSource, error.ErrorMessage()));
  if (error.m_cause == CFileException::sharingViolation)
    session_.SendNotice(FormatText(kTextShareViolation, error.m_strFileName.c_str()));
}

bool RepairPass::RepairOpenSource() {
  session_.SendMessage(EngineText(kTextAnalyzing));
  session_.SendMessage(kSeparatorLine);
  const bool usesTemplate = !session_.TemplatePath.empty();
  TemplateTable table;
  if (usesTemplate && !ReadTemplate(table)) return true;
  source_.Seek(0, CFile64::begin);
  session_.SourceLength = source_.GetLength();
  header_.fill(0);
  if (source_.Read(header_.data(), kTableHeaderSize) < kTableHeaderSize) return false;
  announcedRecords_ = ReadLE32(&header_[kHeaderRecordCount]);
  if (usesTemplate) {
    TakeFieldList(table);
  } else if (!RecoverFieldList()) {
    return false;
  }
  result_ = 1;
  if (!usesTemplate) FindDescriptorMends();

  // Whatever the table holds, no file beside it that could be its memo is ever written.
  for (const char* extension : {kDbtExtension, kFptExtension})
    for (const std::string& path : FindFilesIgnoringCase(ReplaceExtension(sourcePath_, extension)))
      sourceMemoPaths_.push_back(path);
  hasMemo_ = HasMemoField(fields_, sourceVersion_);
  if (usesTemplate) {
    LocateRecordsAfterTemplateList();
  } else {
    LocateRecords();
  }
  if (hasMemo_) OpenSourceMemo();
  WriteParts();

  source_.Close();
  if (hasMemo_ && sourceMemo_.IsOpen()) sourceMemo_.Close();
  return true;
}

bool RepairPass::ReadTemplate(TemplateTable& table) {
  CFileException openError;
  switch (ReadTemplateTable(session_.TemplatePath, table, openError)) {
    case TemplateRead::kSound:
      return true;
    case TemplateRead::kCannotOpen:
      session_.SendError(WithDescription(kTextErrorOpenTemplate, openError.ErrorMessage()));
      return false;
    case TemplateRead::kNotSound:
      break;
  }
  session_.SendError(FormatText(kTextTemplateNotSound, session_.TemplatePath.c_str()));
  return false;
}

bool RepairPass::RecoverFieldList() {
  sourceVersion_ = header_[kHeaderVersion];
  MemoPointerCheck memo(sourcePath_, sourceVersion_);
  DescriptorScan scan;
  scan.replacement = RebuildLostDescriptor(header_, source_, session_.SourceLength, memo);
  const bool accepted = ScanFieldDescriptors(session_, header_, source_, fields_, &scan);
  scanStopped_ = scan.stopRequested;
  return accepted;
}

// The template's header stands for the lost one: version, lengths and the bytes the
// header rebuild keeps.
void RepairPass::TakeFieldList(const TemplateTable& table) {
  header_ = table.header;
  sourceVersion_ = header_[kHeaderVersion];
  fields_ = table.fields;
  lengths_ = table.lengths;
}

// A header length that does not fit where the list ended is not believed, nor is the
// record length: the records are looked for where the list's end puts them.
void RepairPass::LocateRecords() {
  const uint64_t scanEnd = source_.GetPosition();
  const uint64_t afterTerminator = scanEnd + 1;
  const uint16_t headerLength = ReadLittle16(&header_[kHeaderLength]);
  const bool endsAtTerminator = PositionedReader(source_, session_.SourceLength).At(scanEnd) == kDescriptorTerminator;
  source_.Seek(static_cast<int64_t>(scanEnd), CFile64::begin);
  if (scanStopped_ || !endsAtTerminator ||
      IsHeaderLengthBelievable(headerLength, afterTerminator)) {
    lengths_ = RecordFieldLengths(fields_, ReadLittle16(&header_[kHeaderRecordLength]));
    ReadExtraHeaderBytes();
    return;
  }
  SampledLayout layout = SampleRecordLayout(fields_, source_, session_.SourceLength, afterTerminator);
  lengths_ = std::move(layout.lengths);
  if (layout.area) {
    TakeRecordArea(afterTerminator, *layout.area);
  } else {
    ReadExtraHeaderBytes();
  }
}

// The template's header length first, then the starts its list's end implies.
void RepairPass::LocateRecordsAfterTemplateList() {
  const uint64_t afterTerminator = kTableHeaderSize + kFieldDescriptorSize * fields_.size() + 1;
  const uint16_t headerLength = ReadLittle16(&header_[kHeaderLength]);
  std::vector<uint64_t> candidates{headerLength};
  for (uint64_t start : StartsAfterList(afterTerminator))
    if (start != headerLength) candidates.push_back(start);
  const std::optional<SampledStart> best =
      BestRecordStart(source_, session_.SourceLength, RecordLength(lengths_), candidates);
  const uint64_t start = best ? best->start : headerLength;
  TakeRecordArea(afterTerminator, RecordArea{start, static_cast<uint32_t>(start - afterTerminator)});
}

void RepairPass::OpenSourceMemo() {
  // Every version of the Visual FoxPro family keeps its memos in the same kind of file.
  const uint8_t memoKind = IsVisualFoxProFamily(sourceVersion_) ? kVersionVisualFoxPro : sourceVersion_;
  memoExtension_ = ChooseMemoExtension(sourcePath_, memoKind);
  const std::string memoPath = SourceMemoPath(sourcePath_, memoExtension_);
  const RepairOptions& options = session_.options;
  memoState_ = SourceMemoState::notRead;
  if (options.ReadSrcMemoFile == 0) return;
  memoState_ = SourceMemoState::allZero;
  if (options.IgnoreAllZeroSrcMemoFile != 0 && IsAllZeroFile(memoPath.c_str())) return;
  // A memo file that cannot be opened leaves the memo fields without data.
  memoState_ = SourceMemoState::missing;
  if (!sourceMemo_.Open(memoPath.c_str(), CFile64::kReadFlags)) return;
  memoState_ = SourceMemoState::open;
  // An FPT header that lost its block size: the records' pointers tell it.
  if (sourceMemo_.ReadHeader() == 0 && !sourceMemo_.IsDbt()) {
    FptBlockSizeGuess guess(sourceMemo_);
    AddMemoPointers(source_, recordStart_, fields_, lengths_, sourceVersion_, guess);
    sourceMemo_.m_nBlockSize = guess.BlockSize();
  }
}

void RepairPass::ReadExtraHeaderBytes() {
  source_.Seek(1, CFile64::current);  // past the terminator
  const uint64_t afterTerminator = source_.GetPosition();
  const uint32_t counted = CountExtraHeaderBytes(header_, fields_, source_, afterTerminator);
  const RecordArea area =
      FindRecordArea(header_, source_, session_.SourceLength, afterTerminator, counted, RecordLength(lengths_));
  extraHeaderBytes_.assign(area.extraHeaderBytes, 0);
  if (area.extraHeaderBytes > 0) source_.Read(extraHeaderBytes_.data(), area.extraHeaderBytes);
  // The first record sits before afterTerminator only when the terminator was cut out.
  recordStart_ = area.start < afterTerminator ? area.start : source_.GetPosition();
}

// Bytes between the terminator and the records are kept as extra header bytes.
void RepairPass::TakeRecordArea(uint64_t afterTerminator, const RecordArea& area) {
  extraHeaderBytes_.assign(area.extraHeaderBytes, 0);
  source_.Seek(static_cast<int64_t>(afterTerminator), CFile64::begin);
  if (area.extraHeaderBytes > 0) source_.Read(extraHeaderBytes_.data(), area.extraHeaderBytes);
  recordStart_ = area.start;
}

void RepairPass::WriteParts() {
  const RepairOptions& options = session_.options;
  const size_t fieldsPerPart = options.SplitTable != 0 ? options.MaxFieldCount : fields_.size();
  selection_.assign(fields_.size(), 0);
  std::string outputName = outputPath_;
  uint32_t part = 0;
  for (size_t start = 0; start < fields_.size(); start += fieldsPerPart) {
    if (part >= 1) {
      session_.SendMessage(kSeparatorLine);
      session_.SendMessage(
          FormatText(kTextSplitFile, outputName.c_str(), static_cast<unsigned long>(fieldsPerPart)));
      session_.SendMessage(kSeparatorLine);
    }
    source_.Seek(static_cast<int64_t>(recordStart_), CFile64::begin);
    for (size_t i = 0; i < fields_.size(); ++i)
      selection_[i] = i >= start && i - start < fieldsPerPart ? 1 : 0;
    if (!WritePart(outputName)) break;
    ++part;
    outputName = MakeSplitFileName(outputPath_, part);
  }
}

bool RepairPass::WritePart(const std::string& outputName) {
  CFileException error;
  if (IsSourceFile(outputName)) {
    ReportCreateFailure(CFileException(CFileException::sharingViolation, kSharingViolationError, outputName));
    return false;
  }
  if (!output_.Open(outputName.c_str(), CFile64::kWriteFlags, &error)) {
    ReportCreateFailure(error);
    return false;
  }
  if (hasMemo_ && !CreateOutputMemo(outputName)) {
    output_.Close();  // left empty; the next part is still written
    return true;
  }
  output_.Seek(0);
  RebuildHeader(session_.options, header_, lengths_, selection_, static_cast<uint32_t>(extraHeaderBytes_.size()),
                hasMemo_);
  session_.SendMessage(EngineText(kTextWriteHeader));
  WriteHeaderArea();
  if (hasMemo_) outputMemo_.WriteHeader();

  MendCounts counts(fields_.size());
  const uint32_t count = session_.CopyRecords(source_, sourceMemo_, sourceVersion_, fields_, lengths_, selection_,
                                              output_, outputMemo_, counts);
  SendMendReport(counts, count);
  output_.WriteByte(kEndMark);
  PatchRecordCount(count);
  if (hasMemo_) {
    outputMemo_.WriteHeader();
    outputMemo_.Close();
  }
  output_.Close();
  return true;
}

// The accepted descriptors as the source holds them, read again from where the scan
// found them; the source position is left where the scan left it.
void RepairPass::FindDescriptorMends() {
  const uint64_t position = source_.GetPosition();
  std::vector<uint8_t> blocks(fields_.size() * kFieldDescriptorSize, 0);
  source_.Seek(kTableHeaderSize, CFile64::begin);
  source_.Read(blocks.data(), static_cast<uint32_t>(blocks.size()));
  source_.Seek(static_cast<int64_t>(position), CFile64::begin);
  descriptorMends_ = mendrel::FindDescriptorMends(fields_, blocks);
}

void RepairPass::SendMendReport(const MendCounts& counts, uint32_t written) {
  RecordAreaFacts area;
  area.start = recordStart_;
  area.stride = RecordLength(lengths_);
  area.fieldOffset = FirstSelectedFieldOffset(lengths_, selection_);
  area.announced = announcedRecords_;
  area.written = written;
  area.sourceLength = session_.SourceLength;
  for (const std::string& line : MendReportLines(area, counts, fields_, descriptorMends_, selection_, memoState_))
    session_.SendMendReport(line);
}

bool RepairPass::CreateOutputMemo(const std::string& outputName) {
  const std::string memoName = OutputMemoPath(outputName, memoExtension_);
  CFileException error;
  if (IsSourceFile(memoName) || CurrentPlatform().IsSameFile(memoName.c_str(), outputName.c_str())) {
    ReportCreateFailure(CFileException(CFileException::sharingViolation, kSharingViolationError, memoName));
    return false;
  }
  if (!outputMemo_.Open(memoName.c_str(), CFile64::kWriteFlags, &error)) {
    ReportCreateFailure(error);
    return false;
  }
  return true;
}

void RepairPass::WriteHeaderArea() {
  output_.Write(header_.data(), kTableHeaderSize);
  for (size_t i = 0; i < fields_.size(); ++i)
    if (selection_[i] != 0) output_.Write(fields_[i].data(), kFieldDescriptorSize);
  output_.WriteByte(kDescriptorTerminator);
  if (!extraHeaderBytes_.empty())
    output_.Write(extraHeaderBytes_.data(), static_cast<uint32_t>(extraHeaderBytes_.size()));
}

void RepairPass::PatchRecordCount(uint32_t count) {
  uint8_t bytes[4];
  WriteLittle32(bytes, count);
  output_.Seek(kHeaderRecordCount);
  output_.Write(bytes, sizeof bytes);
  // A failed write of the count must end the pass before the memo header is finished.
  output_.FlushBuffer();
}

bool RepairPass::IsSourceFile(const std::string& name) const {
  Platform& platform = CurrentPlatform();
  if (platform.IsSameFile(name.c_str(), sourcePath_.c_str())) return true;
  const std::string& templatePath = session_.TemplatePath;
  if (!templatePath.empty() && platform.IsSameFile(name.c_str(), templatePath.c_str())) return true;
  for (const std::string& memoPath : sourceMemoPaths_)
    if (platform.IsSameFile(name.c_str(), memoPath.c_str())) return true;
  // A folder that cannot be listed hides the memo file's case: its name alone is refused.
  return IsMemoNameOf(name, sourcePath_);
}

void RepairPass::ReportCreateFailure(const CFileException& error) {
  session_.SendError(WithDescription(kTextErrorCreateFile, error.ErrorMessage()));
}

}  // namespace

int32_t RepairSession::RepairTable(const char* sourcePath, uint32_t /*reserved*/, uint32_t optionWord,
                                   const char* outputPath) {
  RepairPass pass(*this, sourcePath, outputPath);
  options.Unpack(optionWord);
  return pass.Run();
}

}  // namespace mendrel
