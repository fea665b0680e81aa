// The gradient editor window: opening, the style and centre controls, the replace colour and the
// commands, driven through the modal host as a user does.
#include <QApplication>
#include <QLineEdit>
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

const QString kSpectrum =
    QStringLiteral("0:FF0000,16:F900FC,33:0000FE,50:1EFFF0,67:1FFF0A,83:FFFF00,100:FF0000");

// The colour in the middle of the replace-colour well as it shows on screen.
Platform::Color WellColour(winGradient* w) {
  const QImage shot = w->Canvas1->grab().toImage();
  return Platform::FromQRgb(shot.pixel(10, 10));
}

}  // namespace

class EditorTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void opensTitledWithTheGradientsName() {
    QCOMPARE(Stops(), kSpectrum);
    QString title;
    bool positionOn = true, labelShown = true;
    int index = 0;
    Edit(
        [&](winGradient* w) {
          title = w->windowTitle();
          positionOn = w->sb_position->isEnabled();
          labelShown = w->lblPosition->isVisible();
          index = w->stop_index;
        },
        QStringLiteral("OK"));
    QCOMPARE(title, QStringLiteral("Spectrum"));
    QVERIFY(!positionOn);
    QVERIFY(!labelShown);
    QCOMPARE(index, -1);

    modGRADIENT::Gradient_Path.reset();
    Edit([&](winGradient* w) { title = w->windowTitle(); }, QStringLiteral("OK"));
    QCOMPARE(title, QStringLiteral("untitled"));
  }

  void okWithoutChangesKeepsTheGradient() {
    // A stop marked selected by an earlier showing loses the mark; the stops are not sorted on opening.
    SetStops(QStringLiteral("60:00FF00,10:0000FF"));
    modGRADIENT::Gradient[0]->gSelected = true;
    modGRADIENT::Gradient_Changed = true;
    modMAIN::Dialog_Cancel = true;
    Edit([](winGradient*) {}, QStringLiteral("OK"));
    QCOMPARE(modMAIN::Dialog_Cancel, false);
    QCOMPARE(Stops(), QStringLiteral("60:00FF00,10:0000FF"));
    QVERIFY(!modGRADIENT::Gradient[0]->gSelected);
    QVERIFY(!modGRADIENT::Gradient_Changed);
  }

  void returnIsOkAndEscapeIsCancel() {
    Edit([](winGradient* w) { QTest::keyClick(w, Qt::Key_Return); }, QString());
    QCOMPARE(modMAIN::Dialog_Cancel, false);
    Edit(
        [](winGradient* w) {
          w->pbREVERSE->click();
          QTest::keyClick(w, Qt::Key_Escape);
        },
        QString());
    QCOMPARE(modMAIN::Dialog_Cancel, true);
    QCOMPARE(Stops(), kSpectrum);
  }

  void theWellStartsWithTheForegroundColourAtEveryOpening() {
    modOptions::option_ColorPicker = true;
    modMAIN::Draw_Color[1] = 0x123456;
    Platform::Color shown = 0, afterCancelledQuestion = 0;
    Edit(
        [&](winGradient* w) {
          shown = WellColour(w);
          // A cancelled question keeps the colour; an answer replaces it.
          Fixture::ExpectColorPicker(QColor(), QColor(0x12, 0x34, 0x56));
          Press(w->Canvas1, 10, 10);
          afterCancelledQuestion = modGRADIENT::Gradient_Replace_Color;
          Fixture::ExpectColorPicker(QColor(0, 255, 0), QColor(0x12, 0x34, 0x56));
          Press(w->Canvas1, 10, 10);
        },
        QStringLiteral("OK"));
    QCOMPARE(shown, Platform::Color(0x123456));
    QCOMPARE(afterCancelledQuestion, Platform::Color(0x123456));
    QCOMPARE(modGRADIENT::Gradient_Replace_Color, Platform::Color(0x00FF00));
    // The replace colour is not part of the gradient.
    QVERIFY(!modGRADIENT::Gradient_Changed);

    Edit([&](winGradient* w) { shown = WellColour(w); }, QStringLiteral("OK"));
    QCOMPARE(shown, Platform::Color(0x123456));
    QCOMPARE(modGRADIENT::Gradient_Replace_Color, Platform::Color(0x123456));
  }

  void newMakesATwoStopGradient_data() {
    QTest::addColumn<uint>("replace");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("stops");
    QTest::newRow("black") << 0x000000u << 0 << QStringLiteral("0:000000,100:FFFFFF");
    QTest::newRow("white") << 0xFFFFFFu << 1 << QStringLiteral("0:FFFFFF,100:000000");
    QTest::newRow("red, radial") << 0xFF0000u << 2 << QStringLiteral("0:FF0000,100:FFFFFF");
  }
  void newMakesATwoStopGradient() {
    QFETCH(uint, replace);
    QFETCH(int, style);
    QFETCH(QString, stops);
    modGRADIENT::Gradient_style = style;
    modGRADIENT::gradient_cx = 10;
    modGRADIENT::gradient_cy = 90;
    modMAIN::Draw_Color[1] = replace;
    QString title;
    int sbx = 0, sby = 0;
    Edit(
        [&](winGradient* w) {
          w->pbNEW->click();
          title = w->windowTitle();
          sbx = w->sb_radial_x->value();
          sby = w->sb_radial_y->value();
        },
        QStringLiteral("OK"));
    QCOMPARE(Stops(), stops);
    QCOMPARE(modGRADIENT::Gradient_style, style);
    QCOMPARE(modGRADIENT::gradient_cx, 50);
    QCOMPARE(modGRADIENT::gradient_cy, 50);
    QCOMPARE(sbx, 50);
    QCOMPARE(sby, 50);
    QCOMPARE(title, QStringLiteral("untitled"));
    QVERIFY(!modGRADIENT::Gradient_Path);
    QVERIFY(modGRADIENT::Gradient_Changed);
  }

  void reverseMirrorsThePositions() {
    QString once;
    Edit(
        [&](winGradient* w) {
          w->pbREVERSE->click();
          once = Stops();
          w->pbREVERSE->click();
        },
        QStringLiteral("OK"));
    // 100 - p for each stop, then in ascending order.
    QCOMPARE(once, QStringLiteral("0:FF0000,17:FFFF00,33:1FFF0A,50:1EFFF0,67:0000FE,84:F900FC,100:FF0000"));
    QCOMPARE(Stops(), kSpectrum);
    QVERIFY(modGRADIENT::Gradient_Changed);
  }

  void theStyleButtonsAndTheCentreControls() {
    bool changedByCurrent = true;
    bool centreOnAtStart = true, centreOnRadial = false, centreOnVertical = true;
    Qt::CursorShape radialCursor = Qt::PointingHandCursor, verticalCursor = Qt::ArrowCursor;
    Edit(
        [&](winGradient* w) {
          centreOnAtStart = w->sb_radial_x->isEnabled();
          QTest::mouseClick(w->rb[0], Qt::LeftButton);
          changedByCurrent = modGRADIENT::Gradient_Changed;
          QTest::mouseClick(w->rb[2], Qt::LeftButton);
          centreOnRadial = w->sb_radial_x->isEnabled() && w->sb_radial_y->isEnabled() &&
                           w->CanvasRadial->isEnabled() && w->pbcenter->isEnabled();
          radialCursor = w->CanvasRadial->cursor().shape();
          QCOMPARE(modGRADIENT::Gradient_style, 2);
          QVERIFY(modGRADIENT::Gradient_Changed);
          QTest::mouseClick(w->rb[1], Qt::LeftButton);
          centreOnVertical = w->sb_radial_x->isEnabled() || w->sb_radial_y->isEnabled() ||
                             w->CanvasRadial->isEnabled() || w->pbcenter->isEnabled();
          verticalCursor = w->CanvasRadial->cursor().shape();
        },
        QStringLiteral("OK"));
    QVERIFY(!centreOnAtStart);
    QVERIFY(!changedByCurrent);
    QVERIFY(centreOnRadial);
    QVERIFY(radialCursor != Qt::PointingHandCursor);
    QVERIFY(!centreOnVertical);
    QCOMPARE(verticalCursor, Qt::PointingHandCursor);
    QCOMPARE(modGRADIENT::Gradient_style, 1);
  }

  void theCentreByDragScrollBarsAndCenter() {
    modGRADIENT::Gradient_style = 2;
    modGRADIENT::gradient_cx = 50;
    modGRADIENT::gradient_cy = 50;
    bool changedByCenter = false;
    int dragX = 0, dragY = 0;
    Edit(
        [&](winGradient* w) {
          QVERIFY(!modGRADIENT::Gradient_Changed);
          w->pbcenter->click();
          changedByCenter = modGRADIENT::Gradient_Changed;
          // A drag to the left of the preview: the centre follows below 0 while the button is held.
          Press(w->CanvasRadial, 30, 40);
          Drag(w->CanvasRadial, -20, 75);
          dragX = modGRADIENT::gradient_cx;
          dragY = modGRADIENT::gradient_cy;
          Release(w->CanvasRadial, -20, 75);
        },
        QStringLiteral("OK"));
    QVERIFY(changedByCenter);
    QCOMPARE(dragX, -20);
    QCOMPARE(dragY, 75);
    // On release the scroll bars take the place, kept within 0..100.
    QCOMPARE(modGRADIENT::gradient_cx, 0);
    QCOMPARE(modGRADIENT::gradient_cy, 75);
  }

  // Cancel gives back the gradient as it was at opening, whatever happened in between.
  void cancelRestoresTheOpeningState_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("untitled");
    QTest::newRow("reverse") << "reverse" << false;
    QTest::newRow("new") << "new" << false;
    QTest::newRow("style, centre and a stop") << "edits" << false;
    QTest::newRow("untitled, new") << "new" << true;
    QTest::newRow("untitled, edits") << "edits" << true;
  }
  void cancelRestoresTheOpeningState() {
    QFETCH(QString, action);
    QFETCH(bool, untitled);
    // Edits confirmed with OK in an earlier showing are kept too.
    Edit([](winGradient* w) { w->pbREVERSE->click(); }, QStringLiteral("OK"));
    if (untitled) modGRADIENT::Gradient_Path.reset();
    const QString stops = Stops();
    const auto path = modGRADIENT::Gradient_Path;
    modGRADIENT::gradient_cx = 20;
    modGRADIENT::gradient_cy = 30;
    Edit(
        [&](winGradient* w) {
          if (action == QLatin1String("reverse")) w->pbREVERSE->click();
          if (action == QLatin1String("new")) w->pbNEW->click();
          if (action == QLatin1String("edits")) {
            QTest::mouseClick(w->rb[2], Qt::LeftButton);
            w->pbcenter->click();
            Click(w->canvasSTOPS, 84);
          }
        },
        QStringLiteral("Cancel"));
    QCOMPARE(modMAIN::Dialog_Cancel, true);
    QCOMPARE(Stops(), stops);
    QCOMPARE(modGRADIENT::Gradient_style, 0);
    QCOMPARE(modGRADIENT::gradient_cx, 20);
    QCOMPARE(modGRADIENT::gradient_cy, 30);
    QCOMPARE(modGRADIENT::Gradient_Path, path);
    for (const auto& stop : modGRADIENT::Gradient) QVERIFY(!stop->gSelected);
  }

  void saveOrLoadThenCancelKeepsThatGradient() {
    // Save under a new name, then more edits, then Cancel: the saved gradient stays, under its name.
    Edit(
        [](winGradient* w) {
          w->pbNEW->click();
          Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [](QDialog* d) {
            auto* c = qobject_cast<QDialog*>(d);
            auto* field = c->findChild<QLineEdit*>(QStringLiteral("inpGname"));
            field->setText(QStringLiteral("Mine"));
          }, QStringLiteral("OK"));
          w->pbSAVE->click();
          QCOMPARE(w->windowTitle(), QStringLiteral("Mine"));
          w->pbREVERSE->click();
        },
        QStringLiteral("Cancel"));
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Mine"));
    QCOMPARE(Stops(), QStringLiteral("0:000000,100:FFFFFF"));
    QVERIFY(!modGRADIENT::Gradient_Changed);

    // Load "Spectrum", then Cancel: the loaded gradient stays.
    Edit(
        [](winGradient* w) {
          Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [](QDialog* d) {
            auto* field = d->findChild<QLineEdit*>(QStringLiteral("inpGname"));
            field->setReadOnly(false);
            field->setText(QStringLiteral("Spectrum"));
          }, QStringLiteral("OK"));
          w->pbLOAD->click();
          QCOMPARE(w->windowTitle(), QStringLiteral("Spectrum"));
        },
        QStringLiteral("Cancel"));
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Spectrum"));
    QCOMPARE(Stops(), kSpectrum);
  }

  void aLoadedStyleOutsideTheButtonsSwitchesNoneOn() {
    WriteSetting(QStringLiteral("Odd.Gradient"), "7,50,50\n0:&h000000\n100:&hFFFFFF\n");
    bool anyOn = true, centreOn = true;
    Edit(
        [&](winGradient* w) {
          Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [](QDialog* d) {
            auto* field = d->findChild<QLineEdit*>(QStringLiteral("inpGname"));
            field->setReadOnly(false);
            field->setText(QStringLiteral("Odd"));
          }, QStringLiteral("OK"));
          w->pbLOAD->click();
          anyOn = w->rb[0]->isChecked() || w->rb[1]->isChecked() || w->rb[2]->isChecked();
          centreOn = w->pbcenter->isEnabled();
        },
        QStringLiteral("OK"));
    QVERIFY(!anyOn);
    QVERIFY(!centreOn);
    QCOMPARE(modGRADIENT::Gradient_style, 7);
    QCOMPARE(Stops(), QStringLiteral("0:000000,100:FFFFFF"));
  }
};

PIXMURA_TEST_CLASS(EditorTests)
#include "EditorTests.moc"
