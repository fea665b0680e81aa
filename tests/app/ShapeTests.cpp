#include <QTest>

#include "palettes/modSHAPES.h"
#include "app/modOptions.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using modSHAPES::Fpoint_record;

namespace {
QString Vertices(const QString& definition) {
  QStringList out;
  for (const Fpoint_record& v : modSHAPES::Read_Shape(definition)) out << QStringLiteral("%1,%2").arg(v.x).arg(v.y);
  return out.join(QLatin1Char(' '));
}
}  // namespace

class ShapeTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void reading_data() {
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("vertices");
    QTest::newRow("diamond") << "Diamond;0,-1;-1,0;0,1;1,0;0,-1" << "0,-1 -1,0 0,1 1,0 0,-1";
    QTest::newRow("blank before a number") << "Arrow:Left; -1,0;0,-1" << "-1,0 0,-1";
    QTest::newRow("a third number is ignored") << "Arrow:Up;.4,0;1,0,-1" << "0.4,0 1,0";
    QTest::newRow("triangle 7") << "Triangle [7];1,0;-1,1;-1,-1,1,0" << "1,0 -1,1 -1,-1";
    QTest::newRow("closing ; is the centre") << "T;1,1;" << "1,1 0,0";
    QTest::newRow("no comma: x 0, y the number") << "T;.5" << "0,0.5";
    QTest::newRow("name only") << "Lonely" << "";
    QTest::newRow("not numbers") << "T;a,b;3x,-y" << "0,0 3,0";
    QTest::newRow("beyond single precision") << "T;1" + QString(60, '0') + ",-1" << "3.40282e+38,-1";
  }
  void reading() {
    QFETCH(QString, definition);
    QFETCH(QString, vertices);
    QCOMPARE(Vertices(definition), vertices);
  }

  void builtInShapes() {
    modOptions::Load_Shapes();
    QCOMPARE(modSHAPES::Shape_List.size(), size_t(20));
    const int counts[] = {5, 6, 7, 9, 9, 11, 11, 13, 8, 8, 7, 7, 4, 4, 4, 4, 4, 4, 3, 3};
    for (int i = 0; i < 20; ++i) QCOMPARE(int(modSHAPES::Read_Shape(modSHAPES::Shape_List[i]).size()), counts[i]);
    QCOMPARE(modSHAPES::Shape_List[10].section(QLatin1Char(';'), 0, 0), QStringLiteral("Arrow:Up"));
    QCOMPARE(Vertices(modSHAPES::Shape_List[10]).section(QLatin1Char(' '), -1), QStringLiteral("1,0"));
    QCOMPARE(Vertices(modSHAPES::Shape_List[17]), QStringLiteral("0,1 1,-1 -1,-1 0,1"));
  }

  void placingInABox() {
    modSHAPES::Shape_List = {QStringLiteral("Box;1,1;-1,-1;0,0;3,-3")};
    classRECTANGLE box;
    box.set_Top_Left(modMAIN::Point_of(20, 27));  // corners in any order
    box.set_Bot_Right(modMAIN::Point_of(10, 20));
    modSHAPES::Get_Shape(0, box);
    // Width 10 and height 7: half sizes 5 and 3, so y = 1 lands one short of the bottom edge.
    QCOMPARE(modSHAPES::Shape_Point, (Platform::Array<int32_t>{-1, 20, 26, 10, 20, 15, 23, 30, 14}));
    QCOMPARE(modSHAPES::Shape_Index, 0);
  }

  void placementSaturatesFarVertices() {
    modSHAPES::Shape_List = {QStringLiteral("Far;1") + QString(40, '0') + QStringLiteral(",-1") + QString(40, '0')};
    classRECTANGLE box;
    box.set_Top_Left(modMAIN::Point_of(0, 0));
    box.set_Bot_Right(modMAIN::Point_of(1000, 1000));
    modSHAPES::Get_Shape(0, box);
    QCOMPARE(modSHAPES::Shape_Point, (Platform::Array<int32_t>{-1, 2147483647, int32_t(-2147483648LL)}));
  }

  void aShapeIsReadAgainOnlyForAnotherIndex() {
    modSHAPES::Shape_List = {QStringLiteral("A;1,1"), QStringLiteral("B;-1,-1")};
    classRECTANGLE box;
    box.set_Bot_Right(modMAIN::Point_of(10, 10));
    modSHAPES::Get_Shape(1, box);
    modSHAPES::Shape_List[1] = QStringLiteral("B;1,1");
    modSHAPES::Get_Shape(1, box);
    QCOMPARE(modSHAPES::Shape_Point, (Platform::Array<int32_t>{-1, 0, 0}));
    modSHAPES::Get_Shape(0, box);
    QCOMPARE(modSHAPES::Shape_Point, (Platform::Array<int32_t>{-1, 10, 10}));
  }
};

PIXMURA_TEST_CLASS(ShapeTests)
#include "ShapeTests.moc"
