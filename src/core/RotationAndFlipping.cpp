// Turning and flipping the picture, the selected rectangle or the floating selection.
#include "app/modOptions.h"
#include "app/modProgress.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/PictureOps.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

namespace modMAIN {

namespace {

// Pauses the marching-ants and spray-can timers for a turn and gives them back their running states
// however the turn ends.
class TimerPause {
 public:
  explicit TimerPause(winMAIN* w) : w_(w) {
    timer_state_[0] = w_->timer_LASSO->isActive();
    timer_state_[1] = w_->timer_SPRAYCAN->isActive();
    w_->timer_LASSO->stop();
    w_->timer_SPRAYCAN->stop();
  }
  ~TimerPause() {
    Restore(w_->timer_LASSO, timer_state_[0]);
    Restore(w_->timer_SPRAYCAN, timer_state_[1]);
  }
  TimerPause(const TimerPause&) = delete;
  TimerPause& operator=(const TimerPause&) = delete;

 private:
  static void Restore(QTimer* t, bool running) {
    if (running) t->start();
    else t->stop();
  }
  winMAIN* w_;
  bool timer_state_[2];
};

void Report(int32_t done) { modProgress::Progress_Check(done); }

}  // namespace

void image_Rotate(int32_t angle) {
  winMAIN* win = winMAIN::instance();
  const TimerPause pause(win);

  PicturePtr source;
  point_record centre;
  bool lifted = false;
  if (active_LASSO) {
    centre = Platform::Deref(img_lasso, "img_lasso").Center_Point();
    if (!active_DRAG) {
      // Lift the selection: it floats from now on and the turn works on the floating picture. The
      // lifted copy is made before the area is erased: without the memory for it nothing is lifted.
      win->drawing_TOOL_SET(TOOL_GRABBER);
      active_DRAG = true;
      drag_Picture.reset();
      // (Once lifted, a clipboard that could not take a copy does not stop the turn.)
      if (!Had_Memory([] { image_CUT(true); }) && !drag_Picture) {
        active_DRAG = false;
        Out_Of_Memory_Message();
        win->Update_Display();
        return;
      }
      lifted = true;
      win->C_INVALIDATE();
    }
    source = drag_Picture;
  } else {
    source = Platform::Checked(work_area, "work_area");
  }
  if (!source) {
    // An empty selection lifts no picture: there is nothing to turn.
    win->Update_Display();
    return;
  }

  PicturePtr turned;
  const bool made = Had_Memory([&] {
    modProgress::Progress_Start(source->Width(), source->Height());
    // Afterwards, or if the turn fails: the tool's cursor again and no bar.
    modProgress::Progress_Scope progress;
    // The quarter turn reports per row; the half and three-quarter turns per column.
    if (angle == 90) turned = PictureOps::Turn(*source, angle, Report);
    else if (angle == 180 || angle == 270)
      turned = PictureOps::Turn(*source, angle, modProgress::Per_Column(source->Height()));
    else turned = Free_Rotate(source);
  });
  if (!made) {
    // Also a free turn whose picture would be larger than the program can hold. A selection lifted for
    // the turn floats where it was.
    if (lifted) img_DRAG_DROP = Platform::Deref(img_lasso, "img_lasso").Top_Left();
    Out_Of_Memory_Message();
    win->Update_Display();
    return;
  }

  if (active_DRAG) {
    Platform::Graphics g = turned->Graphics();
    RenderMode(g, true);
    turned->Transparent = modOptions::option_Draw_Opaque;
    drag_Picture = turned;
    // The turned size around the old centre; the corners may lie outside the picture.
    classRECTANGLE& r = Platform::Deref(img_lasso, "img_lasso");
    const point_record tl = Point_of(centre.x - turned->Width() / 2, centre.y - turned->Height() / 2);
    r.set_Top_Left(tl);
    r.set_Bot_Right(Point_of(tl.x + turned->Width(), tl.y + turned->Height()));
    img_DRAG_DROP = r.Top_Left();
  } else {
    if (!Commit_New_Work_Area([&] { return turned; })) return;
    win->SetWindowModified(true);
  }
  win->Update_Display();
}

PicturePtr Free_Rotate(const PicturePtr& source) {
  const Platform::Picture& src = *Platform::Checked(source, "source");
  const double degrees = Platform::Val(modOptions::last_free_degree);
  modProgress::Progress_Start(src.Width(), src.Height());
  PicturePtr turned = PictureOps::FreeRotate(src, degrees, modProgress::Per_Column(src.Height()));
  modProgress::Progress_End();
  return turned;
}

fPoint_Record Rotate_Point(int32_t x, int32_t y, point_record origin, float s, float c, point_record target) {
  const double dx = double(origin.x) - x, dy = double(origin.y) - y;
  const double px = target.x + (double(c) * dx - double(s) * dy);
  const double py = target.y + (double(s) * dx + double(c) * dy);
  return fPoint_Of(float(px), float(py));
}

void image_Flip(bool horizontal) {
  winMAIN* win = winMAIN::instance();
  QRect area;
  if (active_LASSO) {
    const classRECTANGLE& r = Platform::Deref(img_lasso, "img_lasso");
    area = QRect(r.Top_Left().x, r.Top_Left().y, r.Width(), r.Height());
  } else {
    const PicturePtr& work = Platform::Checked(work_area, "work_area");
    area = QRect(0, 0, work->Width(), work->Height());
  }
  PicturePtr target = work_area;
  if (active_DRAG) {
    // The floating picture's own pixels.
    target = drag_Picture;
    area.moveTopLeft(QPoint(0, 0));
  }
  if (target) PictureOps::Flip(*target, area, horizontal);
  // The mark follows the undo step: a flip that could not be kept is taken back and leaves it as it was.
  if (!active_DRAG && Commit_Work_Area()) win->SetWindowModified(true);
  win->Update_Display();
}

void Replace_Work_Area(const PicturePtr& picture) {
  Platform::Checked(picture, "picture");
  if (work_area) picture->State() = work_area->State();
  // The mask is made before the switch: if it cannot be made, the working picture stays as it was.
  if (Save_as_Transparent) picture->RemoveMask();
  else picture->MakeMaskOpaque();
  work_area = picture;
}

}  // namespace modMAIN
