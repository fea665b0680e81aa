#include <QKeyEvent>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classTOOLS.h"
#include "palettes/modSHAPES.h"
#include "palettes/winShapes.h"
#include "Pointer.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Array;
using Platform::Color;

namespace {
classRECTANGLE Box(int x1, int y1, int x2, int y2) {
  classRECTANGLE box;
  box.set_Top_Left(modMAIN::Point_of(x1, y1));
  box.set_Bot_Right(modMAIN::Point_of(x2, y2));
  return box;
}

// The sample tile drawn alone into a white picture.
Platform::PicturePtr Tile(int32_t index) {
  Platform::PicturePtr pic = Fixture::Filled(70, 70, 0x123456);
  Platform::Graphics g = pic->Graphics();
  modSHAPES::Sample_Shape(g, 0, 0, index);
  return pic;
}

// The grey of the cross, blended at its edges by the anti-aliasing renderer.
bool Grey(Color c) {
  return Platform::Red(c) == Platform::Green(c) && Platform::Green(c) == Platform::Blue(c) && Platform::Red(c) >= 0xB0 &&
         Platform::Red(c) <= 0xE8;
}

int Count(const Platform::PicturePtr& pic, Color c) {
  int n = 0;
  for (int y = 0; y < pic->Height(); ++y)
    for (int x = 0; x < pic->Width(); ++x) n += pic->Pixel(x, y) == c;
  return n;
}

winMAIN* Main() { return winMAIN::instance(); }

// Opens the gallery as the View menu does and lets `drive` act on it.
void Show_Gallery(std::function<void(winShapes*)> drive) {
  Fixture::ExpectDialog(QStringLiteral("winShapes"), [drive](QDialog* d) { drive(static_cast<winShapes*>(d)); });
  winShapes::Show_Sheet();
}

void Click_Gallery(int x, int y) {
  Show_Gallery([x, y](winShapes* w) {
    QTest::mouseClick(w->Canvas1, Qt::LeftButton, {}, QPoint(x, y));
    QVERIFY(w->result() == QDialog::Accepted);
  });
}

void Use_Shapes(int count) {
  modOptions::Load_Shapes();
  for (int i = int(modSHAPES::Shape_List.size()); i < count; ++i)
    modSHAPES::Shape_List.Append(QStringLiteral("Extra %1;0,-1;1,1;-1,1").arg(i));
  modSHAPES::Shape_Index = -1;
}
}  // namespace

class ShapeDrawingTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void builtInShapesInBoxes_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::addColumn<Array<int32_t>>("points");
    QTest::newRow("diamond in 10 x 10") << 0 << 10 << Array<int32_t>{-1, 5, 0, 0, 5, 5, 10, 10, 5, 5, 0};
    // Half of 11 is 5: the right and lowest vertices stay one pixel inside the box.
    QTest::newRow("diamond in 11 x 11") << 0 << 11 << Array<int32_t>{-1, 5, 0, 0, 5, 5, 10, 10, 5, 5, 0};
    // -.4 in single precision lies just below -0.4: 5 * -.4 + 5 floors to 2, not 3.
    QTest::newRow("Arrow:Up") << 10 << 10 << Array<int32_t>{-1, 5, 0, 0, 5, 2, 5, 2, 10, 7, 10, 7, 5, 10, 5};
    QTest::newRow("Triangle [7]") << 18 << 10 << Array<int32_t>{-1, 10, 5, 0, 10, 0, 0};
  }
  void builtInShapesInBoxes() {
    QFETCH(int, index);
    QFETCH(int, size);
    QFETCH(Array<int32_t>, points);
    modOptions::Load_Shapes();
    modSHAPES::Get_Shape(index, Box(size, size, 0, 0));  // drawn from the lower right: the same box
    QCOMPARE(modSHAPES::Shape_Point, points);
  }

  void parsingIsCachedByIndex() {
    modOptions::Load_Shapes();
    modSHAPES::Get_Shape_Percent(3);
    QCOMPARE(modSHAPES::Shape_Index, 3);
    QCOMPARE(int(modSHAPES::Shape_PCT.size()), 9);
    modSHAPES::Get_Shape_Percent(18);
    QCOMPARE(int(modSHAPES::Shape_PCT.size()), 3);
    QCOMPARE(modSHAPES::Shape_PCT[2].x, -1.f);
    QCOMPARE(modSHAPES::Shape_PCT[2].y, -1.f);
  }

  void fillModesByPixels_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("outline");
    QTest::addColumn<bool>("fill");
    QTest::newRow("1 outline") << 1 << true << false;
    QTest::newRow("2 fill without outline") << 2 << false << true;
    QTest::newRow("3 fill and outline") << 3 << true << true;
  }
  void fillModesByPixels() {
    QFETCH(int, mode);
    QFETCH(bool, outline);
    QFETCH(bool, fill);
    using namespace modMAIN;
    modOptions::Load_Shapes();
    Fixture::NewDocument(50, 50, 0xFFFFFF);
    modOptions::option_AntiAlias = true;  // the setting is true when anti-aliasing is off
    Drawing_Fillmode = mode;
    Draw_Color[1] = 0x0000FF;
    Draw_Color[2] = 0x00FF00;
    Brush_Pattern = 3;  // plays no part
    // The diamond (20, 0), (0, 20), (20, 40), (40, 20).
    modSHAPES::Draw_Shape(0, Box(0, 0, 40, 40));
    QCOMPARE(work_area->Pixel(20, 0) == 0x0000FF, outline);
    QCOMPARE(work_area->Pixel(0, 20) == 0x0000FF, outline);
    QCOMPARE(work_area->Pixel(30, 30) == 0x0000FF, outline);  // on the edge (20, 40)-(40, 20)
    QCOMPARE(work_area->Pixel(20, 20), Color(fill ? 0x00FF00 : 0xFFFFFF));
    QCOMPARE(work_area->Pixel(12, 20), Color(fill ? 0x00FF00 : 0xFFFFFF));
    QCOMPARE(Count(work_area, 0x0000FF) > 0, outline);
    QCOMPARE(Count(work_area, 0x00FF00) > 0, fill);
    // Only the plain colours, no blend: the renderer has no anti-aliasing.
    QCOMPARE(Count(work_area, 0xFFFFFF) + Count(work_area, 0x0000FF) + Count(work_area, 0x00FF00), 2500);
    QCOMPARE(work_area->Pixel(3, 3), Color(0xFFFFFF));
  }

  void theHexagonsTile() {
    modOptions::Load_Shapes();
    const Platform::PicturePtr tile = Tile(2);
    QCOMPARE(modSHAPES::Shape_Point, (Array<int32_t>{-1, 30, 3, 53, 16, 53, 43, 30, 57, 6, 43, 6, 16, 30, 3}));
    QCOMPARE(tile->Pixel(30, 30), Color(0x609ADA));
    QCOMPARE(tile->Pixel(10, 5), Color(0xFFFFFF));  // beside the upper left edge
    QCOMPARE(tile->Pixel(53, 30), Color(0x2650BB));  // on the right edge
    // The sunken frame.
    QCOMPARE(tile->Pixel(20, 0), Color(0x99A8AC));
    QCOMPARE(tile->Pixel(0, 20), Color(0x99A8AC));
    QCOMPARE(tile->Pixel(20, 1), Color(0x716F64));
    QCOMPARE(tile->Pixel(1, 20), Color(0x716F64));
    QCOMPARE(tile->Pixel(20, 63), Color(0xE2EFF1));
    QCOMPARE(tile->Pixel(63, 20), Color(0xE2EFF1));
    QCOMPARE(tile->Pixel(20, 64), Color(0xFFFFFF));
    QCOMPARE(tile->Pixel(64, 20), Color(0xFFFFFF));
    QCOMPARE(tile->Pixel(65, 20), Color(0x123456));  // nothing beyond 65 pixels
    QCOMPARE(tile->Pixel(20, 65), Color(0x123456));
  }

  void aTileBeyondTheListIsAGreyCross_data() {
    QTest::addColumn<int>("shapes");
    QTest::addColumn<int>("index");
    QTest::newRow("index 20 of 20") << 20 << 20;
    QTest::newRow("empty list") << 0 << 0;
  }
  void aTileBeyondTheListIsAGreyCross() {
    QFETCH(int, shapes);
    QFETCH(int, index);
    modSHAPES::Shape_List.clear();
    if (shapes) Use_Shapes(shapes);
    const Platform::PicturePtr tile = Tile(index);
    // The diagonals (1, 1)-(63, 63) and (63, 1)-(1, 63).
    QVERIFY(Grey(tile->Pixel(32, 32)));
    QVERIFY(Grey(tile->Pixel(10, 10)));
    QVERIFY(Grey(tile->Pixel(52, 12)));
    QCOMPARE(tile->Pixel(32, 10), Color(0xFFFFFF));
    QCOMPARE(Count(tile, 0x609ADA), 0);
  }

  // ---- The gallery ----

  void theGridFollowsTheListsLength_data() {
    QTest::addColumn<int>("shapes");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("button");
    QTest::newRow("20") << 20 << 6 << 4 << QSize(401, 294) << QPoint(313, 270);
    QTest::newRow("24") << 24 << 6 << 4 << QSize(401, 294) << QPoint(313, 270);
    QTest::newRow("25") << 25 << 8 << 6 << QSize(535, 428) << QPoint(447, 404);
  }
  void theGridFollowsTheListsLength() {
    QFETCH(int, shapes);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QSize, size);
    QFETCH(QPoint, button);
    Use_Shapes(shapes);
    Show_Gallery([&](winShapes* w) {
      QCOMPARE(w->Columns(), columns);
      QCOMPARE(w->Rows(), rows);
      QCOMPARE(w->size(), size);
      QCOMPARE(w->Canvas1->size(), QSize(size.width(), size.height() - 25));
      QCOMPARE(w->PushButton1->pos(), button);
      QCOMPARE(w->PushButton1->text(), QStringLiteral("Cancel"));
      // The last cell shows a shape when the grid is full, else the cross.
      const QImage shot = w->Canvas1->grab().toImage();
      const Color last = shot.pixel(3 + 66 * (columns - 1) + 32, 3 + 66 * (rows - 1) + 32) & 0xFFFFFF;
      if (shapes == columns * rows) QCOMPARE(last, Color(0x609ADA));
      else QVERIFY(Grey(last));
      QTest::mouseClick(w->PushButton1, Qt::LeftButton);
    });
  }

  void aClickPicksTheTileUnderIt_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("shape");
    QTest::newRow("x 67: column 0") << QPoint(67, 10) << 0;
    QTest::newRow("x 68: the gap") << QPoint(68, 10) << 5;
    QTest::newRow("x 69: column 1") << QPoint(69, 10) << 1;
    QTest::newRow("y 67: row 0") << QPoint(10, 67) << 0;
    QTest::newRow("y 68: the gap") << QPoint(10, 68) << 5;
    QTest::newRow("y 69: row 1") << QPoint(10, 69) << 6;
    QTest::newRow("x 2: the margin") << QPoint(2, 10) << 5;
    QTest::newRow("x 3: column 0") << QPoint(3, 10) << 0;
    QTest::newRow("last shape") << QPoint(3 + 66 + 30, 3 + 66 * 3 + 30) << 19;
    QTest::newRow("a cross cell") << QPoint(3 + 66 * 3 + 30, 3 + 66 * 3 + 30) << 5;
  }
  void aClickPicksTheTileUnderIt() {
    QFETCH(QPoint, at);
    QFETCH(int, shape);
    Use_Shapes(20);
    modSHAPES::Current_Shape = 5;
    Main()->drawing_TOOL_SET(modMAIN::TOOL_LINE);
    Click_Gallery(at.x(), at.y());
    QCOMPARE(modSHAPES::Current_Shape, shape);
    // Hit or not, the shape tool is chosen.
    QCOMPARE(modMAIN::drawing_TOOL, int32_t(modMAIN::TOOL_SHAPE));
    QCOMPARE(Main()->classTOOLS1->Current_Tool(), int32_t(modMAIN::TOOL_SHAPE));
  }

  void onlyTheFirst48ShapesCanBePicked() {
    Use_Shapes(50);
    modSHAPES::Current_Shape = 2;
    Click_Gallery(3 + 66 * 7 + 30, 3 + 66 * 5 + 30);
    QCOMPARE(modSHAPES::Current_Shape, 47);
  }

  void cancelAndEscapeChangeNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;
  }
  void cancelAndEscapeChangeNothing() {
    QFETCH(bool, escape);
    Use_Shapes(20);
    modSHAPES::Current_Shape = 4;
    Main()->drawing_TOOL_SET(modMAIN::TOOL_OVAL);
    Show_Gallery([escape](winShapes* w) {
      if (escape) QTest::keyClick(w, Qt::Key_Escape);
      else QTest::mouseClick(w->PushButton1, Qt::LeftButton);
      QVERIFY(w->result() == QDialog::Rejected);
    });
    QCOMPARE(modSHAPES::Current_Shape, 4);
    QCOMPARE(modMAIN::drawing_TOOL, int32_t(modMAIN::TOOL_OVAL));
  }

  void aPickShowsInThePalettesSample() {
    Use_Shapes(20);
    classTOOLS* palette = Main()->classTOOLS1;
    Main()->drawing_TOOL_SET(modMAIN::TOOL_SHAPE);
    // The sample stands at (3, 388): a point of the lower-left triangle (12) outside the diamond (0).
    const QPoint probe(3 + 10, 388 + 50);
    QCOMPARE(palette->grab().toImage().pixel(probe) & 0xFFFFFF, 0xFFFFFFu);
    // The palette opens the gallery from a click on its sample.
    Hover(palette, QPoint(30, 420));
    Fixture::ExpectDialog(QStringLiteral("winShapes"), [](QDialog* d) {
      QTest::mouseClick(static_cast<winShapes*>(d)->Canvas1, Qt::LeftButton, {}, QPoint(3 + 66 * 0 + 20, 3 + 66 * 2 + 20));
    });
    QTest::mouseClick(palette, Qt::LeftButton, {}, QPoint(30, 420));
    QCOMPARE(modSHAPES::Current_Shape, 12);
    QCOMPARE(palette->grab().toImage().pixel(probe) & 0xFFFFFF, 0x609ADAu);
  }
};

PIXMURA_TEST_CLASS(ShapeDrawingTests)
#include "ShapeTests.moc"
