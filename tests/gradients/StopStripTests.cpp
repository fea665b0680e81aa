// The editor's strip of colour stops: presses, the contextual click, dragging and removing stops, the
// position scroll bar and the markers' pixels.
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "gradients/modGRADIENT.h"
#include "gradients/winGradient.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "EditorHelpers.h"
#include "GradientHelpers.h"

using namespace GradientHelpers;
using namespace EditorHelpers;

namespace {

// The selected stops' positions as "p*" among the others.
QString Marked() {
  QStringList out;
  for (const auto& stop : modGRADIENT::Gradient)
    out << QString::number(stop->Position) + (stop->gSelected ? QStringLiteral("*") : QString());
  return out.join(QLatin1Char(','));
}

}  // namespace

class StopStripTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // A press where no marker is in reach adds a white stop at the position under it: (x - 5) / 395 * 100,
  // floored, with 0 and 100 taken in by one.
  void aPressOnAnEmptyPlaceAddsAWhiteStop_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("label");
    QTest::newRow("84") << 84 << 20 << "20%";    // 79 / 395 = 0.2
    QTest::newRow("200") << 200 << 49 << "49%";  // 195 / 395 = 0.4937
    QTest::newRow("5") << 5 << 1 << "1%";        // exactly 0
    QTest::newRow("400") << 400 << 99 << "99%";  // exactly 100
    QTest::newRow("0") << 0 << -2 << "-2%";      // -5 / 395 = -0.0127
    QTest::newRow("4") << 4 << -1 << "-1%";      // -1 / 395
    QTest::newRow("404") << 404 << 101 << "101%"; // 399 / 395 = 1.0101
  }
  void aPressOnAnEmptyPlaceAddsAWhiteStop() {
    QFETCH(int, x);
    QFETCH(int, position);
    QFETCH(QString, label);
    SetStops(QString());
    int index = 0;
    QString shown;
    bool positionOn = false;
    Edit(
        [&](winGradient* w) {
          Click(w->canvasSTOPS, x);
          index = w->stop_index;
          shown = w->lblPosition->text();
          positionOn = w->sb_position->isEnabled() && w->lblPosition->isVisible();
        },
        QStringLiteral("OK"));
    QCOMPARE(Stops(), QStringLiteral("%1:FFFFFF").arg(position));
    QCOMPARE(Marked(), QString::number(position) + QLatin1Char('*'));
    QCOMPARE(index, 0);
    QCOMPARE(shown, label);
    QVERIFY(positionOn);
    QVERIFY(modGRADIENT::Gradient_Changed);
  }

  void anAddedStopIsSortedIntoPlaceAndSelected() {
    SetStops(QStringLiteral("0:000000,100:FF0000"));
    int index = 0;
    Edit(
        [&](winGradient* w) {
          Click(w->canvasSTOPS, 84);
          index = w->stop_index;
        },
        QStringLiteral("OK"));
    QCOMPARE(Stops(), QStringLiteral("0:000000,20:FFFFFF,100:FF0000"));
    QCOMPARE(Marked(), QStringLiteral("0,20*,100"));
    QCOMPARE(index, 1);
  }

  void pressesWithinFivePixelsSelect_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("index");
    // Markers at 5 (0 %), 84 (20 %), 87 (21 %: 87.95 taken as 87) and 400 (100 %).
    QTest::newRow("first stop, left end") << 0 << 0;
    QTest::newRow("first stop, right end") << 10 << 0;
    QTest::newRow("20 %, left end") << 79 << 1;
    QTest::newRow("overlap selects the earlier stop") << 85 << 1;
    QTest::newRow("only the later stop") << 92 << 2;
    QTest::newRow("last stop") << 405 << 3;
    QTest::newRow("last stop, left end") << 395 << 3;
  }
  void pressesWithinFivePixelsSelect() {
    QFETCH(int, x);
    QFETCH(int, index);
    SetStops(QStringLiteral("0:000000,20:FF0000,21:00FF00,100:FFFFFF"));
    int selected = -1;
    Edit(
        [&](winGradient* w) {
          Click(w->canvasSTOPS, x);
          selected = w->stop_index;
        },
        QStringLiteral("OK"));
    QCOMPARE(selected, index);
    QCOMPARE(modGRADIENT::Gradient.size(), size_t(4));
    QVERIFY(!modGRADIENT::Gradient_Changed);
  }

  void aContextualClickRecolours() {
    modOptions::option_ColorPicker = true;
    SetStops(QStringLiteral("0:000000,20:FF0000,100:FFFFFF"));
    int index = -1;
    Edit(
        [&](winGradient* w) {
          // A cancelled question keeps the colour; the stop stays selected.
          Fixture::ExpectColorPicker(QColor(), QColor(255, 0, 0));
          Press(w->canvasSTOPS, 84, 10, Qt::RightButton);
          QCOMPARE(Stops(), QStringLiteral("0:000000,20:FF0000,100:FFFFFF"));
          QVERIFY(!modGRADIENT::Gradient_Changed);
          Fixture::ExpectColorPicker(QColor(0, 0, 255), QColor(255, 0, 0));
          Press(w->canvasSTOPS, 84, 10, Qt::LeftButton, Qt::ControlModifier);
          index = w->stop_index;
          // On an empty place: a white stop and no question.
          Press(w->canvasSTOPS, 200, 10, Qt::RightButton);
        },
        QStringLiteral("OK"));
    QCOMPARE(index, 1);
    QCOMPARE(Stops(), QStringLiteral("0:000000,20:0000FF,49:FFFFFF,100:FFFFFF"));
    QVERIFY(modGRADIENT::Gradient_Changed);
  }

  void draggingAnInteriorStopReordersAndKeepsItSelected() {
    SetStops(QStringLiteral("0:000000,30:FF0000,60:00FF00,100:FFFFFF"));
    int index = -1;
    QString label, marked;
    Edit(
        [&](winGradient* w) {
          // The 30 % marker is centred at 123 (118.5 + 5 taken as 123); x = 321 is 80 %.
          Press(w->canvasSTOPS, 125);
          Drag(w->canvasSTOPS, 200);
          Drag(w->canvasSTOPS, 321);
          index = w->stop_index;
          label = w->lblPosition->text();
          marked = Marked();
          Release(w->canvasSTOPS, 321);
        },
        QStringLiteral("OK"));
    QCOMPARE(marked, QStringLiteral("0,60,80*,100"));
    QCOMPARE(index, 2);
    QCOMPARE(label, QStringLiteral("80%"));
    QCOMPARE(Stops(), QStringLiteral("0:000000,60:00FF00,80:FF0000,100:FFFFFF"));
  }

  void aReleaseBeyondEitherEndRemovesTheStop_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("stops");
    QTest::newRow("left of 5") << 2 << "0:000000,60:00FF00,100:FFFFFF";
    QTest::newRow("right of 400") << 404 << "0:000000,60:00FF00,100:FFFFFF";
    QTest::newRow("at 0 it stays") << 5 << "0:000000,0:FF0000,60:00FF00,100:FFFFFF";
    QTest::newRow("at 100 it stays") << 400 << "0:000000,60:00FF00,100:FF0000,100:FFFFFF";
  }
  void aReleaseBeyondEitherEndRemovesTheStop() {
    QFETCH(int, x);
    QFETCH(QString, stops);
    SetStops(QStringLiteral("0:000000,30:FF0000,60:00FF00,100:FFFFFF"));
    Edit(
        [&](winGradient* w) {
          Press(w->canvasSTOPS, 123);
          Drag(w->canvasSTOPS, x);
          Release(w->canvasSTOPS, x);
        },
        QStringLiteral("OK"));
    QCOMPARE(Stops(), stops);
  }

  void theEndStopsAreOnlySelectedAndTheScrollBarMovesThem() {
    SetStops(QStringLiteral("0:000000,30:FF0000,100:FFFFFF"));
    QString afterDrag;
    Edit(
        [&](winGradient* w) {
          Press(w->canvasSTOPS, 5);
          Drag(w->canvasSTOPS, 250);
          Release(w->canvasSTOPS, 250);
          afterDrag = Stops();
          QCOMPARE(w->stop_index, 0);
          // The scroll bar moves it past its neighbour; the sort keeps it selected.
          w->sb_position->setValue(40);
          QCOMPARE(w->stop_index, 1);
          QCOMPARE(w->lblPosition->text(), QStringLiteral("40%"));
        },
        QStringLiteral("OK"));
    QCOMPARE(afterDrag, QStringLiteral("0:000000,30:FF0000,100:FFFFFF"));
    QCOMPARE(Stops(), QStringLiteral("30:FF0000,40:000000,100:FFFFFF"));
    QCOMPARE(Marked(), QStringLiteral("30,40*,100"));
  }

  void sortingReselectsOnlyInAnOpenEditor() {
    // Without an editor the sort makes none.
    SetStops(QStringLiteral("50:000000,10:FF0000"));
    modGRADIENT::Gradient[0]->gSelected = true;
    modGRADIENT::Sort_Gradient();
    QVERIFY(!winGradient::existing());
    QCOMPARE(Marked(), QStringLiteral("10,50*"));
  }

  // The marker of an interior stop at 20 % (centre x = 84), selected, on the strip's background.
  void theMarkersPixels() {
    SetStops(QStringLiteral("0:000000,20:FF0000,100:FFFFFF"));
    winGradient* w = winGradient::instance();
    modGRADIENT::Gradient[1]->gSelected = true;
    const Platform::PicturePtr strip = Platform::Picture::Create(406, 20, 32);
    Platform::Graphics g(strip);
    g.SetForeColor(0xEDEDED);
    g.FillRect(0, 0, 406, 20);
    w->Draw_Color_Stop(g, 1);
    struct Px {
      int x, y;
      Platform::Color c;
    };
    const Px expected[] = {
        {84, 0, 0x000000},  {84, 4, 0x000000},  {82, 6, 0x000000},  {86, 6, 0x000000},  // filled pointer
        {79, 8, 0x000000},  {89, 8, 0x000000},  {79, 18, 0x000000}, {89, 18, 0x000000}, // black square
        {89, 12, 0x000000}, {84, 18, 0x000000},
        {88, 12, 0x6D6D6D}, {84, 17, 0x6D6D6D}, {88, 17, 0x6D6D6D},                      // grey inner edge
        {80, 9, 0xFFFFFF},  {88, 9, 0xFFFFFF},  {80, 17, 0xFFFFFF}, {80, 12, 0xFFFFFF}, // white light
        {81, 10, 0xFF0000}, {85, 13, 0xFF0000}, {87, 16, 0xFF0000},                      // the colour
        {78, 12, 0xEDEDED}, {90, 12, 0xEDEDED}, {84, 19, 0xEDEDED}, {80, 2, 0xEDEDED},  // outside
        {88, 2, 0xEDEDED},
    };
    for (const Px& p : expected)
      QVERIFY2(strip->Pixel(p.x, p.y) == p.c,
               qPrintable(QStringLiteral("(%1, %2): %3").arg(p.x).arg(p.y).arg(strip->Pixel(p.x, p.y), 6, 16)));

    // Unselected, the pointer is an outline: black for an interior stop, grey for the ends.
    modGRADIENT::Gradient[1]->gSelected = false;
    g.SetForeColor(0xEDEDED);
    g.FillRect(0, 0, 406, 20);
    w->Draw_Color_Stop(g, 1);
    w->Draw_Color_Stop(g, 0);
    QCOMPARE(strip->Pixel(84, 0), Platform::Color(0x000000));
    QCOMPARE(strip->Pixel(84, 6), Platform::Color(0xEDEDED));
    QCOMPARE(strip->Pixel(79, 8), Platform::Color(0x000000));
    QCOMPARE(strip->Pixel(5, 0), Platform::Color(0xA0A0A0));
    QCOMPARE(strip->Pixel(0, 8), Platform::Color(0xA0A0A0));
    QCOMPARE(strip->Pixel(10, 8), Platform::Color(0xA0A0A0));
    delete w;
  }
};

PIXMURA_TEST_CLASS(StopStripTests)
#include "StopStripTests.moc"
