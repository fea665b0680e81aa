#include "palettes/modSHAPES.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/Numbers.h"

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

void Get_Shape(int32_t index, const classRECTANGLE& box) {
  if (index != Shape_Index) {
    Shape_PCT = Read_Shape(Shape_List[index]);
    Shape_Index = index;
  }
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

void Reset_Globals() {
  Shape_List.clear();
  Current_Shape = 0;
  Shape_PCT.clear();
  Shape_Index = -1;
  Shape_Point.clear();
}

}  // namespace modSHAPES
