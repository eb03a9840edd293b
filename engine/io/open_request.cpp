#include "io/open_request.h"

#include "io/file64.h"

namespace mendrel {
namespace {

constexpr uint32_t kAccessBits = 0x0003;
constexpr uint32_t kShareBits = 0x0070;

FileAccess AccessFor(uint32_t flags) {
  switch (flags & kAccessBits) {
    case CFile64::modeRead: return FileAccess::read;
    case CFile64::modeWrite: return FileAccess::write;
    case CFile64::modeReadWrite: return FileAccess::readWrite;
    default: return FileAccess::none;  // both access bits set
  }
}

// Any share value above shareDenyNone means no sharing, as shareCompat does.
FileSharing SharingFor(uint32_t flags) {
  switch (flags & kShareBits) {
    case CFile64::shareDenyWrite: return FileSharing::denyWrite;
    case CFile64::shareDenyRead: return FileSharing::denyRead;
    case CFile64::shareDenyNone: return FileSharing::denyNone;
    default: return FileSharing::exclusive;
  }
}

FileCreation CreationFor(uint32_t flags) {
  if ((flags & CFile64::modeCreate) == 0) return FileCreation::openExisting;
  return (flags & CFile64::modeNoTruncate) != 0 ? FileCreation::openAlways
                                                : FileCreation::createAlways;
}

}  // namespace

OpenRequest OpenRequestForFlags(uint32_t flags) {
  OpenRequest request;
  request.access = AccessFor(flags);
  request.sharing = SharingFor(flags);
  request.inheritable = (flags & CFile64::modeNoInherit) == 0;
  request.creation = CreationFor(flags);
  return request;
}

}  // namespace mendrel
