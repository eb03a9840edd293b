/* The version record every Tessaly binary carries.
 *
 * The record is an ELF note in a section of its own, so that the version of any
 * copy of a binary can be read from the file without loading it. The note holds
 * four 32-bit words in the byte order of the file: file version high and low,
 * product version high and low; a high word is major << 16 | minor, a low word
 * is patch << 16 | build.
 *
 * Put TESSALY_VERSION_NOTE(); in exactly one source file of each binary, one that
 * is always linked in. TESSALY_VERSION_MAJOR, _MINOR and _PATCH must be defined
 * (the build passes the project version); TESSALY_VERSION_BUILD defaults to 0. */
#ifndef TESSALY_VERSION_H
#define TESSALY_VERSION_H

#include <stdint.h>

#define TESSALY_VERSION_NOTE_SECTION ".note.tessaly.version"
#define TESSALY_VERSION_NOTE_OWNER "Tessaly"
#define TESSALY_VERSION_NOTE_TYPE 1u

typedef struct TessalyVersionNote {
  uint32_t ownerSize; /* sizeof owner, the terminating NUL included */
  uint32_t descSize;  /* the four version words */
  uint32_t type;
  char owner[8];
  uint32_t fileVersionHigh;
  uint32_t fileVersionLow;
  uint32_t productVersionHigh;
  uint32_t productVersionLow;
} TessalyVersionNote;

#define TESSALY_VERSION_WORD(high, low) \
  ((uint32_t)((((uint32_t)(high) & 0xFFFFu) << 16) | ((uint32_t)(low) & 0xFFFFu)))

#ifndef TESSALY_VERSION_BUILD
#define TESSALY_VERSION_BUILD 0
#endif

/* A section whose name begins with ".note" becomes an SHT_NOTE section in a
 * PT_NOTE segment; "used" keeps the unreferenced record, and the linker keeps
 * notes even when it collects unused sections. */
#define TESSALY_VERSION_NOTE()                                                        \
  __attribute__((used, section(TESSALY_VERSION_NOTE_SECTION), aligned(4))) static const \
      TessalyVersionNote tessalyVersionNote = {                                       \
          sizeof(TESSALY_VERSION_NOTE_OWNER),                                         \
          4 * sizeof(uint32_t),                                                       \
          TESSALY_VERSION_NOTE_TYPE,                                                  \
          TESSALY_VERSION_NOTE_OWNER,                                                 \
          TESSALY_VERSION_WORD(TESSALY_VERSION_MAJOR, TESSALY_VERSION_MINOR),         \
          TESSALY_VERSION_WORD(TESSALY_VERSION_PATCH, TESSALY_VERSION_BUILD),         \
          TESSALY_VERSION_WORD(TESSALY_VERSION_MAJOR, TESSALY_VERSION_MINOR),         \
          TESSALY_VERSION_WORD(TESSALY_VERSION_PATCH, TESSALY_VERSION_BUILD)}

#endif /* TESSALY_VERSION_H */
