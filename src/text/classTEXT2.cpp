#include "text/classTEXT2.h"

#include <QFontMetricsF>
#include <cmath>

#include "core/EditingState.h"
#include "platform/Numbers.h"
#include "platform/Picture.h"

using Platform::Color;
using Platform::Graphics;

namespace {
// Degrees to radians as the text tool has always turned its text (not the exact value of pi / 180).
constexpr double kRadiansPerDegree = 0.0174532925;
constexpr double kDegreesPerRadian = 57.295779513082320876798;

// Every line end, whichever convention, made one LF.
QString Lines_With_LF(QString s) {
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}
}  // namespace

classTEXT2::classTEXT2() {
  x_Bold = x_Italic = x_Underline = false;
  x_TextColor = 0x000000;
  x_ShadowColor = 0xC0C0C0;
  x_TextFont = QStringLiteral("Arial");
  x_TextSize = 18;
  x_Rotate = 0;
  x_TextData.clear();
  x_Shadow_Offset = {0, 0};
  // Turning to 90 and back computes the angle and measures; the text then sets the box.
  Rotate(90);
  Rotate(0);
  Text(QStringLiteral("Enter Text Here"));
}

void classTEXT2::Bold(bool value) {
  if (value == x_Bold) return;
  x_Bold = value;
  Update_Image();
}

void classTEXT2::Italic(bool value) {
  if (value == x_Italic) return;
  x_Italic = value;
  Update_Image();
}

void classTEXT2::Underline(bool value) {
  if (value == x_Underline) return;
  x_Underline = value;
  Update_Image();
}

void classTEXT2::TextColor(Color value) {
  value &= 0xFFFFFFu;
  if (value == x_TextColor) return;
  x_TextColor = value;
  emit Text2_Updated(this);
}

void classTEXT2::ShadowColor(Color value) {
  value &= 0xFFFFFFu;
  if (value == x_ShadowColor) return;
  x_ShadowColor = value;
  emit Text2_Updated(this);
}

void classTEXT2::Rotate(int32_t degrees) {
  // Brought into 0..360 by whole turns; 360 itself stays 360. Done in 64 bits and by remainders, so that
  // any whole number ends at once and none overflows.
  int64_t n = degrees;
  if (n < 0) n = n % 360 == 0 ? 0 : n % 360 + 360;
  else if (n > 360) n = n % 360 == 0 ? 360 : n % 360;
  if (n == x_Rotate) return;
  x_Rotate = int32_t(n);
  x_angle = double(-n) * kRadiansPerDegree;
  Update_Image();
}

void classTEXT2::TextFont(const QString& value) {
  if (value == x_TextFont) return;
  x_TextFont = value;
  Update_Image();
}

void classTEXT2::TextSize(int32_t value) {
  if (value < 8) value = 8;
  if (value == x_TextSize) return;
  x_TextSize = value;
  Update_Image();
}

void classTEXT2::Text(const QString& value) {
  const QString s = value.trimmed();
  // Letter case counts: a text typed again in capitals must show in capitals.
  if (s == x_TextData) return;
  x_TextData = s;
  vText = Special(Lines_With_LF(s).trimmed());
  Update_Image();
}

int32_t classTEXT2::Shadow_Offset(int32_t index) const {
  return index == 0 || index == 1 ? x_Shadow_Offset[index] : 0;
}

void classTEXT2::Shadow_Offset(int32_t index, int32_t value) {
  // There are two offsets; any other index is no offset at all.
  if (index != 0 && index != 1) return;
  if (value == x_Shadow_Offset[index]) return;
  x_Shadow_Offset[index] = value;
  Update_Image();
}

QString classTEXT2::Special(QString s) {
  const std::pair<const char*, QChar> signs[] = {
      {"(c)", QChar(0x00A9)}, {"(r)", QChar(0x00AE)}, {"(t)", QChar(0x2122)}};
  for (const auto& [code, sign] : signs)
    for (qsizetype i; (i = s.indexOf(QLatin1String(code), 0, Qt::CaseInsensitive)) >= 0;) s.replace(i, 3, sign);
  return s;
}

void classTEXT2::set_font(Graphics& g) const {
  g.SetTextFont(x_TextFont);
  g.SetTextSize(x_TextSize);
  g.SetBold(x_Bold);
  g.SetItalic(x_Italic);
  g.SetUnderline(x_Underline);
}

QFont classTEXT2::Drawing_Font(const Graphics& g) const {
  // The painter's render hints alone still leave grey edges on glyphs; the font's strategy does not.
  QFont f = g.Font();
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

void classTEXT2::Update_Image() {
  Platform::PicturePtr scratch = Platform::Picture::Create(32, 32, 32);
  Graphics g = scratch->Graphics();
  set_font(g);
  const QFontMetricsF metrics(Drawing_Font(g));
  const int32_t w = Platform::ToInt(metrics.horizontalAdvance(vText));
  x_width = w + Platform::ToInt(metrics.horizontalAdvance(QStringLiteral("W"))) / 2;
  // The height of the text wrapped at the box's width (an empty text has the height of one line).
  const QRectF wrapped = metrics.boundingRect(QRectF(0, 0, x_width, 1e7), Qt::TextWordWrap, vText);
  x_height = Platform::ToInt(std::ceil(std::max(wrapped.height(), metrics.height())));
  emit Text2_Updated(this);
}

void classTEXT2::Draw_String(Graphics& g, Color colour, double x, double y, double dx, double dy) const {
  const QFont font = Drawing_Font(g);
  const double half = QFontMetricsF(font).horizontalAdvance(vText) / 2;
  g.WithPainter([&](QPainter& p) {
    p.setFont(font);
    p.setPen(QColor::fromRgb(Platform::ToQRgb(colour)));
    p.translate(x, y);
    // Qt turns positive angles clockwise on the screen; the stored angle is the rotation negated, so a
    // rotation of 45 tilts the text up to the right.
    p.rotate(x_angle * kDegreesPerRadian);
    p.drawText(QPointF(dx - half, dy), vText);
  });
}

void classTEXT2::Draw_Text(Graphics& g, bool into_image) {
  set_font(g);
  modMAIN::point_record origin = modMAIN::img_DRAG_DROP;
  if (!into_image) origin = modMAIN::scrn_rect ? modMAIN::scrn_rect->Top_Left() : modMAIN::point_record{};
  g.SetAntiAlias(false);
  // The centre of the box.
  const double x = double(origin.x) + x_width / 2;
  const double y = double(origin.y) + x_height / 2;
  const int32_t a = Platform::ToInt(std::ceil(QFontMetricsF(Drawing_Font(g)).ascent()));
  if (x_Shadow_Offset[0] != 0 || x_Shadow_Offset[1] != 0)
    Draw_String(g, x_ShadowColor, x, y, x_Shadow_Offset[0], x_Shadow_Offset[1] + a / 2);
  Draw_String(g, x_TextColor, x, y, 0, a / 2);
}
