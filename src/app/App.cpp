#include "app/App.h"

#include <QAction>
#include <QClipboard>
#include <QFileOpenEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include "app/ErrWin.h"
#include "app/FileTypes.h"
#include "app/MenuBar1.h"
#include "app/ProgramIdentity.h"
#include "app/UpdateCheck.h"
#include "app/modOptions.h"
#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "core/PictureFiles.h"
#include "core/TraceLog.h"
#include "effects/modColorSplash.h"
#include "gradients/modGRADIENT.h"
#include "palettes/modBRUSHES.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/Shell.h"
#include "platform/StyledText.h"
#include "printing/PrinterProbe.h"

App::App(int& argc, char** argv) : Platform::Application(argc, argv) {
  _InitFileTypes();
  setApplicationName(QStringLiteral("pixmura"));
  UnhandledException = &App::Event_UnhandledException;
  MenuBar1::instance();
  _ApplicationAddMenuHandlers();
}

App* App::instance() { return qobject_cast<App*>(QCoreApplication::instance()); }

void App::Start(const QStringList& documents) {
  winMAIN::instance();
  Event_Open();
  for (const QString& path : documents) Event_OpenDocument(Platform::FolderItem::FromPath(path));
  winMAIN::instance()->Event_Open();
  // Once per start, after the main window's initialisation has read the settings and shown the window;
  // never against the placeholder address, which cannot answer.
  if (Update_Check_Due(Platform::Environment::LocalNow()) && !Update_Site_Is_Placeholder()) Check_for_Update(false);
}

bool App::event(QEvent* e) {
  if (e->type() == QEvent::FileOpen) {
    Event_OpenDocument(Platform::FolderItem::FromPath(static_cast<QFileOpenEvent*>(e)->file()));
    return true;
  }
  return Platform::Application::event(e);
}

// ---- Events ----

void App::Event_Open() {
  using namespace modMAIN;
  // While tests run, the test program decides when to end.
  setQuitOnLastWindowClosed(!Platform::Environment::Testing());
  winMAIN_INITFLAG = 0;
  Set_Program_Identity();
  use_bug_trace = false;
  Bug_Trace(QStringLiteral("!!!"));
  menu_ABOUT()->setText(QStringLiteral("About ") + PGM_Name);
  menu_EMAIL()->setText(QStringLiteral("eMail Feedback about ") + PGM_Name + QStringLiteral(" v") + PGM_Version);
  // The styled text to place and the text as typed: both there, empty, before anything is placed.
  myStyledText = std::make_shared<Platform::StyledText>();
  myOriginalStyledText = std::make_shared<Platform::StyledText>();
  // GIF and TIFF are offered only when the image converter is there.
  modOptions::supported_types = QStringLiteral("png,jpg,bmp,pict");
  if (!Platform::Shell::Find(QStringLiteral("convert")).isEmpty()) modOptions::supported_types += QStringLiteral(",gif,tiff");
  modBRUSHES::Manage_User_Brushes();
  rnd_number = std::make_shared<Platform::Random>(Platform::Environment::RandomSeed());
  winTEXT_Left = -999;
  Last_DrawTool = -1;
  img_lasso = std::make_shared<classRECTANGLE>();
  scrn_rect = std::make_shared<classRECTANGLE>();
  img_changed = false;
  image_FolderObject.reset();
  Make_Maps();
  modGRADIENT::Make_Spectrum();
  Get_Printer_Info();
  txt_box[0] = -9999;
  txt_box[1] = -9999;
  menuSplash()->setText(modColorSplash::ColorSplash_Name);
}

void App::Event_OpenDocument(const Platform::FolderItemPtr& item) { modMAIN::Delay_OpenItem = item; }

void App::Event_EnableMenuItems() {
  const bool splashOff = modColorSplash::ColorSplash_Mode == 0;
  menu_New()->setEnabled(splashOff);
  menu_Open()->setEnabled(splashOff);
  menu_New_FROM_CLIPBOARD()->setEnabled(Clipboard_Has_Picture());
  const int shown = Show_Recent_Items(splashOff);
  menu_ClearRecent()->setEnabled(shown > 0);
}

void App::Event_UnhandledException(const Platform::RuntimeException& e) {
  mErr::Display(QStringLiteral("App.UnhandledException"), e, e.Stack());
}

// ---- Shared by the enabling passes ----

bool App::Clipboard_Has_Picture() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasImage();
}

QString App::Recent_Caption(const QString& path) {
  const Platform::FolderItemPtr item = Platform::FolderItem::FromPath(path);
  QString name = item ? item->Name() : path;
  // A "&" in a file name is shown as itself, not taken as a mnemonic.
  return name.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

int App::Show_Recent_Items(bool enabled) {
  int shown = 0;
  for (int i = 0; i < 8; ++i) {
    QAction* item = menu_Recent(i);
    if (i < modMAIN::MRU_Files.size()) {
      item->setVisible(true);
      item->setText(Recent_Caption(modMAIN::MRU_Files[i]));
      item->setEnabled(enabled);
      ++shown;
    } else {
      item->setVisible(false);
    }
  }
  return shown;
}

// ---- Menu handlers ----

void App::_ApplicationAddMenuHandlers() {
  handlers_.insert(QStringLiteral("menu_New"), [this](int) { return _menu_New_Action(); });
  handlers_.insert(QStringLiteral("menu_Open"), [this](int) { return _menu_Open_Action(); });
  handlers_.insert(QStringLiteral("menu_New_FROM_CLIPBOARD"), [this](int) { return _menu_New_FROM_CLIPBOARD_Action(); });
  handlers_.insert(QStringLiteral("menu_Recent"), [this](int index) { return _menu_Recent_Action(index); });
  handlers_.insert(QStringLiteral("menu_ClearRecent"), [this](int) { return _menu_ClearRecent_Action(); });
  handlers_.insert(QStringLiteral("menu_Updates"), [this](int) { return _menu_Updates_Action(); });
}

bool App::Handle_Menu(const QString& name, int index) {
  const auto it = handlers_.constFind(name);
  return it != handlers_.constEnd() && it.value()(index);
}

bool App::_menu_New_Action() {
  modMAIN::image_New();
  return true;
}

bool App::_menu_Open_Action() {
  modMAIN::Open_File(nullptr);
  return true;
}

bool App::_menu_New_FROM_CLIPBOARD_Action() {
  winMAIN::instance()->image_New_from_clipboard();
  return true;
}

bool App::_menu_Recent_Action(int32_t index) {
  if (index < 0 || index >= modMAIN::MRU_Files.size()) return true;
  modMAIN::Open_File(Platform::FolderItem::FromPath(modMAIN::MRU_Files[index]));
  return true;
}

bool App::_menu_ClearRecent_Action() {
  modMAIN::MRU_Files.clear();
  return true;
}

bool App::_menu_Updates_Action() {
  Check_for_Update(true);
  return true;
}

// ---- Menu items ----

QAction* App::menu_New() { return MenuBar1::instance()->Item(QStringLiteral("menu_New")); }
QAction* App::menu_Open() { return MenuBar1::instance()->Item(QStringLiteral("menu_Open")); }
QAction* App::menu_New_FROM_CLIPBOARD() { return MenuBar1::instance()->Item(QStringLiteral("menu_New_FROM_CLIPBOARD")); }
QAction* App::menu_ClearRecent() { return MenuBar1::instance()->Item(QStringLiteral("menu_ClearRecent")); }
QAction* App::menu_ABOUT() { return MenuBar1::instance()->Item(QStringLiteral("menu_ABOUT")); }
QAction* App::menu_EMAIL() { return MenuBar1::instance()->Item(QStringLiteral("menu_EMAIL")); }
QAction* App::menuSplash() { return MenuBar1::instance()->Item(QStringLiteral("menuSplash")); }
QAction* App::menu_Recent(int32_t index) { return MenuBar1::instance()->Item(QStringLiteral("menu_Recent"), index); }

// ---- Quitting ----

void App::Quit() {
  if (winMAIN* w = winMAIN::existing(); w && w->isVisible()) w->close();
  else Request_Quit();
}

void App::Request_Quit() {
  if (Platform::Environment::Testing()) return;
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

bool App::Update_Check_Due(const QDateTime& now) {
  return modOptions::option_AutoCheck_Update &&
         now.toString(QStringLiteral("yyyyMMddHHmm")) >= modOptions::option_Autocheck_Next;
}
