#include "palettes/modBRUSHES.h"

#include "app/BundleResources.h"
#include "app/ProgramIdentity.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/Messages.h"
#include "core/PictureFiles.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classPATTERNS.h"
#include "platform/PictureIO.h"

namespace modBRUSHES {

namespace {
// Writes the built-in sheet to the file, replacing it only once the whole file is written. Answers why
// it could not be written; empty when it was.
QString Write_Installed_Sheet(const Platform::FolderItemPtr& file) {
  const Platform::PicturePtr builtIn = Resources::pixmura_brushes();
  if (!builtIn) return QStringLiteral("The built-in fill patterns are missing.");
  const Platform::WriteResult r =
      Platform::PictureIO::Write(Platform::PictureIO::ImageToWrite(*builtIn), file->ShellPath(), "png");
  return r.ok ? QString() : (r.error.isEmpty() ? QStringLiteral("The file could not be written.") : r.error);
}
}  // namespace

void Manage_User_Brushes() {
  const Platform::FolderItemPtr file = modOptions::Get_Folder_Brushes();
  if (!file->Exists()) Write_Installed_Sheet(file);
  Platform::PicturePtr sheet = Platform::PictureIO::Read(file->ShellPath(), QStringLiteral("png")).picture;
  // A settings folder that cannot hold the sheet must not leave the pattern fills without one.
  modMAIN::user_brushes = sheet ? sheet : Resources::pixmura_brushes();
}

void Edit_User_Brushes() {
  const QString question =
      QStringLiteral(
          "Edit Fill Patterns^This allows you to customize the available fill patterns.^This must be done with "
          "extreme care.^^1) DO NOT CHANGE the SIZE of the IMAGE^2) Keep ALL pattern drawing INSIDE the RED "
          "squares^3) Draw Patterns ONLY in BLACK and WHITE^^Failure to follow these rules will cause "
          "unpredictable results^^You will need to RESTART ") +
      PGM_Name + QStringLiteral(" for any changes to take effect.^^Do you wish to continue?");
  if (modMAIN::myMsgBox(question, 52, QStringLiteral("Edit Fill Patterns")) != modMAIN::MSG_YES) return;
  // Opened as the document, the sheet is saved back in place; a cancelled opening goes on all the same.
  modMAIN::Open_File(modOptions::Get_Folder_Brushes());
  winMAIN* w = winMAIN::instance();
  w->C_INVALIDATE();
  w->Reset_Everything();
  w->Set_Zoom(4);
  modMAIN::show_GRID = true;
  modMAIN::size_PENCIL = 1;
  w->Update_Statusbar();
  w->C_INVALIDATE();
}

void revert_to_installed_brushes() {
  const QString question = QStringLiteral(
                               "Revert User Patterns^This will set the fill patterns back to those that^were "
                               "originally installed with ") +
                           PGM_Name + QStringLiteral("^^Are you sure this is what you want to do?");
  if (modMAIN::myMsgBox(question, 36, QStringLiteral("Reset Fill Patterns")) != modMAIN::MSG_YES) return;
  // The new sheet replaces the old file in one step, so a failed write leaves the old sheet whole.
  const QString error = Write_Installed_Sheet(modOptions::Get_Folder_Brushes());
  if (!error.isEmpty()) {
    modMAIN::myMsgBox(QStringLiteral("!The fill patterns could not be reset.^") + error);
    return;
  }
  Manage_User_Brushes();
  if (classPATTERNS* palette = winMAIN::instance()->classPATTERNS1) palette->Reset();
}

}  // namespace modBRUSHES
