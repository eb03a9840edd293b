#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include "logdlg/file_version_text.h"

namespace {

// A minimal ELF file: header, one note section and a section table of two entries.
struct ElfSpec {
  bool is64 = true;
  bool bigEndian = false;
  QByteArray owner = "Tessaly";
  quint32 type = 1;
  quint32 words[4] = {0x00050001, 0x00020003, 0x00060007, 0x00080009};
  QByteArray precedingNotes;  // other notes ahead of ours in the same section
};

void Put(QByteArray& bytes, qsizetype offset, quint64 value, int size, bool bigEndian) {
  for (int i = 0; i < size; ++i) {
    const int shift = bigEndian ? (size - 1 - i) * 8 : i * 8;
    bytes[offset + i] = char((value >> shift) & 0xFF);
  }
}

QByteArray BuildElf(const ElfSpec& spec) {
  const bool be = spec.bigEndian;
  const int headerSize = spec.is64 ? 64 : 52;
  const int entrySize = spec.is64 ? 64 : 40;
  const int word = spec.is64 ? 8 : 4;

  QByteArray note = spec.precedingNotes;
  const qsizetype ours = note.size();
  note += QByteArray(12, '\0');
  QByteArray owner = spec.owner + '\0';
  Put(note, ours, owner.size(), 4, be);
  Put(note, ours + 4, 16, 4, be);
  Put(note, ours + 8, spec.type, 4, be);
  while (owner.size() % 4) owner += '\0';
  note += owner;
  QByteArray desc(16, '\0');
  for (int i = 0; i < 4; ++i) Put(desc, i * 4, spec.words[i], 4, be);
  note += desc;

  const qsizetype noteOffset = headerSize;
  const qsizetype tableOffset = noteOffset + note.size();
  QByteArray file(tableOffset + 2 * entrySize, '\0');
  file.replace(0, 4, "\x7f" "ELF");
  file[4] = spec.is64 ? 2 : 1;
  file[5] = be ? 2 : 1;
  file[6] = 1;
  Put(file, spec.is64 ? 40 : 32, tableOffset, word, be);
  Put(file, spec.is64 ? 58 : 46, entrySize, 2, be);
  Put(file, spec.is64 ? 60 : 48, 2, 2, be);
  file.replace(noteOffset, note.size(), note);
  const qsizetype section = tableOffset + entrySize;
  Put(file, section + 4, 7, 4, be);  // a note section
  Put(file, section + (spec.is64 ? 24 : 16), noteOffset, word, be);
  Put(file, section + (spec.is64 ? 32 : 20), note.size(), word, be);
  Put(file, section + (spec.is64 ? 48 : 32), 4, word, be);
  return file;
}

}  // namespace

class FileVersionTextTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;

  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
  }

 private slots:
  void ReadsTheProjectVersionFromTheRunningBinary() {
    const QString self = QCoreApplication::applicationFilePath();
    const QString majorMinor =
        QStringLiteral("%1.%2").arg(TESSALY_VERSION_MAJOR).arg(TESSALY_VERSION_MINOR);
    const QString patchBuild = QStringLiteral("%1.0").arg(TESSALY_VERSION_PATCH);
    QCOMPARE(GetFileVersionText(self, kFileVersionMajorMinor), majorMinor);
    QCOMPARE(GetFileVersionText(self, kFileVersionReleaseBuild), patchBuild);
    QCOMPARE(GetFileVersionText(self, kFileVersionFull), majorMinor + u'.' + patchBuild);
    QCOMPARE(GetFileVersionText(self, kProductVersionMajorMinor), majorMinor);
    QCOMPARE(GetFileVersionText(self, kProductVersionReleaseBuild), patchBuild);
    QCOMPARE(GetFileVersionText(self, kProductVersionFull), majorMinor + u'.' + patchBuild);
    QCOMPARE(GetFileVersionText(self, 6), QString());
    QCOMPARE(GetFileVersionText(self, -1), QString());
  }

  void SeparatesFileAndProductVersionsOfEveryElfClassAndByteOrder() {
    for (const bool is64 : {false, true}) {
      for (const bool bigEndian : {false, true}) {
        ElfSpec spec;
        spec.is64 = is64;
        spec.bigEndian = bigEndian;
        const QString path = Write(QStringLiteral("v%1%2").arg(is64).arg(bigEndian), BuildElf(spec));
        QCOMPARE(GetFileVersionText(path, kFileVersionFull), QStringLiteral("5.1.2.3"));
        QCOMPARE(GetFileVersionText(path, kProductVersionMajorMinor), QStringLiteral("6.7"));
        QCOMPARE(GetFileVersionText(path, kProductVersionReleaseBuild), QStringLiteral("8.9"));
      }
    }
  }

  void GivesAnEmptyTextForFilesWithoutTheNote() {
    ElfSpec otherOwner;
    otherOwner.owner = "GNU";
    ElfSpec otherType;
    otherType.type = 3;
    const QByteArray self = [] {
      QFile file(QCoreApplication::applicationFilePath());
      return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const QStringList paths = {
        Write(QStringLiteral("other-owner"), BuildElf(otherOwner)),
        Write(QStringLiteral("other-type"), BuildElf(otherType)),
        Write(QStringLiteral("text.txt"), "just some text\r\n"),
        Write(QStringLiteral("empty"), QByteArray()),
        Write(QStringLiteral("truncated"), self.left(4096)),
        Write(QStringLiteral("cut-note"), BuildElf(ElfSpec{}).left(80)),
        dir_.filePath(QStringLiteral("missing")),
        dir_.path(),
    };
    for (const QString& path : paths) {
      QVERIFY2(GetFileVersionText(path, kFileVersionFull).isEmpty(), qPrintable(path));
    }
  }

  void ReadsANoteThatFollowsOtherNotesInTheSameSection() {
    // Linkers may gather notes; the reader walks past those of other owners.
    ElfSpec spec;
    spec.precedingNotes = QByteArray("\4\0\0\0\4\0\0\0\1\0\0\0GNU\0\x11\x11\x11\x11", 20);
    QCOMPARE(GetFileVersionText(Write(QStringLiteral("two-notes"), BuildElf(spec)),
                                kFileVersionMajorMinor),
             QStringLiteral("5.1"));
  }
};

QTEST_GUILESS_MAIN(FileVersionTextTest)
#include "logdlg_file_version_text_test.moc"
