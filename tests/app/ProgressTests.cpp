#include <QTest>
#include <limits>

#include "app/BundleResources.h"
#include "app/modProgress.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
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
