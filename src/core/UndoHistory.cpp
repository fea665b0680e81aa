#include "core/UndoHistory.h"

#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "platform/RuntimeError.h"

#include <unordered_set>

namespace modMAIN {

// The state the commit is made from, as tiles, so that the new state can share its unchanged tiles.
// A plain picture of the same size and depth (a state made by opening or a new picture) is put back
// into the history as tiles first; what else holds the plain picture keeps it as it is.
static const Platform::TiledPlane* Tiled_Base(int32_t depth, int w, int h) {
  if (Current_Picture < 0 || Current_Picture > pic_Stack.Ubound()) return nullptr;
  PicturePtr& base = pic_Stack[Current_Picture];
  if (!base || base->Depth() != depth || base->Width() != w || base->Height() != h) return nullptr;
  if (!base->Tiles()) {
    PicturePtr tiled = Platform::Picture::FromTiles(Platform::TiledPlane::FromImage(base->Image(), depth));
    tiled->Transparent = base->Transparent;
    tiled->State() = base->State();
    if (PicturePtr mask = base->MaskIfAny()) tiled->Mask()->Image() = mask->Image();
    base = tiled;
  }
  return base->Tiles().get();
}

void Move_to_Image() {
  const PicturePtr& work = Platform::Checked(work_area, "work_area");
  const int32_t depth = Working_Color_Depth == 24 ? 24 : 32;
  // The copy is made first: when it cannot be made the history stays as it was. Only the tiles in
  // which the working picture differs from the state it was made from are copied.
  const Platform::TiledPlane* base = Tiled_Base(depth, work->Width(), work->Height());
  PicturePtr copy = Platform::Picture::FromTiles(Platform::TiledPlane::FromImage(work->Image(), depth, base));
  while (pic_Stack.Ubound() > Current_Picture) pic_Stack.pop_back();
  pic_Stack.Append(copy);
  while (pic_Stack.Ubound() >= kHistoryLimit) {
    pic_Stack.Remove(0);
    modColorSplash::History_Dropped_Oldest();
  }
  Current_Picture = pic_Stack.Ubound();
}

size_t History_Bytes() {
  std::unordered_set<const void*> seen;
  size_t bytes = 0;
  for (const PicturePtr& p : pic_Stack) {
    if (!p) continue;
    if (const Platform::TiledPlanePtr& tiles = p->Tiles()) bytes += tiles->TileBytes(seen);
    else if (seen.insert(p.get()).second) bytes += size_t(p->Image().sizeInBytes());
    if (PicturePtr mask = p->MaskIfAny(); mask && seen.insert(mask.get()).second)
      bytes += size_t(mask->Image().sizeInBytes());
  }
  return bytes;
}

void Move_to_WorkArea() {
  const PicturePtr& state = Platform::Checked(pic_Stack[Current_Picture], "history state");
  // The new working picture is built whole before the old one is let go; the old one's memory is used
  // again when nothing else holds it (its mask is set afresh just below).
  PicturePtr fresh;
  if (work_area && work_area.use_count() == 1 && work_area->Depth() == 32 &&
      work_area->RefillFrom(*state, true)) {
    fresh = work_area;
    Platform::Graphics g = fresh->Graphics();
    RenderMode(g, true);
  } else {
    fresh = Working_Picture_Of(*state, Save_as_Transparent);
  }
  Use_Working_Picture(fresh);
}

void Restore_Work_Area() {
  const PicturePtr& state = Platform::Checked(pic_Stack[Current_Picture], "history state");
  if (work_area && work_area->Depth() == 32 && work_area->RefillFrom(*state, true)) {
    Platform::Graphics g = work_area->Graphics();
    RenderMode(g, true);
    Use_Working_Picture(work_area);
    return;
  }
  Move_to_WorkArea();
}

PicturePtr Working_Picture_Of(const Platform::Picture& state, bool transparent) {
  PicturePtr fresh = state.CopyAtDepth(32);
  Platform::Graphics g = fresh->Graphics();
  RenderMode(g, true);
  if (!transparent) fresh->MakeMaskOpaque();
  return fresh;
}

void Use_Working_Picture(const PicturePtr& picture) {
  work_area = Platform::Checked(picture, "picture");
  set_workarea_mask();
  Pensize_GET();
  if (modColorSplash::ColorSplash_Mode > 0) modColorSplash::ColorSplash_RGB[2] = work_area;
}

void set_workarea_mask() {
  if (!work_area) return;
  if (Save_as_Transparent) {
    work_area->RemoveMask();
  } else {
    work_area->MakeMaskOpaque();
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
