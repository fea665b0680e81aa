// Resizing the picture or the selection, the canvas size, and cut, copy, delete and crop.
#include <QClipboard>
#include <QGuiApplication>
#include <functional>
#include <new>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/Messages.h"
#include "core/PictureOps.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace modMAIN {

namespace {

using Platform::OutOfMemoryException;

int32_t Depth() { return Working_Color_Depth == 24 ? 24 : 32; }

// Sizes of 0 or below are refused with a beep: there is no such picture.
bool Size_Refused(int32_t width, int32_t height) {
  if (width > 0 && height > 0) return false;
  Platform::Environment::Beep();
  return true;
}

// Clears "white is transparent" for the life of a canvas change and sets it again afterwards, however
// the change ends.
class TransparencyOff {
 public:
  TransparencyOff() : was_(Save_as_Transparent) {
    if (!was_) return;
    Save_as_Transparent = false;
    set_workarea_mask();
  }
  ~TransparencyOff() {
    if (!was_) return;
    Save_as_Transparent = true;
    set_workarea_mask();
  }
  TransparencyOff(const TransparencyOff&) = delete;
  TransparencyOff& operator=(const TransparencyOff&) = delete;

 private:
  bool was_;
};

// Gives the working picture the content that build makes (its size being the new canvas size), commits
// it and ends everything in progress.
void Change_Canvas(const std::function<PicturePtr()>& build) {
  const TransparencyOff transparency;
  if (!Commit_New_Work_Area(build)) return;
  winMAIN* win = winMAIN::instance();
  win->Reset_Everything();
  win->Update_Display();
}

// The clipboard's picture: the colour plane with the mask as alpha (opaque where there is no mask).
void Put_On_Clipboard(const PicturePtr& picture) {
  QImage image = picture->Image().convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to copy the picture"));
  if (PicturePtr mask = picture->MaskIfAny()) {
    for (int y = 0; y < image.height(); ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      const uchar* m = mask->Image().constScanLine(y);
      for (int x = 0; x < image.width(); ++x) row[x] = (row[x] & 0xFFFFFFu) | (QRgb(255 - m[x]) << 24);
    }
  }
  QGuiApplication::clipboard()->setImage(image);
}

// The floating picture that the last copy made and the corner it was copied from: while that picture
// still floats there, it stands for the area under it.
std::weak_ptr<Platform::Picture> copied_Picture;
point_record copied_From;

bool Floating_In_Place() {
  return drag_Picture && copied_Picture.lock() == drag_Picture && img_lasso && img_lasso->Top_Left() == copied_From;
}

// Cut and Delete of a floating selection act on what floats, once: it goes (onto the clipboard first for
// a cut) without being dropped, and while it still lies where it was copied from, the area under it
// becomes the background colour as it would for a selection that never floated. One undo step.
void Remove_Floating(bool to_clipboard) {
  winMAIN* win = winMAIN::instance();
  if (to_clipboard && drag_Picture) Put_On_Clipboard(drag_Picture);
  if (Floating_In_Place()) {
    if (active_SUPERLASSO) Lasso_Area_Put(Super_Lasso_mask[1]);
    else Lasso_Area_Get(true);
  }
  active_DRAG = false;
  drag_Picture.reset();
  win->Turn_Lasso_OFF();
  win->Draw_Complete();
}

// The single-line text's box holds no picture to cut or delete: Cut and Delete end its placement as every
// command that ends it does, which draws the text where its box lies, closes its window and commits.
bool Ended_Text_Placement() {
  if (!active_TEXT2) return false;
  winMAIN::instance()->Turn_Lasso_OFF();
  return true;
}

}  // namespace

void Out_Of_Memory_Message() {
  myMsgBox(QStringLiteral("Out of Memory^Insufficient memory to create a new picture"), 0, QString());
}

bool Had_Memory(const std::function<void()>& work) {
  try {
    work();
  } catch (const OutOfMemoryException&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

namespace {
// Whether the history still has the state it had before a commit was tried.
struct HistoryMark {
  int32_t index = Current_Picture;
  PicturePtr state = Current_Picture >= 0 && Current_Picture <= pic_Stack.Ubound() ? pic_Stack[Current_Picture] : nullptr;
  bool Unchanged() const { return Current_Picture == index && index <= pic_Stack.Ubound() && pic_Stack[index] == state; }
};
}  // namespace

bool Commit_Work_Area() {
  winMAIN* win = winMAIN::instance();
  const HistoryMark mark;
  if (Had_Memory([win] { win->Commit_Drawing(); })) return true;
  if (mark.Unchanged()) Had_Memory(Restore_Work_Area);
  Out_Of_Memory_Message();
  win->Update_Display();
  return !mark.Unchanged();
}

bool Commit_New_Work_Area(const std::function<PicturePtr()>& build) {
  winMAIN* win = winMAIN::instance();
  const PicturePtr old = work_area;
  const HistoryMark mark;
  if (Had_Memory([&] {
        Replace_Work_Area(build());
        win->Commit_Drawing();
      }))
    return true;
  // The undo step is copied before the history changes: unless it got in, the working picture goes
  // back to the old one.
  if (mark.Unchanged()) work_area = old;
  Out_Of_Memory_Message();
  win->Update_Display();
  return !mark.Unchanged();
}

void Resize_Image(const QString& mode, int32_t width, int32_t height) {
  winMAIN* win = winMAIN::instance();
  if (Size_Refused(width, height)) return;
  if (Platform::StrEq(mode, QStringLiteral("I"))) {
    const PicturePtr work = Platform::Checked(work_area, "work_area");
    if (width == work->Width() && height == work->Height()) return;
    const bool done = Commit_New_Work_Area([&] {
      return PictureOps::Scale(*work, QRect(0, 0, work->Width(), work->Height()), width, height, 32);
    });
    if (!done) return;
    // Ends the selection; a floating one is dropped into the scaled picture with an undo step of its own.
    win->Reset_Everything();
    win->Update_Display();
    return;
  }

  classRECTANGLE& r = Platform::Deref(img_lasso, "img_lasso");
  if (width == r.Width() && height == r.Height()) return;
  // An empty selection has nothing to scale.
  if (r.Width() <= 0 || r.Height() <= 0) return;
  const point_record tl = r.Top_Left();
  const PicturePtr source = active_DRAG ? drag_Picture : work_area;
  if (!source) return;
  const QRect area = active_DRAG ? QRect(0, 0, r.Width(), r.Height()) : QRect(tl.x, tl.y, r.Width(), r.Height());
  PicturePtr scaled;
  if (!Had_Memory([&] { scaled = PictureOps::Scale(*source, area, width, height, Depth()); })) {
    Out_Of_Memory_Message();
    return;
  }
  r.set_Top_Left(tl);
  r.set_Bot_Right(Point_of(tl.x + width, tl.y + height));
  Platform::Graphics sg = scaled->Graphics();
  RenderMode(sg, true);
  if (active_DRAG) {
    // The new floating picture has no mask and shows white as it is.
    drag_Picture = scaled;
  } else {
    // Nothing is erased first: when the selection shrinks, the rest of the old area keeps its pixels.
    Platform::Graphics g = work_area->Graphics();
    RenderMode(g, true);
    g.DrawPicture(scaled, tl.x, tl.y);
    win->Draw_Complete();
  }
  win->Update_Display();
}

void Resize_Canvas(int32_t width, int32_t height) {
  if (Size_Refused(width, height)) return;
  const PicturePtr work = Platform::Checked(work_area, "work_area");
  if (width == work->Width() && height == work->Height()) return;
  Change_Canvas([&] { return PictureOps::CanvasResized(*work, width, height, 32); });
}

void image_COPY(bool erase, bool to_clipboard) {
  const bool freehand = active_SUPERLASSO;
  drag_Picture = Lasso_Area_Get(freehand ? false : erase);
  // An empty selection holds no picture.
  if (!drag_Picture) return;
  copied_Picture = drag_Picture;
  copied_From = Platform::Deref(img_lasso, "img_lasso").Top_Left();
  drag_Picture->RemoveMask();
  if (!freehand) {
    drag_Picture->Transparent = modOptions::option_Draw_Opaque;
  } else {
    PictureOps::CopyToMask(*Platform::Checked(Super_Lasso_mask[0], "Super_Lasso_mask"), *drag_Picture);
    // The background patch has the selection's shape as its mask: only the shape is filled.
    if (erase) Lasso_Area_Put(Platform::Checked(Super_Lasso_mask[1], "Super_Lasso_mask"));
    to_clipboard = false;
  }
  if (to_clipboard) Put_On_Clipboard(drag_Picture);
}

void image_CUT(bool keep) {
  if (!active_LASSO || active_SUPERLASSO) return;
  if (!keep && Ended_Text_Placement()) return;
  winMAIN* win = winMAIN::instance();
  if (active_DRAG && !keep) {
    Remove_Floating(true);
    return;
  }
  const bool erase = !Platform::Environment::OptionKey();
  image_COPY(erase, true);
  if (!keep) {
    win->Turn_Lasso_OFF();
    win->Draw_Complete();
    drag_Picture.reset();
  }
}

void image_DELETE() {
  if (Ended_Text_Placement()) return;
  winMAIN* win = winMAIN::instance();
  if (active_DRAG) {
    Remove_Floating(false);
    return;
  }
  image_COPY(true, false);
  win->Turn_Lasso_OFF();
  win->Draw_Complete();
}

void image_CROP() {
  winMAIN* win = winMAIN::instance();
  const PicturePtr work = Platform::Checked(work_area, "work_area");
  // The cropped picture is made first; the document changes only once it exists.
  PicturePtr cropped;
  if (!Had_Memory([&] { cropped = Lasso_Area_Get(false); })) {
    Out_Of_Memory_Message();
    return;
  }
  if (!cropped) return;
  if (cropped->Width() == work->Width() && cropped->Height() == work->Height()) {
    Platform::Graphics g = work->Graphics();
    g.DrawPicture(cropped, 0, 0);
  } else {
    Change_Canvas([&] { return cropped->Depth() == 32 ? cropped : cropped->CopyAtDepth(32); });
    if (work_area == work) return;  // the new picture could not be made: nothing changed
  }
  win->Turn_Lasso_OFF();
  win->Draw_Complete();
  win->Update_Statusbar();
  win->Revert_to_Last_Draw_Tool(false);
}

}  // namespace modMAIN
