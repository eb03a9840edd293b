#include "file_version.h"

#include <elf.h>

#include <QFile>
#include <cstring>
#include <optional>

namespace {

constexpr char kVersionSection[] = ".tessaly_version";
constexpr char kVersionMagic[8] = {'T', 'S', 'L', 'Y', 'V', 'E', 'R', '1'};

// The fixed version block, laid out like the version words of a version resource.
struct VersionBlock {
  char magic[8];
  uint32_t fileVersionMS;
  uint32_t fileVersionLS;
  uint32_t productVersionMS;
  uint32_t productVersionLS;
};

constexpr uint32_t VersionWord(uint32_t high, uint32_t low) { return (high << 16) | (low & 0xFFFF); }

// Every binary that links this file carries its version in its own section.
[[gnu::used, gnu::section(".tessaly_version")]] const VersionBlock kOwnVersion = {
    {'T', 'S', 'L', 'Y', 'V', 'E', 'R', '1'},
    VersionWord(TESSALY_VERSION_MAJOR, TESSALY_VERSION_MINOR),
    VersionWord(TESSALY_VERSION_PATCH, 0),
    VersionWord(TESSALY_VERSION_MAJOR, TESSALY_VERSION_MINOR),
    VersionWord(TESSALY_VERSION_PATCH, 0),
};

bool ReadAt(QFile& file, qint64 offset, void* buffer, qint64 size) {
  return offset >= 0 && size >= 0 && offset <= file.size() - size && file.seek(offset) &&
         file.read(static_cast<char*>(buffer), size) == size;
}

struct SectionHeader {
  uint64_t name;
  uint64_t offset;
  uint64_t size;
};

template <typename Ehdr, typename Shdr>
std::optional<VersionBlock> FindVersionBlock(QFile& file) {
  Ehdr header;
  if (!ReadAt(file, 0, &header, sizeof header)) return std::nullopt;
  if (header.e_shentsize != sizeof(Shdr) || header.e_shstrndx >= header.e_shnum)
    return std::nullopt;
  auto sectionAt = [&](uint64_t index) -> std::optional<SectionHeader> {
    Shdr section;
    if (!ReadAt(file, qint64(header.e_shoff + index * sizeof(Shdr)), &section, sizeof section))
      return std::nullopt;
    return SectionHeader{section.sh_name, section.sh_offset, section.sh_size};
  };
  const std::optional<SectionHeader> names = sectionAt(header.e_shstrndx);
  if (!names) return std::nullopt;
  for (uint64_t i = 0; i < header.e_shnum; ++i) {
    const std::optional<SectionHeader> section = sectionAt(i);
    if (!section || section->size < sizeof(VersionBlock)) continue;
    char name[sizeof kVersionSection] = {};
    if (section->name >= names->size ||
        !ReadAt(file, qint64(names->offset + section->name), name, sizeof name) ||
        std::memcmp(name, kVersionSection, sizeof kVersionSection) != 0)
      continue;
    VersionBlock block;
    if (!ReadAt(file, qint64(section->offset), &block, sizeof block)) return std::nullopt;
    if (std::memcmp(block.magic, kVersionMagic, sizeof kVersionMagic) != 0) return std::nullopt;
    return block;
  }
  return std::nullopt;
}

std::optional<VersionBlock> ReadVersionBlock(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  unsigned char ident[EI_NIDENT];
  if (!ReadAt(file, 0, ident, sizeof ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0 ||
      ident[EI_DATA] != ELFDATA2LSB)
    return std::nullopt;
  if (ident[EI_CLASS] == ELFCLASS64) return FindVersionBlock<Elf64_Ehdr, Elf64_Shdr>(file);
  if (ident[EI_CLASS] == ELFCLASS32) return FindVersionBlock<Elf32_Ehdr, Elf32_Shdr>(file);
  return std::nullopt;
}

}  // namespace

QString FormatVersionPair(uint32_t value) {
  return QStringLiteral("%1.%2").arg(value >> 16).arg(value & 0xFFFF);
}

QString GetFileVersionText(const QString& fileName, int selector) {
  if (selector < 0 || selector > 5) return QString();
  const std::optional<VersionBlock> block = ReadVersionBlock(fileName);
  if (!block) return QString();
  const bool product = selector >= 3;
  const uint32_t high = product ? block->productVersionMS : block->fileVersionMS;
  const uint32_t low = product ? block->productVersionLS : block->fileVersionLS;
  switch (selector % 3) {
    case 0: return FormatVersionPair(high);
    case 1: return FormatVersionPair(low);
    default: return FormatVersionPair(high) + u'.' + FormatVersionPair(low);
  }
}
