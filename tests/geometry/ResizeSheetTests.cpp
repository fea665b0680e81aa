// Image > Resize/Scale: the resize sheet driven through the main window's command, and what the
// command then does to the picture and the history.
#include <QClipboard>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "geometry/winimage_RESIZE.h"
#include "mainwindow/winMAIN.h"
#include "printing/PrinterProbe.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"
#include "SheetHelpers.h"

using namespace modMAIN;
using namespace SheetHelpers;

namespace {

// "new width x new height | original width x original height", as the four fields show them.
QString Fields(const winimage_RESIZE* w) {
  return w->inp[0]->text() + QStringLiteral(" x ") + w->inp[1]->text() + QStringLiteral(" | ") + w->inp[2]->text() +
         QStringLiteral(" x ") + w->inp[3]->text();
}

// Runs Image > Resize/Scale with the sheet driven by drive; drive presses OK or Cancel itself.
bool Resize(const std::function<void(winimage_RESIZE*)>& drive) { return RunSheet<winimage_RESIZE>("menu_RESIZE", drive); }

// A document of w x h whose left half is red and right half blue.
void TwoColourDocument(int w, int h) {
  Fixture::NewDocument(w, h, 0xFF0000);
  for (int y = 0; y < h; ++y)
    for (int x = w / 2; x < w; ++x) work_area->SetPixel(x, y, 0x0000FF);
  pic_Stack[0] = work_area->CopyAtDepth(32);
}

}  // namespace

class ResizeSheetTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // The sheet as it opens on a picture: every control at its place with its caption and state.
  void opening() {
    Fixture::NewDocument(640, 480);
    Dialog_Setup = 7;
    Dialog_Answer = QStringLiteral("untouched");
    QVERIFY(Resize([](winimage_RESIZE* w) {
      QCOMPARE(w->windowTitle(), QStringLiteral("Resize/Scale"));
      QCOMPARE(w->size(), QSize(394, 236));
      QCOMPARE(w->minimumSize(), QSize(64, 64));
      QVERIFY(w->windowModality() == Qt::WindowModal);
      QCOMPARE(w->parentWidget(), static_cast<QWidget*>(winMAIN::instance()));
      QCOMPARE(Fields(w), QStringLiteral("640 x 480 | 640 x 480"));
      QVERIFY(w->rbMethod[0]->isChecked());
      QCOMPARE(w->rbMethod[2]->text(), QStringLiteral("Inches"));
      QVERIFY(w->cbASPECT->isChecked());
      QVERIFY(w->rbImage[0]->isChecked());
      QVERIFY(!w->rbImage[1]->isEnabled());
      QVERIFY(w->pbOK->isEnabled());
      QVERIFY(w->pbOK->isDefault());
      QVERIFY(!w->pbCancel->isDefault());
      QCOMPARE(w->GroupBox2->title(), QStringLiteral("Image Size"));
      QCOMPARE(w->GroupBox1->title(), QStringLiteral("Area to Resize"));
      QCOMPARE(w->rbImage[1]->text(), QStringLiteral("Only Selected Area"));
      // Places in window coordinates, names with their indices.
      QCOMPARE(w->inp[0]->objectName(), QStringLiteral("inp0"));
      QCOMPARE(w->rbMethod[2]->objectName(), QStringLiteral("rbMethod2"));
      QCOMPARE(QRect(w->inp[0]->mapTo(w, QPoint(0, 0)), w->inp[0]->size()), QRect(240, 155, 55, 22));
      QCOMPARE(QRect(w->inp[3]->mapTo(w, QPoint(0, 0)), w->inp[3]->size()), QRect(310, 125, 55, 22));
      QCOMPARE(w->cbASPECT->mapTo(w, QPoint(0, 0)), QPoint(30, 135));
      QVERIFY(w->cbASPECT->width() >= std::max(110, w->cbASPECT->sizeHint().width()));
      QCOMPARE(w->pbOK->geometry(), QRect(294, 196, 80, 20));
      for (int i = 0; i < 4; ++i) {
        QCOMPARE(w->inp[i]->Typed_Limit, 6);
        QVERIFY(w->inp[i]->alignment() & Qt::AlignRight);
        QCOMPARE(w->inp[i]->isReadOnly(), i >= 2);
      }
      QCOMPARE(w->inp[2]->palette().color(QPalette::Text), QColor(0, 0, 255));
      QCOMPARE(w->inp[0]->font().pixelSize(), 14);
      // The tab order.
      QWidget* order[] = {w->rbMethod[0], w->rbMethod[1], w->rbMethod[2], w->cbASPECT, w->pbCancel, w->pbOK,
                          w->rbImage[0],  w->rbImage[1],  w->inp[3],      w->inp[2],   w->inp[1],   w->inp[0]};
      for (size_t k = 0; k + 1 < std::size(order); ++k) QCOMPARE(NextInOrder(order[k]), order[k + 1]);
      Click(w->pbCancel);
    }));
    QCOMPARE(Dialog_Setup, 0);
    QCOMPARE(Dialog_Answer, QStringLiteral("untouched"));
    QCOMPARE(work_area->Width(), 640);
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  // 640 x 480 at 72 dpi, width 320: every unit shows the half size, and OK scales the picture.
  void halfSizeInEveryUnit() {
    TwoColourDocument(640, 480);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      Clear(w->inp[0]);
      Type(QStringLiteral("320"));
      QCOMPARE(Fields(w), QStringLiteral("320 x 240 | 640 x 480"));
      Click(w->rbMethod[1]);
      QCOMPARE(Fields(w), QStringLiteral("50 x 50 | 100 x 100"));
      Click(w->rbMethod[2]);
      QCOMPARE(Fields(w), QStringLiteral("4.444 x 3.333 | 8.889 x 6.667"));
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Setup, 1);
    QCOMPARE(Dialog_Answer, QStringLiteral("I,320,240"));
    QCOMPARE(work_area->Width(), 320);
    QCOMPARE(work_area->Height(), 240);
    QCOMPARE(work_area->Pixel(10, 10), Platform::Color(0xFF0000));
    QCOMPARE(work_area->Pixel(310, 230), Platform::Color(0x0000FF));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(img_changed);
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(work_area->Width(), 640);
  }

  // Width 333: height 249.75 rounds down to 249, the percentages 52.03 and 51.875 round up to 53 and 52,
  // and the inches follow the percentages: 8.889 x 0.53 and 6.667 x 0.52. Switching units only shows
  // values: the answer keeps 333 x 249.
  void unitSwitchesKeepTheSize() {
    Fixture::NewDocument(640, 480);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      Clear(w->inp[0]);
      Type(QStringLiteral("333"));
      QCOMPARE(Fields(w), QStringLiteral("333 x 249 | 640 x 480"));
      Click(w->rbMethod[1]);
      QCOMPARE(Fields(w), QStringLiteral("53 x 52 | 100 x 100"));
      Click(w->rbMethod[2]);
      QCOMPARE(Fields(w), QStringLiteral("4.711 x 3.467 | 8.889 x 6.667"));
      // Visiting the fields recomputes nothing: they still read as shown.
      Click(w->inp[0]);
      Click(w->inp[1]);
      Click(w->rbMethod[0]);
      QCOMPARE(Fields(w), QStringLiteral("333 x 249 | 640 x 480"));
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("I,333,249"));
    QCOMPARE(work_area->Width(), 333);
    QCOMPARE(work_area->Height(), 249);
  }

  // Percent with the lock: 25 typed in either field shows 25 in the other; 25 % of 640 x 480.
  void percentLocked_data() {
    QTest::addColumn<int>("field");
    QTest::newRow("width") << 0;
    QTest::newRow("height") << 1;
  }
  void percentLocked() {
    QFETCH(int, field);
    Fixture::NewDocument(640, 480);
    QVERIFY(Resize([field](winimage_RESIZE* w) {
      Click(w->rbMethod[1]);
      Clear(w->inp[field]);
      Type(QStringLiteral("25"));
      QCOMPARE(Fields(w), QStringLiteral("25 x 25 | 100 x 100"));
      Click(w->rbMethod[0]);
      QCOMPARE(Fields(w), QStringLiteral("160 x 120 | 640 x 480"));
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("I,160,120"));
    QCOMPARE(work_area->Width(), 160);
  }

  // Centimetres: 720 x 360 at 72 dpi is 10 x 5 inches, 25.400 x 12.700 cm; 127 cm is 50 inches, five
  // times the width; the height follows to 63.5 cm, 3600 x 1800 pixels.
  void metric() {
    modOptions::option_Metric = true;
    Fixture::NewDocument(720, 360);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      QCOMPARE(w->rbMethod[2]->text(), QStringLiteral("cm"));
      Click(w->rbMethod[2]);
      QCOMPARE(Fields(w), QStringLiteral("25.400 x 12.700 | 25.400 x 12.700"));
      Clear(w->inp[0]);
      Type(QStringLiteral("127"));
      QCOMPARE(Fields(w), QStringLiteral("127 x 63.500 | 25.400 x 12.700"));
      Click(w->rbMethod[1]);
      QCOMPARE(Fields(w), QStringLiteral("500 x 500 | 100 x 100"));
      Click(w->rbMethod[0]);
      QCOMPARE(Fields(w), QStringLiteral("3600 x 1800 | 720 x 360"));
      Click(w->rbMethod[2]);
      QCOMPARE(Fields(w), QStringLiteral("127.000 x 63.500 | 25.400 x 12.700"));
      Click(w->pbCancel);
    }));
    QCOMPARE(Dialog_Setup, 0);
    QCOMPARE(work_area->Width(), 720);
  }

  // The lock computes exactly in whole numbers: floor(800 x 201 / 800) is 201, and 7 pixels of 100 are
  // 7 %, where the same sums in floating point give 200 and 8 %.
  void exactRounding_data() {
    QTest::addColumn<int>("pw");
    QTest::addColumn<int>("ph");
    QTest::addColumn<QStringList>("widths");
    QTest::addColumn<QString>("pixels");
    QTest::addColumn<QString>("percent");
    QTest::newRow("800 x 201, 400 then 800") << 800 << 201 << QStringList{"400", "800"} << "800 x 201 | 800 x 201"
                                            << "100 x 100 | 100 x 100";
    QTest::newRow("800 x 201, 400") << 800 << 201 << QStringList{"400"} << "400 x 100 | 800 x 201"
                                   << "50 x 50 | 100 x 100";
    QTest::newRow("100 x 100, 7") << 100 << 100 << QStringList{"7"} << "7 x 7 | 100 x 100" << "7 x 7 | 100 x 100";
    // 3 x 300 / 7 = 128.57 rounds down; 3 / 7 is 42.86 %, 128 / 300 is 42.67 %: both round up to 43.
    QTest::newRow("7 x 300, 3") << 7 << 300 << QStringList{"3"} << "3 x 128 | 7 x 300" << "43 x 43 | 100 x 100";
  }
  void exactRounding() {
    QFETCH(int, pw);
    QFETCH(int, ph);
    QFETCH(QStringList, widths);
    QFETCH(QString, pixels);
    QFETCH(QString, percent);
    Fixture::NewDocument(pw, ph);
    QVERIFY(Resize([&](winimage_RESIZE* w) {
      for (const QString& width : widths) {
        Clear(w->inp[0]);
        Type(width);
      }
      QCOMPARE(Fields(w), pixels);
      Click(w->rbMethod[1]);
      QCOMPARE(Fields(w), percent);
      Click(w->pbCancel);
    }));
  }

  // Without the lock the other side stays; checking the lock recomputes it at once from the field
  // that last had the focus.
  void lockOffThenOn() {
    Fixture::NewDocument(640, 480);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      Click(w->cbASPECT);
      QVERIFY(!w->cbASPECT->isChecked());
      Clear(w->inp[0]);
      Type(QStringLiteral("100"));
      QCOMPARE(Fields(w), QStringLiteral("100 x 480 | 640 x 480"));
      Click(w->cbASPECT);
      QCOMPARE(Fields(w), QStringLiteral("100 x 75 | 640 x 480"));
      // The height field last had the focus: unlocking and relocking recomputes the width from it.
      Click(w->cbASPECT);
      Clear(w->inp[1]);
      Type(QStringLiteral("240"));
      QCOMPARE(Fields(w), QStringLiteral("100 x 240 | 640 x 480"));
      Click(w->cbASPECT);
      QCOMPARE(Fields(w), QStringLiteral("320 x 240 | 640 x 480"));
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("I,320,240"));
  }

  // Emptying the width makes both sides 0 and disables OK; a digit enables it again. Leaving a field
  // unchanged leaves OK as it was.
  void emptyWidthDisablesOK() {
    Fixture::NewDocument(640, 480);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      Clear(w->inp[0]);
      QCOMPARE(Fields(w), QStringLiteral(" x 0 | 640 x 480"));
      QVERIFY(!w->pbOK->isEnabled());
      Click(w->inp[1]);
      QVERIFY(!w->pbOK->isEnabled());
      Click(w->inp[0]);
      Type(QStringLiteral("1"));
      // 0.75 rounds down to 0: still no picture.
      QCOMPARE(Fields(w), QStringLiteral("1 x 0 | 640 x 480"));
      QVERIFY(!w->pbOK->isEnabled());
      Type(QStringLiteral("\b5"));
      QCOMPARE(Fields(w), QStringLiteral("5 x 3 | 640 x 480"));
      QVERIFY(w->pbOK->isEnabled());
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("I,5,3"));
  }

  // Only digits, Backspace, Tab, Return and Enter reach a field, at most six characters; pasting,
  // the context menu and drops bring in nothing.
  void keysRefused_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << "ab" << "640";
    QTest::newRow("point") << "." << "640";
    QTest::newRow("minus") << "-" << "640";
    QTest::newRow("blank") << " " << "640";
    QTest::newRow("a seventh character") << "1234" << "640123";
    QTest::newRow("backspace") << "\b\b7" << "67";
  }
  void keysRefused() {
    QFETCH(QString, keys);
    QFETCH(QString, text);
    Fixture::NewDocument(640, 480);
    QVERIFY(Resize([&](winimage_RESIZE* w) {
      TypeInto(w->inp[0], keys);
      QCOMPARE(w->inp[0]->text(), text);
      Click(w->pbCancel);
    }));
  }

  void editingKeysRefused() {
    Fixture::NewDocument(640, 480);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      SheetField* f = w->inp[0];
      TypeInto(f, QString());
      // An arrow would move the insertion point before the 0.
      QTest::keyClick(f, Qt::Key_Left);
      Type(QStringLiteral("5"));
      QCOMPARE(f->text(), QStringLiteral("6405"));
      f->setCursorPosition(0);
      QTest::keyClick(f, Qt::Key_Delete);
      QCOMPARE(f->text(), QStringLiteral("6405"));
      QApplication::clipboard()->setText(QStringLiteral("12"));
      f->end(false);
      QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
      QTest::keyClick(f, Qt::Key_Insert, Qt::ShiftModifier);
      QCOMPARE(f->text(), QStringLiteral("6405"));
      QCOMPARE(f->contextMenuPolicy(), Qt::NoContextMenu);
      QVERIFY(!f->acceptDrops());
      Click(w->pbCancel);
    }));
  }

  // A rectangular selection is measured and scaled alone; the rest of the picture, and of the old
  // area, keeps its pixels. "Entire Image" measures the whole picture again in the unit on show.
  void selectionScaledAlone() {
    Fixture::NewDocument(40, 30, 0xFFFFFF);
    for (int y = 5; y < 25; ++y)
      for (int x = 10; x < 30; ++x) work_area->SetPixel(x, y, x < 20 ? 0xFF0000 : 0x0000FF);
    pic_Stack[0] = work_area->CopyAtDepth(32);
    Fixture::Select(10, 5, 30, 25);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      QVERIFY(w->rbImage[1]->isChecked());
      QVERIFY(w->rbImage[1]->isEnabled());
      QCOMPARE(Fields(w), QStringLiteral("20 x 20 | 20 x 20"));
      Click(w->rbMethod[1]);
      Click(w->cbASPECT);
      Click(w->rbImage[0]);
      QCOMPARE(Fields(w), QStringLiteral("100 x 100 | 100 x 100"));
      // Measuring locks the proportions again.
      QVERIFY(w->cbASPECT->isChecked());
      Click(w->rbMethod[0]);
      QCOMPARE(Fields(w), QStringLiteral("40 x 30 | 40 x 30"));
      Click(w->rbImage[1]);
      QCOMPARE(Fields(w), QStringLiteral("20 x 20 | 20 x 20"));
      Clear(w->inp[0]);
      Type(QStringLiteral("10"));
      QCOMPARE(Fields(w), QStringLiteral("10 x 10 | 20 x 20"));
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("S,10,10"));
    QCOMPARE(work_area->Width(), 40);
    QCOMPARE(work_area->Height(), 30);
    QCOMPARE(work_area->Pixel(11, 6), Platform::Color(0xFF0000));
    QCOMPARE(work_area->Pixel(18, 13), Platform::Color(0x0000FF));
    // Left as it was: outside the selection, and the old area beyond the scaled one.
    QCOMPARE(work_area->Pixel(5, 5), Platform::Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(15, 20), Platform::Color(0xFF0000));
    QCOMPARE(work_area->Pixel(25, 20), Platform::Color(0x0000FF));
    QCOMPARE(img_lasso->Width(), 10);
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  // A selection with no width or height cannot be chosen: nothing divides by zero.
  void emptySelectionNotOffered() {
    Fixture::NewDocument(40, 30);
    Fixture::Select(10, 5, 10, 25);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      QVERIFY(w->rbImage[0]->isChecked());
      QVERIFY(!w->rbImage[1]->isEnabled());
      QCOMPARE(Fields(w), QStringLiteral("40 x 30 | 40 x 30"));
      Click(w->pbCancel);
    }));
  }

  // 999999 % of 640 x 480 is too large a picture: the program says so and nothing changes.
  void tooLargeChangesNothing() {
    Fixture::NewDocument(640, 480);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      Click(w->rbMethod[1]);
      Clear(w->inp[0]);
      Type(QStringLiteral("999999"));
      Click(w->rbMethod[0]);
      QCOMPARE(Fields(w), QStringLiteral("6399993 x 4799995 | 640 x 480"));
      Fixture::ExpectMessageBox(QStringLiteral("Out of Memory^Insufficient memory to create a new picture"),
                                QStringLiteral("Ok"));
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("I,6399993,4799995"));
    QCOMPARE(work_area->Width(), 640);
    QCOMPARE(work_area->Height(), 480);
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  // Whole inches are whole pixels: 4 inches at 72 dpi are 288 pixels, and the height follows to 3
  // inches, 216 pixels.
  void wholeInches() {
    Fixture::NewDocument(640, 480);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      Click(w->rbMethod[2]);
      Clear(w->inp[0]);
      Type(QStringLiteral("4"));
      QCOMPARE(Fields(w), QStringLiteral("4 x 3.000 | 8.889 x 6.667"));
      Click(w->rbMethod[0]);
      QCOMPARE(Fields(w), QStringLiteral("288 x 216 | 640 x 480"));
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("I,288,216"));
  }

  // A printer of 120 x 72 dpi: 640 x 480 pixels are 5.333 x 6.667 inches. Four inches across keep the
  // picture's proportions: 5 inches down, 480 x 360 pixels.
  void nonSquareResolutionKeepsProportions() {
    Fixture::StandInTool(QStringLiteral("lpstat"), QStringLiteral("echo 'system default destination: EPS9'"));
    Fixture::StandInTool(QStringLiteral("lpoptions"),
                         QStringLiteral("echo 'Resolution/Output Resolution: 60x72dpi *120x72dpi 240x72dpi'"));
    Get_Printer_Info();
    QCOMPARE(Get_Printer_Rez(true), 120);
    QCOMPARE(Get_Printer_Rez(false), 72);
    Fixture::NewDocument(640, 480);
    QVERIFY(Resize([](winimage_RESIZE* w) {
      Click(w->rbMethod[2]);
      QCOMPARE(Fields(w), QStringLiteral("5.333 x 6.667 | 5.333 x 6.667"));
      Clear(w->inp[0]);
      Type(QStringLiteral("4"));
      QCOMPARE(Fields(w), QStringLiteral("4 x 5.000 | 5.333 x 6.667"));
      Click(w->rbMethod[1]);
      QCOMPARE(Fields(w), QStringLiteral("75 x 75 | 100 x 100"));
      Click(w->pbOK);
    }));
    QCOMPARE(Dialog_Answer, QStringLiteral("I,480,360"));
    QCOMPARE(work_area->Width(), 480);
    QCOMPARE(work_area->Height(), 360);
  }


  // Return in a field is OK, by way of the menu item itself.
  void returnIsOK() {
    Fixture::NewDocument(640, 480);
    Fixture::ExpectDialog(QStringLiteral("winimage_RESIZE"), [](QDialog* d) {
      winimage_RESIZE* w = Shown<winimage_RESIZE>(d);
      TypeInto(w->inp[1], QStringLiteral("\b\b\b120"));
      QTest::keyClick(w->inp[1], Qt::Key_Return);
      QVERIFY(w->isHidden());
    });
    MenuBar1::instance()->Item(QStringLiteral("menu_RESIZE"))->trigger();
    QCOMPARE(Dialog_Answer, QStringLiteral("I,160,120"));
    QCOMPARE(work_area->Width(), 160);
  }
};

PIXMURA_TEST_CLASS(ResizeSheetTests)
#include "ResizeSheetTests.moc"
