// The settings: their defaults, the shapes built in, asking for a colour, and moving every setting
// between its global and Config.INI.
#include <QColor>
#include <QHash>
#include <optional>

#include "app/classINI_File.h"
#include "app/modOptions.h"
#include "colorwindows/winCOLOR.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "core/Messages.h"
#include "core/PictureFiles.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/modSHAPES.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"
#include "platform/Picture.h"
#include "platform/Text.h"

namespace modOptions {

namespace {
const char* const kBuiltinShapes[] = {
    "Diamond;0,-1;-1,0;0,1;1,0;0,-1",
    "Pentagon;0,-1;.9511,-.3090;.5878,.8090;-.5878,.8090;-.9511,-.3090;0,-1",
    "Hexagon;0,-1;.866,-.5;.866,.5;0,1;-.866,.5;-.866,-.5;0,-1",
    "Octagon;0,-1;.7071,-.7071;1,0;.7071,.7071;0,1;-.7071,.7071;-1,0;-.7071,-.7071;0,-1",
    "Star: 4pt;0,-1;.25,-.25;1,0;.25,.25;0,1;-.25,.25;-1,0;-.25,-.25;0,-1",
    "Star: 5pt [1];0,-1;.2939,-.4045;.9511,-.3090;.4755,.1545;.5878,.8090;0,.5;-.5878,.8090;-.4755,.1545;-.9511,-.3090;-.2539,-.4045;0,-1",
    "Star: 5pt [2];0,-1;.2245,-.3090;.9511,-.3090;.3633,.1180;.5878,.8090;0,.3820;-.5878,.8090;-.3633,.1180;-.9511,-.3090;-.2245,-.3090;0,-1",
    "Star: 6pt;0,-1;.34,-.5;1,-.5;.67,0;1,.5;.34,.5;0,1;-.34,.5;-1,.5;-.67,0;-1,-.5;-.34,-.5;0,-1",
    "Arrow:Left; -1,0;0,-1;0,-.4; 1,-.4; 1,.4;0,.4;0,1;-1,0",
    "Arrow:Right; 1,0;0,-1;0,-.4;-1,-.4;-1,.4;0,.4;0,1;1,0",
    "Arrow:Up; 0,-1;-1,0;-.4,0; -.4,1; .4,1;.4,0;1,0,-1",
    "Arrow:Down; 0,1;-1,0;-.4,0; -.4,-1; .4,-1;.4,0;1,0,1",
    "Triangle [1];-1,-1;1,1;-1,1;-1,-1",
    "Triangle [2];1,-1;-1,1;1,1;1,-1",
    "Triangle [3];-1,1;1,-1;-1,-1;-1,1",
    "Triangle [4];1,1;-1,-1;1,-1;1,1",
    "Triangle [5];0,-1;1,1;-1,1;0,-1",
    "Triangle [6];0, 1;1,-1;-1,-1;0,1",
    "Triangle [7];1,0;-1,1;-1,-1,1,0",
    "Triangle [8];-1,0;1,1;1,-1,-1,0",
};

constexpr int32_t kDefaultWidth = 640, kDefaultHeight = 480;
constexpr int32_t kWindowWidth = 800, kWindowHeight = 600;
// Window sizes below this cannot be used; positions are kept where the window system can still place
// a window.
constexpr int32_t kMinWindowSide = 100, kMaxWindowPosition = 32767;

// The maker's web site, as the settings keep it: host name without scheme and without a closing "/".
QString Default_Website() {
  QString site = Platform::Environment::UpdateSiteRoot();
  for (const char* scheme : {"http://", "https://"})
    if (Platform::StartsWith(site, QLatin1String(scheme))) site = site.mid(int(qstrlen(scheme)));
  while (site.endsWith(QLatin1Char('/'))) site.chop(1);
  return site;
}

QString First_Supported_Type() { return Platform::NthField(supported_types, QStringLiteral(","), 1); }

// The settings file's shape definitions in key order, read only from the keys Shape1 ... ShapeCount
// that the file holds.
QStringList Saved_Shapes(classINI_File& ini) {
  const int32_t count = ini.Get(QStringLiteral("Shapes"), QStringLiteral("Count"), int32_t(0));
  QMap<int32_t, QString> found;
  for (const QString& key : ini.Section_Keys(QStringLiteral("Shapes"))) {
    if (!key.startsWith(QLatin1String("shape"))) continue;
    bool ok = false;
    const int32_t n = key.mid(5).toInt(&ok);
    if (ok && n >= 1 && n <= count && QString::number(n) == key.mid(5)) found.insert(n, QString());
  }
  QStringList shapes;
  for (auto it = found.constBegin(); it != found.constEnd(); ++it)
    shapes << ini.Get(QStringLiteral("Shapes"), QStringLiteral("Shape%1").arg(it.key()), QString());
  return shapes;
}

// The definitions from the settings file, in order: each replaces the first entry of the list with the
// same name (letter case ignored), built-in or from earlier in the file, or joins the list. The entries
// are found by name in a table, so that a long list costs no more per definition than a short one.
void Merge_Shapes(const QStringList& definitions) {
  const auto nameOf = [](const QString& definition) -> std::optional<QString> {
    const qsizetype semicolon = definition.indexOf(QLatin1Char(';'));
    if (semicolon < 0) return std::nullopt;
    return definition.left(semicolon).toCaseFolded();
  };
  QHash<QString, qsizetype> index;
  for (qsizetype i = 0; i < qsizetype(modSHAPES::Shape_List.size()); ++i)
    if (const auto name = nameOf(modSHAPES::Shape_List[int(i)]); name && !index.contains(*name)) index.insert(*name, i);
  for (const QString& definition : definitions) {
    const auto name = nameOf(definition);
    if (!name) continue;
    const auto found = index.constFind(*name);
    if (found != index.constEnd()) {
      modSHAPES::Shape_List[int(found.value())] = definition;
    } else {
      index.insert(*name, qsizetype(modSHAPES::Shape_List.size()));
      modSHAPES::Shape_List.Append(definition);
    }
  }
}
}  // namespace

void Load_Shapes() {
  modSHAPES::Shape_List.clear();
  for (const char* s : kBuiltinShapes) modSHAPES::Shape_List.Append(QString::fromUtf8(s));
}

void Options_Default() {
  option_Draw_Opaque = 0;
  option_ShowColors = true;
  option_ShowTools = true;
  option_ShowRuler = false;
  option_ShowPattern = true;
  option_RulerPixel = true;
  option_SaveAs = First_Supported_Type();
  option_AntiAlias = false;
  option_AutoCheck_Update = true;
  option_Autocheck_Next = QStringLiteral("200912310000");
  option_Background_Color = 0x808080;
  option_Background_Handle_Color = 0x000000;
  option_Lasso_CrossHair = false;
  option_Ruler_Bcolor = 0xE0E0E0;
  option_Ruler_FColor = 0x000000;
  option_ColorPicker = false;
  option_HelpTags = true;
  option_UseOldText = false;
  option_Website = Default_Website();
  option_Grid_Color[0] = 0xC0C0C0;
  option_Grid_Color[1] = 0xA0A0A0;
  option_BrushRandom = true;
  option_BrushOpacity = 128;
  option_ColorMeter_Top = 50;
  option_ColorMeter_Left = 50;
  option_ColorMeter_Mode = 0;
  option_ArrowHead = 0;
  option_ArrowLength = 5;
  option_ArrowWidth = 5;
  option_ArrowConcavity = 0;
  option_Thumbnail_Top = 60;
  option_Thumbnail_Left = 60;
  option_Thumbnail_Width = 200;
  option_Thumbnail_Height = 200;
  option_Transparent_BG_Size = QStringLiteral("L");
  option_Transparent_BG_Color[0] = 0xDBDBDB;
  option_Transparent_BG_Color[1] = 0xFFFFFF;
  option_Printer_Landscape = false;
  option_Printer_Center[0] = false;
  option_Printer_Center[1] = false;
  option_Printer_FitPage = false;
  option_Metric = false;
  option_OS_Scrollbar = false;
  option_Height = kDefaultHeight;
  option_Width = kDefaultWidth;
  option_Color_Picker_Mode = 0;

  win_width = kWindowWidth;
  win_height = kWindowHeight;
  const QSize screen = Platform::Environment::MainScreenSize();
  win_left = (screen.width() - win_width) / 2;
  win_top = (screen.height() - win_height) / 2;

  Load_Shapes();
  last_degree = QStringLiteral("90");
  last_free_degree = QStringLiteral("45");
  last_flip = QStringLiteral("H");
}

Color Select_A_Color(Color colour) {
  using namespace modMAIN;
  Dialog_Color = colour;
  if (option_ColorPicker) {
    Platform::ModalRequest r;
    r.kind = Platform::ModalKind::ColorPicker;
    r.title = QStringLiteral("Select Color");
    r.color = QColor::fromRgb(Platform::ToQRgb(Dialog_Color));
    r.parent = winMAIN::existing();
    const QVariant answer = Platform::ModalHost::Run(r);
    const QColor chosen = answer.value<QColor>();
    Dialog_Cancel = !chosen.isValid();
    if (!Dialog_Cancel) Dialog_Color = Platform::FromQRgb(chosen.rgb());
  } else {
    Dialog_Setup = 1;
    Dialog_Answer = QStringLiteral("Select Color");
    winCOLOR window(winMAIN::existing());
    Platform::ModalHost::RunDialog(&window, winMAIN::existing());
    // A window left without pressing a button was closed: that is a cancel.
    if (!window.Closed()) window.reject();
  }
  return Dialog_Cancel ? colour : Dialog_Color;
}

void Options_Load() {
  using modMAIN::INI_File;
  INI_File = std::make_shared<classINI_File>(Get_Folder_Root()->Child(QStringLiteral("Config.INI")));
  INI_File->Load();
  Options_Default();
  classINI_File& ini = *INI_File;
  const QString options = QStringLiteral("Options");

  option_Draw_Opaque = ini.Get(options, QStringLiteral("Transparent"), option_Draw_Opaque);
  option_ShowColors = ini.Get(options, QStringLiteral("ShowColors"), option_ShowColors);
  option_ShowTools = ini.Get(options, QStringLiteral("ShowTools"), option_ShowTools);
  option_ShowRuler = ini.Get(options, QStringLiteral("ShowRuler"), option_ShowRuler);
  option_ShowPattern = ini.Get(options, QStringLiteral("ShowPattern"), option_ShowPattern);
  option_RulerPixel = ini.Get(options, QStringLiteral("RulerPixel"), option_RulerPixel);
  option_SaveAs = ini.Get(options, QStringLiteral("DefaultType"), option_SaveAs);
  option_AntiAlias = ini.Get(options, QStringLiteral("AntiAlias"), option_AntiAlias);
  option_AutoCheck_Update = ini.Get(options, QStringLiteral("AutoCheckUpdates"), option_AutoCheck_Update);
  option_Autocheck_Next = ini.Get(options, QStringLiteral("AutoCheckNext"), option_Autocheck_Next);
  option_Background_Color = ini.GetColor(options, QStringLiteral("BackGroundColor"), option_Background_Color);
  option_Background_Handle_Color = ini.GetColor(options, QStringLiteral("HandleColor"), option_Background_Handle_Color);
  option_Lasso_CrossHair = ini.Get(options, QStringLiteral("CrossHair"), option_Lasso_CrossHair);
  option_Ruler_Bcolor = ini.GetColor(options, QStringLiteral("Ruler_BColor"), option_Ruler_Bcolor);
  option_Ruler_FColor = ini.GetColor(options, QStringLiteral("Ruler_FColor"), option_Ruler_FColor);
  option_ColorPicker = ini.Get(options, QStringLiteral("ColorPicker"), option_ColorPicker);
  option_HelpTags = ini.Get(options, QStringLiteral("HelpTags"), option_HelpTags);
  option_UseOldText = ini.Get(options, QStringLiteral("OldTextMode"), option_UseOldText);
  option_Website = ini.Get(options, QStringLiteral("Website"), option_Website);
  option_Grid_Color[0] = ini.GetColor(QStringLiteral("Grid"), QStringLiteral("Color1"), option_Grid_Color[0]);
  option_Grid_Color[1] = ini.GetColor(QStringLiteral("Grid"), QStringLiteral("Color2"), option_Grid_Color[1]);
  option_BrushRandom = ini.Get(QStringLiteral("Brush"), QStringLiteral("Random"), option_BrushRandom);
  option_BrushOpacity = ini.Get(QStringLiteral("Brush"), QStringLiteral("Opacity"), option_BrushOpacity);
  option_ColorMeter_Top = ini.Get(QStringLiteral("ColorMeter"), QStringLiteral("Top"), option_ColorMeter_Top);
  option_ColorMeter_Left = ini.Get(QStringLiteral("ColorMeter"), QStringLiteral("Left"), option_ColorMeter_Left);
  option_ColorMeter_Mode = ini.Get(QStringLiteral("ColorMeter"), QStringLiteral("Mode"), option_ColorMeter_Mode);
  // A notation the colour windows do not have reads as the first one.
  if (option_ColorMeter_Mode < 0 || option_ColorMeter_Mode > 2) option_ColorMeter_Mode = 0;
  option_ArrowHead = ini.Get(QStringLiteral("ArrowHead"), QStringLiteral("Style"), option_ArrowHead);
  option_ArrowLength = ini.Get(QStringLiteral("ArrowHead"), QStringLiteral("Length"), option_ArrowLength);
  option_ArrowWidth = ini.Get(QStringLiteral("ArrowHead"), QStringLiteral("Width"), option_ArrowWidth);
  option_ArrowConcavity = ini.Get(QStringLiteral("ArrowHead"), QStringLiteral("Concavity"), option_ArrowConcavity);
  option_Thumbnail_Top = ini.Get(QStringLiteral("ThumbNail"), QStringLiteral("Top"), option_Thumbnail_Top);
  option_Thumbnail_Left = ini.Get(QStringLiteral("ThumbNail"), QStringLiteral("Left"), option_Thumbnail_Left);
  option_Thumbnail_Width = ini.Get(QStringLiteral("ThumbNail"), QStringLiteral("Width"), option_Thumbnail_Width);
  option_Thumbnail_Height = ini.Get(QStringLiteral("ThumbNail"), QStringLiteral("Height"), option_Thumbnail_Height);
  option_Transparent_BG_Size = ini.Get(QStringLiteral("Transparent"), QStringLiteral("Size"), option_Transparent_BG_Size);
  option_Transparent_BG_Color[0] =
      ini.GetColor(QStringLiteral("Transparent"), QStringLiteral("Color1"), option_Transparent_BG_Color[0]);
  option_Transparent_BG_Color[1] =
      ini.GetColor(QStringLiteral("Transparent"), QStringLiteral("Color2"), option_Transparent_BG_Color[1]);
  option_Printer_Landscape = ini.Get(QStringLiteral("Printer"), QStringLiteral("Landscape"), option_Printer_Landscape);
  option_Printer_Center[0] = ini.Get(QStringLiteral("Printer"), QStringLiteral("Center_H"), bool(option_Printer_Center[0]));
  option_Printer_Center[1] = ini.Get(QStringLiteral("Printer"), QStringLiteral("Center_V"), bool(option_Printer_Center[1]));
  option_Printer_FitPage = ini.Get(QStringLiteral("Printer"), QStringLiteral("FitPage"), option_Printer_FitPage);
  option_Metric = ini.Get(QStringLiteral("Printer"), QStringLiteral("Metric"), option_Metric);
  win_left = ini.Get(QStringLiteral("Window"), QStringLiteral("Left"), win_left);
  win_top = ini.Get(QStringLiteral("Window"), QStringLiteral("Top"), win_top);
  win_width = ini.Get(QStringLiteral("Window"), QStringLiteral("Width"), win_width);
  win_height = ini.Get(QStringLiteral("Window"), QStringLiteral("Height"), win_height);
  option_OS_Scrollbar = ini.Get(QStringLiteral("Window"), QStringLiteral("Scrollbar"), option_OS_Scrollbar);

  if (option_Draw_Opaque != 0) option_Draw_Opaque = 1;
  // A hand-edited or damaged file must not make the brush strength or the window unusable.
  option_BrushOpacity = std::clamp(option_BrushOpacity, 0, 255);
  if (win_width < kMinWindowSide || win_height < kMinWindowSide) {
    win_width = kWindowWidth;
    win_height = kWindowHeight;
  }
  // A remembered window is never larger than the part of the screen that windows may cover: the
  // window's surround and its transparency checkerboard are made at its size.
  const QSize room = Platform::Environment::MainScreenAvailable().size();
  win_width = std::min(win_width, std::max(room.width(), kMinWindowSide));
  win_height = std::min(win_height, std::max(room.height(), kMinWindowSide));
  win_left = std::clamp(win_left, -kMaxWindowPosition, kMaxWindowPosition);
  win_top = std::clamp(win_top, -kMaxWindowPosition, kMaxWindowPosition);
  winMAIN::instance()->setGeometry(win_left, win_top, win_width, win_height);

  if (option_SaveAs.isEmpty() || !Is_Supported_Type(option_SaveAs)) option_SaveAs = First_Supported_Type();

  option_Height = ini.Get(QStringLiteral("Canvas"), QStringLiteral("Height"), option_Height);
  option_Width = ini.Get(QStringLiteral("Canvas"), QStringLiteral("Width"), option_Width);
  // The blank document is made from these: a size that cannot be a picture gives the default.
  if (option_Width < 1 || option_Height < 1 || !Platform::Picture::SizeAllowed(option_Width, option_Height)) {
    option_Width = kDefaultWidth;
    option_Height = kDefaultHeight;
  }

  for (int n = 7; n >= 0; --n) {
    const QString path = ini.Get(QStringLiteral("MRU_FILES"), QStringLiteral("MRU%1").arg(n), QString());
    if (path.isEmpty()) continue;
    const Platform::FolderItemPtr item = Platform::FolderItem::FromPath(path);
    if (item && item->Exists() && !item->Directory()) modMAIN::MRUF_Manage(item->ShellPath(), false);
  }

  Merge_Shapes(Saved_Shapes(ini));

  classCOLORS* palette = winMAIN::instance()->classCOLORS1;
  // A palette number the palette does not have would leave too few built-in colours, and switching to a
  // real palette later would write over the custom colours: it loads as the first palette.
  int32_t paletteNumber = ini.Get(QStringLiteral("CustomColors"), QStringLiteral("Palette"), int32_t(0));
  if (paletteNumber < 0 || paletteNumber > 2) paletteNumber = 0;
  palette->Add_Standard_Colors(paletteNumber);
  option_Color_Picker_Mode = ini.Get(QStringLiteral("CustomColors"), QStringLiteral("Mode"), option_Color_Picker_Mode);
  if (option_Color_Picker_Mode < 0 || option_Color_Picker_Mode > 2) option_Color_Picker_Mode = 0;
  const int32_t colours = std::min(15, ini.Get(QStringLiteral("CustomColors"), QStringLiteral("Count"), int32_t(0)));
  for (int32_t i = 1; i <= colours; ++i)
    palette->Add_Color(ini.GetColor(QStringLiteral("CustomColors"), QStringLiteral("Color%1").arg(i), 0x000000));

  modMAIN::Make_Transparent();
}

void Options_Save() {
  if (!modMAIN::INI_File) return;
  classINI_File& ini = *modMAIN::INI_File;
  const QString options = QStringLiteral("Options");
  if (option_Draw_Opaque != 0) option_Draw_Opaque = 1;

  ini.Put(options, QStringLiteral("Transparent"), option_Draw_Opaque);
  ini.Put(options, QStringLiteral("ShowColors"), option_ShowColors);
  ini.Put(options, QStringLiteral("ShowTools"), option_ShowTools);
  ini.Put(options, QStringLiteral("ShowRuler"), option_ShowRuler);
  ini.Put(options, QStringLiteral("ShowPattern"), option_ShowPattern);
  ini.PutColor(options, QStringLiteral("Ruler_BColor"), option_Ruler_Bcolor);
  ini.PutColor(options, QStringLiteral("Ruler_FColor"), option_Ruler_FColor);
  ini.Put(options, QStringLiteral("RulerPixel"), option_RulerPixel);
  ini.Put(options, QStringLiteral("ShowStatus"), true);
  ini.Put(options, QStringLiteral("Website"), option_Website);
  ini.Put(options, QStringLiteral("DefaultType"), option_SaveAs);
  ini.Put(options, QStringLiteral("AntiAlias"), option_AntiAlias);
  ini.Put(options, QStringLiteral("AutoCheckUpdates"), option_AutoCheck_Update);
  ini.Put(options, QStringLiteral("AutoCheckNext"), option_Autocheck_Next);
  ini.Put(options, QStringLiteral("OldTextMode"), option_UseOldText);
  ini.Put(options, QStringLiteral("ColorPicker"), option_ColorPicker);
  ini.Put(options, QStringLiteral("HelpTags"), option_HelpTags);
  ini.PutColor(options, QStringLiteral("BackGroundColor"), option_Background_Color);
  ini.PutColor(options, QStringLiteral("HandleColor"), option_Background_Handle_Color);
  ini.Put(options, QStringLiteral("CrossHair"), option_Lasso_CrossHair);
  ini.PutColor(QStringLiteral("Grid"), QStringLiteral("Color1"), option_Grid_Color[0]);
  ini.PutColor(QStringLiteral("Grid"), QStringLiteral("Color2"), option_Grid_Color[1]);
  ini.Put(QStringLiteral("Brush"), QStringLiteral("Random"), option_BrushRandom);
  ini.Put(QStringLiteral("Brush"), QStringLiteral("Opacity"), option_BrushOpacity);

  const QRect bounds = winMAIN::instance()->geometry();
  ini.Put(QStringLiteral("Window"), QStringLiteral("Left"), int32_t(bounds.x()));
  ini.Put(QStringLiteral("Window"), QStringLiteral("Top"), int32_t(bounds.y()));
  ini.Put(QStringLiteral("Window"), QStringLiteral("Width"), int32_t(bounds.width()));
  ini.Put(QStringLiteral("Window"), QStringLiteral("Height"), int32_t(bounds.height()));
  ini.Put(QStringLiteral("Window"), QStringLiteral("Scrollbar"), option_OS_Scrollbar);

  ini.Put(QStringLiteral("ColorMeter"), QStringLiteral("Top"), option_ColorMeter_Top);
  ini.Put(QStringLiteral("ColorMeter"), QStringLiteral("Left"), option_ColorMeter_Left);
  ini.Put(QStringLiteral("ColorMeter"), QStringLiteral("Mode"), option_ColorMeter_Mode);
  ini.Put(QStringLiteral("ThumbNail"), QStringLiteral("Top"), option_Thumbnail_Top);
  ini.Put(QStringLiteral("ThumbNail"), QStringLiteral("Left"), option_Thumbnail_Left);
  ini.Put(QStringLiteral("ThumbNail"), QStringLiteral("Width"), option_Thumbnail_Width);
  ini.Put(QStringLiteral("ThumbNail"), QStringLiteral("Height"), option_Thumbnail_Height);
  ini.Put(QStringLiteral("Transparent"), QStringLiteral("Size"), option_Transparent_BG_Size);
  ini.PutColor(QStringLiteral("Transparent"), QStringLiteral("Color1"), option_Transparent_BG_Color[0]);
  ini.PutColor(QStringLiteral("Transparent"), QStringLiteral("Color2"), option_Transparent_BG_Color[1]);

  if (modMAIN::work_area) {
    ini.Put(QStringLiteral("Canvas"), QStringLiteral("Height"), int32_t(modMAIN::work_area->Height()));
    ini.Put(QStringLiteral("Canvas"), QStringLiteral("Width"), int32_t(modMAIN::work_area->Width()));
  }

  ini.Put(QStringLiteral("ArrowHead"), QStringLiteral("Style"), option_ArrowHead);
  ini.Put(QStringLiteral("ArrowHead"), QStringLiteral("Length"), option_ArrowLength);
  ini.Put(QStringLiteral("ArrowHead"), QStringLiteral("Width"), option_ArrowWidth);
  ini.Put(QStringLiteral("ArrowHead"), QStringLiteral("Concavity"), option_ArrowConcavity);
  ini.Put(QStringLiteral("Printer"), QStringLiteral("Landscape"), option_Printer_Landscape);
  ini.Put(QStringLiteral("Printer"), QStringLiteral("Center_H"), bool(option_Printer_Center[0]));
  ini.Put(QStringLiteral("Printer"), QStringLiteral("Center_V"), bool(option_Printer_Center[1]));
  ini.Put(QStringLiteral("Printer"), QStringLiteral("FitPage"), option_Printer_FitPage);
  ini.Put(QStringLiteral("Printer"), QStringLiteral("Metric"), option_Metric);

  ini.Remove_Section(QStringLiteral("MRU_FILES"));
  int32_t n = 0;
  for (const QString& path : modMAIN::MRU_Files)
    if (!path.trimmed().isEmpty()) ini.Put(QStringLiteral("MRU_FILES"), QStringLiteral("MRU%1").arg(n++), path);

  ini.Put(QStringLiteral("Shapes"), QStringLiteral("Count"), int32_t(modSHAPES::Shape_List.size()));
  for (qsizetype k = 1; k <= qsizetype(modSHAPES::Shape_List.size()); ++k)
    ini.Put(QStringLiteral("Shapes"), QStringLiteral("Shape%1").arg(k), modSHAPES::Shape_List[k - 1]);

  classCOLORS* palette = winMAIN::instance()->classCOLORS1;
  if (palette->CustomColor_Count() > 0) {
    ini.Remove_Section(QStringLiteral("CustomColors"));
    const int32_t left = palette->Remove_Dups();
    for (int32_t i = 1; i <= left; ++i)
      ini.PutColor(QStringLiteral("CustomColors"), QStringLiteral("Color%1").arg(i), palette->CustomColor_GET(i));
    ini.Put(QStringLiteral("CustomColors"), QStringLiteral("Count"), left);
  }
  // The colour window's notation is kept whether or not there are custom colours.
  ini.Put(QStringLiteral("CustomColors"), QStringLiteral("Mode"), option_Color_Picker_Mode);
  ini.Put(QStringLiteral("CustomColors"), QStringLiteral("Palette"), palette->Palette());

  ini.Remove_Section(QStringLiteral("option"));
  // The old file stays whole when the new one cannot be written; the user hears why.
  if (!ini.Save()) modMAIN::myMsgBox(QStringLiteral("!The settings could not be saved.^") + ini.Save_Error(), 0, QString());
}

}  // namespace modOptions
