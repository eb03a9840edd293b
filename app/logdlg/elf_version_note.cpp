#include "logdlg/elf_version_note.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>

#include "tessaly_version.h"

namespace {

constexpr char kElfMagic[] = {'\x7f', 'E', 'L', 'F'};
constexpr int kIdentSize = 16;
constexpr int kIdentClass = 4;
constexpr int kIdentData = 5;
constexpr char kClass32 = 1;
constexpr char kClass64 = 2;
constexpr char kDataLittleEndian = 1;
constexpr char kDataBigEndian = 2;
constexpr uint32_t kSectionTypeNote = 7;
constexpr int kNoteHeaderSize = 12;
constexpr int kVersionWordCount = 4;
// Version notes are a few dozen bytes; a note section beyond this is someone else's.
constexpr qint64 kMaxNoteSectionSize = 1 << 20;
constexpr qint64 kMaxSectionCount = 1 << 16;
constexpr uint64_t kMaxSectionEntrySize = 256;

// Where the fields sit in the file header and in one section header, per ELF class.
struct ElfLayout {
  int headerSize;
  int sectionTableOffsetAt, sectionTableOffsetSize;
  int sectionEntrySizeAt, sectionCountAt;
  int sectionHeaderSize;
  int typeAt, offsetAt, sizeAt, alignAt, wordSize;
};

constexpr ElfLayout kLayout32 = {52, 32, 4, 46, 48, 40, 4, 16, 20, 32, 4};
constexpr ElfLayout kLayout64 = {64, 40, 8, 58, 60, 64, 4, 24, 32, 48, 8};

// Reads integers of the file's byte order out of a buffer; out of range reads give 0.
class ByteView {
 public:
  ByteView(const QByteArray& bytes, bool bigEndian) : bytes_(bytes), bigEndian_(bigEndian) {}

  uint64_t Unsigned(qint64 offset, int size) const {
    if (offset < 0 || offset + size > bytes_.size()) return 0;
    const uchar* at = reinterpret_cast<const uchar*>(bytes_.constData()) + offset;
    switch (size) {
      case 2: return bigEndian_ ? qFromBigEndian<quint16>(at) : qFromLittleEndian<quint16>(at);
      case 4: return bigEndian_ ? qFromBigEndian<quint32>(at) : qFromLittleEndian<quint32>(at);
      case 8: return bigEndian_ ? qFromBigEndian<quint64>(at) : qFromLittleEndian<quint64>(at);
      default: return 0;
    }
  }

 private:
  const QByteArray& bytes_;
  bool bigEndian_;
};

QByteArray ReadAt(QFile& file, uint64_t offset, uint64_t size) {
  if (offset > uint64_t(file.size()) || size > uint64_t(file.size()) - offset) return {};
  if (!file.seek(qint64(offset))) return {};
  const QByteArray bytes = file.read(qint64(size));
  return bytes.size() == qint64(size) ? bytes : QByteArray();
}

uint64_t AlignUp(uint64_t value, uint64_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

// Walks the notes of one note section for the version note.
std::optional<VersionWords> FindVersionNote(const QByteArray& section, bool bigEndian,
                                            uint64_t alignment) {
  const ByteView view(section, bigEndian);
  const QByteArray owner(TESSALY_VERSION_NOTE_OWNER, sizeof TESSALY_VERSION_NOTE_OWNER);
  uint64_t at = 0;
  while (at + kNoteHeaderSize <= uint64_t(section.size())) {
    const uint64_t ownerSize = view.Unsigned(at, 4);
    const uint64_t descSize = view.Unsigned(at + 4, 4);
    const uint64_t type = view.Unsigned(at + 8, 4);
    const uint64_t ownerAt = at + kNoteHeaderSize;
    const uint64_t descAt = AlignUp(ownerAt + ownerSize, alignment);
    const uint64_t next = AlignUp(descAt + descSize, alignment);
    if (next > uint64_t(section.size())) break;
    if (type == TESSALY_VERSION_NOTE_TYPE && descSize >= kVersionWordCount * 4 &&
        section.mid(qsizetype(ownerAt), qsizetype(ownerSize)) == owner) {
      return VersionWords{uint32_t(view.Unsigned(descAt, 4)), uint32_t(view.Unsigned(descAt + 4, 4)),
                          uint32_t(view.Unsigned(descAt + 8, 4)),
                          uint32_t(view.Unsigned(descAt + 12, 4))};
    }
    at = next;
  }
  return std::nullopt;
}

}  // namespace

std::optional<VersionWords> ReadElfVersionNote(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray ident = ReadAt(file, 0, kIdentSize);
  if (!ident.startsWith(QByteArray(kElfMagic, sizeof kElfMagic))) return std::nullopt;
  const char elfClass = ident[kIdentClass];
  const char data = ident[kIdentData];
  if ((elfClass != kClass32 && elfClass != kClass64) ||
      (data != kDataLittleEndian && data != kDataBigEndian)) {
    return std::nullopt;
  }
  const ElfLayout& layout = elfClass == kClass64 ? kLayout64 : kLayout32;
  const bool bigEndian = data == kDataBigEndian;

  const QByteArray header = ReadAt(file, 0, layout.headerSize);
  const ByteView headerView(header, bigEndian);
  const uint64_t tableOffset =
      headerView.Unsigned(layout.sectionTableOffsetAt, layout.sectionTableOffsetSize);
  const uint64_t entrySize = headerView.Unsigned(layout.sectionEntrySizeAt, 2);
  uint64_t count = headerView.Unsigned(layout.sectionCountAt, 2);
  if (tableOffset == 0 || entrySize < uint64_t(layout.sectionHeaderSize) ||
      entrySize > kMaxSectionEntrySize) {
    return std::nullopt;
  }
  if (count == 0) {
    // Extended numbering: the real count sits in the size field of section 0.
    const ByteView first(ReadAt(file, tableOffset, entrySize), bigEndian);
    count = first.Unsigned(layout.sizeAt, layout.wordSize);
  }
  if (count == 0 || count > kMaxSectionCount) return std::nullopt;

  const QByteArray table = ReadAt(file, tableOffset, count * entrySize);
  const ByteView tableView(table, bigEndian);
  for (uint64_t index = 0; index < count && !table.isEmpty(); ++index) {
    const qint64 entry = qint64(index * entrySize);
    if (tableView.Unsigned(entry + layout.typeAt, 4) != kSectionTypeNote) continue;
    const uint64_t size = tableView.Unsigned(entry + layout.sizeAt, layout.wordSize);
    if (size > kMaxNoteSectionSize) continue;
    const uint64_t offset = tableView.Unsigned(entry + layout.offsetAt, layout.wordSize);
    const uint64_t alignment =
        tableView.Unsigned(entry + layout.alignAt, layout.wordSize) == 8 ? 8 : 4;
    if (auto words = FindVersionNote(ReadAt(file, offset, size), bigEndian, alignment)) {
      return words;
    }
  }
  return std::nullopt;
}
