#pragma once
// The single-line text of the text tool: a short text in one font, size and style and one colour, turned
// by a whole-degree angle, with an optional shadow in a second colour at a pixel offset. It keeps the
// text as set and the form it draws, measures the box the text needs, and draws itself turned about the
// box's centre. Every effective change raises Text2_Updated once; setting a stored value raises nothing.
#include <QObject>
#include <QString>

#include "platform/Array.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

class classTEXT2 : public QObject {
  Q_OBJECT
 public:
  classTEXT2();

  bool Bold() const { return x_Bold; }
  void Bold(bool value);
  bool Italic() const { return x_Italic; }
  void Italic(bool value);
  bool Underline() const { return x_Underline; }
  void Underline(bool value);
  Platform::Color TextColor() const { return x_TextColor; }
  // A new colour raises Text2_Updated without measuring again.
  void TextColor(Platform::Color value);
  // Whole degrees, kept within 0..360 (-90 is stored as 270, 720 as 360).
  int32_t Rotate() const { return x_Rotate; }
  void Rotate(int32_t degrees);
  QString TextFont() const { return x_TextFont; }
  void TextFont(const QString& value);
  // Pixel size, never below 8.
  int32_t TextSize() const { return x_TextSize; }
  void TextSize(int32_t value);
  // Draws the shadow and then the text, both turned about the centre of the box: into the working
  // picture with the box's top-left corner at modMAIN::img_DRAG_DROP (into_image true), or as the
  // canvas preview at the top-left corner of modMAIN::scrn_rect (false). Always without anti-aliasing.
  void Draw_Text(Platform::Graphics& g, bool into_image);
  // The measured box in pixels.
  int32_t Width() const { return x_width; }
  int32_t Height() const { return x_height; }
  // The text as it was set, trimmed; (c), (r) and (t) are kept as typed.
  QString Text() const { return x_TextData; }
  void Text(const QString& value);
  // The text as drawn: line ends made LF, trimmed, and the signs ©, ® and ™ in place of (c), (r), (t).
  QString Display_Text() const { return vText; }
  Platform::Color ShadowColor() const { return x_ShadowColor; }
  // A new colour raises Text2_Updated without measuring again.
  void ShadowColor(Platform::Color value);
  // Index 0 is the horizontal offset, 1 the vertical one; other indices read 0 and are not stored.
  int32_t Shadow_Offset(int32_t index) const;
  void Shadow_Offset(int32_t index, int32_t value);
  // The drawing angle in radians: the rotation negated.
  double Angle() const { return x_angle; }

 signals:
  void Text2_Updated(classTEXT2* sender);

 private:
  // Measures the box on a small scratch picture and raises Text2_Updated.
  void Update_Image();
  // Gives the context the text's font, size and style.
  void set_font(Platform::Graphics& g) const;
  // The font as drawn and measured: always without anti-aliasing.
  QFont Drawing_Font(const Platform::Graphics& g) const;
  // The signs for (c), (r) and (t), any letter case.
  static QString Special(QString s);
  // Draws the display text in the colour, centred on (dx, dy) of the turned frame whose origin is
  // (x, y), with its baseline through that point.
  void Draw_String(Platform::Graphics& g, Platform::Color colour, double x, double y, double dx, double dy) const;

  QString x_TextFont;
  int32_t x_TextSize = 18;
  Platform::Color x_TextColor = 0x000000;
  int32_t x_Rotate = 0;
  bool x_Bold = false;
  bool x_Italic = false;
  bool x_Underline = false;
  QString x_TextData;
  QString vText;
  int32_t x_width = 0;
  int32_t x_height = 0;
  double x_angle = 0;
  Platform::Array<int32_t> x_Shadow_Offset{0, 0};
  Platform::Color x_ShadowColor = 0xC0C0C0;
};
