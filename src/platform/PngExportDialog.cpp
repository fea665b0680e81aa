#include "platform/PngExportDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "platform/Picture.h"
#include "platform/PictureIO.h"
#include "platform/RuntimeError.h"

namespace Platform {

namespace {
PngDepth& Remembered() {
  static PngDepth d = PngDepth::Millions;
  return d;
}
}  // namespace

QStringList PngExportDialog::DepthNames() {
  return {QStringLiteral("Black & White"),      QStringLiteral("4 Grays"),
          QStringLiteral("16 Grays"),           QStringLiteral("256 Grays"),
          QStringLiteral("16 Colors"),          QStringLiteral("256 Colors"),
          QStringLiteral("Thousands of Colors"), QStringLiteral("Millions of Colors"),
          QStringLiteral("Millions of Colors+")};
}

void PngExportDialog::ResetRemembered() { Remembered() = PngDepth::Millions; }

PngExportDialog::PngExportDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PngExportDialog"));
  setWindowTitle(QStringLiteral("PNG Export Settings"));
  setModal(true);
  setFixedSize(300, 96);

  auto* label = new QLabel(QStringLiteral("Depth:"), this);
  label->setObjectName(QStringLiteral("lblDepth"));
  label->setGeometry(15, 15, 60, 24);
  popDepth = new QComboBox(this);
  popDepth->setObjectName(QStringLiteral("popDepth"));
  popDepth->addItems(DepthNames());
  popDepth->setGeometry(80, 15, 205, 24);
  popDepth->setCurrentIndex(int(Remembered()));

  pbOK = new QPushButton(QStringLiteral("OK"), this);
  pbOK->setObjectName(QStringLiteral("pbOK"));
  pbOK->setGeometry(205, 58, 80, 24);
  pbOK->setDefault(true);
  connect(pbOK, &QPushButton::clicked, this, &PngExportDialog::pbOK_Action);
  pbCancel = new QPushButton(QStringLiteral("Cancel"), this);
  pbCancel->setObjectName(QStringLiteral("pbCancel"));
  pbCancel->setGeometry(113, 58, 80, 24);
  connect(pbCancel, &QPushButton::clicked, this, &PngExportDialog::pbCancel_Action);
}

PngDepth PngExportDialog::Depth() const { return PngDepth(popDepth->currentIndex()); }
void PngExportDialog::SetDepth(PngDepth depth) { popDepth->setCurrentIndex(int(depth)); }

void PngExportDialog::pbOK_Action() {
  Remembered() = Depth();
  accept();
}

void PngExportDialog::pbCancel_Action() { reject(); }

namespace {

QImage Greys(const QImage& rgb, int levels) {
  QImage out = AllocateImage(rgb.width(), rgb.height(), QImage::Format_Indexed8);
  QList<QRgb> table;
  for (int i = 0; i < levels; ++i) {
    const int v = i * 255 / (levels - 1);
    table << qRgb(v, v, v);
  }
  out.setColorTable(table);
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* s = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    uchar* d = out.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x) d[x] = uchar((qGray(s[x]) * (levels - 1) + 127) / 255);
  }
  return out;
}

const QList<QRgb>& SixteenColours() {
  static const QList<QRgb> t = {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                                qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                                qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                                qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
  return t;
}

QImage NotNull(QImage img) {
  if (img.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to change the colour depth"));
  return img;
}

}  // namespace

QImage ReduceToDepth(const Picture& picture, PngDepth depth) {
  const QImage rgb = PictureIO::ImageToWrite(picture);
  switch (depth) {
    case PngDepth::BlackAndWhite:
      return NotNull(rgb.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::DiffuseDither));
    case PngDepth::Grays4: return Greys(rgb, 4);
    case PngDepth::Grays16: return Greys(rgb, 16);
    case PngDepth::Grays256: return Greys(rgb, 256);
    case PngDepth::Colors16:
      return NotNull(rgb.convertToFormat(QImage::Format_Indexed8, SixteenColours(), Qt::DiffuseDither));
    case PngDepth::Colors256:
      return NotNull(rgb.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither));
    case PngDepth::Thousands:
      return NotNull(NotNull(rgb.convertToFormat(QImage::Format_RGB555)).convertToFormat(QImage::Format_RGB32));
    case PngDepth::Millions: return rgb;
    case PngDepth::MillionsPlus: {
      // Always with an alpha channel: opaque where the picture has no mask.
      const PicturePtr mask = picture.MaskIfAny();
      if (mask) return PictureIO::ImageToWrite(picture, mask.get());
      return NotNull(rgb.convertToFormat(QImage::Format_ARGB32));
    }
  }
  return rgb;
}

}  // namespace Platform
