// Edit > Paste and the Shift-drop: a picture becomes the floating selection under the grabber.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

using namespace modMAIN;

bool winMAIN::_menu_PASTE_Action() {
  image_PASTE(false, nullptr);
  // Paste lets the command go on to the application as well.
  return false;
}

void winMAIN::image_PASTE(bool use_given, const Platform::PicturePtr& picture) {
  // The floating picture is made before anything ends: a picture too large to hold changes nothing.
  PicturePtr floating;
  if (use_given) {
    if (!picture) return;
    if (!Had_Memory([&] {
          floating = Platform::Picture::Create(picture->Width(), picture->Height(), 32);
          floating->Graphics().DrawPicture(picture, 0, 0);
        })) {
      Out_Of_Memory_Message();
      return;
    }
  } else {
    const QImage clip = QGuiApplication::clipboard()->image();
    if (clip.isNull()) {
      Platform::Environment::Beep();
      return;
    }
    if (!Had_Memory([&] {
          if (!Platform::Picture::SizeAllowed(clip.width(), clip.height())) throw std::bad_alloc();
          const PicturePtr source = Platform::Picture::FromImage(clip);
          floating = Platform::Picture::Create(source->Width(), source->Height(), 32);
          floating->Graphics().DrawPicture(source, 0, 0);
        })) {
      Out_Of_Memory_Message();
      return;
    }
  }
  Reset_Everything();
  floating->Transparent = modOptions::option_Draw_Opaque;
  if (!work_area) return;
  const int32_t nw = std::max(floating->Width(), work_area->Width());
  const int32_t nh = std::max(floating->Height(), work_area->Height());
  if (nw != work_area->Width() || nh != work_area->Height()) {
    // A larger picture enlarges the canvas, the artwork kept at the top-left, as one undo step.
    Resize_Canvas(nw, nh);
    if (work_area->Width() != nw || work_area->Height() != nh) return;
  }
  drag_Picture = floating;
  Set_Active_Lasso(true);
  if (!img_lasso) img_lasso = std::make_shared<classRECTANGLE>();
  img_lasso->set_Top_Left(Point_of(offset.x, offset.y));
  img_lasso->set_Bot_Right(Point_of(offset.x + floating->Width(), offset.y + floating->Height()));
  img_DRAG_DROP = img_lasso->Top_Left();
  active_DRAG = true;
  active_SHAPE = false;
  drawing_TOOL_SET(TOOL_GRABBER);
  Update_Display();
}
