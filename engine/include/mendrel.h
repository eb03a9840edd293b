/* Public interface of the Mendrel repair engine (libmendrel.so, Mendrel.dll).
 *
 * Four entries: 1 repairs a table, 2 and 3 render stored field values for display,
 * 4 tells whether a file is all zeros. The shared object exports one symbol, the
 * ordinal table MendrelOrdinals; the DLL exports the four functions by ordinal
 * only, and its import library binds callers to those ordinals. Reach them through
 * MendrelRepair() and its siblings on either system. Usable from C and C++. */
#ifndef MENDREL_H
#define MENDREL_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Event codes delivered to the ProgressCallback. */
enum {
  EVT_PROGRESS = 0,     /* data: one unsigned byte, percent 0..100 */
  EVT_SOURCE_FILE = 11, /* data: source path */
  EVT_MESSAGE = 44,     /* data: one log line; "-" asks for a separator line */
  EVT_QUERY_STOP = 51,  /* data: null; a nonzero answer stops the current loop */
  EVT_ERROR = 56,       /* data: error text */
  EVT_NOTICE = 57,      /* data: text to show to the user in a message box */
  EVT_MEND_REPORT = 58  /* data: one line of the mend report, UTF-8 (see below) */
};

/* The mend report. Right after each "Add %lu records." line (one per output table, so
 * once per part of a split table) the engine sends the report of that output table,
 * one EVT_MEND_REPORT event per line, in this order:
 *   1. the record-area line, for programs, always first and in this one form:
 *        Record area: start=S stride=L offset=O announced=A written=W after=T
 *      S: offset in the source of its first record; L: bytes per source record, deletion
 *      flag included (record k of the output was read at S + k * L); O: where the first
 *      field of this output table lies in a source record (1 for the first or only
 *      table; output fields are consecutive source fields, so field bytes at offset x of
 *      an output record came from offset x - 1 + O of the source record); A: the record
 *      count the source header announced; W: records written; T: bytes from the end of
 *      the last whole source record to the end of the source (1 for the end mark of a
 *      sound table). Keys, order and spacing are fixed; numbers are decimal.
 *   2. lines about the table, for people: records announced and found, deleted records
 *      written as live, records with an unknown deletion flag, bytes after the last
 *      whole record;
 *   3. lines about each field of this output table with something to tell, in field
 *      order, each beginning with the field's name and type letter and a colon
 *      ("JOINED D: 5 dates mended"): values mended by kind, date parts replaced, memos
 *      copied, memo pointers cleared and why.
 * A value counts as mended when the repair changed any of its bytes. Clients that do not
 * know this code ignore it. */

/* Bits of the packed option word. */
#define MENDREL_OPT_RECOVER_DELETED 0x01u
#define MENDREL_OPT_REPAIR_DATE 0x02u
#define MENDREL_OPT_SPLIT_TABLE 0x04u
#define MENDREL_OPT_READ_SRC_MEMO 0x08u
#define MENDREL_OPT_IGNORE_ALL_ZERO_MEMO 0x10u
#define MENDREL_OPT_VERSION_SHIFT 8
#define MENDREL_OPT_MAX_FIELDS_SHIFT 16

/* Output version choices (bits 8-15 of the option word). */
enum {
  MENDREL_VERSION_AUTO = 0,
  MENDREL_VERSION_DBASE3 = 1,
  MENDREL_VERSION_DBASE4 = 2,
  MENDREL_VERSION_DBASE5 = 3,
  MENDREL_VERSION_FOXBASE = 4,
  MENDREL_VERSION_FOXPRO20 = 5,
  MENDREL_VERSION_FOXPRO25 = 6,
  MENDREL_VERSION_FOXPRO26 = 7,
  MENDREL_VERSION_VISUAL_FOXPRO = 8
};

/* Every byte of a RepairArgs block is XORed with this key before the call. */
#define MENDREL_MASK_KEY 0x5Au

typedef int32_t (*ProgressCallback)(int32_t code, void* data, void* userData);

/* Argument block of ordinal 1: six pointer-sized slots. */
typedef struct RepairArgs {
  uintptr_t sourcePath; /* const char*, NUL-terminated */
  uintptr_t reserved;   /* always 0; never read by the engine */
  uintptr_t optionWord; /* packed options, zero-extended */
  uintptr_t outputPath; /* const char*, NUL-terminated */
  uintptr_t callback;   /* ProgressCallback or 0 */
  uintptr_t userData;   /* handed back as the callback's third argument */
} RepairArgs;

typedef int32_t (*MendrelRepairFn)(const void* maskedArgs);
typedef void (*MendrelDisplayFieldValueFn)(char* fieldBytes, const unsigned char* descriptor,
                                           uint32_t optionWord);
/* memoHandle: a file descriptor on POSIX, a HANDLE on Windows; 0 and -1 mean none. */
typedef void (*MendrelDisplayMemoValueFn)(const char* fieldBytes, const unsigned char* descriptor,
                                          intptr_t memoHandle, uint32_t blockSize,
                                          const char* memoPath, char* text, uint32_t textSize);
typedef int32_t (*MendrelIsAllZeroFileFn)(const char* path);

#if defined(_WIN32)
#ifdef MENDREL_BUILDING_LIBRARY
#define MENDREL_IMPORT
#else
#define MENDREL_IMPORT __declspec(dllimport)
#endif
/* Ordinals 1 to 4 of Mendrel.dll. The export table carries no names; these names
 * live in the import library only, which binds each to its ordinal. */
MENDREL_IMPORT int32_t MendrelOrdinal1(const void* maskedArgs);
MENDREL_IMPORT void MendrelOrdinal2(char* fieldBytes, const unsigned char* descriptor,
                                    uint32_t optionWord);
MENDREL_IMPORT void MendrelOrdinal3(const char* fieldBytes, const unsigned char* descriptor,
                                    intptr_t memoHandle, uint32_t blockSize, const char* memoPath,
                                    char* text, uint32_t textSize);
MENDREL_IMPORT int32_t MendrelOrdinal4(const char* path);

static inline MendrelRepairFn MendrelRepair(void) { return &MendrelOrdinal1; }
static inline MendrelDisplayFieldValueFn MendrelDisplayFieldValue(void) { return &MendrelOrdinal2; }
static inline MendrelDisplayMemoValueFn MendrelDisplayMemoValue(void) { return &MendrelOrdinal3; }
static inline MendrelIsAllZeroFileFn MendrelIsAllZeroFile(void) { return &MendrelOrdinal4; }
#else
/* [0] unused, [1] repair, [2] display field value, [3] display memo value,
 * [4] all-zero file test. */
extern void* const MendrelOrdinals[5];

static inline MendrelRepairFn MendrelRepair(void) { return (MendrelRepairFn)MendrelOrdinals[1]; }
static inline MendrelDisplayFieldValueFn MendrelDisplayFieldValue(void) {
  return (MendrelDisplayFieldValueFn)MendrelOrdinals[2];
}
static inline MendrelDisplayMemoValueFn MendrelDisplayMemoValue(void) {
  return (MendrelDisplayMemoValueFn)MendrelOrdinals[3];
}
static inline MendrelIsAllZeroFileFn MendrelIsAllZeroFile(void) {
  return (MendrelIsAllZeroFileFn)MendrelOrdinals[4];
}
#endif

static inline uint32_t MendrelPackOptions(uint32_t flags, uint32_t version, uint32_t maxFieldCount) {
  return (flags & 0xFFu) | ((version & 0xFFu) << MENDREL_OPT_VERSION_SHIFT) |
         ((maxFieldCount & 0xFFFFu) << MENDREL_OPT_MAX_FIELDS_SHIFT);
}

static inline void MendrelMaskArgs(RepairArgs* args) {
  unsigned char* bytes = (unsigned char*)args;
  for (size_t i = 0; i < sizeof *args; ++i) bytes[i] ^= (unsigned char)MENDREL_MASK_KEY;
}

#ifdef __cplusplus
}
#endif

#endif
