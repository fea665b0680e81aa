#pragma once
// A small pattern sheet drawn by hand for the pattern tests: white, with cell 1 (top-left pixel at 34, 1)
// black in its left half and cell 2 (at 67, 1) all black. With marks, cell 1's top-left pixel is pure
// red and the one right of it grey.
#include "support/Fixture.h"

inline Platform::PicturePtr HandMadeSheet(bool marks) {
  Platform::PicturePtr sheet = Fixture::Filled(265, 100, 0xFFFFFF);
  for (int y = 1; y < 33; ++y) {
    for (int x = 34; x < 50; ++x) sheet->SetPixel(x, y, 0x000000);
    for (int x = 67; x < 99; ++x) sheet->SetPixel(x, y, 0x000000);
  }
  if (marks) {
    sheet->SetPixel(34, 1, 0xFF0000);
    sheet->SetPixel(35, 1, 0x808080);
  }
  return sheet;
}
