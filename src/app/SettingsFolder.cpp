// The settings folder and the supported picture types.
#include "app/modOptions.h"
#include "platform/Text.h"

namespace modOptions {

Platform::FolderItemPtr Get_Folder_Root() {
  QString name = Platform::FolderItem::ExecutableName();
  name.remove(QStringLiteral(".EXE"));
  name.remove(QStringLiteral(".exe"));
  name.remove(QStringLiteral(".debug"));
  name = name.trimmed();
  Platform::FolderItemPtr folder = Platform::FolderItem::ApplicationData()->Child(name);
  if (!folder->Exists()) folder->CreateAsFolder();
  return folder;
}

Platform::FolderItemPtr Get_Folder_Brushes() { return Get_Folder_Root()->Child(QStringLiteral("User_Brushes.png")); }

bool Is_Supported_Type(const QString& type) {
  if (Platform::StrEq(type, QStringLiteral("JPEG"))) return true;
  if (type.isEmpty()) return false;
  return (QLatin1Char(',') + supported_types + QLatin1Char(',')).contains(QLatin1Char(',') + type + QLatin1Char(','),
                                                                          Qt::CaseInsensitive);
}

void Reset_Globals() {
  option_Draw_Opaque = 0;
  option_ShowColors = option_ShowTools = option_ShowRuler = option_ShowPattern = option_RulerPixel = false;
  option_SaveAs.clear();
  option_AntiAlias = option_AutoCheck_Update = false;
  option_Autocheck_Next.clear();
  option_Background_Color = option_Background_Handle_Color = 0;
  option_Lasso_CrossHair = false;
  option_Ruler_Bcolor = option_Ruler_FColor = 0;
  option_ColorPicker = option_HelpTags = option_UseOldText = false;
  option_Website.clear();
  option_Grid_Color = Platform::Array<Color>(2, 0);
  option_BrushRandom = false;
  option_BrushOpacity = 0;
  option_ColorMeter_Top = option_ColorMeter_Left = option_ColorMeter_Mode = 0;
  option_ArrowHead = option_ArrowLength = option_ArrowWidth = option_ArrowConcavity = 0;
  option_Thumbnail_Top = option_Thumbnail_Left = option_Thumbnail_Width = option_Thumbnail_Height = 0;
  option_Transparent_BG_Size.clear();
  option_Transparent_BG_Color = Platform::Array<Color>(2, 0);
  option_Printer_Landscape = false;
  option_Printer_Center = Platform::Array<bool>(2, false);
  option_Printer_FitPage = option_Metric = false;
  win_left = win_top = win_width = win_height = 0;
  option_OS_Scrollbar = false;
  option_Height = option_Width = 0;
  option_Color_Picker_Mode = 0;
  supported_types.clear();
  last_degree.clear();
  last_free_degree.clear();
  last_flip.clear();
  PolyPoints.clear();
  active_POLYGON = false;
  Apple_Script.clear();
}

}  // namespace modOptions
