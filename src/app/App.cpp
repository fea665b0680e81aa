#include "app/App.h"

#include <cstdio>

#include "app/ProgramIdentity.h"
#include "app/modOptions.h"
#include "platform/Shell.h"
#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

App::App(int& argc, char** argv) : Platform::Application(argc, argv) {
  setApplicationName(QStringLiteral("pixmura"));
  UnhandledException = &App::Event_UnhandledException;
}

void App::Event_UnhandledException(const Platform::RuntimeException& e) {
  std::fprintf(stderr, "Error in module: App.UnhandledException\nType: %s\nStack:\n%s\n",
               qPrintable(e.ClassName()), qPrintable(e.Stack()));
}

void App::Event_Open() {
  using namespace modMAIN;
  winMAIN_INITFLAG = 0;
  Set_Program_Identity();
  use_bug_trace = false;
  Bug_Trace(QStringLiteral("!!!"));
  rnd_number = std::make_shared<Platform::Random>(Platform::Environment::RandomSeed());
  winTEXT_Left = -999;
  Last_DrawTool = -1;
  img_lasso = std::make_shared<classRECTANGLE>();
  scrn_rect = std::make_shared<classRECTANGLE>();
  img_changed = false;
  image_FolderObject.reset();
  // GIF and TIFF are offered only when the image converter is there.
  modOptions::supported_types = QStringLiteral("png,jpg,bmp,pict");
  if (!Platform::Shell::Find(QStringLiteral("convert")).isEmpty()) modOptions::supported_types += QStringLiteral(",gif,tiff");
  txt_box[0] = -9999;
  txt_box[1] = -9999;
  Make_Maps();

  // A blank white document until the full start-up builds it from the settings.
  winMAIN* w = winMAIN::instance();
  pic_Stack.clear();
  pic_Stack.Append(Platform::Picture::Create(640, 480, 32));
  Current_Picture = 0;
  Working_Color_Depth = 32;
  Save_as_Transparent = false;
  Move_to_WorkArea();
  Draw_Color[1] = 0x000000;
  Draw_Color[2] = 0xFFFFFF;
  drawing_TOOL = TOOL_PENCIL;
  size_PENCIL = -1;
  size_SPRAYCAN = 4;
  size_ERASER = 2;
  size_BRUSH = 3;
  Drawing_Fillmode = 1;
  Pensize_SET(1, TOOL_PENCIL);
  w->update_title();
  w->show();
  Zoom = -1;
  w->Set_Zoom(1);
}
