#include "core/UndoHistory.h"

#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "platform/RuntimeError.h"

#include <optional>
#include <unordered_set>
#include <utility>

namespace modMAIN {

namespace {

using Platform::ChangeReader;

// The working picture as last made equal to a history state: what changed in it since is what it
// records for the history. Either picture replaced, or the state's pixels changed since, ends it.
struct Likeness {
  std::weak_ptr<Platform::Picture> work, state;
  quint64 stateGeneration = 0;
  quint64 workGeneration = 0;
};
Likeness g_like;
// The last working picture made by Working_Picture_Of, and the state it was made from.
Likeness g_made;

bool Same(const std::weak_ptr<Platform::Picture>& a, const PicturePtr& b) {
  return b && !a.owner_before(b) && !b.owner_before(a) && !a.expired();
}

void Remember_Likeness(const PicturePtr& work, const PicturePtr& state) {
  g_like = Likeness{work, state, state ? state->Generation() : 0, 0};
  // From here on the working picture records its changes against that state.
  if (work) work->TakeChanged(ChangeReader::History);
}

PicturePtr State_On_Show() {
  if (Current_Picture < 0 || Current_Picture > pic_Stack.Ubound()) return nullptr;
  return pic_Stack[Current_Picture];
}

// True when the working picture differs from the state only where it recorded changes.
bool Like_State(const PicturePtr& state) {
  return Same(g_like.work, work_area) && Same(g_like.state, state) && state->Generation() == g_like.stateGeneration;
}

// The state the commit is made from, as tiles, so that the new state can share its unchanged tiles.
// A plain picture of the same size and depth (a state made by opening or a new picture) is made into
// tiles over its own pixels; the commit puts that into the history in its place once the new state has
// been made, so that a commit without the memory it needs leaves the history exactly as it was. What
// else holds the plain picture keeps it as it is.
PicturePtr Tiled_Base(int32_t depth, int w, int h) {
  if (Current_Picture < 0 || Current_Picture > pic_Stack.Ubound()) return nullptr;
  const PicturePtr& base = pic_Stack[Current_Picture];
  if (!base || base->Depth() != depth || base->Width() != w || base->Height() != h) return nullptr;
  if (base->Tiles()) return base;
  PicturePtr tiled = Platform::Picture::FromTiles(Platform::TiledPlane::Over(std::as_const(*base).Image()));
  tiled->Transparent = base->Transparent;
  tiled->State() = base->State();
  if (PicturePtr mask = base->MaskIfAny()) tiled->Mask()->Image() = std::as_const(*mask).Image();
  return tiled;
}

}  // namespace

void Move_to_Image() {
  const PicturePtr& work = Platform::Checked(work_area, "work_area");
  const int32_t depth = Working_Color_Depth == 24 ? 24 : 32;
  // The copy is made first: when it cannot be made the history stays as it was. Only the tiles in
  // which the working picture differs from the state it was made from are copied; when the working
  // picture is known to be that state but for the changes it recorded, only the tiles those changes
  // reach are looked at.
  const bool like = Like_State(State_On_Show());
  const PicturePtr base = Tiled_Base(depth, work->Width(), work->Height());
  // Left recorded until the new state exists: a commit that fails leaves the record as it was.
  const QRect changed = work->Changed(ChangeReader::History);
  PicturePtr copy = Platform::Picture::FromTiles(Platform::TiledPlane::FromImage(
      std::as_const(*work).Image(), depth, base ? base->Tiles().get() : nullptr, base && like ? &changed : nullptr));
  if (base) pic_Stack[Current_Picture] = base;
  while (pic_Stack.Ubound() > Current_Picture) pic_Stack.pop_back();
  pic_Stack.Append(copy);
  while (pic_Stack.Ubound() >= kHistoryLimit) {
    pic_Stack.Remove(0);
    modColorSplash::History_Dropped_Oldest();
  }
  Current_Picture = pic_Stack.Ubound();
  // Whoever had the whole plane to write into is done: the state now holds what they wrote.
  work->Settle();
  Remember_Likeness(work, copy);
}

size_t History_Bytes() {
  std::unordered_set<const void*> seen;
  size_t bytes = 0;
  for (const PicturePtr& p : pic_Stack) {
    if (!p) continue;
    if (const Platform::TiledPlanePtr& tiles = p->Tiles()) bytes += tiles->TileBytes(seen);
    else if (seen.insert(p.get()).second) bytes += size_t(std::as_const(*p).Image().sizeInBytes());
    if (PicturePtr mask = p->MaskIfAny(); mask && seen.insert(mask.get()).second)
      bytes += size_t(std::as_const(*mask).Image().sizeInBytes());
  }
  return bytes;
}

namespace {

// The areas in which the working picture may differ from the state: what it changed since it was like
// another state, and where that state and this one differ. Nothing when they cannot be known.
std::optional<std::vector<QRect>> Areas_To_Refill(const PicturePtr& state) {
  const auto before = g_like.state.lock();
  if (!work_area || !before || !Like_State(before) || work_area->WritesPending()) return std::nullopt;
  const Platform::TiledPlanePtr& from = before->Tiles();
  const Platform::TiledPlanePtr& to = state->Tiles();
  std::vector<QRect> areas;
  if (before != state) {
    if (!from || !to) return std::nullopt;
    areas = from->Differences(*to);
  }
  // Taken once the working picture is like the state again.
  const QRect changed = work_area->Changed(ChangeReader::History);
  if (!changed.isEmpty()) areas.push_back(changed);
  return areas;
}

// Takes the working picture, in its own memory, back to the state: only where the two can differ when
// that is known, else everywhere. False when its memory cannot take the state.
bool Refill_Work_Area(const PicturePtr& state) {
  if (!work_area || work_area->Depth() != 32) return false;
  const std::optional<std::vector<QRect>> areas = Areas_To_Refill(state);
  if (!work_area->RefillFrom(*state, true, areas ? &*areas : nullptr)) return false;
  Platform::Graphics g = work_area->Graphics();
  RenderMode(g, true);
  return true;
}

}  // namespace

void Move_to_WorkArea() {
  const PicturePtr& state = Platform::Checked(pic_Stack[Current_Picture], "history state");
  // The new working picture is built whole before the old one is let go; the old one's memory is used
  // again when nothing else holds it (its mask is set afresh just below).
  PicturePtr fresh;
  if (work_area && work_area.use_count() == 1 && Refill_Work_Area(state)) {
    fresh = work_area;
  } else {
    fresh = Working_Picture_Of(*state, Save_as_Transparent);
  }
  Use_Working_Picture(fresh);
  Remember_Likeness(work_area, state);
}

void Restore_Work_Area() {
  const PicturePtr& state = Platform::Checked(pic_Stack[Current_Picture], "history state");
  if (Refill_Work_Area(state)) {
    Use_Working_Picture(work_area);
    Remember_Likeness(work_area, state);
    return;
  }
  Move_to_WorkArea();
}

PicturePtr Working_Picture_Of(const Platform::Picture& state, bool transparent) {
  PicturePtr fresh = state.CopyAtDepth(32);
  Platform::Graphics g = fresh->Graphics();
  RenderMode(g, true);
  if (!transparent) fresh->MakeMaskOpaque();
  auto source = std::const_pointer_cast<Platform::Picture>(state.shared_from_this());
  g_made = Likeness{fresh, source, state.Generation(), fresh->Generation()};
  return fresh;
}

void Use_Working_Picture(const PicturePtr& picture) {
  work_area = Platform::Checked(picture, "picture");
  set_workarea_mask();
  Pensize_GET();
  if (modColorSplash::ColorSplash_Mode > 0) modColorSplash::ColorSplash_RGB[2] = work_area;
  // A working picture just made from the state on show is that state.
  const PicturePtr state = State_On_Show();
  if (Same(g_made.work, work_area) && Same(g_made.state, state) && state->Generation() == g_made.stateGeneration &&
      work_area->Generation() == g_made.workGeneration)
    Remember_Likeness(work_area, state);
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
