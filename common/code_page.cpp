#include "code_page.h"

#include <algorithm>

namespace tessaly_common {
namespace {

struct DriverCodePage {
  uint8_t languageDriver;
  uint16_t codePage;
};

// The language drivers of the table formats by the code page each stands for. Drivers
// of code pages this program cannot convert (Kamenicky, Mazovia, Greek Macintosh) and
// the "current ANSI code page" driver are left out: they name none.
constexpr DriverCodePage kDrivers[] = {
    {0x01, 437},  {0x02, 850},   {0x03, 1252},  {0x04, 10000}, {0x08, 865},  {0x09, 437},  {0x0A, 850},
    {0x0B, 437},  {0x0D, 437},   {0x0E, 850},   {0x0F, 437},   {0x10, 850},  {0x11, 437},  {0x12, 850},
    {0x13, 932},  {0x14, 850},   {0x15, 437},   {0x16, 850},   {0x17, 865},  {0x18, 437},  {0x19, 437},
    {0x1A, 850},  {0x1B, 437},   {0x1C, 863},   {0x1D, 850},   {0x1F, 852},  {0x22, 852},  {0x23, 852},
    {0x24, 860},  {0x25, 850},   {0x26, 866},   {0x37, 850},   {0x40, 852},  {0x4D, 936},  {0x4E, 949},
    {0x4F, 950},  {0x50, 874},   {0x58, 1252},  {0x59, 1252},  {0x64, 852},  {0x65, 866},  {0x66, 865},
    {0x67, 861},  {0x6A, 737},   {0x6B, 857},   {0x6C, 863},   {0x78, 950},  {0x79, 949},  {0x7A, 936},
    {0x7B, 932},  {0x7C, 874},   {0x7D, 1255},  {0x7E, 1256},  {0x86, 737},  {0x87, 852},  {0x88, 857},
    {0x96, 10007}, {0x97, 10029}, {0xC8, 1250}, {0xC9, 1251},  {0xCA, 1254}, {0xCB, 1253}, {0xCC, 1257},
};

}  // namespace

uint32_t CodePageOfLanguageDriver(uint8_t languageDriver) {
  for (const DriverCodePage& entry : kDrivers)
    if (entry.languageDriver == languageDriver) return entry.codePage;
  return 0;
}

const std::vector<uint32_t>& ChoosableCodePages() {
  static const std::vector<uint32_t> kCodePages = {437,  737,  775,  850,  852,  855,  857,  860,  861,  862,
                                                   863,  864,  865,  866,  869,  874,  932,  936,  949,  950,
                                                   1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};
  return kCodePages;
}

bool IsChoosableCodePage(uint32_t codePage) {
  const std::vector<uint32_t>& codePages = ChoosableCodePages();
  return std::binary_search(codePages.begin(), codePages.end(), codePage);
}

uint32_t TableCodePage(uint8_t languageDriver, uint32_t userChoice) {
  const uint32_t named = CodePageOfLanguageDriver(languageDriver);
  return named != 0 ? named : userChoice;
}

}  // namespace tessaly_common
