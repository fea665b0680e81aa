// The polygon tool: each plain press adds a vertex, a drag shows the edges so far and a rubber band to
// the pointer, and a right click closes the polygon at the pointer and commits it as one undo step.
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"

using namespace modMAIN;

namespace {

// The pen of the polygon's edges and outline.
void Polygon_Pen(Platform::Graphics& g) {
  g.SetPenWidth(size_PENCIL);
  g.SetPenHeight(size_PENCIL);
}

}  // namespace

std::vector<int> winMAIN::Polygon_Vertex_List(const std::vector<point_record>& vertices) {
  // Element 0 is the placeholder the graphics context skips; the first vertex again closes the outline.
  std::vector<int> list{-1};
  if (vertices.empty()) return list;
  list.reserve(vertices.size() * 2 + 3);
  for (const point_record& v : vertices) {
    list.push_back(v.x);
    list.push_back(v.y);
  }
  list.push_back(vertices.front().x);
  list.push_back(vertices.front().y);
  return list;
}

void winMAIN::Polygon_Add_Vertex(point_record p) {
  if (!modOptions::active_POLYGON) {
    modOptions::active_POLYGON = true;
    modOptions::PolyPoints.clear();
  }
  modOptions::PolyPoints.push_back(p);
}

void winMAIN::Polygon_Rubber_Band(point_record p) {
  const auto& v = modOptions::PolyPoints;
  if (v.empty() || !work_area) return;
  Move_to_WorkArea();
  Platform::Graphics g = work_area->Graphics();
  RenderMode(g, modOptions::option_AntiAlias);
  g.SetForeColor(Draw_Color[0]);
  Polygon_Pen(g);
  for (size_t i = 0; i + 1 < v.size(); ++i) g.DrawLine(v[i].x, v[i].y, v[i + 1].x, v[i + 1].y);
  g.DrawLine(v.back().x, v.back().y, p.x, p.y);
  Update_Display();
}

void winMAIN::polygon_complete() {
  if (!modOptions::active_POLYGON) return;
  modOptions::active_POLYGON = false;
  modOptions::PolyPoints.push_back(Mouse_Point);
  const std::vector<int> list = Polygon_Vertex_List(modOptions::PolyPoints);
  modOptions::PolyPoints.clear();
  if (!work_area) return;
  // Drawn over the working picture as the last rubber band left it: its edges lie under the outline.
  Platform::Graphics g = work_area->Graphics();
  RenderMode(g, modOptions::option_AntiAlias);
  if (Drawing_Fillmode == 2 || Drawing_Fillmode == 3) {
    g.SetForeColor(Draw_Color[2]);
    g.FillPolygon(list);
  }
  if (Drawing_Fillmode == 1 || Drawing_Fillmode == 3) {
    g.SetForeColor(Draw_Color[1]);
    Polygon_Pen(g);
    g.DrawPolygon(list);
  }
  Draw_Complete();
}

void winMAIN::Turn_Polygon_OFF() {
  if (!modOptions::active_POLYGON) return;
  modOptions::active_POLYGON = false;
  modOptions::PolyPoints.clear();
  // The last rubber band stays on show, uncommitted, until the picture is next rebuilt or committed.
  Update_Display();
}
