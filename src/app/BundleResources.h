#pragma once
// The program's fixed artwork: fifteen pictures and eight cursors, read from the bundle's resources
// folder on first use and kept for the whole run. A picture or cursor that cannot be read gives
// nullptr and is not kept, so the next request tries again.
#include <QCursor>
#include <QString>
#include <memory>

#include "platform/Picture.h"

namespace Resources {

using Platform::PicturePtr;
using CursorPtr = std::shared_ptr<QCursor>;

// ---- Pictures ----
PicturePtr msg_stop();         // message box icon 16
PicturePtr msg_question();     // message box icon 32
PicturePtr msg_exclam();       // message box icon 48
PicturePtr msg_info();         // message box icon 64
PicturePtr color_spot();       // the styled-text window's colour button
PicturePtr handle_pic();       // the canvas-size handle (white shows as transparent)
PicturePtr pgm_logo();         // the about window's logo, 128 x 128
PicturePtr pixmura_tools();    // the tool palette's icon sheet
PicturePtr pixmura_brushes();  // the built-in fill-pattern sheet
PicturePtr up();               // the page buttons' arrows
PicturePtr down();
PicturePtr normal();           // the slider's knob sheet
PicturePtr logo_name();        // the program's name (white shows as transparent)
PicturePtr v_slider();         // the drawn scroll bars' skins
PicturePtr h_slider();

// ---- Cursors ----
CursorPtr cursor_pencil();
CursorPtr cursor_eyedropper();
CursorPtr cursor_airbrush();
CursorPtr cursor_bucket();
CursorPtr cursor_brush();
CursorPtr cursor_crosshair();
CursorPtr cursor_lasso();
CursorPtr Hourglass();

// Lets the cached cursors go (at the end of the run, before the other globals).
void Release_Cursors();

// The resources folder: the program's own resources (":/bundle") unless a test points it elsewhere.
QString Folder();
void SetFolder(const QString& folder);
// Forgets every cached picture and cursor.
void Forget();

}  // namespace Resources
