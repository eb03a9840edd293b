/* Public interface of the Mendrel repair engine (libmendrel.so, Mendrel.dll).
 *
 * Entries: 1 repairs a table, 2 and 3 render stored field values for display, 4 tells
 * whether a file is all zeros, 5 to 10 read a table for display, 11 repairs a table with
 * the options of an extended argument block (a template table). The shared object
 * exports one symbol, the ordinal table MendrelOrdinals; the DLL exports the functions
 * by ordinal only, and its import library binds callers to those ordinals. Reach them
 * through MendrelRepair() and its siblings on either system. Usable from C and C++. */
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
 *      ("JOINED D: 5 dates mended"): name and type letter mended (with what the source
 *      held), values mended by kind, date parts replaced, memos copied, memo pointers
 *      cleared and why.
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

/* The read interface (ordinals 5 to 10): a table opened read-only with its memo file, for
 * display. Opening reads the header area and the memo header only; records are read one
 * at a time, on demand, record k at header length + k * record length (k is 64-bit).
 * A table handle serves one thread at a time; no exception crosses these calls. */
typedef struct MendrelTable MendrelTable;

/* Why ordinal 5 opened no table. */
enum {
  MENDREL_OPEN_UNREADABLE = 1, /* the file cannot be opened or read: the reason is the system's */
  MENDREL_OPEN_NOT_A_TABLE = 2 /* its header or field list is not that of a valid table */
};

/* Header facts (ordinal 6). The caller sets size to sizeof(MendrelTableInfo). */
typedef struct MendrelTableInfo {
  uint32_t size;
  uint8_t version;           /* header byte 0 */
  uint8_t languageDriver;    /* header byte 29: the code page a table names, 0 for none */
  uint16_t headerLength;     /* bytes 8-9: where record 0 starts */
  uint32_t recordLength;     /* bytes 10-11: deletion flag and every field */
  uint32_t announcedRecords; /* bytes 4-7 */
  uint32_t fieldCount;
  uint32_t memoBlockSize;    /* 0 when no memo file is open */
  uint64_t fileSize;
  uint64_t wholeRecords;     /* whole records after the header, whatever it announces */
  uint64_t readableRecords;  /* the announced records that the file holds whole */
  const char* memoPath;      /* the memo file open for the memo fields, "" for none; valid until close */
} MendrelTableInfo;

/* One field (ordinal 7). The caller sets size to sizeof(MendrelField). */
typedef struct MendrelField {
  uint32_t size;
  char name[12];                 /* as stored, up to its first NUL; NUL-terminated */
  char type;                     /* byte 11 */
  uint8_t decimals;              /* byte 17 */
  uint8_t isMemo;                /* 1 when the field holds a memo block number */
  uint8_t reserved;
  uint32_t length;               /* bytes in a record (a long character field counts byte 17 too) */
  uint32_t offset;               /* from the record's start; the deletion flag is byte 0 */
  unsigned char descriptor[32];  /* the 32 bytes as stored */
} MendrelField;

/* 5: opens a table. On failure returns null, sets *failure (when not null) to one of
 * MENDREL_OPEN_* and copies the reason, a UTF-8 text for the user, into reason (cut to
 * reasonSize bytes, NUL included). */
typedef MendrelTable* (*MendrelOpenTableFn)(const char* path, int32_t* failure, char* reason, uint32_t reasonSize);
/* 6: fills info; 1 on success, 0 for a null argument or a size smaller than this one. */
typedef int32_t (*MendrelGetTableInfoFn)(const MendrelTable* table, MendrelTableInfo* info);
/* 7: fills field with field index (from 0); 1 on success, 0 when there is no such field. */
typedef int32_t (*MendrelGetFieldFn)(const MendrelTable* table, uint32_t index, MendrelField* field);
/* 8: reads record k into buffer, which holds at least recordLength bytes: returns the bytes
 * read (recordLength, fewer for a short last record, 0 past the end), -1 for a bad
 * argument or a failed read. */
typedef int64_t (*MendrelReadRecordFn)(MendrelTable* table, uint64_t record, void* buffer, uint32_t bufferSize);
/* 9: the display text of one field of record k, by the rules of ordinals 2 (with the
 * option word given) and 3: all textSize bytes of text are set, unused ones to 0; a
 * non-memo field gives its checked bytes, a memo field its memo text (a longer memo ends
 * in "(Truncated...)"; a picture or an object gives a word). Returns the length of the
 * whole text, so that a caller may call again with room for it; -1 when the record is
 * past the end, there is no such field or a read failed. */
typedef int64_t (*MendrelRenderFieldFn)(MendrelTable* table, uint64_t record, uint32_t field, uint32_t optionWord,
                                        char* text, uint32_t textSize);
/* 10: closes the table and its memo file; a null table is ignored. */
typedef void (*MendrelCloseTableFn)(MendrelTable* table);

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
MENDREL_IMPORT MendrelTable* MendrelOrdinal5(const char* path, int32_t* failure, char* reason, uint32_t reasonSize);
MENDREL_IMPORT int32_t MendrelOrdinal6(const MendrelTable* table, MendrelTableInfo* info);
MENDREL_IMPORT int32_t MendrelOrdinal7(const MendrelTable* table, uint32_t index, MendrelField* field);
MENDREL_IMPORT int64_t MendrelOrdinal8(MendrelTable* table, uint64_t record, void* buffer, uint32_t bufferSize);
MENDREL_IMPORT int64_t MendrelOrdinal9(MendrelTable* table, uint64_t record, uint32_t field, uint32_t optionWord,
                                       char* text, uint32_t textSize);
MENDREL_IMPORT void MendrelOrdinal10(MendrelTable* table);
MENDREL_IMPORT int32_t MendrelOrdinal11(const void* maskedArgsEx);

static inline MendrelRepairFn MendrelRepair(void) { return &MendrelOrdinal1; }
static inline MendrelDisplayFieldValueFn MendrelDisplayFieldValue(void) { return &MendrelOrdinal2; }
static inline MendrelDisplayMemoValueFn MendrelDisplayMemoValue(void) { return &MendrelOrdinal3; }
static inline MendrelIsAllZeroFileFn MendrelIsAllZeroFile(void) { return &MendrelOrdinal4; }
static inline MendrelOpenTableFn MendrelOpenTable(void) { return &MendrelOrdinal5; }
static inline MendrelGetTableInfoFn MendrelGetTableInfo(void) { return &MendrelOrdinal6; }
static inline MendrelGetFieldFn MendrelGetField(void) { return &MendrelOrdinal7; }
static inline MendrelReadRecordFn MendrelReadRecord(void) { return &MendrelOrdinal8; }
static inline MendrelRenderFieldFn MendrelRenderField(void) { return &MendrelOrdinal9; }
static inline MendrelCloseTableFn MendrelCloseTable(void) { return &MendrelOrdinal10; }
static inline MendrelRepairExFn MendrelRepairEx(void) { return &MendrelOrdinal11; }
#else
/* [0] unused, [1] repair, [2] display field value, [3] display memo value,
 * [4] all-zero file test, [5] to [10] the read interface,
 * [11] repair with an extended argument block. */
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
static inline MendrelOpenTableFn MendrelOpenTable(void) { return (MendrelOpenTableFn)MendrelOrdinals[5]; }
static inline MendrelGetTableInfoFn MendrelGetTableInfo(void) { return (MendrelGetTableInfoFn)MendrelOrdinals[6]; }
static inline MendrelGetFieldFn MendrelGetField(void) { return (MendrelGetFieldFn)MendrelOrdinals[7]; }
static inline MendrelReadRecordFn MendrelReadRecord(void) { return (MendrelReadRecordFn)MendrelOrdinals[8]; }
static inline MendrelRenderFieldFn MendrelRenderField(void) { return (MendrelRenderFieldFn)MendrelOrdinals[9]; }
static inline MendrelCloseTableFn MendrelCloseTable(void) { return (MendrelCloseTableFn)MendrelOrdinals[10]; }
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
