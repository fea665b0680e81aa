#include <QTest>
#include <limits>

#include "app/BundleResources.h"
#include "app/modOptions.h"
#include "app/modProgress.h"
#include "core/ColorMaps.h"
#include "core/Geometry.h"
#include "core/PictureFiles.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/FolderItem.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modProgress;
using Platform::Environment;

class ProgressTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void aJobOfTwoHundredThousandShowsTwentySteps() {
    winMAIN* w = winMAIN::instance();
    Progress_Start(500, 400);
    QVERIFY(w->pb_BARBER->isVisible());
    QVERIFY(modMAIN::Barber_Pole);
    // The painting canvas shows the program's hourglass.
    QCOMPARE(w->Screen_Canvas->cursor().pixmap().toImage(), Resources::Hourglass()->pixmap().toImage());
    QCOMPARE(w->pb_BARBER->maximum(), 200000);
    QCOMPARE(w->pb_BARBER->value(), 0);
    for (int row = 1; row <= 400; ++row) {
      Progress_Check(500);
      // The bar moves every 20 rows of 500, with a beep.
      QCOMPARE(Environment::BeepCount(), row / 20);
      QCOMPARE(w->pb_BARBER->value(), (row / 20) * 10000);
    }
    QCOMPARE(Environment::BeepCount(), 20);
    Progress_End();
    QVERIFY(w->pb_BARBER->isHidden());
    // The busy state lasts until the cursor is set back.
    QVERIFY(modMAIN::Barber_Pole);
    w->Set_Paint_Cursor(false);
    QVERIFY(!modMAIN::Barber_Pole);
  }

  void aSmallerJobShowsNothing() {
    winMAIN* w = winMAIN::instance();
    Progress_Start(499, 400);
    QVERIFY(!pb_flag);
    QVERIFY(w->pb_BARBER->isHidden());
    QVERIFY(!modMAIN::Barber_Pole);
    for (int row = 0; row < 400; ++row) Progress_Check(499);
    QCOMPARE(Environment::BeepCount(), 0);
    Progress_End();
    QVERIFY(w->pb_BARBER->isHidden());
  }

  void oneCheckMovesOneStepAtMost() {
    winMAIN* w = winMAIN::instance();
    Progress_Start(int64_t(300000));
    Progress_Check(300000);
    QCOMPARE(w->pb_BARBER->value(), 15000);
    QCOMPARE(Environment::BeepCount(), 1);
    // Later checks catch up one step each.
    Progress_Check(0);
    Progress_Check(0);
    QCOMPARE(w->pb_BARBER->value(), 45000);
    QCOMPARE(Environment::BeepCount(), 3);
    Progress_End();
    w->Set_Paint_Cursor(false);
  }

  void endWithoutAJobChangesNothing() {
    winMAIN* w = winMAIN::instance();
    Progress_End();
    QVERIFY(w->pb_BARBER->isHidden());
    QVERIFY(!modMAIN::Barber_Pole);
    QCOMPARE(Environment::BeepCount(), 0);
  }

  // The picture loops report as their operations do: per row (the quarter turn, the mask of a transparent
  // save) or per column (sepia, the half and three-quarter turns, the free rotation). A check moves the
  // bar one step at most, so a picture of 20000 x 10 shows 20 steps when reported per column and 10 per
  // row; one of 10 x 20000 the other way round.
  void pictureLoopsReportPerRowOrPerColumn_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("steps");
    QTest::newRow("sepia, per column") << "sepia" << 20000 << 10 << 20;
    QTest::newRow("half turn, per column") << "180" << 20000 << 10 << 20;
    QTest::newRow("three-quarter turn, per column") << "270" << 20000 << 10 << 20;
    QTest::newRow("free rotation, per column") << "free" << 20000 << 10 << 20;
    QTest::newRow("quarter turn, per row") << "90" << 20000 << 10 << 10;
    QTest::newRow("transparent save, per row: wide") << "save" << 20000 << 10 << 10;
    QTest::newRow("transparent save, per row: tall") << "save" << 10 << 20000 << 20;
  }
  void pictureLoopsReportPerRowOrPerColumn() {
    QFETCH(QString, operation);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, steps);
    Fixture::NewDocument(width, height, 0x808080);
    if (operation == QLatin1String("sepia")) {
      modMAIN::image_Convert_Sepia();
    } else if (operation == QLatin1String("save")) {
      modMAIN::Save_as_Transparent = true;
      QVERIFY(modMAIN::Save_image_File(Platform::FolderItem::FromPath(Fixture::Home() + QStringLiteral("/wide.png"))));
    } else {
      modOptions::last_free_degree = QStringLiteral("0");
      modMAIN::image_Rotate(operation == QLatin1String("free") ? 0 : operation.toInt());
    }
    QCOMPARE(Environment::BeepCount(), steps);
    QCOMPARE(winMAIN::instance()->pb_BARBER->value(), steps * 10000);
    QVERIFY(winMAIN::instance()->pb_BARBER->isHidden());
    QVERIFY(!modMAIN::Barber_Pole);
  }

  // A width x height beyond 32 bits is counted in full.
  void hugeTotalsDoNotOverflow() {
    winMAIN* w = winMAIN::instance();
    Progress_Start(100000, 100000);
    QVERIFY(pb_flag);
    QCOMPARE(pb_int, int64_t(500000000));
    QVERIFY(w->pb_BARBER->maximum() > 0);
    for (int i = 0; i < 100000; ++i) Progress_Check(100000);
    QCOMPARE(Environment::BeepCount(), 20);
    QCOMPARE(w->pb_BARBER->value(), w->pb_BARBER->maximum());
    Progress_End();
    w->Set_Paint_Cursor(false);
  }
};
PIXMURA_TEST_CLASS(ProgressTests)

#include "ProgressTests.moc"
