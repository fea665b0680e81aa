// The partial colour mode. Switching on keeps a colour copy of the picture, turns the working picture
// grey as one undo step and keeps a grey copy; while the mode is on, the pencil and the rectangle tool
// copy pixels at the same places from one of the two copies. The copies are held as pictures, and every
// copy is clipped to both pictures, so no stroke reads or writes outside either.
#include "effects/modColorSplash.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>

#include "app/modOptions.h"
#include "app/modProgress.h"
#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/Messages.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/classPATTERNS.h"
#include "palettes/classTOOLS.h"
#include "platform/RuntimeError.h"

namespace modColorSplash {

using Platform::PicturePtr;

namespace {

bool Copyable(const QImage& source, const QImage& target) {
  return source.depth() == 32 && target.depth() == 32 && !source.isNull() && !target.isNull();
}

// Copies the pixels of [x0, x1) x [y0, y1) that lie inside both pictures.
void Copy_Area(const QImage& source, QImage& target, int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
  if (!Copyable(source, target)) return;
  const int64_t right = std::min<int64_t>({x1, source.width(), target.width()});
  const int64_t bottom = std::min<int64_t>({y1, source.height(), target.height()});
  x0 = std::max<int64_t>(x0, 0);
  y0 = std::max<int64_t>(y0, 0);
  if (x0 >= right || y0 >= bottom) return;
  const size_t bytes = size_t(right - x0) * 4;
  for (int64_t y = y0; y < bottom; ++y) {
    std::memcpy(target.scanLine(int(y)) + x0 * 4, source.constScanLine(int(y)) + x0 * 4, bytes);
  }
}

// The copy a pen chooses: the grey copy for a pen with any red in it, else the colour copy.
int Source_Index() { return Platform::Red(modMAIN::Draw_Color[0]) > 0 ? 1 : 0; }

bool Ready() {
  return ColorSplash_Mode != 0 && ColorSplash_RGB[0] && ColorSplash_RGB[1] && ColorSplash_RGB[2] &&
         ColorSplash_Picture[0] && ColorSplash_Picture[1];
}

void Release_Copies() {
  for (int i = 0; i < 2; ++i) {
    ColorSplash_Picture[i].reset();
    ColorSplash_RGB[i].reset();
  }
  ColorSplash_RGB[2].reset();
}

void Switch_On(winMAIN* win, int32_t levels) {
  // Both copies are made before anything changes: when memory is short the mode stays off and the
  // picture, the history and the tools stay as they are.
  const PicturePtr& state = Platform::Checked(modMAIN::pic_Stack[modMAIN::Current_Picture], "history state");
  PicturePtr colour, grey;
  try {
    colour = Platform::Picture::CreateUnfilled(state->Width(), state->Height(), 32);
    grey = Platform::Picture::CreateUnfilled(state->Width(), state->Height(), 32);
  } catch (const Platform::OutOfMemoryException&) {
    modMAIN::Out_Of_Memory_Message();
    return;
  }

  ColorSplash_Mode = levels;
  win->drawing_TOOL_SET(2);
  win->Set_Paint_Cursor(false);
  if (win->classTOOLS1) win->classTOOLS1->update();
  if (win->classPATTERNS1) win->classPATTERNS1->update();
  for (int i = 0; i < 2; ++i) {
    if (win->btnPAT(i)) win->btnPAT(i)->hide();
  }
  Release_Copies();
  ColorSplash_Pointer = modMAIN::Current_Picture;
  modMAIN::Brush_Pattern = 0;
  modMAIN::size_PENCIL = 10;
  if (win->classCOLORS1) {
    win->classCOLORS1->Set_Color(1, 0x000000);
    win->classCOLORS1->Set_Color(2, 0xFFFFFF);
    win->classCOLORS1->update();
  }
  // Drops what was not committed; with the mode set, the rebuild also renews the working surface.
  modMAIN::Move_to_WorkArea();
  const PicturePtr work = Platform::Checked(modMAIN::work_area, "work_area");
  const int32_t W = work->Width(), H = work->Height();
  modProgress::Progress_Start(W, H);
  Copy_Area(work->Image(), colour->Image(), 0, 0, W, H);
  ColorOps::Gray(*work, Platform::Deref(modMAIN::Map_Gray, "Map_Gray"), levels,
                 [](int32_t done) { modProgress::Progress_Check(done); });
  win->Draw_Complete();
  win->Update_Display();
  // Lets the window repaint; no user input runs here, so no Escape or Undo can come between the grey
  // step and the copies.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  modProgress::Progress_End();
  const PicturePtr shown = Platform::Checked(modMAIN::work_area, "work_area");
  Copy_Area(shown->Image(), grey->Image(), 0, 0, W, H);
  ColorSplash_Picture[0] = colour;
  ColorSplash_Picture[1] = grey;
  ColorSplash_RGB[0] = colour;
  ColorSplash_RGB[1] = grey;
  ColorSplash_RGB[2] = shown;
  win->Set_Paint_Cursor(false);
  win->Set_Status_msg(ColorSplash_Name + QStringLiteral(" is active"));
  modMAIN::myMsgBox(ColorSplash_Name + QStringLiteral(" : ON - Graylevels=") + QString::number(ColorSplash_Mode) +
                        QStringLiteral("^Use BLACK to reveal COLOR portion of your drawing^Use WHITE to replace "
                                       "GRAY background^Press [ESC] when finished^^Note : Pencil size set to ") +
                        QString::number(modMAIN::size_PENCIL),
                    48, QString());
}

void Switch_Off(winMAIN* win) {
  ColorSplash_Mode = 0;
  if (win->classTOOLS1) win->classTOOLS1->update();
  if (win->classPATTERNS1) win->classPATTERNS1->update();
  for (int i = 0; i < 2; ++i) {
    if (win->btnPAT(i)) win->btnPAT(i)->setVisible(modOptions::option_ShowPattern);
  }
  Release_Copies();
  modMAIN::size_PENCIL = 1;
  if (win->classCOLORS1) win->classCOLORS1->update();
  win->Clear_Status_Msg();
  modMAIN::myMsgBox(ColorSplash_Name + QStringLiteral(": OFF^Resume drawing as normal"), 48, QString());
}

}  // namespace

void Switch_ColorSplash_Mode(int32_t levels) {
  winMAIN* win = winMAIN::instance();
  if (levels > 0) Switch_On(win, levels);
  else Switch_Off(win);
}

void Copy_Square_Line(const QImage& source, QImage& target, int32_t x, int32_t y, int32_t x2, int32_t y2, int32_t s) {
  if (!Copyable(source, target) || s < 0) return;
  auto square = [&](int64_t cx, int64_t cy) { Copy_Area(source, target, cx - s, cy - s, cx + s + 1, cy + s + 1); };
  int64_t px = x, py = y;
  int64_t dx = std::abs(int64_t(x2) - x), dy = std::abs(int64_t(y2) - y);
  int64_t sx = int64_t(x2) - x > 0 ? 1 : -1, sy = int64_t(y2) - y > 0 ? 1 : -1;
  const bool steep = dx < dy;
  if (steep) {
    std::swap(px, py);
    std::swap(dx, dy);
    std::swap(sx, sy);
  }
  int64_t e = 2 * dy - dx;
  for (int64_t i = 0; i < dx; ++i) {
    if (steep) square(py, px);
    else square(px, py);
    while (e >= 0) {
      py += sy;
      e -= 2 * dx;
    }
    px += sx;
    e += 2 * dy;
  }
  square(x2, y2);
}

void Copy_Rect(const QImage& source, QImage& target, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (int64_t(w) * h == 0) return;
  int64_t left = x, top = y, width = w, height = h;
  if (width < 0) {
    left += width;
    width = -width;
  }
  if (height < 0) {
    top += height;
    height = -height;
  }
  Copy_Area(source, target, left, top, left + width, top + height);
}

void ColorSplash_Line(modMAIN::point_record from_pt, modMAIN::point_record to_pt) {
  if (!Ready()) return;
  Copy_Square_Line(ColorSplash_RGB[Source_Index()]->Image(), ColorSplash_RGB[2]->Image(), from_pt.x, from_pt.y,
                   to_pt.x, to_pt.y, modMAIN::size_PENCIL - 1);
}

void ColorSplash_Rect(int32_t x, int32_t y, int32_t w, int32_t h) {
  if (!Ready()) return;
  Copy_Rect(ColorSplash_Picture[Source_Index()]->Image(), ColorSplash_RGB[2]->Image(), x, y, w, h);
}

void Reset_Globals() {
  ColorSplash_Mode = 0;
  ColorSplash_Pointer = 0;
  Release_Copies();
}

void History_Dropped_Oldest() {
  if (ColorSplash_Mode != 0 && ColorSplash_Pointer >= 0) --ColorSplash_Pointer;
}

}  // namespace modColorSplash
