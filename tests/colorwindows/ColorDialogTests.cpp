// The program's colour window, reached as the program reaches it: through the colour request, with the
// mouse on its swatches, its sliders and popups, and its keys on the real modal window.
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QTest>

#include "app/modOptions.h"
#include "colorwindows/winCOLOR.h"
#include "core/EditingState.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Color;

namespace {

// Asks for a colour with the program's window, which the script shows and hands to drive; answer, when
// given, is the button pressed afterwards.
Color Ask(Color start, std::function<void(winCOLOR*)> drive, const QString& answer = QStringLiteral("Cancel")) {
  modOptions::option_ColorPicker = false;
  Fixture::ExpectDialog(QStringLiteral("winCOLOR"), [drive](QDialog* d) {
    auto* w = static_cast<winCOLOR*>(d);
    w->show();
    drive(w);
  }, answer);
  return modOptions::Select_A_Color(start);
}

QString Sliders(winCOLOR* w) {
  return QStringLiteral("%1 %2 %3").arg(w->SliderRGB[0]->value()).arg(w->SliderRGB[1]->value()).arg(w->SliderRGB[2]->value());
}

// What the window shows: colour, sliders, named-colour row and read-out.
QString Shown(winCOLOR* w) {
  return QStringLiteral("%1 | %2 | \"%3\" | %4")
      .arg(w->Working_Color(), 6, 16, QLatin1Char('0'))
      .arg(Sliders(w), w->puNamedColors->currentText(), w->RGBValue->text());
}

void Activate(winCOLOR* w) {
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(w, &activate);
}

// A click at exactly this point (QTest takes (0, 0) for the widget's middle).
void Click(QWidget* canvas, QPoint at) {
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent e(type, at, canvas->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &e);
  }
}

QImage Grab(QWidget* canvas) { return canvas->grab().toImage().convertToFormat(QImage::Format_RGB32); }
Color At(const QImage& image, int x, int y) { return Platform::FromQRgb(image.pixel(x, y)); }

}  // namespace

class ColorDialogTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void opensOnTheNameOfItsColour_data() {
    QTest::addColumn<uint>("start");
    QTest::addColumn<QString>("shown");
    // Two names share each of the first two colours: the later one names it.
    QTest::newRow("fuchsia") << 0xFF00FFu << "ff00ff | -255 0 -255 | \"Fuchsia\" | FF00FF";
    QTest::newRow("cyan") << 0x00FFFFu << "00ffff | 0 -255 -255 | \"Cyan\" | 00FFFF";
    QTest::newRow("no name") << 0x123456u << "123456 | -18 -52 -86 | \" \" | 123456";
    QTest::newRow("trailing blank") << 0x4B0082u << "4b0082 | -75 0 -130 | \"Indigo \" | 4B0082";
    // The first and the last name of the list: rows 1 and 140.
    QTest::newRow("first name") << 0xFF0000u << "ff0000 | -255 0 0 | \"Red\" | FF0000";
    QTest::newRow("last name") << 0x9ACD32u << "9acd32 | -154 -205 -50 | \"YellowGreen\" | 9ACD32";
  }
  void opensOnTheNameOfItsColour() {
    QFETCH(uint, start);
    QFETCH(QString, shown);
    QString seen;
    QCOMPARE(Ask(start, [&](winCOLOR* w) { seen = Shown(w); }), Color(start));
    QCOMPARE(seen, shown);
  }

  void theLayoutIsTheDialogsOwn() {
    Ask(0, [](winCOLOR* w) {
      QCOMPARE(w->windowTitle(), QStringLiteral("Select Color"));
      QCOMPARE(w->size(), QSize(335, 315));
      QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
      QCOMPARE(w->puColorMode->count(), 3);
      QCOMPARE(w->puColorMode->itemText(2), QStringLiteral("RGB as Pct%"));
      QCOMPARE(w->Canvas1->geometry(), QRect(10, 81, 183, 137));
      for (QSlider* s : w->SliderRGB) {
        QCOMPARE(s->minimum(), -255);
        QCOMPARE(s->maximum(), 0);
        QCOMPARE(s->pageStep(), 16);
      }
      QVERIFY(!w->pbOK->isDefault() && !w->pbOK->autoDefault());
    });
  }

  void theNamedColoursAreTheStandardOnesInTheirOrder() {
    Ask(0, [](winCOLOR* w) {
      QComboBox* names = w->puNamedColors;
      QCOMPARE(names->count(), 141);
      QCOMPARE(names->itemText(0), QStringLiteral(" "));
      const QStringList first{"Red", "Orange", "Yellow", "Green", "Blue", "Purple", "Magenta", "Brown", "Gray", "Black", "White"};
      for (int i = 0; i < first.size(); ++i) QCOMPARE(names->itemText(i + 1), first[i]);
      QCOMPARE(names->itemText(12), QStringLiteral("AliceBlue"));
      QCOMPARE(names->itemText(14), QStringLiteral("Aqua"));
      QCOMPARE(names->itemText(29), QStringLiteral("Cyan"));
      QCOMPARE(names->itemText(38), QStringLiteral("DarkOrange"));
      QCOMPARE(names->itemText(54), QStringLiteral("Fuchsia"));
      QCOMPARE(names->itemText(62), QStringLiteral("IndianRed "));
      QCOMPARE(names->itemText(63), QStringLiteral("Indigo "));
      QCOMPARE(names->itemText(74), QStringLiteral("LightGrey"));
      QCOMPARE(names->itemText(75), QStringLiteral("LightGreen"));
      QCOMPARE(names->itemText(139), QStringLiteral("WhiteSmoke"));
      QCOMPARE(names->itemText(140), QStringLiteral("YellowGreen"));
      // Each of the standard names, picked in the popup, gives the standard's colour, as Qt's own table
      // of those names knows it; the names of the first eleven rows are the plain ones.
      const Color plain[11] = {0xFF0000, 0xFFA500, 0xFFFF00, 0x008000, 0x0000FF, 0x800080,
                               0xFF00FF, 0xA52A2A, 0x808080, 0x000000, 0xFFFFFF};
      QStringList wrong;
      for (int row = 1; row <= 140; ++row) {
        names->setCurrentIndex(row);
        const QString name = names->itemText(row);
        const Color expected = row <= 11 ? plain[row - 1]
                                         : Platform::FromQRgb(QColor::fromString(name.trimmed().toLower()).rgb());
        if (w->Working_Color() != expected || w->SliderRGB[0]->value() != -Platform::Red(expected))
          wrong << QStringLiteral("%1 %2").arg(name).arg(w->Working_Color(), 6, 16, QLatin1Char('0'));
      }
      QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
      // Names are told apart exactly: none repeats.
      QStringList all;
      for (int row = 1; row <= 140; ++row) all << names->itemText(row);
      all.removeDuplicates();
      QCOMPARE(all.size(), 140);
    });
  }

  void aPickedNameStaysUntilTheNextActivation() {
    Ask(0x123456, [](winCOLOR* w) {
      w->puNamedColors->setCurrentIndex(7);
      QCOMPARE(Shown(w), QStringLiteral("ff00ff | -255 0 -255 | \"Magenta\" | FF00FF"));
      Activate(w);
      QCOMPARE(Shown(w), QStringLiteral("ff00ff | -255 0 -255 | \"Fuchsia\" | FF00FF"));
      // The blank row is no colour: nothing changes.
      w->puNamedColors->setCurrentIndex(0);
      QCOMPARE(Shown(w), QStringLiteral("ff00ff | -255 0 -255 | \" \" | FF00FF"));
    });
  }

  void slidersAndSwatchesNameTheirColour() {
    Ask(0x000000, [](winCOLOR* w) {
      QCOMPARE(w->puNamedColors->currentText(), QStringLiteral("Black"));
      w->SliderRGB[0]->setValue(-128);
      QCOMPARE(w->puNamedColors->currentText(), QStringLiteral("Maroon"));
      w->SliderRGB[2]->setValue(-128);
      QCOMPARE(Shown(w), QStringLiteral("800080 | -128 0 -128 | \"Purple\" | 800080"));
      w->SliderRGB[1]->setValue(-1);
      QCOMPARE(Shown(w), QStringLiteral("800180 | -128 -1 -128 | \" \" | 800180"));
      // The swatch in column 5, row 0.
      Click(w->Canvas1, QPoint(5 * 23 + 10, 10));
      QCOMPARE(Shown(w), QStringLiteral("800080 | -128 0 -128 | \"Purple\" | 800080"));
    });
  }

  void swatchesAnswerOnTheirSquares_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<uint>("colour");
    const uint none = 0x123456u;  // the start colour: the click hits no swatch
    QTest::newRow("line between columns 0 and 1") << QPoint(22, 10) << none;
    QTest::newRow("line between rows 0 and 1") << QPoint(10, 22) << none;
    QTest::newRow("line between columns 1 and 2") << QPoint(45, 60) << none;
    QTest::newRow("right edge of column 0") << QPoint(21, 10) << 0xFF8080u;
    QTest::newRow("left edge of column 1") << QPoint(23, 10) << 0xFF80C0u;
    QTest::newRow("top-left corner") << QPoint(0, 0) << 0xFF8080u;
    QTest::newRow("last swatch, last pixel") << QPoint(182, 136) << 0xFFFFFFu;
    QTest::newRow("column 6, row 2") << QPoint(6 * 23 + 3, 2 * 23 + 18) << 0x400040u;
    QTest::newRow("column 7, row 4") << QPoint(7 * 23 + 18, 4 * 23 + 3) << 0x400040u;
    QTest::newRow("column 4, row 1") << QPoint(4 * 23 + 11, 1 * 23 + 11) << 0xFF8000u;
    QTest::newRow("column 2, row 5") << QPoint(2 * 23 + 11, 5 * 23 + 11) << 0xFF8040u;
  }
  void swatchesAnswerOnTheirSquares() {
    QFETCH(QPoint, at);
    QFETCH(uint, colour);
    Color chosen = Ask(0x123456, [&](winCOLOR* w) {
      Click(w->Canvas1, at);
      // The sliders follow the swatch without changing it again.
      QCOMPARE(Sliders(w), QStringLiteral("%1 %2 %3").arg(-int(colour >> 16)).arg(-int((colour >> 8) & 255)).arg(-int(colour & 255)));
    }, QStringLiteral("OK"));
    QCOMPARE(chosen, Color(colour));
  }

  void theReadOutFollowsTheNotation_data() {
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("orange") << 0xFF8000u << QStringList{"FF8000", "255/128/0", "100%/50%/0%"};
    QTest::newRow("black") << 0x000000u << QStringList{"000000", "0/0/0", "0%/0%/0%"};
    QTest::newRow("small values") << 0x0A0310u << QStringList{"0A0310", "10/3/16", "4%/1%/6%"};
  }
  void theReadOutFollowsTheNotation() {
    QFETCH(uint, colour);
    QFETCH(QStringList, texts);
    Ask(colour, [&](winCOLOR* w) {
      QCOMPARE(w->RGBValue->text(), texts[0]);
      for (int mode : {1, 2, 0}) {
        w->puColorMode->setCurrentIndex(mode);
        QCOMPARE(w->RGBValue->text(), texts[mode]);
      }
    });
  }

  void theNotationLastsAfterCancelAndAfterARestart() {
    Ask(0x123456, [](winCOLOR* w) { w->puColorMode->setCurrentIndex(1); });
    QCOMPARE(modOptions::option_Color_Picker_Mode, 1);
    Ask(0x123456, [](winCOLOR* w) {
      QCOMPARE(w->puColorMode->currentIndex(), 1);
      QCOMPARE(w->RGBValue->text(), QStringLiteral("18/52/86"));
      w->puColorMode->setCurrentIndex(2);
    }, QStringLiteral("OK"));
    // Written with the settings even without custom colours, and read at the next start.
    modOptions::Options_Save();
    Fixture::StartProgram();
    QCOMPARE(modOptions::option_Color_Picker_Mode, 2);
    Ask(0xFF8000, [](winCOLOR* w) { QCOMPARE(w->RGBValue->text(), QStringLiteral("100%/50%/0%")); });
  }

  void aNotationTheWindowDoesNotHaveReadsAsTheFirst_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("read");
    QTest::newRow("3") << "3" << 0;
    QTest::newRow("-1") << "-1" << 0;
    QTest::newRow("2") << "2" << 2;
  }
  void aNotationTheWindowDoesNotHaveReadsAsTheFirst() {
    QFETCH(QString, mode);
    QFETCH(int, read);
    QFile config(Fixture::SettingsFolder() + QStringLiteral("/Config.INI"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("[CustomColors]\nMode=%1\n[ColorMeter]\nMode=%1\n").arg(mode).toUtf8());
    config.close();
    Fixture::StartProgram();
    QCOMPARE(modOptions::option_Color_Picker_Mode, read);
    QCOMPARE(modOptions::option_ColorMeter_Mode, read);
    Ask(0, [&](winCOLOR* w) { QCOMPARE(w->puColorMode->currentIndex(), read); });
  }

  void cancelReturnsTheGivenColour_data() {
    QTest::addColumn<bool>("byClose");
    QTest::newRow("Cancel") << false;
    QTest::newRow("closed by the window manager") << true;
  }
  void cancelReturnsTheGivenColour() {
    QFETCH(bool, byClose);
    modMAIN::Dialog_Cancel = false;
    const Color chosen = Ask(0x123456, [&](winCOLOR* w) {
      w->SliderRGB[1]->setValue(-200);
      if (byClose) QVERIFY(w->close());
    }, byClose ? QString() : QStringLiteral("Cancel"));
    QCOMPARE(chosen, Color(0x123456));
    QVERIFY(modMAIN::Dialog_Cancel);
    // The abandoned colour stays in the exchange.
    QCOMPARE(modMAIN::Dialog_Color, Color(0x12C856));
  }

  void escapeCancelsAndReturnPressesNothingOnTheRealWindow() {
    modOptions::option_ColorPicker = false;
    Color chosen = 0;
    modMAIN::Dialog_Cancel = false;
    QVERIFY(!Fixture::KeyOnRealModal(Qt::Key_Return, [&] { chosen = modOptions::Select_A_Color(0xABCDEF); },
                                     QStringLiteral("Cancel")));
    QCOMPARE(chosen, Color(0xABCDEF));
    QVERIFY(modMAIN::Dialog_Cancel);
    modMAIN::Dialog_Cancel = false;
    QVERIFY(Fixture::KeyOnRealModal(Qt::Key_Escape, [&] { chosen = modOptions::Select_A_Color(0x102030); },
                                    QStringLiteral("OK")));
    QCOMPARE(chosen, Color(0x102030));
    QVERIFY(modMAIN::Dialog_Cancel);
  }

  void theSystemPickerWhenTheSettingSaysSo() {
    modOptions::option_ColorPicker = true;
    Fixture::ExpectColorPicker(QColor(0x80, 0x00, 0x80), QColor(0x12, 0x34, 0x56));
    QCOMPARE(modOptions::Select_A_Color(0x123456), Color(0x800080));
    Fixture::ExpectColorPicker(QColor());
    QCOMPARE(modOptions::Select_A_Color(0x123456), Color(0x123456));
    QVERIFY(modMAIN::Dialog_Cancel);
  }

  void theSwatchesAndTheSampleAsDrawn() {
    modOptions::option_Draw_Opaque = 0;
    Ask(0x4080C0, [](winCOLOR* w) {
      const QImage wells = Grab(w->Canvas1);
      QCOMPARE(wells.size(), QSize(183, 137));
      const Color grid[6][8] = {
          {0xFF8080, 0xFF80C0, 0x00FFFF, 0x00FF00, 0x800000, 0x800080, 0x000080, 0x808040},
          {0xFFFF80, 0xFF80FF, 0x0080C0, 0x008080, 0xFF8000, 0x8000FF, 0x000040, 0x808080},
          {0x80FF80, 0xFF0000, 0x8080C0, 0x004080, 0x008000, 0x400000, 0x400040, 0x408080},
          {0x00FF80, 0xFFFF00, 0xFF00FF, 0x8080FF, 0x008040, 0x804000, 0x400080, 0xC0C0C0},
          {0x80FFFF, 0x80FF00, 0x804040, 0x800040, 0x0000FF, 0x004000, 0x000000, 0x400040},
          {0x0080FF, 0x00FF40, 0xFF8040, 0xFF0080, 0x0000A0, 0x004040, 0x808000, 0xFFFFFF}};
      QStringList wrong;
      auto expect = [&](int x, int y, Color c) {
        if (At(wells, x, y) != c)
          wrong << QStringLiteral("(%1,%2) %3 not %4").arg(x).arg(y).arg(At(wells, x, y), 6, 16, QLatin1Char('0')).arg(c, 6, 16, QLatin1Char('0'));
      };
      for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 8; ++c) {
          const int x = c * 23, y = r * 23;
          for (int i = 2; i <= 19; i += 17)
            for (int j = 2; j <= 19; j += 17) expect(x + i, y + j, grid[r][c]);
          expect(x, y, Platform::RGB(153, 168, 172));          // outer shadow, top and left
          expect(x + 21, y + 7, 0xFFFFFF);                      // outer light, right and bottom
          expect(x + 7, y + 21, 0xFFFFFF);
          expect(x + 1, y + 1, Platform::RGB(113, 111, 100));   // inner shadow
          expect(x + 20, y + 20, Platform::RGB(226, 239, 241)); // inner light
          if (c < 7) expect(x + 22, y + 7, 0xE8E8E8);           // the ground between the wells
          if (r < 5) expect(x + 7, y + 22, 0xE8E8E8);
        }
      }
      QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
      const QImage sample = Grab(w->canvasSAMPLE);
      QCOMPARE(sample.size(), QSize(173, 24));
      for (const QPoint& p : {QPoint(0, 0), QPoint(172, 0), QPoint(0, 23), QPoint(172, 23), QPoint(86, 0), QPoint(86, 23)})
        QCOMPARE(At(sample, p.x(), p.y()), Color(0x000000));
      for (const QPoint& p : {QPoint(1, 1), QPoint(171, 22), QPoint(86, 12)}) QCOMPARE(At(sample, p.x(), p.y()), Color(0x4080C0));
    });
  }
};

PIXMURA_TEST_CLASS(ColorDialogTests)
#include "ColorDialogTests.moc"
