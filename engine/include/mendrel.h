/* Public interface of the Mendrel repair engine (libmendrel.so, Mendrel.dll).
 *
 * Entries: 1 repairs a table, 2 and 3 render stored field values for display,
 * 4 tells whether a file is all zeros, 11 repairs a table with the options of an
 * extended argument block (a template table). The shared object exports one symbol,
 * the ordinal table MendrelOrdinals; the DLL exports the functions by ordinal
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
  EVT_NOTICE = 57       /* data: text to show to the user in a message box */
};

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

/* Argument block of ordinal 11: its own size in bytes, the six slots of ordinal 1, then
 * the options added since. Later versions append slots; the engine reads those the size
 * covers and refuses a block too small to hold the slots it knows. Every byte of the
 * block is masked like a RepairArgs block (MendrelMaskArgsEx). */
typedef struct RepairArgsEx {
  uintptr_t size;         /* sizeof(RepairArgsEx) */
  RepairArgs args;        /* as for ordinal 1 */
  uintptr_t templatePath; /* const char*: a sound table of the same structure whose header
                             and field list replace the source's; 0 for none */
} RepairArgsEx;

typedef int32_t (*MendrelRepairFn)(const void* maskedArgs);
/* Returns what ordinal 1 returns; 0, without a callback event, for a block too small. */
typedef int32_t (*MendrelRepairExFn)(const void* maskedArgsEx);
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
MENDREL_IMPORT int32_t MendrelOrdinal11(const void* maskedArgsEx);

static inline MendrelRepairFn MendrelRepair(void) { return &MendrelOrdinal1; }
static inline MendrelDisplayFieldValueFn MendrelDisplayFieldValue(void) { return &MendrelOrdinal2; }
static inline MendrelDisplayMemoValueFn MendrelDisplayMemoValue(void) { return &MendrelOrdinal3; }
static inline MendrelIsAllZeroFileFn MendrelIsAllZeroFile(void) { return &MendrelOrdinal4; }
static inline MendrelRepairExFn MendrelRepairEx(void) { return &MendrelOrdinal11; }
#else
/* [0] unused, [1] repair, [2] display field value, [3] display memo value,
 * [4] all-zero file test, [11] repair with an extended argument block. */
extern void* const MendrelOrdinals[12];

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
static inline MendrelRepairExFn MendrelRepairEx(void) { return (MendrelRepairExFn)MendrelOrdinals[11]; }
#endif

static inline uint32_t MendrelPackOptions(uint32_t flags, uint32_t version, uint32_t maxFieldCount) {
  return (flags & 0xFFu) | ((version & 0xFFu) << MENDREL_OPT_VERSION_SHIFT) |
         ((maxFieldCount & 0xFFFFu) << MENDREL_OPT_MAX_FIELDS_SHIFT);
}

static inline void MendrelMaskArgs(RepairArgs* args) {
  unsigned char* bytes = (unsigned char*)args;
  for (size_t i = 0; i < sizeof *args; ++i) bytes[i] ^= (unsigned char)MENDREL_MASK_KEY;
}

static inline void MendrelMaskArgsEx(RepairArgsEx* args) {
  unsigned char* bytes = (unsigned char*)args;
  for (size_t i = 0; i < sizeof *args; ++i) bytes[i] ^= (unsigned char)MENDREL_MASK_KEY;
}

#ifdef __cplusplus
}
#endif

#endif
