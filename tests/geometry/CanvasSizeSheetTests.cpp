// Image > Canvas Size: the canvas-size sheet driven through the main window's command, and what the
// command then does to the picture and the history.
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "geometry/winCANVAS_SIZE.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"
#include "SheetHelpers.h"

using namespace modMAIN;
using namespace SheetHelpers;
using Fixture::Marker;

namespace {

QString Fields(const winCANVAS_SIZE* w) { return w->inp[0]->text() + QStringLiteral(" x ") + w->inp[1]->text(); }

bool CanvasSize(const std::function<void(winCANVAS_SIZE*)>& drive) { return RunSheet<winCANVAS_SIZE>("menu_CANVAS_SIZE", drive); }

// The printer list with one selected resolution of h x v dots per inch.
void UseResolution(int32_t h, int32_t v) {
  Printer_Info.clear();
  Printer_Info.Append(printer_res{72, 72, false});
  Printer_Info.Append(printer_res{h, v, true});
}

}  // namespace

class CanvasSizeSheetTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void opening() {
    Fixture::NewDocument(640, 480);
    QVERIFY(CanvasSize([](winCANVAS_SIZE* w) {
      QCOMPARE(w->windowTitle(), QStringLiteral("Canvas Size"));
      QCOMPARE(w->size(), QSize(235, 124));
      QVERIFY(w->windowModality() == Qt::WindowModal);
      QCOMPARE(Fields(w), QStringLiteral("640 x 480"));
      QVERIFY(w->rb[1]->isChecked());
      QCOMPARE(w->rb[1]->text(), QStringLiteral("Pixels"));
      QCOMPARE(w->rb[0]->text(), QStringLiteral("Inches"));
      QCOMPARE(w->rb[0]->objectName(), QStringLiteral("rb0"));
      // At its place, wide enough for its caption.
      QCOMPARE(w->rb[0]->pos(), QPoint(150, 50));
      QVERIFY(w->rb[0]->width() >= std::max(65, w->rb[0]->sizeHint().width()));
      QCOMPARE(w->inp[1]->geometry(), QRect(75, 50, 65, 22));
      QCOMPARE(w->StaticText3->text(), QStringLiteral("Height"));
      QVERIFY(w->pbOK->isEnabled());
      QVERIFY(w->pbOK->isDefault());
      // Tab from the width goes to the height, the insertion point after its text.
      TypeInto(w->inp[0], QString());
      QTest::keyClick(w->inp[0], Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->inp[1]));
      QVERIFY(!w->inp[1]->hasSelectedText());
      QCOMPARE(w->inp[1]->cursorPosition(), 3);
      QTest::keyClick(w->inp[1], Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->pbOK));
      QCOMPARE(NextTab(w->pbOK), w->pbCancel);
      QCOMPARE(NextTab(w->pbCancel), w->rb[1]);
      QCOMPARE(NextTab(w->rb[1]), w->rb[0]);
      Click(w->pbCancel);
    }));
    QCOMPARE(Dialog_Setup, 0);
  }

  // The unit switch converts with the resolution of each axis, and back again.
  void unitSwitch_data() {
    QTest::addColumn<int>("pw");
    QTest::addColumn<int>("ph");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("physical");
    // 640 / 72 and 480 / 72.
    QTest::newRow("inches") << 640 << 480 << 72 << false << "8.889 x 6.667";
    // The same times 2.54.
    QTest::newRow("centimetres") << 640 << 480 << 72 << true << "22.578 x 16.933";
    // 1024 / 300 and 768 / 300.
    QTest::newRow("300 dpi") << 1024 << 768 << 300 << false << "3.413 x 2.560";
  }
  void unitSwitch() {
    QFETCH(int, pw);
    QFETCH(int, ph);
    QFETCH(int, dpi);
    QFETCH(bool, metric);
    QFETCH(QString, physical);
    modOptions::option_Metric = metric;
    UseResolution(dpi, dpi);
    Fixture::NewDocument(pw, ph);
    const QString pixels = QStringLiteral("%1 x %2").arg(pw).arg(ph);
    QVERIFY(CanvasSize([&](winCANVAS_SIZE* w) {
      QCOMPARE(w->rb[0]->text(), metric ? QStringLiteral("cm") : QStringLiteral("Inches"));
      Click(w->rb[0]);
      QCOMPARE(Fields(w), physical);
      // A click on the unit already chosen converts nothing.
      Click(w->rb[0]);
      QCOMPARE(Fields(w), physical);
      Click(w->rb[1]);
      QCOMPARE(Fields(w), pixels);
      Click(w->rb[1]);
      QCOMPARE(Fields(w), pixels);
      // OK in the physical unit answers in pixels.
      Click(w->rb[0]);
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Setup, 1);
    QCOMPARE(Dialog_Answer, QStringLiteral("%1,%2").arg(pw).arg(ph));
    // The same size adds no undo step.
    QCOMPARE(work_area->Width(), pw);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(!img_changed);
  }

  // The answer is the fields' values in whole pixels, written in full.
  void answers_data() {
    QTest::addColumn<bool>("physical");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("answer");
    QTest::newRow("leading zero") << false << "0640" << "" << "640,480";
    QTest::newRow("larger") << false << "800" << "600" << "800,600";
    QTest::newRow("smaller") << false << "300" << "200" << "300,200";
    QTest::newRow("a million pixels wide") << false << "1000000" << "1" << "1000000,1";
    // 1.5 x 72 = 108 and 2.25 x 72 = 162.
    QTest::newRow("inches with a fraction") << true << "1.5" << "2.25" << "108,162";
  }
  void answers() {
    QFETCH(bool, physical);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, answer);
    Fixture::MarkedDocument(640, 480);
    QVERIFY(CanvasSize([&](winCANVAS_SIZE* w) {
      if (physical) Click(w->rb[0]);
      Clear(w->inp[0]);
      Type(width);
      if (!height.isEmpty()) {
        Clear(w->inp[1]);
        Type(height);
      }
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, answer);
    const int W = answer.section(',', 0, 0).toInt(), H = answer.section(',', 1, 1).toInt();
    QCOMPARE(work_area->Width(), W);
    QCOMPARE(work_area->Height(), H);
    // Every old pixel that fits stays where it was, from the top-left.
    const int cx = std::min(W, 640) - 1, cy = std::min(H, 480) - 1;
    QCOMPARE(work_area->Pixel(0, 0), Marker(0, 0));
    QCOMPARE(work_area->Pixel(cx, cy), Marker(cx, cy));
    QCOMPARE(work_area->Pixel(cx / 2, cy), Marker(cx / 2, cy));
    QCOMPARE(pic_Stack.size(), size_t(W == 640 && H == 480 ? 1 : 2));
    if (pic_Stack.size() == 2) {
      winMAIN::instance()->Manage_Undo_Stack(-1);
      QCOMPARE(work_area->Width(), 640);
      QCOMPARE(work_area->Pixel(639, 479), Marker(639, 479));
    }
  }

  // OK needs a product of the values shown of at least 1, and each side at least one pixel.
  void okRule_data() {
    QTest::addColumn<int>("pw");
    QTest::addColumn<bool>("physical");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty width") << 640 << false << "" << "480" << false;
    QTest::newRow("zero width") << 640 << false << "0" << "480" << false;
    QTest::newRow("zero height") << 640 << false << "640" << "00" << false;
    QTest::newRow("a digit") << 640 << false << "5" << "480" << true;
    // 0.694 x 0.694 is below 1.
    QTest::newRow("50 x 50 in inches") << 50 << true << QString() << QString() << false;
    QTest::newRow("enlarged") << 50 << true << "2" << QString() << true;
    // The product is 5, but 0.001 inch is 0.072 pixels.
    QTest::newRow("a side below a pixel") << 640 << true << "0.001" << "5000" << false;
    // The same down: the product is 25, but 0.005 inch is 0.36 pixels.
    QTest::newRow("a height below a pixel") << 640 << true << "5000" << "0.005" << false;
    QTest::newRow("point only") << 640 << true << "." << "5000" << false;
  }
  void okRule() {
    QFETCH(int, pw);
    QFETCH(bool, physical);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(bool, enabled);
    Fixture::NewDocument(pw, pw);
    QVERIFY(CanvasSize([&](winCANVAS_SIZE* w) {
      if (physical) Click(w->rb[0]);
      if (!width.isNull()) {
        Clear(w->inp[0]);
        Type(width);
      }
      if (!height.isNull()) {
        Clear(w->inp[1]);
        Type(height);
      }
      QCOMPARE(w->pbOK->isEnabled(), enabled);
      Click(w->pbCancel);
    }));
    QCOMPARE(work_area->Width(), pw);
  }

  // Digits, Backspace, Tab, Return and Enter always; one point, and only in the physical unit.
  void keys_data() {
    QTest::addColumn<bool>("physical");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("point in pixels") << false << "1.5" << "15";
    QTest::newRow("point in inches") << true << "1.5" << "1.5";
    QTest::newRow("a second point") << true << "1.5.2" << "1.52";
    QTest::newRow("minus, comma, letters") << true << "-1,a2e" << "12";
    QTest::newRow("backspace") << false << "12\b3" << "13";
  }
  void keys() {
    QFETCH(bool, physical);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    Fixture::NewDocument(640, 480);
    QVERIFY(CanvasSize([&](winCANVAS_SIZE* w) {
      if (physical) Click(w->rb[0]);
      Clear(w->inp[1]);
      Type(keys);
      QCOMPARE(w->inp[1]->text(), text);
      Click(w->pbCancel);
    }));
  }
};

PIXMURA_TEST_CLASS(CanvasSizeSheetTests)
#include "CanvasSizeSheetTests.moc"
