// The colour palette in the main window: picks, custom colours, palette switches, the partial colour
// mode and help tags, driven with the mouse.
#include <QAction>
#include <QFile>
#include <QSlider>
#include <QTest>

#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "colorwindows/winCOLOR.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "platform/Environment.h"
#include "Pointer.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Color;

namespace {
classCOLORS* Colours() { return winMAIN::instance()->classCOLORS1; }

// The middle of cell i: columns of two cells 23 pixels apart from x 46, a gap of 24 after cell 27,
// even cells on top.
QPoint Cell(int i) { return QPoint((i / 2) * 23 + 46 + (i > 27 ? 24 : 0) + 10, (i % 2) * 23 + 10); }

void Click(int cell, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(Colours(), button, {}, Cell(cell)); }

// Counts the palette's events on their way to the window.
struct Events {
  int fore = 0, back = 0;
  Events() {
    auto f = Colours()->FColor_Changed, b = Colours()->BColor_Changed;
    Colours()->FColor_Changed = [this, f](Color c) { ++fore, f(c); };
    Colours()->BColor_Changed = [this, b](Color c) { ++back, b(c); };
  }
};

// The help tags the palette asks for: shown (with place and text) or hidden.
struct Tags {
  QStringList asked;
  Tags() {
    Colours()->HelpTag = [this](bool show, int32_t x, int32_t y, const QString& text) {
      asked << (show ? QStringLiteral("%1,%2 %3").arg(x).arg(y).arg(text) : QStringLiteral("hide"));
    };
  }
};

Color At(const QImage& image, int x, int y) { return Platform::FromQRgb(image.pixel(x, y)); }

// The program's colour window, set to a colour and closed with OK.
void ChooseInColourWindow(Color colour, Color expectedStart) {
  modOptions::option_ColorPicker = false;
  Fixture::ExpectDialog(QStringLiteral("winCOLOR"), [=](QDialog* d) {
    auto* w = static_cast<winCOLOR*>(d);
    QCOMPARE(w->Working_Color(), expectedStart);
    for (int i = 0; i < 3; ++i)
      w->findChild<QSlider*>(QStringLiteral("SliderRGB%1").arg(i))->setValue(-int((colour >> (16 - 8 * i)) & 255));
  }, QStringLiteral("OK"));
}

void ChooseInPicker(const QColor& answer, Color expectedStart) {
  modOptions::option_ColorPicker = true;
  Fixture::ExpectColorPicker(answer, QColor::fromRgb(Platform::ToQRgb(expectedStart)));
}
}  // namespace

class ColorPaletteTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void startsWithBlackOnWhiteAndTheFirstPalette() {
    QCOMPARE(modMAIN::Draw_Color[1], Color(0x000000));
    QCOMPARE(modMAIN::Draw_Color[2], Color(0xFFFFFF));
    QCOMPARE(Colours()->Palette(), 0);
    QCOMPARE(Colours()->CustomColor_Count(), 0);
    // A palette before the settings are read has no colours at all.
    classCOLORS fresh;
    QCOMPARE(fresh.CustomColor_Count(), -1);
  }

  void picksGoIntoTheDrawingColours_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("contextual");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<uint>("fore");
    QTest::addColumn<uint>("back");
    QTest::newRow("click") << 5 << false << false << 0xFF0000u << 0xFFFFFFu;
    QTest::newRow("contextual click") << 12 << true << false << 0x000000u << 0x000080u;
    QTest::newRow("shift-click on a built-in colour picks it") << 28 << false << true << 0xFEFEFEu << 0xFFFFFFu;
    QTest::newRow("click on the colour already shown") << 0 << false << false << 0x000000u << 0xFFFFFFu;
  }
  void picksGoIntoTheDrawingColours() {
    QFETCH(int, cell);
    QFETCH(bool, contextual);
    QFETCH(bool, shift);
    QFETCH(uint, fore);
    QFETCH(uint, back);
    Events events;
    if (shift) Platform::Environment::OverrideKeys(Qt::ShiftModifier);
    Click(cell, contextual ? Qt::RightButton : Qt::LeftButton);
    QCOMPARE(modMAIN::Draw_Color[1], Color(fore));
    QCOMPARE(modMAIN::Draw_Color[2], Color(back));
    QCOMPARE(Colours()->Get_Color(1), Color(fore));
    QCOMPARE(Colours()->Get_Color(2), Color(back));
    // Every pick is reported, also of the colour already there.
    QCOMPARE(events.fore + events.back, 1);
    // The wells show the colours: the foreground in front at the top left, the background behind it.
    const QImage shown = Colours()->grab().toImage();
    QCOMPARE(At(shown, 5, 5), Color(fore));
    QCOMPARE(At(shown, 38, 38), Color(back));
    QCOMPARE(At(shown, 0, 0), Color(0x000000));
  }

  void cellsShowTheirColours() {
    const QImage shown = Colours()->grab().toImage();
    QCOMPARE(At(shown, 102, 33), Color(0xFF0000));  // cell 5
    QCOMPARE(At(shown, 392 + 10, 10), Color(0xFEFEFE));  // cell 28, after the gap
    QCOMPARE(At(shown, 392 - 5, 10), Color(0xE8E8E8));  // the gap
    // Cell 35 is empty: white with a grey cross.
    QCOMPARE(At(shown, 461 + 10, 23 + 10), Color(0xC0C0C0));
    QCOMPARE(At(shown, 461 + 5, 23 + 15), Color(0xFFFFFF));
    // The bevel of cell 5.
    QCOMPARE(At(shown, 92, 23), Color(0x99A8AC));
    QCOMPARE(At(shown, 92 + 21, 23 + 5), Color(0xFFFFFF));
  }

  void customColoursAreMadeAndEdited() {
    Events events;
    // An empty cell, whichever, makes a new colour in the first empty cell.
    ChooseInColourWindow(0x123456, 0x000000);
    Click(35);
    QCOMPARE(Colours()->Colors().size(), size_t(30));
    QCOMPARE(Colours()->Colors()[29], Color(0x123456));
    // A contextual click on an empty cell asks too.
    ChooseInPicker(QColor(0xAB, 0xCD, 0xEF), 0x000000);
    Click(40, Qt::RightButton);
    QCOMPARE(Colours()->Colors()[30], Color(0xABCDEF));
    // Shift-click edits a custom colour, starting from it.
    Platform::Environment::OverrideKeys(Qt::ShiftModifier);
    ChooseInPicker(QColor(0x65, 0x43, 0x21), 0x123456);
    Click(29);
    QCOMPARE(Colours()->Colors()[29], Color(0x654321));
    // A cancelled dialog changes nothing.
    ChooseInPicker(QColor(), 0x654321);
    Click(29);
    QCOMPARE(Colours()->Colors()[29], Color(0x654321));
    QCOMPARE(Colours()->CustomColor_Count(), 2);
    // Making and editing colours picks none.
    QCOMPARE(events.fore + events.back, 0);
    QCOMPARE(modMAIN::Draw_Color[1], Color(0x000000));
    // A contextual click on a custom colour picks it as the background, Shift or not.
    Click(29, Qt::RightButton);
    QCOMPARE(modMAIN::Draw_Color[2], Color(0x654321));
  }

  void repeatedCustomColoursGo() {
    for (Color c : {Color(0xFF0000), Color(0x123456), Color(0x123456)}) Colours()->Add_Color(c);
    // The first repeats entry 5 of the palette, the third the second.
    QCOMPARE(Colours()->Remove_Dups(), 1);
    QCOMPARE(Colours()->Colors().size(), size_t(30));
    QCOMPARE(Colours()->Colors()[29], Color(0x123456));
  }

  void switchingPalettes_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("to");
    QTest::addColumn<uint>("entry2");
    QTest::newRow("the palette shown") << 1 << 1 << 1 << 0x464646u;
    QTest::newRow("-1 on the last gives the first") << 2 << -1 << 0 << 0x808080u;
    QTest::newRow("-1 on the first gives the next") << 0 << -1 << 1 << 0x464646u;
    QTest::newRow("beyond the last gives the first") << 1 << 3 << 0 << 0x808080u;
    QTest::newRow("skin tones") << 0 << 2 << 2 << 0xFFD4BFu;
  }
  void switchingPalettes() {
    QFETCH(int, from);
    QFETCH(int, asked);
    QFETCH(int, to);
    QFETCH(uint, entry2);
    Colours()->Change_Palette(from);
    for (Color c : {Color(0x010203), Color(0x040506), Color(0x070809)}) Colours()->Add_Color(c);
    Colours()->Set_Color(1, 0x00FF00);
    Events events;
    Colours()->Change_Palette(asked);
    QCOMPARE(Colours()->Palette(), to);
    QCOMPARE(Colours()->Colors()[2], Color(entry2));
    QCOMPARE(Colours()->Colors()[28], Color(0xFEFEFE));
    // The custom colours stay, still custom colours; the wells keep their colours.
    QCOMPARE(Colours()->CustomColor_Count(), 3);
    QCOMPARE(Colours()->Colors()[31], Color(0x070809));
    QCOMPARE(events.fore + events.back, 0);
    QCOMPARE(modMAIN::Draw_Color[1], Color(0x00FF00));
    // A colour made next lands after them.
    ChooseInPicker(QColor(0x11, 0x11, 0x11), 0x000000);
    Click(40);
    QCOMPARE(Colours()->Colors()[32], Color(0x111111));
  }

  void menusAndButtonsSwitchPalettes_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("to");
    QTest::newRow("Standard") << 2 << "Menu_Palette_STD" << 0;
    QTest::newRow("Enhanced") << 0 << "menu_Palette_ENH" << 1;
    QTest::newRow("Skin Tones") << 0 << "menu_Palette_Skin" << 2;
    QTest::newRow("upper button") << 0 << "btnPAL1" << 1;
    QTest::newRow("upper button on the last") << 2 << "btnPAL1" << 0;
    QTest::newRow("lower button") << 2 << "btnPAL0" << 1;
    QTest::newRow("lower button on the first: the next") << 0 << "btnPAL0" << 1;
  }
  void menusAndButtonsSwitchPalettes() {
    QFETCH(int, from);
    QFETCH(QString, action);
    QFETCH(int, to);
    Colours()->Change_Palette(from);
    if (action.startsWith(QLatin1String("btnPAL"))) {
      Platform::Canvas* button = winMAIN::instance()->btnPAL(action.right(1).toInt());
      QVERIFY(button->isVisible());
      QCOMPARE(button->objectName(), action);
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(9, 9));
    } else {
      MenuBar1::instance()->Item(action)->trigger();
    }
    QCOMPARE(Colours()->Palette(), to);
  }

  void setColorReportsOnlyChanges() {
    Events events;
    Colours()->Set_Color(1, 0x000000);
    QCOMPARE(events.fore, 0);
    Colours()->Set_Color(1, 0x00FF00);
    Colours()->Set_Color(2, 0x0000FF);
    Colours()->Set_Color(3, 0xFF0000);
    QCOMPARE(events.fore, 1);
    QCOMPARE(events.back, 1);
    QCOMPARE(modMAIN::Draw_Color[1], Color(0x00FF00));
    QCOMPARE(modMAIN::Draw_Color[2], Color(0x0000FF));
  }

  void partialColourModeOffersBlackAndWhite_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("contextual");
    QTest::addColumn<uint>("fore");
    QTest::addColumn<uint>("back");
    QTest::addColumn<int>("reports");
    QTest::newRow("white") << 1 << false << 0xFFFFFFu << 0x000000u << 2;
    QTest::newRow("white as background") << 1 << true << 0x000000u << 0xFFFFFFu << 2;
    QTest::newRow("black") << 0 << false << 0x000000u << 0xFFFFFFu << 2;
    QTest::newRow("any other cell: nothing") << 5 << false << 0x000000u << 0xFFFFFFu << 0;
  }
  void partialColourModeOffersBlackAndWhite() {
    QFETCH(int, cell);
    QFETCH(bool, contextual);
    QFETCH(uint, fore);
    QFETCH(uint, back);
    QFETCH(int, reports);
    modColorSplash::ColorSplash_Mode = 4;
    Events events;
    Click(cell, contextual ? Qt::RightButton : Qt::LeftButton);
    // The other well takes the opposite colour, and the window paints with what the wells show.
    QCOMPARE(Colours()->Get_Color(1), Color(fore));
    QCOMPARE(Colours()->Get_Color(2), Color(back));
    QCOMPARE(modMAIN::Draw_Color[1], Color(fore));
    QCOMPARE(modMAIN::Draw_Color[2], Color(back));
    QCOMPARE(events.fore + events.back, reports);
    // Only the first two cells are drawn.
    const QImage shown = Colours()->grab().toImage();
    QCOMPARE(At(shown, Cell(1).x(), Cell(1).y()), Color(0xFFFFFF));
    QCOMPARE(At(shown, Cell(5).x(), Cell(5).y()), Color(0xE8E8E8));
    modColorSplash::ColorSplash_Mode = 0;
  }

  void helpTagsNameTheCell_data() {
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("opaque");
    QTest::addColumn<QString>("text");
    const QString pick = QStringLiteral("Click=ForeColor, RightClick=BackColor");
    QTest::newRow("built-in colour") << 5 << 1 << pick;
    QTest::newRow("white drawn as transparent") << 1 << 1 << QStringLiteral("TRANSPARENT\r") + pick;
    QTest::newRow("white drawn opaque") << 1 << 0 << pick;
    QTest::newRow("opaque white") << 28 << 1 << QStringLiteral("Opaque White\r") + pick;
    QTest::newRow("custom colour") << 29 << 0 << pick + QStringLiteral(", ShiftClick=Edit Color");
    QTest::newRow("empty cell") << 35 << 1 << QStringLiteral("Click=Create a new color");
  }
  void helpTagsNameTheCell() {
    QFETCH(int, cell);
    QFETCH(int, opaque);
    QFETCH(QString, text);
    modOptions::option_Draw_Opaque = opaque;
    Colours()->Add_Color(0x123456);
    Tags tags;
    Hover(Colours(), Cell(cell));
    Hover(Colours(), Cell(cell) + QPoint(3, 2));
    // Below the cell's middle, in the palette's pixels; asked once per cell, then hidden as the pointer
    // moves on within it.
    const QPoint tag(Cell(cell).x() - 10 + 10, Cell(cell).y() - 10 + 19);
    QCOMPARE(tags.asked, (QStringList{QStringLiteral("%1,%2 %3").arg(tag.x()).arg(tag.y()).arg(text),
                                      QStringLiteral("hide")}));
    QCOMPARE(Colours()->HelpTag_Text(cell), text);
  }

  void partialColourModeAsksNoTagForOtherCells() {
    modColorSplash::ColorSplash_Mode = 16;
    Tags tags;
    Hover(Colours(), Cell(5));
    Hover(Colours(), Cell(1));
    QCOMPARE(tags.asked.size(), 1);
    QVERIFY(tags.asked[0].endsWith(QLatin1String("Click=ForeColor, RightClick=BackColor")));
    modColorSplash::ColorSplash_Mode = 0;
  }

  void customColoursSurviveARestart() {
    ChooseInPicker(QColor(0x12, 0x34, 0x56), 0x000000);
    Click(30);
    ChooseInPicker(QColor(0x65, 0x43, 0x21), 0x000000);
    Click(31);
    Colours()->Change_Palette(2);
    MenuBar1::instance()->Item(QStringLiteral("FileQuit"))->trigger();
    Fixture::StartProgram();
    QCOMPARE(Colours()->Palette(), 2);
    QCOMPARE(Colours()->CustomColor_Count(), 2);
    QCOMPARE(Colours()->CustomColor_GET(1), Color(0x123456));
    QCOMPARE(Colours()->CustomColor_GET(2), Color(0x654321));
  }

  void aPaletteNumberOutOfRangeLoadsAsTheFirst() {
    QFile f(Fixture::SettingsFolder() + QStringLiteral("/Config.INI"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("[CustomColors]\nPalette=7\nCount=2\nColor1=&h123456\nColor2=&h654321\n");
    f.close();
    Fixture::StartProgram();
    QCOMPARE(Colours()->Palette(), 0);
    QCOMPARE(Colours()->Colors()[29], Color(0x123456));
    // Switching palettes leaves the custom colours where they are.
    MenuBar1::instance()->Item(QStringLiteral("menu_Palette_Skin"))->trigger();
    QCOMPARE(Colours()->Colors()[2], Color(0xFFD4BF));
    QCOMPARE(Colours()->CustomColor_Count(), 2);
    QCOMPARE(Colours()->Colors()[29], Color(0x123456));
    QCOMPARE(Colours()->Colors()[30], Color(0x654321));
  }
};
PIXMURA_TEST_CLASS(ColorPaletteTests)
#include "ColorPaletteTests.moc"
