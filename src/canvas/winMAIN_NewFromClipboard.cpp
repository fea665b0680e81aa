// A new document made from the clipboard's picture.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/PictureFiles.h"
#include "mainwindow/winMAIN.h"

using namespace modMAIN;

void winMAIN::image_New_from_clipboard() {
  const QImage clip = QGuiApplication::clipboard()->image();
  // The command is offered only while the clipboard holds a picture.
  if (clip.isNull()) return;
  image_New();
  // image_New clears the modified mark unless the user cancelled its question.
  if (img_changed) return;
  Reset_Everything();
  drag_Picture = Platform::Picture::FromImage(clip);
  drag_Picture->Transparent = 0;
  Resize_Image(QStringLiteral("I"), drag_Picture->Width(), drag_Picture->Height());
  active_DRAG = false;
  work_area->Graphics().DrawPicture(drag_Picture, 0, 0);
  drag_Picture.reset();
  Draw_Complete();
  drawing_TOOL_SET(-1);
  Update_Display();
}
