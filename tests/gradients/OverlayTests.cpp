// "Gradient Overlay": the selection's pixels of the replace colour take the gradient, through the menu
// item and the real editor.
#include <QAction>
#include <QTest>

#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "gradients/modGRADIENT.h"
#include "gradients/winGradient.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"
#include "EditorHelpers.h"
#include "GradientHelpers.h"

using namespace GradientHelpers;
using namespace EditorHelpers;
using namespace modMAIN;

namespace {

void Overlay() { MenuBar1::instance()->Item(QStringLiteral("menu_GRADIENT"))->trigger(); }

// A white picture of 10 x 6 with a black 2 x 2 shape at (3, 2); the selection is the 5 x 4 rectangle
// from (2, 1), so the shape is at the selection's columns 1 and 2, rows 1 and 2. The replace colour is
// white and the gradient black to red, horizontal.
void ShapeFixture() {
  Fixture::NewDocument(10, 6, 0xFFFFFF);
  for (int y = 2; y <= 3; ++y)
    for (int x = 3; x <= 4; ++x) work_area->SetPixel(x, y, 0x000000);
  pic_Stack[0] = work_area->CopyAtDepth(32);
  Draw_Color[1] = 0xFFFFFF;
  SetStops(QStringLiteral("0:000000,100:FF0000"));
  modGRADIENT::Gradient_style = 0;
  Fixture::Select(2, 1, 7, 5);
}

bool InShape(int x, int y) { return x >= 3 && x <= 4 && y >= 2 && y <= 3; }
bool InSelection(int x, int y) { return x >= 2 && x < 7 && y >= 1 && y < 5; }

// What the fixture shows after the overlay: over 5 columns the red runs 0, 51, 102, 153, 204.
Platform::Color Expected(int x, int y, const std::function<bool(int, int)>& outline = {}) {
  if (InShape(x, y)) return 0x000000;
  if (!InSelection(x, y)) return 0xFFFFFF;
  if (outline && !outline(x - 2, y - 1)) return 0xFFFFFF;
  return Platform::Color(51 * (x - 2)) << 16;
}

QString Check(const std::function<bool(int, int)>& outline = {}) {
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x)
      if (work_area->Pixel(x, y) != Expected(x, y, outline))
        return QStringLiteral("(%1, %2): %3, expected %4")
            .arg(x)
            .arg(y)
            .arg(work_area->Pixel(x, y), 6, 16)
            .arg(Expected(x, y, outline), 6, 16);
  return QString();
}

}  // namespace

class OverlayTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void theReplaceColourTakesTheGradientByColumn() {
    ShapeFixture();
    Platform::Environment::ResetBeepCount();
    ExpectEditor([](winGradient*) {}, QStringLiteral("OK"));
    Overlay();
    QCOMPARE(Check(), QString());
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Platform::Environment::BeepCount(), 0);
    QVERIFY(!active_LASSO);
    QVERIFY(!drag_Picture);

    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(Fixture::Difference(work_area, pic_Stack[0]), QString());
    QCOMPARE(work_area->Pixel(2, 1), Platform::Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(3, 2), Platform::Color(0x000000));
  }

  void aColourChosenInTheEditorIsReplaced() {
    // The foreground is black; the well is changed to white in the editor.
    ShapeFixture();
    Draw_Color[1] = 0x000000;
    modOptions::option_ColorPicker = true;
    ExpectEditor(
        [](winGradient* w) {
          Fixture::ExpectColorPicker(QColor(255, 255, 255));
          Press(w->Canvas1, 10, 10);
        },
        QStringLiteral("OK"));
    Overlay();
    QCOMPARE(Check(), QString());
  }

  void theRadialGradientIsCentredOnTheSelection() {
    // A 6 x 4 selection at (2, 1) of a white 12 x 8 picture: its centre is the picture's (5, 3), the
    // picture's own centre (6, 4) is elsewhere.
    Fixture::NewDocument(12, 8, 0xFFFFFF);
    Draw_Color[1] = 0xFFFFFF;
    SetStops(QStringLiteral("0:000000,100:FF0000"));
    modGRADIENT::Gradient_style = 2;
    modGRADIENT::gradient_cx = modGRADIENT::gradient_cy = 50;
    Fixture::Select(2, 1, 8, 5);
    ExpectEditor([](winGradient*) {}, QStringLiteral("OK"));
    Overlay();
    // At the centre the distance is 0: black. The corner (0, 0) of the selection lies sqrt(13) from the
    // centre, the reference length: red.
    QCOMPARE(work_area->Pixel(5, 3), Platform::Color(0x000000));
    QCOMPARE(work_area->Pixel(2, 1) & 0x00FFFF, Platform::Color(0));
    QVERIFY(Platform::Red(work_area->Pixel(2, 1)) >= 240);
    // Equal distances from the selection's centre give equal colours.
    QCOMPARE(work_area->Pixel(4, 3), work_area->Pixel(6, 3));
    QCOMPARE(work_area->Pixel(5, 2), work_area->Pixel(5, 4));
    QVERIFY(work_area->Pixel(6, 4) != 0x000000);
    // Outside the selection nothing changed.
    QCOMPARE(work_area->Pixel(8, 3), Platform::Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(5, 5), Platform::Color(0xFFFFFF));
  }

  void aColourOneUnitOffIsNotReplaced() {
    ShapeFixture();
    work_area->SetPixel(2, 1, 0xFFFEFF);
    work_area->SetPixel(6, 4, 0xFEFFFF);
    ExpectEditor([](winGradient*) {}, QStringLiteral("OK"));
    Overlay();
    QCOMPARE(work_area->Pixel(2, 1), Platform::Color(0xFFFEFF));
    QCOMPARE(work_area->Pixel(6, 4), Platform::Color(0xFEFFFF));
    QCOMPARE(work_area->Pixel(3, 1), Platform::Color(0x330000));
  }

  // No matching pixel, or the editor cancelled: the picture and history stay, the selection ends; only
  // the first beeps.
  void nothingChanges_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("beeps");
    QTest::newRow("no match") << "OK" << 1;
    QTest::newRow("cancel") << "Cancel" << 0;
  }
  void nothingChanges() {
    QFETCH(QString, answer);
    QFETCH(int, beeps);
    ShapeFixture();
    if (answer == QLatin1String("OK")) Draw_Color[1] = 0x00FF00;
    Platform::Environment::ResetBeepCount();
    ExpectEditor([](winGradient*) {}, answer);
    Overlay();
    QCOMPARE(Fixture::Difference(work_area, pic_Stack[0]), QString());
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Platform::Environment::BeepCount(), beeps);
    QVERIFY(!active_LASSO);
  }

  void aFreeHandOutlineKeepsTheMatchesOutsideIt() {
    ShapeFixture();
    const auto outline = [](int x, int) { return x < 3; };
    Fixture::SelectFreeHand(2, 1, 7, 5, outline);
    ExpectEditor([](winGradient*) {}, QStringLiteral("OK"));
    Overlay();
    QCOMPARE(Check(outline), QString());
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(!active_LASSO && !active_SUPERLASSO);
  }

  void allMatchesOutsideTheOutlineStillMakeOneStep() {
    ShapeFixture();
    // The outline holds only the black shape.
    Fixture::SelectFreeHand(2, 1, 7, 5, [](int x, int y) { return x >= 1 && x <= 2 && y >= 1 && y <= 2; });
    Platform::Environment::ResetBeepCount();
    ExpectEditor([](winGradient*) {}, QStringLiteral("OK"));
    Overlay();
    QCOMPARE(Platform::Environment::BeepCount(), 0);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Fixture::Difference(work_area, pic_Stack[0]), QString());
  }

  void theItemNeedsASelectionThatIsNotFloating() {
    Fixture::NewDocument(10, 6, 0xFFFFFF);
    winMAIN* w = winMAIN::instance();
    w->Event_EnableMenuItems();
    QVERIFY(!w->menu_GRADIENT()->isEnabled());
    Fixture::Select(2, 1, 7, 5);
    w->Event_EnableMenuItems();
    QVERIFY(w->menu_GRADIENT()->isEnabled());
    active_DRAG = true;
    w->Event_EnableMenuItems();
    QVERIFY(!w->menu_GRADIENT()->isEnabled());
    active_DRAG = false;
  }

  // The pixel work alone, on a 24-bit copy and with a grey outline level.
  void thePixelWorkOnAPicture() {
    SetStops(QStringLiteral("0:000000,100:FF0000"));
    modGRADIENT::Gradient_style = 0;
    const Platform::PicturePtr area = Platform::Picture::Create(5, 1, 24);
    area->Image().fill(Qt::white);
    area->SetPixel(4, 0, 0x00FF00);
    const Platform::PicturePtr outline = Platform::Picture::Create(5, 1, 32);
    outline->Image().fill(Qt::black);
    outline->SetPixel(1, 0, 0x808080);  // half of the gradient, half of the white
    QCOMPARE(modGRADIENT::Gradient_Overlay(*area, 0xFFFFFF, outline.get()), int64_t(4));
    QCOMPARE(area->Pixel(0, 0), Platform::Color(0x000000));
    // 51 * 127/255 + 255 * 128/255 = 25.4 + 128 = 153.4; 255 * 128/255 = 128.
    QCOMPARE(area->Pixel(1, 0), Platform::Color(0x998080));
    QCOMPARE(area->Pixel(3, 0), Platform::Color(0x990000));
    QCOMPARE(area->Pixel(4, 0), Platform::Color(0x00FF00));
    // Fewer than two stops draw nothing: the matches keep the replace colour.
    SetStops(QStringLiteral("0:0000FF"));
    area->Image().fill(Qt::white);
    QCOMPARE(modGRADIENT::Gradient_Overlay(*area, 0xFFFFFF, nullptr), int64_t(5));
    QCOMPARE(area->Pixel(2, 0), Platform::Color(0xFFFFFF));
  }

  // A picture taller than the strips of rows the overlay draws the gradient in: every matched pixel
  // takes the colour of the gradient drawn over the whole picture at once, from the first row to the
  // last (vertical and radial gradients change from row to row; the radial one centred low and left).
  void tallPicturesTakeTheWholeGradient_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("height");
    QTest::newRow("vertical, 150 rows") << 1 << 150;
    QTest::newRow("radial, 150 rows") << 2 << 150;
    QTest::newRow("vertical, 128 rows") << 1 << 128;
  }
  void tallPicturesTakeTheWholeGradient() {
    QFETCH(int, style);
    QFETCH(int, height);
    SetStops(QStringLiteral("0:000000,40:00FF00,100:FF00FF"));
    modGRADIENT::Gradient_style = style;
    modGRADIENT::gradient_cx = 33;
    modGRADIENT::gradient_cy = 71;
    const int w = 9;
    const Platform::PicturePtr whole = Platform::Picture::Create(w, height, 32);
    whole->Image().fill(Qt::white);
    modGRADIENT::Draw_Gradient(*whole, false);
    // White pixels take the gradient; one grey pixel per row keeps its colour.
    const Platform::PicturePtr area = Platform::Picture::Create(w, height, 32);
    for (int y = 0; y < height; ++y) area->SetPixel(y % w, y, 0x808080);
    QCOMPARE(modGRADIENT::Gradient_Overlay(*area, 0xFFFFFF, nullptr), int64_t(w - 1) * height);
    auto rowMatches = [&](int y) {
      for (int x = 0; x < w; ++x)
        if (area->Pixel(x, y) != (x == y % w ? Platform::Color(0x808080) : whole->Pixel(x, y))) return false;
      return true;
    };
    QVERIFY(rowMatches(0));
    QVERIFY(rowMatches(height - 1));
    for (int y = 0; y < height; ++y) QVERIFY2(rowMatches(y), qPrintable(QStringLiteral("row %1").arg(y)));
  }
};

PIXMURA_TEST_CLASS(OverlayTests)
#include "OverlayTests.moc"
