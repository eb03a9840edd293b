/* A client of the installed development package, built through pkg-config: repairs a
 * table with the engine's ordinal table, as any C program would, and says what it got. */
#include <mendrel.h>
#include <stdio.h>
#include <string.h>

static int32_t CountErrors(int32_t code, void* data, void* userData) {
  if (code == EVT_ERROR) {
    ++*(int*)userData;
    fprintf(stderr, "engine error: %s\n", (const char*)data);
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: %s SOURCE OUTPUT\n", argv[0]);
    return 2;
  }
  int errors = 0;
  RepairArgs args;
  memset(&args, 0, sizeof args);
  args.sourcePath = (uintptr_t)argv[1];
  /* The desktop application's defaults, which tessaly-cli repair also takes. */
  args.optionWord = MendrelPackOptions(MENDREL_OPT_RECOVER_DELETED | MENDREL_OPT_REPAIR_DATE |
                                           MENDREL_OPT_SPLIT_TABLE | MENDREL_OPT_READ_SRC_MEMO |
                                           MENDREL_OPT_IGNORE_ALL_ZERO_MEMO,
                                       MENDREL_VERSION_AUTO, 255);
  args.outputPath = (uintptr_t)argv[2];
  args.callback = (uintptr_t)&CountErrors;
  args.userData = (uintptr_t)&errors;
  MendrelMaskArgs(&args);
  const int32_t result = MendrelRepair()(&args);
  printf("result %d, %d error(s)\n", (int)result, errors);
  return result == 1 && errors == 0 ? 0 : 1;
}
