#pragma once
// Pixel positions and the selection rectangle.
#include <cstdint>

namespace modMAIN {

// A pixel position in image or screen pixels, as each operation says.
struct point_record {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const point_record&) const = default;
};

// The fractional twin of point_record, for rotation arithmetic.
struct fPoint_Record {
  float x = 0;
  float y = 0;
};

// One printer resolution in dots per inch, and whether it is the marked one.
struct printer_res {
  int32_t h = 0;
  int32_t v = 0;
  bool selected = false;
};

inline point_record Point_of(int32_t x, int32_t y) { return point_record{x, y}; }
inline fPoint_Record fPoint_Of(float x, float y) { return fPoint_Record{x, y}; }

}  // namespace modMAIN

// A rectangle held as the two corners exactly as they were set, in any order; every read normalises them.
class classRECTANGLE {
 public:
  virtual ~classRECTANGLE() = default;

  virtual void set_Top_Left(modMAIN::point_record p) { xPOINT1 = p; }
  virtual void set_Bot_Right(modMAIN::point_record p) { xPOINT2 = p; }
  virtual modMAIN::point_record Top_Left() const;
  virtual modMAIN::point_record Bot_Right() const;
  // The difference of the corners, without adding 1.
  virtual int32_t Width() const;
  virtual int32_t Height() const;
  virtual modMAIN::point_record Center_Point() const;
  // Handles 0 to 7 clockwise from the top-left corner; any other number gives (0, 0).
  virtual modMAIN::point_record Handle_Point(int32_t i) const;
  // 999 when p lies inside or on the edge, else -1.
  virtual int32_t Point_Inside(modMAIN::point_record p) const;
  // Keep the top (left) edge and move the other corner.
  virtual void set_Height(int32_t h);
  virtual void set_Width(int32_t w);

 private:
  modMAIN::point_record xPOINT1;
  modMAIN::point_record xPOINT2;
};
