#include "io/platform.h"

namespace mendrel {
namespace {

Platform* installedPlatform = nullptr;

}  // namespace

Platform& CurrentPlatform() { return installedPlatform ? *installedPlatform : SystemPlatform(); }

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(installedPlatform) {
  installedPlatform = &platform;
}

ScopedPlatform::~ScopedPlatform() { installedPlatform = previous_; }

}  // namespace mendrel
