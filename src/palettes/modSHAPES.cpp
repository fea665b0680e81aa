#include "palettes/modSHAPES.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

namespace modSHAPES {

namespace {
// A coordinate in single precision; numbers beyond its range are held at its largest value.
float Coordinate(const QString& text) {
  constexpr double kMax = std::numeric_limits<float>::max();
  return float(std::clamp(Platform::Val(text), -kMax, kMax));
}
}  // namespace

Platform::Array<Fpoint_record> Read_Shape(const QString& definition) {
  Platform::Array<Fpoint_record> vertices;
  const QStringList fields = definition.split(QLatin1Char(';'));
  for (qsizetype i = 1; i < fields.size(); ++i) {
    const QString& field = fields[i];
    const qsizetype c = field.indexOf(QLatin1Char(','));
    // Without a "," the whole field is the y coordinate and x is 0.
    vertices.Append({Coordinate(c < 0 ? QString() : field.left(c)), Coordinate(field.mid(c + 1))});
  }
  return vertices;
}

modMAIN::point_record Place_Vertex(const Fpoint_record& v, int32_t left, int32_t top, int32_t hw, int32_t hh) {
  const double x = std::floor(double(hw) * double(v.x) + double(hw));
  const double y = std::floor(double(hh) * double(v.y) + double(hh));
  return modMAIN::Point_of(Platform::ToInt(double(left) + x), Platform::ToInt(double(top) + y));
}

void Get_Shape_Percent(int32_t index) {
  Shape_PCT = Read_Shape(Shape_List[index]);
  Shape_Index = index;
}

void Get_Shape(int32_t index, const classRECTANGLE& box) {
  if (index != Shape_Index) Get_Shape_Percent(index);
  const modMAIN::point_record tl = box.Top_Left();
  const int32_t hw = box.Width() / 2, hh = box.Height() / 2;
  Shape_Point.clear();
  Shape_Point.reserve(Shape_PCT.size() * 2 + 1);
  Shape_Point.Append(-1);
  for (const Fpoint_record& v : Shape_PCT) {
    const modMAIN::point_record p = Place_Vertex(v, tl.x, tl.y, hw, hh);
    Shape_Point.Append(p.x);
    Shape_Point.Append(p.y);
  }
}

void Draw_Shape(int32_t index, const classRECTANGLE& box) {
  using namespace modMAIN;
  Get_Shape(index, box);
  Platform::Graphics g = Platform::Deref(work_area, "the working picture").Graphics();
  RenderMode(g, modOptions::option_AntiAlias);
  if (Drawing_Fillmode == 2 || Drawing_Fillmode == 3) {
    g.SetForeColor(Draw_Color[2]);
    g.FillPolygon(Shape_Point);
  }
  if (Drawing_Fillmode == 1 || Drawing_Fillmode == 3) {
    g.SetForeColor(Draw_Color[1]);
    g.DrawPolygon(Shape_Point);
  }
}

void Sample_Shape(Platform::Graphics& g, int32_t x, int32_t y, int32_t index) {
  modMAIN::RenderMode(g, false);
  g.SetForeColor(0xFFFFFF);
  g.FillRect(x, y, 63, 63);
  if (index < 0 || index > Shape_List.Ubound()) {
    g.SetForeColor(0xC0C0C0);
    g.DrawLine(x + 1, y + 1, x + 63, y + 63);
    g.DrawLine(x + 63, y + 1, x + 1, y + 63);
  } else {
    classRECTANGLE box;
    box.set_Top_Left(modMAIN::Point_of(x + 3, y + 3));
    box.set_Bot_Right(modMAIN::Point_of(x + 58, y + 58));
    Get_Shape(index, box);
    g.SetForeColor(0x609ADA);
    g.FillPolygon(Shape_Point);
    g.SetForeColor(0x2650BB);
    g.DrawPolygon(Shape_Point);
  }
  // The sunken frame: dark above and left, light below and right.
  g.SetForeColor(0x99A8AC);
  g.DrawLine(x, y, x + 63, y);
  g.DrawLine(x, y, x, y + 63);
  g.SetForeColor(0xFFFFFF);
  g.DrawLine(x + 64, y, x + 64, y + 64);
  g.DrawLine(x, y + 64, x + 64, y + 64);
  g.SetForeColor(0xE2EFF1);
  g.DrawLine(x + 1, y + 63, x + 63, y + 63);
  g.DrawLine(x + 63, y + 1, x + 63, y + 63);
  g.SetForeColor(0x716F64);
  g.DrawLine(x + 1, y + 1, x + 62, y + 1);
  g.DrawLine(x + 1, y + 1, x + 1, y + 62);
}

void Reset_Globals() {
  Shape_List.clear();
  Current_Shape = 0;
  Shape_PCT.clear();
  Shape_Index = -1;
  Shape_Point.clear();
}

}  // namespace modSHAPES
