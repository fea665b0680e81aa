// The main window's arrangement: the tool panel down the left, the palette group along the top, the
// rulers, the scroll bars of the chosen kind where the picture needs them, the status bar at the bottom
// and the surround, which takes the rest.
#include <QGroupBox>
#include <QLayout>
#include <QScrollBar>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/classPATTERNS.h"
#include "palettes/classScrollbar.h"
#include "palettes/classTOOLS.h"

using namespace modMAIN;

void winMAIN::Arrange_Controls() {
  if (winMAIN_INITFLAG <= 98) return;
  // A hidden window does not lay out its content when its bounds change (the settings give it its
  // bounds while it is hidden): it does now, so the arrangement works from the real size.
  if (layout() && !isVisible()) layout()->setGeometry(rect());
  locks_.Apply();
  QWidget* window = centralWidget();
  const int windowW = window->width(), windowH = window->height();

  // Visibility and the area the picture may fill.
  double W = windowW, H = windowH;
  gbTools->setVisible(modOptions::option_ShowTools);
  const bool group = modOptions::option_ShowColors || modOptions::option_ShowPattern;
  gbColors->setVisible(group);
  if (group) H -= gbColors->height() + 4;
  classCOLORS1->setVisible(modOptions::option_ShowColors);
  classPATTERNS1->setVisible(modOptions::option_ShowPattern);
  for (int i = 0; i < 2; ++i) {
    btnPAT(i)->setVisible(modOptions::option_ShowPattern && modColorSplash::ColorSplash_Mode == 0);
    btnPAL(i)->setVisible(modOptions::option_ShowColors);
  }
  if (modOptions::option_ShowTools) W -= gbTools->width() + 4;
  H -= statusbar->height();

  // The scroll bars the picture needs at this zoom, and the offset read back from those that show.
  const bool needH = work_area && work_area->Width() * double(Zoom) >= W;
  const bool needV = work_area && work_area->Height() * double(Zoom) >= H;
  const bool system = modOptions::option_OS_Scrollbar;
  offset = Point_of(0, 0);
  if (needH) offset.x = system ? Scroll_H_OS->value() : Scroll_H_Custom->Value();
  if (needV) offset.y = system ? Scroll_V_OS->value() : Scroll_V_Custom->Value();
  Scroll_H_OS->setVisible(needH && system);
  Scroll_H_Custom->setVisible(needH && !system);
  Scroll_V_OS->setVisible(needV && system);
  Scroll_V_Custom->setVisible(needV && !system);

  // The frame, from the edges inwards.
  int left = 0, top = 0;
  const int right = windowW - (needV ? Scroll_V_OS->width() : 0);
  int bottom = windowH;
  Scroll_V_OS->move(right, Scroll_V_OS->y());
  Scroll_V_Custom->move(right, Scroll_V_Custom->y());
  statusbar->show();
  bottom -= statusbar->height();
  if (modOptions::option_ShowTools) {
    gbTools->setGeometry(2, top + 2, gbTools->width(), gbTools->height());
    left = gbTools->x() + gbTools->width();
    gbTools->resize(gbTools->width(), bottom - gbTools->y());
  }
  if (needH) bottom -= Scroll_H_OS->height();
  Scroll_H_OS->move(left, bottom);
  Scroll_H_Custom->move(left, bottom);

  if (group) {
    gbColors->setGeometry(left + 2, top + 2, windowW - (left + 2) - 4, gbColors->height());
    top = gbColors->y() + gbColors->height();
    // Places inside the group: the page buttons of the colour palette stand in the gap its first 28
    // cells leave.
    int x = 6;
    btnPAL(0)->move(375, btnPAL(0)->y());
    btnPAL(1)->move(375, btnPAL(1)->y());
    if (modOptions::option_ShowColors) {
      classCOLORS1->move(x, classCOLORS1->y());
      x += classCOLORS1->width() + 14;
    }
    if (modOptions::option_ShowPattern) {
      classPATTERNS1->move(x, classPATTERNS1->y());
      x += classPATTERNS1->width() + 2;
      btnPAT(0)->move(x, btnPAT(0)->y());
      btnPAT(1)->move(x, btnPAT(1)->y());
    }
  }

  Platform::Canvas* hRuler = canvasRULER(0);
  Platform::Canvas* vRuler = canvasRULER(1);
  if (modOptions::option_ShowRuler) {
    canvasFiller->setGeometry(left, top, vRuler->width() + 4, hRuler->height() + 4);
    hRuler->move(hRuler->x(), top);
    hRuler->show();
    top += hRuler->height();
    vRuler->move(left, vRuler->y());
    vRuler->show();
    left += vRuler->width();
    canvasFiller->show();
  } else {
    hRuler->hide();
    vRuler->hide();
    canvasFiller->hide();
  }

  Scroll_V_OS->move(Scroll_V_OS->x(), top);
  Scroll_V_Custom->move(Scroll_V_Custom->x(), top);
  canvas_BG->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
  Scroll_V_OS->resize(Scroll_V_OS->width(), std::max(0, bottom - top));
  if (modOptions::option_ShowRuler) {
    hRuler->setGeometry(left + 4, hRuler->y(), std::max(0, canvas_BG->width() - 4), hRuler->height());
    vRuler->setGeometry(vRuler->x(), top + 4, vRuler->width(), std::max(0, canvas_BG->height() - 4));
  }

  classTOOLS1->setVisible(gbTools->isVisibleTo(window));
  Scroll_V_Custom->resize(Scroll_V_Custom->width(), Scroll_V_OS->height());
  Scroll_H_Custom->resize(Scroll_H_OS->width(), Scroll_H_Custom->height());
  Scroll_V_Custom->Resize();
  Scroll_H_Custom->Resize();
  if (Scroll_H_OS->isVisibleTo(window)) Scroll_H_OS->update();
  // Controls inside the groups follow the groups' new sizes.
  locks_.Apply();
  // The bars are chosen for this picture and zoom; the next redisplay, which sets their ranges, takes
  // the offset from them again.
  arrangedPicture_ = work_area ? QSize(work_area->Width(), work_area->Height()) : QSize(-1, -1);
  arrangedZoom_ = Zoom;
  offsetFromBars_ = true;
}
