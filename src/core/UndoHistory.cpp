#include "core/UndoHistory.h"

#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "platform/RuntimeError.h"

namespace modMAIN {

// A picture of the history that the next commit drops anyway and that nothing else holds: its memory
// can take the new state, which spares a fresh allocation of a whole picture at every commit.
static PicturePtr Droppable_State(int32_t depth, int w, int h) {
  auto fits = [&](const PicturePtr& p) {
    return p && p.use_count() == 1 && p->Depth() == depth && p->Width() == w && p->Height() == h;
  };
  for (int32_t i = pic_Stack.Ubound(); i > Current_Picture; --i)
    if (fits(pic_Stack[i])) return pic_Stack[i];
  if (Current_Picture + 2 > kHistoryLimit && fits(pic_Stack[0])) return pic_Stack[0];
  return nullptr;
}

void Move_to_Image() {
  const PicturePtr& work = Platform::Checked(work_area, "work_area");
  const int32_t depth = Working_Color_Depth == 24 ? 24 : 32;
  // The copy is made first: when it cannot be made the history stays as it was.
  PicturePtr copy;
  if (PicturePtr reuse = Droppable_State(depth, work->Width(), work->Height()); reuse && reuse->RefillFrom(*work))
    copy = reuse;
  else
    copy = work->CopyAtDepth(depth);
  while (pic_Stack.Ubound() > Current_Picture) pic_Stack.pop_back();
  if (pic_Stack.Ubound() + 1 >= kHistoryLimit && pic_Stack[0] == copy) {
    // The oldest state's memory became the newest state.
    pic_Stack.Remove(0);
  }
  pic_Stack.Append(copy);
  while (pic_Stack.Ubound() >= kHistoryLimit) pic_Stack.Remove(0);
  Current_Picture = pic_Stack.Ubound();
}

void Move_to_WorkArea() {
  const PicturePtr& state = Platform::Checked(pic_Stack[Current_Picture], "history state");
  // The new working picture is built whole before the old one is let go; the old one's memory is used
  // again when nothing else holds it (its mask is set afresh just below).
  PicturePtr fresh;
  if (work_area && work_area.use_count() == 1 && work_area->Depth() == 32 &&
      work_area->RefillFrom(*state, true))
    fresh = work_area;
  else
    fresh = state->CopyAtDepth(32);
  Platform::Graphics g = fresh->Graphics();
  RenderMode(g, true);
  work_area = fresh;
  set_workarea_mask();
  Pensize_GET();
  if (modColorSplash::ColorSplash_Mode > 0) modColorSplash::ColorSplash_RGB[2] = work_area;
}

void set_workarea_mask() {
  if (!work_area) return;
  if (Save_as_Transparent) {
    work_area->RemoveMask();
  } else {
    work_area->Mask()->Image().fill(0);
  }
}

PicturePtr Lasso_Area_Get(bool erase) {
  const PicturePtr& work = Platform::Checked(work_area, "work_area");
  const classRECTANGLE& r = Platform::Deref(img_lasso, "img_lasso");
  const point_record tl = r.Top_Left();
  const int32_t w = r.Width(), h = r.Height();
  if (w <= 0 || h <= 0) return nullptr;
  PicturePtr copy = Platform::Picture::Create(w, h, Working_Color_Depth == 24 ? 24 : 32);
  Platform::Graphics g = copy->Graphics();
  g.DrawPicture(work, 0, 0, w, h, tl.x, tl.y, w, h);
  if (erase) {
    Platform::Graphics wg = work->Graphics();
    const Color keep = wg.ForeColor();
    wg.SetForeColor(Draw_Color[2]);
    wg.FillRect(tl.x, tl.y, w, h);
    wg.SetForeColor(keep);
    winMAIN::instance()->C_INVALIDATE();
  }
  return copy;
}

void Lasso_Area_Put(const PicturePtr& picture) {
  if (!picture) return;
  const PicturePtr& work = Platform::Checked(work_area, "work_area");
  const classRECTANGLE& r = Platform::Deref(img_lasso, "img_lasso");
  const point_record tl = r.Top_Left();
  Platform::Graphics g = work->Graphics();
  g.DrawPicture(picture, tl.x, tl.y);
}

}  // namespace modMAIN
