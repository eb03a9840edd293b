#include "fault_platform.h"

#include <algorithm>

namespace tessaly_test {

using mendrel::FileHandle;

namespace {

std::string NameOrEmpty(const char* name) { return name != nullptr ? name : ""; }

}  // namespace

FaultPlatform::FaultPlatform(mendrel::Platform& inner) : inner_(inner) {}

void FaultPlatform::FailCall(uint64_t n, int error) {
  failures_.push_back({true, PlatformCall::fullPath, n, error});
}

void FaultPlatform::FailCallOf(PlatformCall kind, uint64_t n, int error) {
  failures_.push_back({false, kind, n, error});
}

void FaultPlatform::FailReadsCovering(uint64_t offset, int error) {
  badOffsets_.emplace_back(offset, error);
}

std::vector<RecordedCall> FaultPlatform::CallsOf(PlatformCall kind) const {
  std::vector<RecordedCall> found;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
               [kind](const RecordedCall& call) { return call.kind == kind; });
  return found;
}

int FaultPlatform::Enter(PlatformCall kind, const std::string& file, uint64_t offset,
                         uint32_t count) {
  uint64_t number = calls_.size() + 1;
  uint64_t numberOfKind = ++callsOfKind_[kind];
  int error = 0;
  for (const ChosenFailure& failure : failures_) {
    bool chosen = failure.anyKind ? failure.n == number
                                  : failure.kind == kind && failure.n == numberOfKind;
    if (chosen) error = failure.error;
  }
  if (kind == PlatformCall::read || kind == PlatformCall::readAt) {
    for (const auto& [bad, badError] : badOffsets_)
      if (offset <= bad && bad - offset < count) error = badError;
  }
  calls_.push_back({kind, offset, count, error != 0, file});
  return error;
}

// Where the file pointer stands, asked of the inner platform without recording.
uint64_t FaultPlatform::PointerOf(FileHandle handle) {
  uint64_t position = 0;
  inner_.Seek(handle, 0, mendrel::SeekOrigin::current, position);
  return position;
}

std::string FaultPlatform::FileOf(FileHandle handle) const {
  const auto found = openFiles_.find(handle);
  return found != openFiles_.end() ? found->second : std::string();
}

int FaultPlatform::FullPath(const char* name, std::string& fullPath) {
  if (int error = Enter(PlatformCall::fullPath, NameOrEmpty(name))) return error;
  return inner_.FullPath(name, fullPath);
}

int FaultPlatform::Open(const char* name, const mendrel::OpenRequest& request,
                        FileHandle& handle) {
  if (int error = Enter(PlatformCall::open, NameOrEmpty(name))) return error;
  int error = inner_.Open(name, request, handle);
  if (error == 0) openFiles_[handle] = NameOrEmpty(name);
  return error;
}

int FaultPlatform::Close(FileHandle handle) {
  const std::string file = FileOf(handle);
  openFiles_.erase(handle);
  const int chosen = Enter(PlatformCall::close, file);
  const int error = inner_.Close(handle);
  return chosen != 0 ? chosen : error;
}

int FaultPlatform::Duplicate(FileHandle handle, FileHandle& copy) {
  if (int error = Enter(PlatformCall::duplicate, FileOf(handle))) return error;
  int error = inner_.Duplicate(handle, copy);
  if (error == 0) openFiles_[copy] = FileOf(handle);
  return error;
}

int FaultPlatform::Seek(FileHandle handle, int64_t offset, mendrel::SeekOrigin origin,
                        uint64_t& position) {
  if (int error = Enter(PlatformCall::seek, FileOf(handle), static_cast<uint64_t>(offset)))
    return error;
  return inner_.Seek(handle, offset, origin, position);
}

int FaultPlatform::Read(FileHandle handle, void* buffer, uint32_t count, uint32_t& done) {
  done = 0;
  if (int error = Enter(PlatformCall::read, FileOf(handle), PointerOf(handle), count)) return error;
  return inner_.Read(handle, buffer, count, done);
}

int FaultPlatform::Write(FileHandle handle, const void* buffer, uint32_t count, uint32_t& done) {
  done = 0;
  if (int error = Enter(PlatformCall::write, FileOf(handle), PointerOf(handle), count))
    return error;
  return inner_.Write(handle, buffer, count, done);
}

int FaultPlatform::ReadAt(FileHandle handle, void* buffer, uint32_t count, uint64_t offset,
                          uint32_t& done) {
  done = 0;
  if (int error = Enter(PlatformCall::readAt, FileOf(handle), offset, count)) return error;
  return inner_.ReadAt(handle, buffer, count, offset, done);
}

int FaultPlatform::WriteAt(FileHandle handle, const void* buffer, uint32_t count,
                           uint64_t offset, uint32_t& done) {
  done = 0;
  if (int error = Enter(PlatformCall::writeAt, FileOf(handle), offset, count)) return error;
  return inner_.WriteAt(handle, buffer, count, offset, done);
}

int FaultPlatform::GetSize(FileHandle handle, uint64_t& size) {
  if (int error = Enter(PlatformCall::getSize, FileOf(handle))) return error;
  return inner_.GetSize(handle, size);
}

int FaultPlatform::SetSize(FileHandle handle, uint64_t size) {
  if (int error = Enter(PlatformCall::setSize, FileOf(handle), size)) return error;
  return inner_.SetSize(handle, size);
}

int FaultPlatform::Flush(FileHandle handle) {
  if (int error = Enter(PlatformCall::flush, FileOf(handle))) return error;
  return inner_.Flush(handle);
}

int FaultPlatform::LockRange(FileHandle handle, uint64_t position, uint64_t count) {
  if (int error = Enter(PlatformCall::lockRange, FileOf(handle), position)) return error;
  return inner_.LockRange(handle, position, count);
}

int FaultPlatform::UnlockRange(FileHandle handle, uint64_t position, uint64_t count) {
  if (int error = Enter(PlatformCall::unlockRange, FileOf(handle), position)) return error;
  return inner_.UnlockRange(handle, position, count);
}

int FaultPlatform::GetStatus(FileHandle handle, const std::string& name,
                             mendrel::FileStatus& status) {
  if (int error = Enter(PlatformCall::getStatus, FileOf(handle))) return error;
  return inner_.GetStatus(handle, name, status);
}

uint32_t FaultPlatform::BytesPerSector(const char* name) {
  if (Enter(PlatformCall::bytesPerSector, NameOrEmpty(name)) != 0) return 0;
  return sectorSize_ != 0 ? sectorSize_ : inner_.BytesPerSector(name);
}

bool FaultPlatform::IsSameFile(const char* first, const char* second) {
  return Enter(PlatformCall::isSameFile, NameOrEmpty(first)) == 0 &&
         inner_.IsSameFile(first, second);
}

bool FaultPlatform::Exists(const char* name) {
  return Enter(PlatformCall::exists, NameOrEmpty(name)) == 0 && inner_.Exists(name);
}

int FaultPlatform::ListFolder(const char* folder, std::vector<std::string>& names) {
  if (int error = Enter(PlatformCall::listFolder, NameOrEmpty(folder))) return error;
  return inner_.ListFolder(folder, names);
}

}  // namespace tessaly_test
