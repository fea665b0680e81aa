// A new document made from the clipboard's picture.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/PictureFiles.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

using namespace modMAIN;

void winMAIN::image_New_from_clipboard() {
  const QImage clip = QGuiApplication::clipboard()->image();
  if (clip.isNull()) {
    Platform::Environment::Beep();
    return;
  }
  // The picture is made before the document is replaced: one too large to hold changes nothing.
  PicturePtr picture;
  if (!Had_Memory([&] {
        if (!Platform::Picture::SizeAllowed(clip.width(), clip.height())) throw std::bad_alloc();
        picture = Platform::Picture::FromImage(clip);
      })) {
    Out_Of_Memory_Message();
    return;
  }
  image_New();
  // image_New clears the modified mark unless the user cancelled its question.
  if (img_changed) return;
  Reset_Everything();
  drag_Picture = picture;
  drag_Picture->Transparent = 0;
  Resize_Image(QStringLiteral("I"), drag_Picture->Width(), drag_Picture->Height());
  active_DRAG = false;
  // Unless the new picture took the clipboard's size, nothing more is committed.
  if (!work_area || work_area->Width() != drag_Picture->Width() || work_area->Height() != drag_Picture->Height()) {
    drag_Picture.reset();
    Update_Display();
    return;
  }
  work_area->Graphics().DrawPicture(drag_Picture, 0, 0);
  drag_Picture.reset();
  Draw_Complete();
  drawing_TOOL_SET(-1);
  Update_Display();
}
