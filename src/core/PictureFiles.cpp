// Picture files: the type checks, the loader, the notices and the recent files; opening, new documents,
// saving and the colour-depth change.
#include "core/PictureFiles.h"

#include <QTemporaryFile>
#include <new>
#include <vector>

#include "app/ProgramIdentity.h"
#include "app/modOptions.h"
#include "app/modProgress.h"
#include "core/Geometry.h"
#include "core/Messages.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"
#include "platform/PictureIO.h"
#include "platform/PngExportDialog.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace modMAIN {

using Platform::FolderItem;
using Platform::ModalHost;
using Platform::ModalKind;
using Platform::ModalRequest;

namespace {

// The line break inside alert texts.
const QString kBreak = QStringLiteral("\n");

// Why the last load of a file gave no picture, when the reason was not the file's contents.
struct LoadFailure {
  QString path;
  QSize size;
  bool tooLarge = false;     // over the program's size limit
  bool outOfMemory = false;  // within it, but it did not fit in memory
  QString error;             // the converter's reason (its time-out)
};
LoadFailure& LastFailure() {
  static LoadFailure f;
  return f;
}

// The platform's standard alert as a sheet on the main window; returns the caption of the button pressed.
QString Alert(const QString& message, const QString& explanation, const QString& icon, const QStringList& buttons) {
  ModalRequest r;
  r.kind = ModalKind::Alert;
  r.title = PGM_Name;
  r.message = message;
  r.explanation = explanation;
  r.icon = icon;
  r.buttons = buttons;
  r.sheet = true;
  r.parent = winMAIN::instance();
  return ModalHost::Run(r).toString();
}

QString TypeOf(const FolderItemPtr& file) {
  QString type;
  if (file) Get_File_Ext(file->Name(), type);
  return type;
}

// The supported types as the notices list them: ".PNG, .JPG, .BMP, .PICT, .GIF or .TIFF".
QString TypeList() {
  const QStringList types = modOptions::supported_types.toUpper().split(QLatin1Char(','));
  QString list;
  for (int i = 0; i + 1 < types.size(); ++i) {
    if (i > 0) list += QStringLiteral(", ");
    list += QLatin1Char('.') + types[i];
  }
  return list + QStringLiteral(" or .") + types.last();
}

}  // namespace

// ---- Picture types, loading and the recent files ----

QString Get_File_Ext(const QString& name, QString& type) {
  type.clear();
  for (qsizetype i = name.size() - 1; i >= 0; --i) {
    const QChar c = name[i];
    if (c == QLatin1Char('/') || c == QLatin1Char('\\')) return name;
    if (c == QLatin1Char('.')) {
      type = name.mid(i + 1);
      return name.left(i);
    }
  }
  return name;
}

bool Valid_image_Type(const FolderItemPtr& file, bool tell) {
  if (!file) return false;
  const QString type = TypeOf(file);
  if (modOptions::Is_Supported_Type(type)) return true;
  if (tell) {
    QString explanation = QStringLiteral("Is not a supported graphic file format.") + kBreak +
                          QStringLiteral("Please use ") + TypeList();
    if (Platform::StrEq(type, QStringLiteral("gif")) || Platform::StrEq(type, QStringLiteral("tiff")))
      explanation += kBreak + kBreak + QStringLiteral("This format requires the ImageMagick 'convert' utility, which") +
                     kBreak + QStringLiteral("was not found on this computer");
    Alert(QStringLiteral("The selected file format '") + type + QLatin1Char('\''), explanation,
          QStringLiteral("caution"), {QStringLiteral("OK")});
  }
  return false;
}

PicturePtr Load_32Bit_Picture(const FolderItemPtr& file) {
  LastFailure() = LoadFailure();
  if (!file || !file->Exists() || !Valid_image_Type(file, true)) return nullptr;
  Platform::DecodedPicture d;
  try {
    d = Platform::PictureIO::Read(file->AbsolutePath(), TypeOf(file));
  } catch (const Platform::OutOfMemoryException&) {
    d = Platform::DecodedPicture();
    d.outOfMemory = true;
  } catch (const std::bad_alloc&) {
    d = Platform::DecodedPicture();
    d.outOfMemory = true;
  }
  if (!d.picture && (d.tooLarge || d.outOfMemory || !d.error.isEmpty()))
    LastFailure() = LoadFailure{file->AbsolutePath(), d.size, d.tooLarge, d.outOfMemory, d.error};
  return d.picture;
}

void Not_a_Valid_image_File(const FolderItemPtr& file) {
  const QString name = file ? file->Name() : QString();
  QString explanation = QStringLiteral("Is not a valid '") + TypeOf(file) + QStringLiteral("' file.");
  const LoadFailure& failure = LastFailure();
  if (file && !failure.path.isEmpty() && failure.path == file->AbsolutePath()) {
    // A picture that fits the program but not the memory it has now is no damaged file.
    if (failure.outOfMemory) {
      Out_Of_Memory_Message();
      return;
    }
    if (failure.tooLarge) {
      explanation = QStringLiteral("Is too large to open");
      if (failure.size.isValid())
        explanation += QStringLiteral(" (%1 x %2 pixels)").arg(failure.size.width()).arg(failure.size.height());
      explanation +=
          QStringLiteral(": at most %1 million pixels can be held.").arg(Platform::Picture::kMaxPixels / 1000000);
    } else if (!failure.error.isEmpty()) {
      explanation = failure.error;
    }
  }
  Alert(QStringLiteral("The selected file '") + name + QLatin1Char('\''), explanation, QStringLiteral("caution"),
        {QStringLiteral("OK")});
}

void MRUF_Manage(const QString& path, bool remove_only) {
  if (path.isEmpty()) return;
  // Paths are compared as the file system compares them: letter case counts.
  const qsizetype i = MRU_Files.indexOf(path);
  if (i == 0 && !remove_only) return;
  if (i >= 0) MRU_Files.removeAt(i);
  if (!remove_only) MRU_Files.prepend(path);
}

// ---- Opening and new documents ----

int32_t msgNeedtoSave(bool revert) {
  if (!img_changed) return 0;
  const QString name = image_FolderObject ? image_FolderObject->Name() : QStringLiteral("Untitled");
  const QString save = QStringLiteral("Save"), dontSave = QStringLiteral("Don\u2019t Save"),
                revertCaption = QStringLiteral("Revert"), cancel = QStringLiteral("Cancel");
  QString message;
  QStringList buttons;
  if (revert) {
    message = QStringLiteral("Do you want to revert to the most recently") + kBreak +
              QStringLiteral("saved version of this picture") + kBreak + QLatin1Char('\'') + name + QStringLiteral("'?");
    buttons = {revertCaption, cancel};
  } else {
    message = QStringLiteral("Do you want to save the changes you made in") + kBreak + QStringLiteral("the picture '") +
              name + QStringLiteral("'?");
    buttons = {save, dontSave, cancel};
  }
  const QString answer =
      Alert(message, QStringLiteral("Your changes will be lost if you don't save them."), QStringLiteral("note"), buttons);
  if (answer == revertCaption) return 1;
  // Going on after "Save" is safe only when the save wrote the file; otherwise it counts as cancel.
  if (answer == save) return Save_Image() ? 1 : -1;
  if (answer == dontSave) return 0;
  return -1;
}

namespace {

// Opens the file as the document; askToSave false when the caller has already dealt with unsaved changes.
bool OpenDocument(FolderItemPtr file, bool askToSave) {
  winMAIN* w = winMAIN::instance();
  w->Reset_Everything();
  if (file && !Valid_image_Type(file, true)) return false;
  if (askToSave && msgNeedtoSave(false) == -1) return false;
  if (!file) {
    ModalRequest r;
    r.kind = ModalKind::OpenFile;
    r.title = QStringLiteral("Open Image File");
    r.parent = w;
    const QString path = ModalHost::Run(r).toString();
    if (path.isEmpty()) return false;
    file = FolderItem::FromPath(path);
    if (!Valid_image_Type(file, true)) return false;
  }
  PicturePtr picture = Load_32Bit_Picture(file);
  if (!picture) {
    Not_a_Valid_image_File(file);
    return false;
  }
  // The working picture is made before the document changes: when the memory for it cannot be had,
  // title, history and picture stay those of the old document.
  PicturePtr working;
  try {
    working = Working_Picture_Of(*picture, false);
  } catch (const Platform::OutOfMemoryException&) {
    Out_Of_Memory_Message();
    return false;
  } catch (const std::bad_alloc&) {
    Out_Of_Memory_Message();
    return false;
  }

  MRUF_Manage(file->ShellPath(), false);
  image_FolderObject = file;
  w->update_title();
  pic_Stack.clear();
  pic_Stack.Append(picture);
  Current_Picture = 0;
  Working_Color_Depth = picture->Depth();
  Save_as_Transparent = false;
  Use_Working_Picture(working);
  w->Scroll_To_Top_Left();
  w->Arrange_Controls();
  w->Update_Display();
  w->canvas_BG->Invalidate(true);
  w->SetWindowModified(false);

  // The zoom: 100 % when the picture fits the view, else 50 % when it fits at that, else 25 %.
  const double pw = picture->Width(), ph = picture->Height();
  const double cw = w->canvas_BG->width(), ch = w->canvas_BG->height();
  float zoom = 1;
  while (zoom > 0.25f) {
    if (pw * zoom <= cw && ph * zoom < ch) break;
    zoom /= 2;
  }
  if (Zoom != zoom) w->Set_Zoom(zoom);
  return true;
}

}  // namespace

bool Open_File(const FolderItemPtr& file) { return OpenDocument(file, true); }

bool Revert_to_Saved() {
  if (!image_FolderObject) return false;
  if (msgNeedtoSave(true) == -1) return false;
  // The modified mark is cleared by the open, and only when the file could be read again.
  return OpenDocument(image_FolderObject, false);
}

void image_New() {
  if (msgNeedtoSave(false) == -1) return;
  winMAIN* w = winMAIN::instance();
  // Tool states end before the history is replaced: a floating selection is dropped into the old
  // document, not committed into the new one.
  w->Reset_Everything();
  int32_t width = modOptions::option_Width, height = modOptions::option_Height;
  if (!Platform::Picture::SizeAllowed(width, height)) {
    // A canvas size that cannot be made (a damaged settings file) gives the default size.
    width = 640;
    height = 480;
  }
  // The blank picture and its working picture are made before the document changes: when the memory
  // for them cannot be had, the old document stays whole.
  PicturePtr blank, working;
  try {
    blank = Platform::Picture::Create(width, height, 32);
    working = Working_Picture_Of(*blank, false);
  } catch (const Platform::OutOfMemoryException&) {
    Out_Of_Memory_Message();
    return;
  } catch (const std::bad_alloc&) {
    Out_Of_Memory_Message();
    return;
  }
  pic_Stack.clear();
  Working_Color_Depth = 32;
  pic_Stack.Append(blank);
  active_DRAG = false;
  active_SHAPE = false;
  active_TEXTMODE = false;
  active_ERASER = false;
  Set_Active_Lasso(false);
  Current_Picture = 0;
  w->SetWindowModified(false);
  Save_as_Transparent = false;
  image_FolderObject.reset();
  // The blank state is white without a mask already: what Clear_Canvas would do, with the working
  // picture made above.
  Use_Working_Picture(working);
  w->Scroll_To_Top_Left();
  w->Update_Display();
  w->update_title();
  w->C_INVALIDATE();
}

void Clear_Canvas() {
  const PicturePtr& state = Platform::Checked(pic_Stack[Current_Picture], "history state");
  state->Image().fill(0xFFFFFFFFu);
  Add_Mask(state, false);
  Save_as_Transparent = false;
  Move_to_WorkArea();
  winMAIN::instance()->Update_Display();
}

// ---- Saving and colour depth ----

bool Save_Image() {
  if (!image_FolderObject) return Save_image_As();
  return Save_image_File(image_FolderObject);
}

bool Save_image_As() {
  const QString offered = image_FolderObject ? image_FolderObject->Name()
                                             : QStringLiteral("untitled.") + modOptions::option_SaveAs;
  QString defaultType;
  const QString base = Get_File_Ext(offered, defaultType);

  ModalRequest r;
  r.kind = ModalKind::SaveFile;
  r.title = QStringLiteral("Save Image [Default=") + defaultType + QLatin1Char(']');
  r.defaultName = base;
  if (image_FolderObject && image_FolderObject->Parent()) r.folder = image_FolderObject->Parent()->AbsolutePath();
  r.parent = winMAIN::instance();
  const QString path = ModalHost::Run(r).toString();
  if (path.isEmpty()) return false;
  const FolderItemPtr chosen = FolderItem::FromPath(path);

  QString name = chosen->Name().trimmed();
  while (name.endsWith(QLatin1Char('.'))) {
    name.chop(1);
    name = name.trimmed();
  }
  QString finalName;
  if (Platform::StrEq(name, base)) {
    finalName = base + QLatin1Char('.') + defaultType;
  } else {
    QString type;
    const QString base2 = Get_File_Ext(name, type);
    // "Shot 10.30 AM": the text after the point is a time, not a type.
    if (Platform::StrEq(type.right(3), QStringLiteral(" AM")) || Platform::StrEq(type.right(3), QStringLiteral(" PM")))
      type.clear();
    if (type.isEmpty()) type = defaultType;
    finalName = base2 + QLatin1Char('.') + type;
  }
  const FolderItemPtr parent = chosen->Parent();
  const FolderItemPtr target = parent ? parent->Child(finalName) : FolderItem::FromPath(finalName);

  // The save dialog does not confirm replacing a file; the program asks for every file that exists.
  if (target->Exists() && myMsgBox(QStringLiteral("Image File already exists^Do you wish to overwrite it?"), 36) != MSG_YES)
    return false;
  if (!Valid_image_Type(target, true)) return false;
  return Save_image_File(target);
}

namespace {
enum class WriteKind { Png, Converted, Bmp, Jpeg };
}

bool Save_image_File(const FolderItemPtr& file) {
  winMAIN* w = winMAIN::instance();
  const FolderItem& target = Platform::Deref(file, "file");
  const bool wasBusy = Platform::Environment::BusyCursor();
  w->Reset_Everything();

  const QString type = TypeOf(file);
  WriteKind kind;
  if (Platform::StrEq(type, QStringLiteral("png"))) kind = WriteKind::Png;
  else if (Platform::StrEq(type, QStringLiteral("gif")) || Platform::StrEq(type, QStringLiteral("tiff")))
    kind = WriteKind::Converted;
  else if (Platform::StrEq(type, QStringLiteral("bmp"))) kind = WriteKind::Bmp;
  else if (Platform::StrEq(type, QStringLiteral("jpg")) || Platform::StrEq(type, QStringLiteral("jpeg")))
    kind = WriteKind::Jpeg;
  else {
    myMsgBox(QStringLiteral("Unknown File format^") + type, 16);
    return false;
  }
  const bool keepsTransparency = kind == WriteKind::Png || kind == WriteKind::Converted;
  const PicturePtr state = Platform::Checked(pic_Stack[Current_Picture], "history state");
  if (keepsTransparency) Add_Mask(state, Save_as_Transparent);

  if (Save_as_Transparent && !keepsTransparency) {
    const QString answer = Alert(QStringLiteral("The selected file format '") + type + QLatin1Char('\'') + kBreak +
                                     QStringLiteral("does not support transparency."),
                                 QStringLiteral("Do you still wish to save image in this format?"),
                                 QStringLiteral("caution"), {QStringLiteral("Yes"), QStringLiteral("No")});
    if (answer != QLatin1String("Yes")) return false;
    Save_as_Transparent = false;
  }

  Platform::Environment::SetBusyCursor(true);
  Platform::WriteResult result;
  try {
    Move_to_WorkArea();
    const PicturePtr mask = keepsTransparency && Save_as_Transparent ? state->MaskIfAny() : nullptr;
    const QImage image = Platform::PictureIO::ImageToWrite(*Platform::Checked(work_area, "work_area"), mask.get());
    const QString path = target.AbsolutePath();
    switch (kind) {
      case WriteKind::Png: result = Platform::PictureIO::Write(image, path, "png"); break;
      case WriteKind::Bmp: result = Platform::PictureIO::Write(image, path, "bmp"); break;
      case WriteKind::Jpeg: result = Platform::PictureIO::Write(image, path, "jpeg"); break;
      case WriteKind::Converted: result = Platform::PictureIO::WriteConverted(image, path, type.toLower()); break;
    }
  } catch (...) {
    Platform::Environment::SetBusyCursor(wasBusy);
    throw;
  }
  Platform::Environment::SetBusyCursor(wasBusy);

  if (result.converterMissing) {
    Platform::Environment::Beep();
    myMsgBox(QStringLiteral("ImageMagick Not Found^The Image Conversion utility 'convert'^was not located on this "
                            "computer.^^This is required for GIF and TIFF file^formats."),
             16);
  } else if (!result.ok) {
    QString reason = result.error.trimmed();
    if (reason.size() > 300) reason = reason.left(300) + QStringLiteral("...");
    myMsgBox(QStringLiteral("!The picture could not be saved as '") + target.Name() + QStringLiteral("'.^") + reason);
  } else {
    MRUF_Manage(target.ShellPath(), false);
    w->SetWindowModified(false);
    image_FolderObject = file;
    w->update_title();
  }
  active_DRAG = false;
  w->Reset_Everything();
  w->Revert_to_Last_Draw_Tool(false);
  return result.ok;
}

void Add_Mask(const PicturePtr& picture, bool add) {
  if (!picture) return;
  if (!add) {
    picture->RemoveMask();
    return;
  }
  // White in the mask (transparent) exactly where the picture is pure white; black (opaque) elsewhere.
  // The colour is read row by row, so that a history state kept as tiles stays so.
  QImage& mask = picture->Mask()->Image();
  const int w = picture->Width();
  std::vector<QRgb> s(static_cast<size_t>(w));
  modProgress::Progress_Start(w, picture->Height());
  modProgress::Progress_Scope progress;
  for (int y = 0; y < picture->Height(); ++y) {
    uchar* m = mask.scanLine(y);
    picture->ReadRow(y, s.data());
    for (int x = 0; x < w; ++x) m[x] = (s[size_t(x)] & 0xFFFFFFu) == 0xFFFFFFu ? 255 : 0;
    modProgress::Progress_Check(w);
  }
}

void image_change_depth() { image_Change_Depth_old(); }

void image_Change_Depth_old() {
  if (!work_area) return;
  winMAIN* w = winMAIN::instance();
  Platform::PngExportDialog dialog(w);
  ModalRequest r;
  r.kind = ModalKind::Dialog;
  r.title = dialog.windowTitle();
  r.dialog = &dialog;
  r.parent = w;
  ModalHost::Run(r);
  // Cancel changes nothing.
  if (dialog.result() != QDialog::Accepted) return;

  QTemporaryFile temp(Platform::FolderItem::Temporary()->AbsolutePath() + QStringLiteral("/pixmura-depth-XXXXXX.png"));
  QString error;
  PicturePtr picture;
  if (!temp.open()) {
    error = temp.errorString();
  } else {
    temp.close();
    const Platform::WriteResult written =
        Platform::PictureIO::Write(Platform::ReduceToDepth(*work_area, dialog.Depth()), temp.fileName(), "png");
    if (!written.ok) error = written.error;
    else picture = Load_32Bit_Picture(FolderItem::FromPath(temp.fileName()));
  }
  if (!picture) {
    // The working picture and the history stay as they were.
    myMsgBox(QStringLiteral("!The colour depth could not be changed.^") +
             (error.isEmpty() ? QStringLiteral("The picture could not be read back.") : error));
    return;
  }
  Working_Color_Depth = picture->Depth();
  PicturePtr fresh = picture->CopyAtDepth(32);
  Platform::Graphics g = fresh->Graphics();
  RenderMode(g, true);
  work_area = fresh;
  Save_as_Transparent = false;
  set_workarea_mask();
  Pensize_GET();
  w->Draw_Complete();
}

}  // namespace modMAIN
