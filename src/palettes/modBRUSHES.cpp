#include "palettes/modBRUSHES.h"

#include "app/BundleResources.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "platform/PictureIO.h"

namespace modBRUSHES {

void Manage_User_Brushes() {
  const Platform::FolderItemPtr file = modOptions::Get_Folder_Brushes();
  const Platform::PicturePtr builtIn = Resources::pixmura_brushes();
  if (!file->Exists() && builtIn)
    Platform::PictureIO::Write(Platform::PictureIO::ImageToWrite(*builtIn), file->ShellPath(), "png");
  Platform::PicturePtr sheet = Platform::PictureIO::Read(file->ShellPath(), QStringLiteral("png")).picture;
  // A settings folder that cannot hold the sheet must not leave the pattern fills without one.
  modMAIN::user_brushes = sheet ? sheet : builtIn;
}

}  // namespace modBRUSHES
