#include "app/BundleResources.h"

#include <QHash>
#include <QImageReader>
#include <QPixmap>

namespace Resources {

namespace {

struct PictureEntry {
  const char* file;
  bool transparent;  // white is drawn as transparent
};

struct CursorEntry {
  const char* file;
  int resourceId;  // the id the cursor is known by
  int hotX, hotY;
};

struct Cache {
  QString folder = QStringLiteral(":/bundle");
  QHash<QString, PicturePtr> pictures;
  QHash<QString, CursorPtr> cursors;
};
Cache& C() {
  static Cache c;
  return c;
}

PicturePtr Picture(const PictureEntry& e) {
  const QString file = QString::fromLatin1(e.file);
  if (PicturePtr cached = C().pictures.value(file)) return cached;
  QImageReader reader(C().folder + QLatin1Char('/') + file);
  const QImage img = reader.read();
  if (img.isNull()) return nullptr;
  PicturePtr picture = Platform::Picture::FromImage(img, 32);
  if (e.transparent) picture->Transparent = 1;
  C().pictures.insert(file, picture);
  return picture;
}

CursorPtr Cursor(const CursorEntry& e) {
  const QString file = QString::fromLatin1(e.file);
  if (CursorPtr cached = C().cursors.value(file)) return cached;
  QPixmap pixmap;
  if (!pixmap.load(C().folder + QLatin1Char('/') + file)) return nullptr;
  auto cursor = std::make_shared<QCursor>(pixmap, e.hotX, e.hotY);
  C().cursors.insert(file, cursor);
  return cursor;
}

}  // namespace

PicturePtr msg_stop() { return Picture({"msg_stop.png", false}); }
PicturePtr msg_question() { return Picture({"msg_question.png", false}); }
PicturePtr msg_exclam() { return Picture({"msg_exclam.png", false}); }
PicturePtr msg_info() { return Picture({"msg_info.png", false}); }
PicturePtr color_spot() { return Picture({"color_spot.png", false}); }
PicturePtr handle_pic() { return Picture({"handle.png", true}); }
PicturePtr pgm_logo() { return Picture({"pal128.png", false}); }
PicturePtr pixmura_tools() { return Picture({"pixmura_tools.png", false}); }
PicturePtr pixmura_brushes() { return Picture({"pixmura_brushes.png", false}); }
PicturePtr up() { return Picture({"up.png", false}); }
PicturePtr down() { return Picture({"down.png", false}); }
PicturePtr normal() { return Picture({"normal.png", false}); }
PicturePtr logo_name() { return Picture({"logo_name.png", true}); }
PicturePtr v_slider() { return Picture({"v_slider.png", false}); }
PicturePtr h_slider() { return Picture({"h_slider.png", false}); }

CursorPtr cursor_pencil() { return Cursor({"cursor_pencil.png", 168, 1, 30}); }
CursorPtr cursor_eyedropper() { return Cursor({"cursor_eyedropper.png", 169, 1, 30}); }
CursorPtr cursor_airbrush() { return Cursor({"cursor_airbrush.png", 170, 3, 3}); }
CursorPtr cursor_bucket() { return Cursor({"cursor_bucket.png", 171, 28, 28}); }
CursorPtr cursor_brush() { return Cursor({"cursor_brush.png", 172, 1, 30}); }
CursorPtr cursor_crosshair() { return Cursor({"cursor_crosshair.png", 173, 15, 15}); }
CursorPtr cursor_lasso() { return Cursor({"cursor_lasso.png", 174, 4, 30}); }
CursorPtr Hourglass() { return Cursor({"cursor_hourglass.png", 175, 15, 15}); }

void Release_Cursors() { C().cursors.clear(); }

QString Folder() { return C().folder; }

void SetFolder(const QString& folder) {
  C().folder = folder;
  Forget();
}

void Forget() {
  C().pictures.clear();
  C().cursors.clear();
}

}  // namespace Resources
