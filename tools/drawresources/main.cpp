// Draws the program's bundle pictures and cursors and writes them as PNG files into the folder given
// on the command line (src/resources). Every picture is drawn here from simple shapes; run it again
// after changing a drawing and commit the files it writes.
//
//   cmake --build build/test --target drawresources && build/test/drawresources src/resources
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <cmath>
#include <functional>

namespace {

QString g_out;
int g_failures = 0;

void Save(const QImage& img, const QString& name) {
  const QString path = g_out + QLatin1Char('/') + name;
  if (!img.save(path, "png")) {
    QTextStream(stderr) << "cannot write " << path << "\n";
    ++g_failures;
  }
}

QImage Blank(int w, int h, bool alpha) {
  QImage img(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  img.fill(alpha ? Qt::transparent : Qt::white);
  return img;
}

void Smooth(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPen Pen(QColor c, double w) {
  QPen pen(c, w);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// A closed outline through the points.
QPainterPath Closed(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

// A paint brush along the x axis: the handle from 0 to the right, the metal ferrule left of it and the
// tip in paint further left; `width` across the handle.
void Brush(QPainter& p, double width, double handle, double ferrule, double tip, QColor paint) {
  const double h = (width + 1) / 2;
  p.setBrush(QColor(0x8B, 0x4A, 0x1C));
  p.drawRoundedRect(QRectF(0, -width / 2, handle, width), width / 2, width / 2);
  p.setBrush(QColor(0xB8, 0xB8, 0xC0));
  p.drawRect(QRectF(-ferrule, -h, ferrule, 2 * h));
  QPainterPath t;
  t.moveTo(-ferrule, -h);
  t.cubicTo(-ferrule - 0.46 * tip, -0.9 * h, -ferrule - 0.77 * tip, 0, -ferrule - tip, 0);
  t.cubicTo(-ferrule - 0.77 * tip, 0, -ferrule - 0.46 * tip, 0.9 * h, -ferrule, h);
  t.closeSubpath();
  p.setBrush(paint);
  p.drawPath(t);
}

// ---- Message-box icons (64 x 64, transparent around the shape) ----

void MessageIcons() {
  {  // Stop: a red octagon with a white bar.
    QImage img = Blank(64, 64, true);
    QPainter p(&img);
    Smooth(p);
    QPolygonF oct;
    for (int i = 0; i < 8; ++i) {
      const double a = (22.5 + 45 * i) * M_PI / 180;
      oct << QPointF(32 + 29 * std::cos(a), 32 + 29 * std::sin(a));
    }
    p.setPen(Pen(QColor(0x80, 0x10, 0x10), 2));
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    p.drawPolygon(oct);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFA, 0xFA, 0xFA));
    p.drawRoundedRect(QRectF(14, 27, 36, 10), 3, 3);
    Save(img, QStringLiteral("msg_stop.png"));
  }
  {  // Question: a blue disc with a white question mark.
    QImage img = Blank(64, 64, true);
    QPainter p(&img);
    Smooth(p);
    p.setPen(Pen(QColor(0x1A, 0x3F, 0x8A), 2));
    p.setBrush(QColor(0x2E, 0x6B, 0xD1));
    p.drawEllipse(QRectF(3, 3, 58, 58));
    QPainterPath q;
    q.moveTo(22, 24);
    q.cubicTo(22, 12, 42, 12, 42, 24);
    q.cubicTo(42, 31, 32, 31, 32, 40);
    p.setPen(Pen(QColor(0xFA, 0xFA, 0xFA), 6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(q);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFA, 0xFA, 0xFA));
    p.drawEllipse(QPointF(32, 50), 4, 4);
    Save(img, QStringLiteral("msg_question.png"));
  }
  {  // Exclamation: a yellow warning triangle with a black mark.
    QImage img = Blank(64, 64, true);
    QPainter p(&img);
    Smooth(p);
    const QPainterPath t = Closed({{32, 4}, {61, 58}, {3, 58}});
    p.setPen(Pen(QColor(0x8A, 0x6A, 0x00), 3));
    p.setBrush(QColor(0xF6, 0xC8, 0x1E));
    p.drawPath(t);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const QPainterPath bar = Closed({{28.5, 20}, {35.5, 20}, {34, 42}, {30, 42}});
    p.drawPath(bar);
    p.drawEllipse(QPointF(32, 50), 3.5, 3.5);
    Save(img, QStringLiteral("msg_exclam.png"));
  }
  {  // Information: a blue disc with a white "i".
    QImage img = Blank(64, 64, true);
    QPainter p(&img);
    Smooth(p);
    p.setPen(Pen(QColor(0x1A, 0x3F, 0x8A), 2));
    p.setBrush(QColor(0x3C, 0x8C, 0xE0));
    p.drawEllipse(QRectF(3, 3, 58, 58));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFA, 0xFA, 0xFA));
    p.drawEllipse(QPointF(32, 17), 4.5, 4.5);
    p.drawRoundedRect(QRectF(27.5, 26, 9, 26), 2, 2);
    Save(img, QStringLiteral("msg_info.png"));
  }
}

// ---- Small pictures ----

void SmallPictures() {
  {  // The colour button's spot: a colour wheel.
    QImage img = Blank(16, 16, true);
    QPainter p(&img);
    Smooth(p);
    QConicalGradient wheel(8, 8, 0);
    for (int i = 0; i <= 6; ++i) wheel.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 230, 240));
    p.setPen(Pen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(wheel);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    Save(img, QStringLiteral("color_spot.png"));
  }
  {  // The canvas-size handle: a 9 x 9 square centred on the handle point (white shows as transparent).
    QImage img = Blank(9, 9, false);
    QPainter p(&img);
    p.fillRect(0, 0, 9, 9, QColor(0x20, 0x20, 0x20));
    p.fillRect(1, 1, 7, 7, QColor(0x3A, 0x78, 0xD8));
    p.fillRect(2, 2, 3, 3, QColor(0x8C, 0xB8, 0xF0));
    Save(img, QStringLiteral("handle.png"));
  }
  for (int up = 0; up < 2; ++up) {  // The page buttons: 18 x 19 with an arrow.
    QImage img = Blank(18, 19, false);
    QPainter p(&img);
    Smooth(p);
    QLinearGradient face(0, 0, 0, 19);
    face.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
    face.setColorAt(1, QColor(0xD0, 0xD0, 0xD0));
    p.setPen(Pen(QColor(0x88, 0x88, 0x88), 1));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0.5, 0.5, 17, 18), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    QPolygonF arrow;
    if (up) arrow << QPointF(9, 5) << QPointF(14, 12) << QPointF(4, 12);
    else arrow << QPointF(4, 7) << QPointF(14, 7) << QPointF(9, 14);
    p.drawPolygon(arrow);
    Save(img, up ? QStringLiteral("up.png") : QStringLiteral("down.png"));
  }
}

// ---- The about window's pictures ----

void Logos() {
  {  // The program's logo: a painter's palette with paint and a brush, 128 x 128.
    QImage img = Blank(128, 128, false);
    QPainter p(&img);
    Smooth(p);
    QPainterPath palette;
    palette.addEllipse(QRectF(8, 22, 112, 86));
    QPainterPath hole;
    hole.addEllipse(QRectF(70, 72, 20, 16));
    QPainterPath notch;
    notch.addEllipse(QRectF(96, 80, 34, 30));
    palette = palette.subtracted(hole).subtracted(notch);
    p.setPen(Pen(QColor(0x6B, 0x45, 0x1E), 3));
    p.setBrush(QColor(0xD9, 0xA8, 0x62));
    p.drawPath(palette);
    const QColor paints[] = {QColor(0xE0, 0x20, 0x20), QColor(0xF0, 0xC0, 0x10), QColor(0x20, 0xA0, 0x40),
                             QColor(0x20, 0x60, 0xD0), QColor(0x90, 0x30, 0xB0)};
    const QPointF spots[] = {QPointF(30, 50), QPointF(52, 38), QPointF(78, 40), QPointF(98, 56), QPointF(34, 78)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
      p.setBrush(paints[i]);
      p.drawEllipse(spots[i], 9, 8);
    }
    // The brush across the palette.
    p.save();
    p.translate(64, 64);
    p.rotate(-40);
    p.translate(-6, 0);
    Brush(p, 8, 62, 12, 26, QColor(0x20, 0x60, 0xD0));
    p.restore();
    Save(img, QStringLiteral("pal128.png"));
  }
  {  // The program's name, 175 x 31, on white (white shows as transparent).
    QImage img = Blank(175, 31, false);
    QPainter p(&img);
    Smooth(p);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    const QString name = QStringLiteral("Pixmura");
    const QColor colours[] = {QColor(0xD0, 0x20, 0x20), QColor(0xE0, 0x80, 0x10), QColor(0xC0, 0xA0, 0x00),
                              QColor(0x20, 0x90, 0x40), QColor(0x20, 0x60, 0xD0), QColor(0x50, 0x30, 0xB0),
                              QColor(0x90, 0x30, 0xB0)};
    const QFontMetricsF fm(f);
    double x = (175 - fm.horizontalAdvance(name)) / 2;
    for (int i = 0; i < name.size(); ++i) {
      p.setPen(colours[i % 7]);
      p.drawText(QPointF(x, 25), name.mid(i, 1));
      x += fm.horizontalAdvance(name.mid(i, 1));
    }
    Save(img, QStringLiteral("logo_name.png"));
  }
}

// ---- The tool palette's icon sheet: 32 x 32 cells on a 33-pixel grid, two columns of nine ----

void Backdrop(QPainter& p, QColor fill, QColor border) {
  p.setPen(Pen(border, 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 5, 5);
}

void DrawTool(QPainter& p, int id) {
  const QColor ink(0x20, 0x20, 0x20);
  QPen dashed = Pen(ink, 1.5);
  dashed.setDashPattern({3, 2});
  dashed.setCapStyle(Qt::FlatCap);
  switch (id) {
    case 1: {  // free-hand selection: a dashed loop with its rope end
      QPainterPath loop;
      loop.moveTo(10, 22);
      loop.cubicTo(2, 16, 6, 5, 17, 5);
      loop.cubicTo(28, 5, 30, 15, 22, 20);
      loop.cubicTo(17, 23, 12, 23, 10, 22);
      p.setPen(dashed);
      p.setBrush(Qt::NoBrush);
      p.drawPath(loop);
      p.setPen(Pen(ink, 1.5));
      p.drawLine(QPointF(10, 22), QPointF(7, 28));
      break;
    }
    case 2: {  // pencil
      p.save();
      p.translate(16, 16);
      p.rotate(-45);
      p.setPen(Pen(ink, 1));
      p.setBrush(QColor(0xF2, 0xC2, 0x2A));
      p.drawRect(QRectF(-8, -3.5, 16, 7));
      p.setBrush(QColor(0xE8, 0x8A, 0x9A));
      p.drawRect(QRectF(8, -3.5, 4, 7));
      QPolygonF wood;
      wood << QPointF(-8, -3.5) << QPointF(-14, 0) << QPointF(-8, 3.5);
      p.setBrush(QColor(0xE6, 0xC8, 0x96));
      p.drawPolygon(wood);
      QPolygonF lead;
      lead << QPointF(-12, -1.2) << QPointF(-14, 0) << QPointF(-12, 1.2);
      p.setBrush(ink);
      p.drawPolygon(lead);
      p.restore();
      break;
    }
    case 3: {  // eraser
      p.save();
      p.translate(16, 17);
      p.rotate(-30);
      p.setPen(Pen(ink, 1));
      p.setBrush(QColor(0xF0, 0xA0, 0xA8));
      p.drawRoundedRect(QRectF(-11, -6, 22, 12), 2, 2);
      p.setBrush(QColor(0x4A, 0x7A, 0xC8));
      p.drawRoundedRect(QRectF(2, -6, 9, 12), 2, 2);
      p.restore();
      break;
    }
    case 4: {  // flood fill: a tipped bucket pouring paint
      p.save();
      p.translate(14, 15);
      p.rotate(-30);
      p.setPen(Pen(ink, 1.2));
      p.setBrush(QColor(0xB8, 0xBC, 0xC4));
      QPolygonF bucket;
      bucket << QPointF(-8, -6) << QPointF(8, -6) << QPointF(6, 9) << QPointF(-6, 9);
      p.drawPolygon(bucket);
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(-8, -14, 16, 16), 0, 180 * 16);
      p.restore();
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0x2E, 0x6B, 0xD1));
      QPainterPath drip;
      drip.moveTo(22, 9);
      drip.cubicTo(28, 12, 28, 20, 26, 26);
      drip.cubicTo(24, 28, 22, 26, 23, 22);
      drip.cubicTo(24, 17, 22, 13, 22, 9);
      p.drawPath(drip);
      break;
    }
    case 5:  // line
      p.setPen(Pen(ink, 2));
      p.drawLine(QPointF(6, 26), QPointF(26, 6));
      break;
    case 6:  // rectangle
      p.setPen(Pen(ink, 2));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(6, 8, 20, 16));
      break;
    case 7:  // rounded rectangle
      p.setPen(Pen(ink, 2));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRectF(6, 8, 20, 16), 5, 5);
      break;
    case 8: {  // text: a capital A
      QPainterPath a;
      a.moveTo(7, 26);
      a.lineTo(16, 5);
      a.lineTo(25, 26);
      a.moveTo(10.5, 18);
      a.lineTo(21.5, 18);
      p.setPen(Pen(ink, 3));
      p.setBrush(Qt::NoBrush);
      p.drawPath(a);
      break;
    }
    case 9:  // the selected backdrop
      Backdrop(p, QColor(0xBF, 0xD8, 0xF5), QColor(0x4A, 0x7E, 0xC4));
      break;
    case 10:  // rectangular selection
      p.setPen(dashed);
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(6, 8, 20, 16));
      break;
    case 11:  // paint brush
      p.save();
      p.translate(16, 16);
      p.rotate(-45);
      p.translate(-1, 0);
      p.setPen(Pen(ink, 1));
      Brush(p, 5, 14, 4, 9, QColor(0xD0, 0x20, 0x20));
      p.restore();
      break;
    case 12: {  // eyedropper
      p.save();
      p.translate(16, 16);
      p.rotate(-45);
      p.setPen(Pen(ink, 1));
      p.setBrush(QColor(0x40, 0x40, 0x48));
      p.drawRoundedRect(QRectF(5, -4, 8, 8), 3, 3);
      p.setBrush(QColor(0xD8, 0xE8, 0xF0));
      p.drawRect(QRectF(-8, -2, 13, 4));
      QPolygonF nib;
      nib << QPointF(-8, -2) << QPointF(-13, 0) << QPointF(-8, 2);
      p.drawPolygon(nib);
      p.restore();
      break;
    }
    case 13: {  // spray can with its mist
      p.setPen(Pen(ink, 1));
      p.setBrush(QColor(0xC8, 0x3C, 0x3C));
      p.drawRoundedRect(QRectF(14, 11, 11, 17), 2, 2);
      p.setBrush(QColor(0xB8, 0xB8, 0xC0));
      p.drawRect(QRectF(17, 7, 5, 4));
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      const QPointF mist[] = {QPointF(12, 6),  QPointF(9, 8),  QPointF(11, 10), QPointF(6, 6), QPointF(7, 11),
                              QPointF(4, 9),   QPointF(9, 4),  QPointF(5, 13),  QPointF(3, 5)};
      for (const QPointF& d : mist) p.drawEllipse(d, 0.9, 0.9);
      break;
    }
    case 14: {  // Bezier curve with its two handles
      QPainterPath c;
      c.moveTo(5, 24);
      c.cubicTo(10, 2, 22, 30, 27, 8);
      p.setPen(Pen(ink, 2));
      p.setBrush(Qt::NoBrush);
      p.drawPath(c);
      p.setPen(Pen(QColor(0x2E, 0x6B, 0xD1), 1));
      p.drawLine(QPointF(5, 24), QPointF(10, 4));
      p.drawLine(QPointF(27, 8), QPointF(22, 28));
      p.setBrush(QColor(0x2E, 0x6B, 0xD1));
      p.drawRect(QRectF(8.5, 2.5, 3, 3));
      p.drawRect(QRectF(20.5, 26.5, 3, 3));
      break;
    }
    case 15:  // oval
      p.setPen(Pen(ink, 2));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(5, 8, 22, 16));
      break;
    case 16: {  // polygon
      QPolygonF poly;
      poly << QPointF(6, 12) << QPointF(15, 5) << QPointF(26, 10) << QPointF(23, 26) << QPointF(10, 24);
      p.setPen(Pen(ink, 2));
      p.setBrush(Qt::NoBrush);
      p.drawPolygon(poly);
      break;
    }
    case 17: {  // predefined shapes: a star
      QPolygonF star;
      for (int i = 0; i < 10; ++i) {
        const double a = (-90 + 36 * i) * M_PI / 180;
        const double r = i % 2 ? 5.5 : 12;
        star << QPointF(16 + r * std::cos(a), 17 + r * std::sin(a));
      }
      p.setPen(Pen(ink, 1.5));
      p.setBrush(QColor(0xF2, 0xC2, 0x2A));
      p.drawPolygon(star);
      break;
    }
    case 18:  // the hover backdrop
      Backdrop(p, QColor(0xE6, 0xE6, 0xE6), QColor(0xA8, 0xA8, 0xA8));
      break;
  }
}

void ToolSheet() {
  QImage img = Blank(67, 298, false);
  for (int id = 1; id <= 18; ++id) {
    const int column = id <= 9 ? 0 : 1, row = id <= 9 ? id - 1 : id - 10;
    QImage cell = Blank(32, 32, false);
    {
      QPainter p(&cell);
      Smooth(p);
      DrawTool(p, id);
    }
    QPainter sheet(&img);
    sheet.drawImage(1 + 33 * column, 1 + 33 * row, cell);
  }
  Save(img, QStringLiteral("pixmura_tools.png"));
}

// ---- The built-in fill patterns: 24 cells of 32 x 32 in pure black and white, inside red squares ----

void DrawPattern(QImage& cell, int n) {
  auto set = [&](int x, int y) { cell.setPixel(((x % 32) + 32) % 32, ((y % 32) + 32) % 32, qRgb(0, 0, 0)); };
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      bool on = false;
      switch (n) {
        case 0: on = true; break;                                      // solid
        case 1: on = (x + y) % 2 == 0; break;                          // 50 % grey
        case 2: on = x % 2 == 0 && y % 2 == 0; break;                  // 25 % grey
        case 3: on = x % 4 == 0 && y % 2 == 0 && (x / 4 + y / 2) % 2 == 0; break;  // 12 % grey
        case 4: on = y % 4 == 0; break;                                // horizontal lines
        case 5: on = x % 4 == 0; break;                                // vertical lines
        case 6: on = (x + y) % 8 == 0; break;                          // diagonal /
        case 7: on = (x - y + 32) % 8 == 0; break;                     // diagonal backslash
        case 8: on = x % 8 == 0 || y % 8 == 0; break;                  // grid
        case 9: on = (x + y) % 8 == 0 || (x - y + 32) % 8 == 0; break; // diagonal cross-hatch
        case 10: on = y % 8 == 0 || (x % 16 == ((y / 8) % 2 ? 8 : 0)); break;  // bricks
        case 11: on = (y / 4) % 2 == 0; break;                         // wide horizontal stripes
        case 12: on = (x / 4) % 2 == 0; break;                         // wide vertical stripes
        case 13: on = ((x / 8) + (y / 8)) % 2 == 0; break;             // checkerboard
        case 14: {                                                     // large dots
          const int dx = x % 8 - 3, dy = y % 8 - 3;
          on = dx * dx + dy * dy <= 4;
          break;
        }
        case 15: on = y % 8 == (x % 8 < 4 ? x % 8 : 7 - x % 8) + 2; break;  // zigzag
        case 16: on = y % 8 == int(std::lround(3.5 + 3 * std::sin(x * M_PI / 8))); break;  // waves
        case 17: on = ((x / 4) % 2 == 0) != ((y / 4) % 2 == 0) ? x % 4 == 0 : y % 4 == 0; break;  // weave
        case 18: on = std::abs(x % 8 - 4) + std::abs(y % 8 - 4) == 4; break;  // diamonds
        case 19: {                                                            // scales
          const int dx = x % 8 - 4, dy = y % 8;
          on = dx * dx + dy * dy >= 16 && dx * dx + dy * dy <= 20;
          break;
        }
        case 20: on = (x % 8 < 4) == (y % 8 < 4) ? (x + y) % 2 == 0 : false; break;  // mixed checker
        case 21: on = (x % 16 == 0 && y % 16 < 8) || (y % 16 == 8 && x % 16 < 8); break;  // steps
        case 22: {                                                                    // crosses
          const int cx = x % 8, cy = y % 8;
          on = (cx == 3 && cy >= 1 && cy <= 5) || (cy == 3 && cx >= 1 && cx <= 5);
          break;
        }
        default: break;
      }
      if (on) set(x, y);
    }
  }
  if (n == 23) {  // speckle: a fixed scatter of dots
    uint32_t s = 12345;
    for (int i = 0; i < 160; ++i) {
      s = s * 1103515245u + 12345u;
      set(int((s >> 8) % 32), int((s >> 20) % 32));
    }
  }
}

void PatternSheet() {
  QImage img = Blank(8 * 33 + 1, 3 * 33 + 1, false);
  img.fill(qRgb(255, 0, 0));
  for (int n = 0; n < 24; ++n) {
    QImage cell = Blank(32, 32, false);
    DrawPattern(cell, n);
    QPainter p(&img);
    p.drawImage((n % 8) * 33 + 1, (n / 8) * 33 + 1, cell);
  }
  Save(img, QStringLiteral("pixmura_brushes.png"));
}

// ---- The drawn controls' skins ----

void Skins() {
  {  // The slider: knob A x A and its mask, then the track ends and middle with their masks (A = 16).
    const int A = 16;
    QImage img = Blank(2 * A, A + 5, false);
    QPainter p(&img);
    p.fillRect(A, 0, A, A + 5, Qt::white);  // masks: white is transparent
    Smooth(p);
    QRadialGradient knob(QPointF(6, 5), 12);
    knob.setColorAt(0, QColor(0xFA, 0xFA, 0xFA));
    knob.setColorAt(1, QColor(0x7A, 0x8A, 0xA0));
    p.setPen(Pen(QColor(0x40, 0x48, 0x58), 1));
    p.setBrush(knob);
    p.drawEllipse(QRectF(1.5, 1.5, A - 3, A - 3));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QRect(A + 1, 1, A - 2, A - 2));
    // The track: a groove 5 high with rounded ends.
    const QColor groove(0x70, 0x70, 0x78), inner(0xB8, 0xBC, 0xC4);
    p.fillRect(0, A, 9, 5, Qt::white);
    p.fillRect(1, A, 8, 5, groove);
    p.fillRect(2, A + 1, 6, 3, inner);
    p.fillRect(A, A, 9, 5, Qt::white);
    p.fillRect(A + 1, A, 8, 5, Qt::black);
    p.end();
    // Round the outer corners of the ends.
    for (int x : {1, 8}) {
      img.setPixel(x, A, qRgb(255, 255, 255));
      img.setPixel(x, A + 4, qRgb(255, 255, 255));
      img.setPixel(A + x, A, qRgb(255, 255, 255));
      img.setPixel(A + x, A + 4, qRgb(255, 255, 255));
    }
    // The middle column has no rounding.
    for (int y = 0; y < 5; ++y) {
      img.setPixel(4, A + y, (y == 0 || y == 4 ? groove : inner).rgb());
      img.setPixel(A + 4, A + y, qRgb(0, 0, 0));
    }
    Save(img, QStringLiteral("normal.png"));
  }
  for (int vertical = 0; vertical < 2; ++vertical) {
    // The scroll bar: back arrow cap (21), track tile (8), thumb (24), forward arrow cap (21), 16 across.
    const int length = vertical ? 76 : 77, thumbStart = vertical ? 31 : 32;
    QImage along = Blank(length, 16, false);
    QPainter p(&along);
    Smooth(p);
    auto cap = [&](int x0, bool forward) {
      QLinearGradient face(0, 0, 0, 16);
      face.setColorAt(0, QColor(0xF2, 0xF2, 0xF2));
      face.setColorAt(1, QColor(0xC8, 0xC8, 0xCC));
      p.setPen(Pen(QColor(0x90, 0x90, 0x98), 1));
      p.setBrush(face);
      p.drawRect(QRectF(x0 + 0.5, 0.5, 20, 15));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0x30, 0x30, 0x30));
      QPolygonF arrow;
      const double c = x0 + (forward ? 12 : 9);
      if (forward) arrow << QPointF(c - 3, 4) << QPointF(c + 2, 8) << QPointF(c - 3, 12);
      else arrow << QPointF(c + 3, 4) << QPointF(c - 2, 8) << QPointF(c + 3, 12);
      p.drawPolygon(arrow);
    };
    cap(0, false);
    // Track tile.
    p.setPen(Qt::NoPen);
    p.fillRect(21, 0, 8, 16, QColor(0xE4, 0xE4, 0xE8));
    p.fillRect(21, 0, 8, 1, QColor(0xB0, 0xB0, 0xB8));
    p.fillRect(21, 15, 8, 1, QColor(0xB0, 0xB0, 0xB8));
    // Thumb.
    QLinearGradient thumb(0, 0, 0, 16);
    thumb.setColorAt(0, QColor(0xA8, 0xC4, 0xEC));
    thumb.setColorAt(1, QColor(0x5A, 0x84, 0xC4));
    p.setPen(Pen(QColor(0x3A, 0x5A, 0x90), 1));
    p.setBrush(thumb);
    p.drawRoundedRect(QRectF(thumbStart + 0.5, 1.5, 23, 13), 4, 4);
    p.setPen(Pen(QColor(0xE8, 0xF0, 0xFC), 1));
    for (int g = -3; g <= 3; g += 3) p.drawLine(QPointF(thumbStart + 12 + g, 5), QPointF(thumbStart + 12 + g, 11));
    cap(length - 21, true);
    p.end();
    if (vertical) {
      QImage v = along.transformed(QTransform(0, 1, 1, 0, 0, 0));  // swap the axes
      Save(v, QStringLiteral("v_slider.png"));
    } else {
      Save(along, QStringLiteral("h_slider.png"));
    }
  }
}

// ---- Cursors: 32 x 32 with transparency; their hot spots are in the program's cursor table ----

void Outlined(QPainter& p, const QPainterPath& path, QColor fill, double width = 1.2) {
  p.setPen(Pen(Qt::white, width + 2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Pen(Qt::black, width));
  p.setBrush(fill);
  p.drawPath(path);
}

void Cursors() {
  auto make = [](const QString& name, const std::function<void(QPainter&)>& draw) {
    QImage img = Blank(32, 32, true);
    QPainter p(&img);
    Smooth(p);
    draw(p);
    p.end();
    Save(img, name);
  };
  make(QStringLiteral("cursor_pencil.png"), [](QPainter& p) {  // hot spot (1, 30)
    const QPainterPath body = Closed({{1, 30}, {4, 22}, {22, 4}, {27, 9}, {9, 27}});
    Outlined(p, body, QColor(0xF2, 0xC2, 0x2A));
    p.setPen(Pen(Qt::black, 1));
    p.drawLine(QPointF(4, 22), QPointF(9, 27));
  });
  make(QStringLiteral("cursor_eyedropper.png"), [](QPainter& p) {  // hot spot (1, 30)
    const QPainterPath tube = Closed({{1, 30}, {3, 24}, {17, 10}, {21, 14}, {7, 28}});
    Outlined(p, tube, QColor(0xD8, 0xE8, 0xF0));
    QPainterPath bulb;
    bulb.addEllipse(QRectF(18, 2, 12, 12));
    Outlined(p, bulb, QColor(0x40, 0x40, 0x48));
  });
  make(QStringLiteral("cursor_airbrush.png"), [](QPainter& p) {  // hot spot (3, 3)
    QPainterPath can;
    can.addRoundedRect(QRectF(14, 12, 12, 18), 2, 2);
    Outlined(p, can, QColor(0xC8, 0x3C, 0x3C));
    QPainterPath nozzle;
    nozzle.addRect(QRectF(17, 7, 6, 5));
    Outlined(p, nozzle, QColor(0xB8, 0xB8, 0xC0));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (const QPointF& d : {QPointF(3, 3), QPointF(7, 5), QPointF(5, 9), QPointF(10, 8), QPointF(9, 2),
                             QPointF(12, 5)})
      p.drawEllipse(d, 1, 1);
  });
  make(QStringLiteral("cursor_bucket.png"), [](QPainter& p) {  // hot spot (28, 28)
    const QPainterPath bucket = Closed({{4, 12}, {16, 2}, {26, 14}, {14, 24}});
    Outlined(p, bucket, QColor(0xB8, 0xBC, 0xC4));
    QPainterPath drip;
    drip.moveTo(26, 14);
    drip.cubicTo(30, 18, 30, 24, 28, 28);
    drip.cubicTo(26, 24, 25, 19, 26, 14);
    Outlined(p, drip, QColor(0x2E, 0x6B, 0xD1), 1);
  });
  make(QStringLiteral("cursor_brush.png"), [](QPainter& p) {  // hot spot (1, 30)
    const QPainterPath handle = Closed({{12, 16}, {27, 1}, {30, 4}, {15, 19}});
    Outlined(p, handle, QColor(0x8B, 0x4A, 0x1C));
    QPainterPath tip;
    tip.moveTo(12, 16);
    tip.lineTo(15, 19);
    tip.cubicTo(12, 26, 6, 28, 1, 30);
    tip.cubicTo(3, 25, 5, 19, 12, 16);
    Outlined(p, tip, QColor(0xD0, 0x20, 0x20));
  });
  make(QStringLiteral("cursor_crosshair.png"), [](QPainter& p) {  // hot spot (15, 15)
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(14, 2, 3, 11, Qt::white);
    p.fillRect(14, 18, 3, 11, Qt::white);
    p.fillRect(2, 14, 11, 3, Qt::white);
    p.fillRect(18, 14, 11, 3, Qt::white);
    p.fillRect(15, 3, 1, 9, Qt::black);
    p.fillRect(15, 19, 1, 9, Qt::black);
    p.fillRect(3, 15, 9, 1, Qt::black);
    p.fillRect(19, 15, 9, 1, Qt::black);
  });
  make(QStringLiteral("cursor_lasso.png"), [](QPainter& p) {  // hot spot (4, 30)
    QPainterPath loop;
    loop.addEllipse(QRectF(6, 2, 24, 14));
    p.setPen(Pen(Qt::white, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(loop);
    p.drawLine(QPointF(10, 14), QPointF(4, 30));
    p.setPen(Pen(Qt::black, 2));
    p.drawPath(loop);
    p.drawLine(QPointF(10, 14), QPointF(4, 30));
  });
  make(QStringLiteral("cursor_hourglass.png"), [](QPainter& p) {  // hot spot (15, 15)
    const QPainterPath glass =
        Closed({{8, 4}, {24, 4}, {24, 7}, {17, 15}, {24, 24},
                {24, 28}, {8, 28}, {8, 24}, {15, 15}, {8, 7}});
    Outlined(p, glass, QColor(0xF4, 0xF4, 0xF8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD8, 0xA8, 0x40));
    QPolygonF sand;
    sand << QPointF(10.5, 26) << QPointF(21.5, 26) << QPointF(16, 19);
    p.drawPolygon(sand);
    QPolygonF top;
    top << QPointF(11, 8) << QPointF(21, 8) << QPointF(16, 13);
    p.drawPolygon(top);
  });
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    QTextStream(stderr) << "usage: drawresources <output folder>\n";
    return 2;
  }
  g_out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(g_out);
  MessageIcons();
  SmallPictures();
  Logos();
  ToolSheet();
  PatternSheet();
  Skins();
  Cursors();
  return g_failures ? 1 : 0;
}
