#include "io/platform.h"

namespace mendrel {
namespace {

// Installed per thread: a platform a test installs serves the repairs that thread runs and
// no other, so that repairs on other threads never see it.
thread_local Platform* installedPlatform = nullptr;

}  // namespace

Platform& CurrentPlatform() { return installedPlatform ? *installedPlatform : SystemPlatform(); }

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(installedPlatform) {
  installedPlatform = &platform;
}

ScopedPlatform::~ScopedPlatform() { installedPlatform = previous_; }

}  // namespace mendrel
