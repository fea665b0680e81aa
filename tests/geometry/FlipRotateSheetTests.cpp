// Image > Flip / Rotate: the flip-and-rotate sheet driven through the main window's command, its
// remembered choices, and what the command then does to the picture and the history.
#include <QTest>
#include <cmath>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "geometry/winFlipRotate.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"
#include "SheetHelpers.h"

using namespace modMAIN;
using namespace SheetHelpers;
using Fixture::Marker;

namespace {

bool FlipRotate(const std::function<void(winFlipRotate*)>& drive) { return RunSheet<winFlipRotate>("menu_ROTATE", drive); }

// The choices on show: operation, angle, the free angle and whether its field is enabled.
QString Choices(const winFlipRotate* w) {
  QString s;
  for (QRadioButton* b : w->rb)
    if (b->isChecked()) s += b->text();
  s += QStringLiteral(" | ");
  for (QRadioButton* b : w->rbDeg)
    if (b->isChecked()) s += b->text();
  s += QStringLiteral(" | ") + w->inpANGLE->text() + (w->inpANGLE->isEnabled() ? QString() : QStringLiteral(" (off)"));
  return s;
}

QString Remembered() {
  return modOptions::last_degree + QLatin1Char(' ') + modOptions::last_free_degree + QLatin1Char(' ') + modOptions::last_flip;
}

// Opens the sheet only to read what it shows, then cancels.
QString ShownAtOpening() {
  QString shown;
  FlipRotate([&](winFlipRotate* w) {
    shown = Choices(w);
    Click(w->pbCANCEL);
  });
  return shown;
}

}  // namespace

class FlipRotateSheetTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // The first opening in a run; OK flips the picture left to right as one undo step.
  void firstOpeningFlipsHorizontally() {
    Fixture::MarkedDocument(4, 3);
    QVERIFY(FlipRotate([](winFlipRotate* w) {
      QCOMPARE(w->windowTitle(), QStringLiteral("Flip / Rotate"));
      QCOMPARE(w->size(), QSize(374, 210));
      QCOMPARE(w->minimumSize(), w->maximumSize());
      QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
      QVERIFY(w->windowModality() == Qt::WindowModal);
      QCOMPARE(Choices(w), QStringLiteral("Flip Horizontal | 90 deg | 45 (off)"));
      QCOMPARE(w->rbDeg[1]->text(), QStringLiteral("180 Deg"));
      QCOMPARE(w->rbDeg[3]->objectName(), QStringLiteral("rbDeg3"));
      QCOMPARE(QRect(w->inpANGLE->mapTo(w, QPoint(0, 0)), w->inpANGLE->size()), QRect(292, 115, 40, 22));
      // At its place, wide enough for its caption.
      QCOMPARE(w->rb[2]->mapTo(w, QPoint(0, 0)), QPoint(30, 85));
      QVERIFY(w->rb[2]->width() >= std::max(129, w->rb[2]->sizeHint().width()));
      QCOMPARE(w->pbOK->geometry(), QRect(274, 170, 80, 20));
      QVERIFY(w->pbOK->isDefault());
      Click(w->pbOK);
    }));
    QVERIFY(!Dialog_Cancel);
    QCOMPARE(Dialog_Answer, QStringLiteral("H"));
    QCOMPARE(Remembered(), QStringLiteral("90 45 H"));
    QCOMPARE(work_area->Pixel(0, 0), Marker(3, 0));
    QCOMPARE(work_area->Pixel(3, 2), Marker(0, 2));
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  // Choosing "Free" enables the field and selects "Rotate by Angle"; 400 becomes 40 on leaving the
  // field; OK turns the picture by 40 degrees: 100 x 50 takes about 100 cos 40 + 50 sin 40 = 108.7 by
  // 100 sin 40 + 50 cos 40 = 102.6.
  void freeAngle() {
    Fixture::MarkedDocument(100, 50);
    QVERIFY(FlipRotate([](winFlipRotate* w) {
      Click(w->rbDeg[3]);
      QCOMPARE(Choices(w), QStringLiteral("Rotate by Angle | Free | 45"));
      Clear(w->inpANGLE);
      Type(QStringLiteral("4000"));
      QCOMPARE(w->inpANGLE->text(), QStringLiteral("400"));
      QTest::keyClick(w->inpANGLE, Qt::Key_Tab);
      QCOMPARE(w->inpANGLE->text(), QStringLiteral("40"));
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("40"));
    QCOMPARE(Remembered(), QStringLiteral("40 40 40"));
    QVERIFY2(std::abs(work_area->Width() - 108.7) <= 1.5, qPrintable(QString::number(work_area->Width())));
    QVERIFY2(std::abs(work_area->Height() - 102.6) <= 1.5, qPrintable(QString::number(work_area->Height())));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(ShownAtOpening(), QStringLiteral("Rotate by Angle | Free | 40"));
  }

  // The free angle as OK answers it: brought into 0 to 359, no number as 0.
  void freeAngleAnswers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer");
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("360") << "360" << "0";
    QTest::newRow("359") << "359" << "359";
    QTest::newRow("999") << "999" << "279";
    QTest::newRow("leading zeros") << "007" << "7";
    QTest::newRow("no letters") << "1a2" << "12";
  }
  void freeAngleAnswers() {
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    Fixture::NewDocument(20, 10);
    QVERIFY(FlipRotate([&](winFlipRotate* w) {
      Click(w->rbDeg[3]);
      Clear(w->inpANGLE);
      Type(typed);
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, answer);
    QCOMPARE(modOptions::last_free_degree, answer);
  }

  // The choices last from one opening to the next.
  void remembered_data() {
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("angle");
    QTest::addColumn<QString>("freeAngle");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("next");
    QTest::newRow("vertical flip with Free") << 1 << 3 << "45" << "V" << "45 45 V" << "Flip Vertical | Free | 45";
    QTest::newRow("half turn") << 2 << 1 << "" << "180" << "180 45 180" << "Rotate by Angle | 180 Deg | 45 (off)";
    QTest::newRow("three-quarter turn") << 2 << 2 << "" << "270" << "270 45 270" << "Rotate by Angle | 270 deg | 45 (off)";
    // A free 90 is the quarter turn: the next opening chooses "90 deg".
    QTest::newRow("free 90") << 2 << 3 << "90" << "90" << "90 90 90" << "Rotate by Angle | 90 deg | 90 (off)";
  }
  void remembered() {
    QFETCH(int, operation);
    QFETCH(int, angle);
    QFETCH(QString, freeAngle);
    QFETCH(QString, answer);
    QFETCH(QString, remembered);
    QFETCH(QString, next);
    Fixture::MarkedDocument(4, 3);
    QVERIFY(FlipRotate([&](winFlipRotate* w) {
      Click(w->rbDeg[angle]);
      // An angle button chooses the turn; the operation is chosen afterwards.
      QVERIFY(w->rb[2]->isChecked());
      Click(w->rb[operation]);
      if (!freeAngle.isEmpty()) {
        Clear(w->inpANGLE);
        Type(freeAngle);
      }
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, answer);
    QCOMPARE(Remembered(), remembered);
    QCOMPARE(ShownAtOpening(), next);
    // What the picture became.
    if (answer == QLatin1String("V")) {
      QCOMPARE(work_area->Pixel(0, 0), Marker(0, 2));
    } else if (answer == QLatin1String("180")) {
      QCOMPARE(work_area->Pixel(0, 0), Marker(3, 2));
    } else {
      // A quarter turn clockwise puts the top-left pixel at the top-right; three quarters at the
      // bottom-left.
      QCOMPARE(work_area->Width(), 3);
      QCOMPARE(work_area->Height(), 4);
      if (answer == QLatin1String("90")) QCOMPARE(work_area->Pixel(2, 0), Marker(0, 0));
      else QCOMPARE(work_area->Pixel(0, 3), Marker(0, 0));
    }
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  // Return in the field normalises it and moves the focus to OK; the sheet stays open.
  void returnInTheFieldKeepsTheSheetOpen_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
  }
  void returnInTheFieldKeepsTheSheetOpen() {
    QFETCH(int, key);
    Fixture::NewDocument(20, 10);
    QVERIFY(FlipRotate([key](winFlipRotate* w) {
      Click(w->rbDeg[3]);
      Clear(w->inpANGLE);
      Type(QStringLiteral("725"));
      QTest::keyClick(w->inpANGLE, Qt::Key(key));
      QVERIFY(w->isVisible());
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->pbOK));
      QCOMPARE(w->inpANGLE->text(), QStringLiteral("5"));
      // Return on OK itself closes the sheet.
      QTest::keyClick(w->pbOK, Qt::Key_Return);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("5"));
  }

  // Cancel, Escape: the command reports not handled and changes neither the picture nor the choices.
  void cancelChangesNothing_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;
  }
  void cancelChangesNothing() {
    QFETCH(bool, escape);
    Fixture::MarkedDocument(4, 3);
    Dialog_Answer = QStringLiteral("V");
    QVERIFY(!FlipRotate([escape](winFlipRotate* w) {
      Click(w->rb[1]);
      Click(w->rbDeg[3]);
      if (escape) QTest::keyClick(w->rbDeg[3], Qt::Key_Escape);
      else Click(w->pbCANCEL);
    }));
    QVERIFY(Dialog_Cancel);
    QCOMPARE(Dialog_Answer, QStringLiteral("V"));
    QCOMPARE(Remembered(), QStringLiteral("90 45 H"));
    QCOMPARE(work_area->Pixel(0, 0), Marker(0, 0));
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  // The choices last for one run of the program, not across a restart.
  void choicesForgottenAtRestart() {
    Fixture::NewDocument(4, 3);
    QVERIFY(FlipRotate([](winFlipRotate* w) {
      Click(w->rbDeg[3]);
      Click(w->rb[1]);
      Click(w->pbOK);
    }));
    QCOMPARE(ShownAtOpening(), QStringLiteral("Flip Vertical | Free | 45"));
    Fixture::StartProgram();
    QCOMPARE(ShownAtOpening(), QStringLiteral("Flip Horizontal | 90 deg | 45 (off)"));
  }
};

PIXMURA_TEST_CLASS(FlipRotateSheetTests)
#include "FlipRotateSheetTests.moc"
