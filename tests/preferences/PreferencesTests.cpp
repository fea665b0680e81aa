// The preferences window, reached as the user reaches it: File > Preferences, then its controls.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSlider>
#include <QTest>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "colorwindows/winCOLOR.h"
#include "core/EditingState.h"
#include "mainwindow/MenuDriving.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classScrollbar.h"
#include "preferences/winPreferences.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Color;

namespace {

winPreferences* Open() {
  if (!MenuDriving::Choose(QStringLiteral("menu_Pref"))) return nullptr;
  return winPreferences::existing();
}

// Closes the window with its close box and lets it go.
void CloseWindow(winPreferences* w) {
  w->close();
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A user's click on a widget (a swatch takes its press on mouse-down).
void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// A user's choice of a row in a popup.
void Pick(QComboBox* popup, int row) {
  popup->showPopup();
  popup->setCurrentIndex(row);
  popup->hidePopup();
}

// Counts the paints of a canvas from now on.
struct PaintCounter {
  Platform::Canvas* canvas;
  std::function<void(Platform::Graphics&)> before;
  int paints = 0;
  explicit PaintCounter(Platform::Canvas* c) : canvas(c), before(c->Paint) {
    canvas->Paint = [this](Platform::Graphics& g) {
      ++paints;
      if (before) before(g);
    };
  }
  ~PaintCounter() { canvas->Paint = before; }
};

// Lets pending paints run on the shown windows.
void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

Color At(QWidget* widget, int x, int y) {
  return Platform::FromQRgb(widget->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(x, y));
}

// The program's colour window, set to a colour and closed with the answer.
void AnswerColourWindow(Color colour, Color expectedStart, const QString& answer) {
  Fixture::ExpectDialog(QStringLiteral("winCOLOR"), [=](QDialog* d) {
    auto* w = static_cast<winCOLOR*>(d);
    QCOMPARE(w->Working_Color(), expectedStart);
    for (int i = 0; i < 3; ++i)
      w->findChild<QSlider*>(QStringLiteral("SliderRGB%1").arg(i))->setValue(-int((colour >> (16 - 8 * i)) & 255));
  }, answer);
}

QString SettingsFile() { return Fixture::SettingsFolder() + QStringLiteral("/Config.INI"); }

}  // namespace

class PreferencesTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // ---- The window ----

  void oneWindowRaisedAgainAndFreshAfterClosing() {
    winPreferences* w = Open();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Preferences"));
    QCOMPARE(w->Content->size(), QSize(715, 250));
    QVERIFY(!(w->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    // The same window comes back, controls as the user left them, even after the setting moved on.
    w->cbCenterPoint->click();
    modOptions::option_Lasso_CrossHair = false;
    QCOMPARE(Open(), w);
    int shown = 0;
    for (QWidget* t : QApplication::topLevelWidgets())
      if (qobject_cast<winPreferences*>(t) && t->isVisible()) ++shown;
    QCOMPARE(shown, 1);
    QVERIFY(w->cbCenterPoint->isChecked());
    // Closed, then opened again: a new window showing the settings as they are.
    QPointer<winPreferences> old = w;
    CloseWindow(w);
    QVERIFY(old.isNull());
    modOptions::option_HelpTags = true;
    modOptions::option_Metric = true;
    winPreferences* fresh = Open();
    QVERIFY(fresh);
    QVERIFY(!fresh->cbCenterPoint->isChecked());
    QVERIFY(fresh->CheckBox1->isChecked());
    QVERIFY(fresh->cbMetric->isChecked());
    QCOMPARE(fresh->rbRulerMode(1)->text(), QStringLiteral("cm"));
  }

  void theFormHasEveryControlInPlace() {
    winPreferences* w = Open();
    QVERIFY(w);
    struct Place { QWidget* control; QString caption; QRect rect; };
    const Place places[] = {
        {w->GroupBox1, "Transparent Background", {10, 10, 225, 105}},
        {w->GroupBox3, "Window Background", {245, 10, 225, 105}},
        {w->GroupBox4, "Misc.", {480, 10, 225, 230}},
        {w->GroupBox5, "Rulers", {245, 135, 225, 105}},
        {w->GroupBox10, "Overlay Grid", {10, 135, 225, 105}},
        {w->StaticText5, "Drag Handles", {255, 78, 85, 20}},
        {w->StaticText7, "Tick Marks", {255, 203, 85, 20}},
        {w->cbColorPicker, "Use System Color Picker", {485, 85, 212, 20}},
        {w->cbScrollbar, "Use Custom Scrollbars", {485, 135, 212, 20}},
        {w->cbTextMethod, "Use OLD Text method", {485, 160, 212, 20}},
        {w->cbUpdate, "Check for Update on Startup", {485, 185, 212, 20}},
        {w->pbdefault11, "Default", {392, 209, 70, 20}},
        {w->rbRulerMode(0), "Pixels", {391, 160, 70, 20}},
        {w->rbRulerMode(1), "Inches", {391, 180, 71, 20}},
        {w->Canvas1(5), "", {347, 197, 32, 32}},
        {w->Canvas1(7), "", {112, 197, 32, 32}},
    };
    for (const Place& p : places) {
      QCOMPARE(p.control->geometry(), p.rect);
      if (auto* box = qobject_cast<QGroupBox*>(p.control)) {
        QCOMPARE(box->title(), p.caption);
        QVERIFY(box->font().bold() && box->font().italic());
      } else if (auto* label = qobject_cast<QLabel*>(p.control)) {
        QCOMPARE(label->text(), p.caption);
      } else if (auto* button = qobject_cast<QAbstractButton*>(p.control)) {
        QCOMPARE(button->text(), p.caption);
      }
    }
    QVERIFY(w->StaticText5->alignment() & Qt::AlignLeft);
    QVERIFY(w->StaticText7->alignment() & Qt::AlignRight);
    QCOMPARE(w->puBRUSH->count(), 11);
    QCOMPARE(w->puBRUSH->itemText(1), QStringLiteral("90% transparent"));
    QCOMPARE(w->puBRUSH->itemText(10), QStringLiteral("Opaque"));
    // A click on a swatch leaves the focus where it was.
    w->cbMetric->setFocus();
    modOptions::option_ColorPicker = false;
    AnswerColourWindow(0x000000, modOptions::option_Ruler_Bcolor, QStringLiteral("Cancel"));
    Click(w->Canvas1(4));
    QVERIFY(!w->Canvas1(4)->hasFocus());
    // Its own menu bar, built like the main window's, runs the main window's commands.
    QVERIFY(w->Menu_Bar != MenuBar1::instance());
    QCOMPARE(w->Menu_Bar->Items().size(), MenuBar1::instance()->Items().size());
    const float zoom = modMAIN::Zoom;
    w->Menu_Bar->Item(QStringLiteral("menu_ZoomIN"))->trigger();
    QVERIFY(modMAIN::Zoom > zoom);
    w->Menu_Bar->Enable_Menu_Items();
    QVERIFY(w->Menu_Bar->Item(QStringLiteral("menu_ZoomNormal"))->isEnabled());
  }

  // ---- Check boxes ----

  void plainCheckBoxesStoreAndRedrawNothing_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("setting");
    QTest::newRow("centre point") << "cbCenterPoint" << 0;
    QTest::newRow("colour picker") << "cbColorPicker" << 1;
    QTest::newRow("help tags") << "CheckBox1" << 2;
    QTest::newRow("update") << "cbUpdate" << 3;
    QTest::newRow("old text") << "cbTextMethod" << 4;
  }
  void plainCheckBoxesStoreAndRedrawNothing() {
    QFETCH(QString, box);
    QFETCH(int, setting);
    bool* const settings[] = {&modOptions::option_Lasso_CrossHair, &modOptions::option_ColorPicker,
                              &modOptions::option_HelpTags, &modOptions::option_AutoCheck_Update,
                              &modOptions::option_UseOldText};
    bool& value = *settings[setting];
    value = false;
    winPreferences* w = Open();
    QVERIFY(w);
    auto* check = w->findChild<QCheckBox*>(box);
    QVERIFY(check);
    QVERIFY(!check->isChecked());
    Settle();
    PaintCounter canvas(winMAIN::instance()->Screen_Canvas), surround(winMAIN::instance()->canvas_BG);
    Click(check);
    QVERIFY(value);
    Click(check);
    QVERIFY(!value);
    Settle();
    QCOMPARE(canvas.paints + surround.paints, 0);
  }

  void metricRenamesTheUnitAndRedraws() {
    modOptions::option_Metric = false;
    modOptions::option_RulerPixel = false;
    winPreferences* w = Open();
    QVERIFY(w);
    QCOMPARE(w->rbRulerMode(1)->text(), QStringLiteral("Inches"));
    Settle();
    PaintCounter canvas(winMAIN::instance()->Screen_Canvas);
    Click(w->cbMetric);
    QVERIFY(modOptions::option_Metric);
    QCOMPARE(w->rbRulerMode(1)->text(), QStringLiteral("cm"));
    Settle();
    QVERIFY(canvas.paints > 0);
    Click(w->cbMetric);
    QVERIFY(!modOptions::option_Metric);
    QCOMPARE(w->rbRulerMode(1)->text(), QStringLiteral("Inches"));
  }

  void scrollBarSwitchShowsSystemBarsAtTheTopLeft() {
    Fixture::NewDocument(3000, 2000);
    winMAIN* m = winMAIN::instance();
    m->show();
    m->Arrange_Controls();
    m->Scroll_H_Custom->Value(100);
    m->Scroll_H_OS->setValue(100);
    m->Scroll_V_OS->setValue(50);
    modMAIN::offset = modMAIN::Point_of(100, 50);
    // Opening moves nothing.
    winPreferences* w = Open();
    QVERIFY(w);
    QVERIFY(w->cbScrollbar->isChecked());
    QCOMPARE(modMAIN::offset.x, 100);
    QCOMPARE(modMAIN::offset.y, 50);
    QVERIFY(!modOptions::option_OS_Scrollbar);
    Click(w->cbScrollbar);
    QVERIFY(modOptions::option_OS_Scrollbar);
    QCOMPARE(modMAIN::offset.x, 0);
    QCOMPARE(modMAIN::offset.y, 0);
    QVERIFY(m->Scroll_H_OS->isVisibleTo(m) && m->Scroll_V_OS->isVisibleTo(m));
    QVERIFY(!m->Scroll_H_Custom->isVisibleTo(m) && !m->Scroll_V_Custom->isVisibleTo(m));
    QCOMPARE(m->Scroll_H_OS->value(), 0);
    QCOMPARE(m->Scroll_V_OS->value(), 0);
    Click(w->cbScrollbar);
    QVERIFY(!modOptions::option_OS_Scrollbar);
    QVERIFY(m->Scroll_H_Custom->isVisibleTo(m) && !m->Scroll_H_OS->isVisibleTo(m));
    QCOMPARE(m->Scroll_H_Custom->Value(), 0);
  }

  // ---- Checkerboard size ----

  void checkerboardSizeShowsAtOnce_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("square");
    QTest::newRow("Small") << 0 << "S" << 4;
    QTest::newRow("Med.") << 1 << "M" << 8;
    QTest::newRow("Large") << 2 << "L" << 16;
  }
  void checkerboardSizeShowsAtOnce() {
    QFETCH(int, row);
    QFETCH(QString, stored);
    QFETCH(int, square);
    Fixture::NewDocument(64, 64, 0xFFFFFF);
    modMAIN::Save_as_Transparent = true;
    modOptions::option_Transparent_BG_Color[0] = 0x102030;
    modOptions::option_Transparent_BG_Color[1] = 0xF0E0D0;
    // Start on another row, so that the choice is a change.
    modOptions::option_Transparent_BG_Size = row == 1 ? QStringLiteral("S") : QStringLiteral("M");
    winPreferences* w = Open();
    QVERIFY(w);
    Pick(w->puGRID, row);
    QCOMPARE(modOptions::option_Transparent_BG_Size, stored);
    QWidget* canvas = winMAIN::instance()->Screen_Canvas;
    const int n = square;
    QCOMPARE(At(canvas, 0, 0), Color(0x102030));
    QCOMPARE(At(canvas, n - 1, n - 1), Color(0x102030));
    QCOMPARE(At(canvas, n, 0), Color(0xF0E0D0));
    QCOMPARE(At(canvas, 0, n), Color(0xF0E0D0));
    QCOMPARE(At(canvas, n, n), Color(0x102030));
  }

  void storedSizeOpensOnItsRow_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("after");
    QTest::newRow("S") << "S" << 0 << "S";
    QTest::newRow("M") << "M" << 1 << "M";
    QTest::newRow("L") << "L" << 2 << "L";
    QTest::newRow("X") << "X" << 2 << "L";
    QTest::newRow("empty") << "" << 2 << "L";
  }
  void storedSizeOpensOnItsRow() {
    QFETCH(QString, stored);
    QFETCH(int, row);
    QFETCH(QString, after);
    modOptions::option_Transparent_BG_Size = stored;
    winPreferences* w = Open();
    QVERIFY(w);
    QCOMPARE(w->puGRID->currentIndex(), row);
    QCOMPARE(modOptions::option_Transparent_BG_Size, after);
  }

  // ---- Brush ----

  void brushOpensOnItsRow_data() {
    QTest::addColumn<bool>("random");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<QString>("shown");
    QTest::newRow("random") << true << 30 << "Random";
    QTest::newRow("30") << false << 30 << "70% transparent";
    QTest::newRow("100") << false << 100 << "Opaque";
    QTest::newRow("10") << false << 10 << "90% transparent";
    // Strengths off the steps show the nearest row and stay stored as they are until the user picks.
    QTest::newRow("128") << false << 128 << "Opaque";
    QTest::newRow("0") << false << 0 << "90% transparent";
    QTest::newRow("-5") << false << -5 << "90% transparent";
    QTest::newRow("44") << false << 44 << "60% transparent";
  }
  void brushOpensOnItsRow() {
    QFETCH(bool, random);
    QFETCH(int, opacity);
    QFETCH(QString, shown);
    modOptions::option_BrushRandom = random;
    modOptions::option_BrushOpacity = opacity;
    winPreferences* w = Open();
    QVERIFY(w);
    QCOMPARE(w->puBRUSH->currentText(), shown);
    QCOMPARE(modOptions::option_BrushRandom, random);
    QCOMPARE(modOptions::option_BrushOpacity, opacity);
  }

  void brushChoiceStoresStrength() {
    modOptions::option_BrushRandom = false;
    modOptions::option_BrushOpacity = 128;
    winPreferences* w = Open();
    QVERIFY(w);
    Pick(w->puBRUSH, 0);
    QVERIFY(modOptions::option_BrushRandom);
    QCOMPARE(modOptions::option_BrushOpacity, 128);
    Pick(w->puBRUSH, 3);
    QVERIFY(!modOptions::option_BrushRandom);
    QCOMPARE(modOptions::option_BrushOpacity, 30);
    Pick(w->puBRUSH, 10);
    QCOMPARE(modOptions::option_BrushOpacity, 100);
    Pick(w->puBRUSH, 0);
    QVERIFY(modOptions::option_BrushRandom);
    QCOMPARE(modOptions::option_BrushOpacity, 100);
  }

  // ---- Swatches ----

  void swatchAsksTheColourWindow() {
    modOptions::option_ColorPicker = false;
    modOptions::option_Ruler_FColor = 0x000000;
    winMAIN::instance()->show();
    if (!modOptions::option_ShowRuler) QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ViewRulers")));
    QVERIFY(winMAIN::instance()->canvasRULER(0)->isVisible());
    winPreferences* w = Open();
    QVERIFY(w);
    Settle();
    {
      PaintCounter ruler(winMAIN::instance()->canvasRULER(0)), swatch(w->Canvas1(5));
      AnswerColourWindow(0x3366CC, 0x000000, QStringLiteral("OK"));
      Click(w->Canvas1(5));
      QCOMPARE(modOptions::option_Ruler_FColor, Color(0x3366CC));
      Settle();
      QVERIFY(ruler.paints > 0);
      QVERIFY(swatch.paints > 0);
    }
    QCOMPARE(At(w->Canvas1(5), 16, 16), Color(0x3366CC));
    QCOMPARE(At(w->Canvas1(5), 0, 0), Color(0x000000));
    // Cancel keeps the colour, and still redraws.
    PaintCounter canvas(winMAIN::instance()->Screen_Canvas);
    AnswerColourWindow(0xFF0000, 0x3366CC, QStringLiteral("Cancel"));
    Click(w->Canvas1(5));
    QCOMPARE(modOptions::option_Ruler_FColor, Color(0x3366CC));
    Settle();
    QVERIFY(canvas.paints > 0);
    // The system picker, once the box asks for it.
    Click(w->cbColorPicker);
    Fixture::ExpectColorPicker(QColor(0x11, 0x22, 0x33), QColor(0x80, 0x80, 0x80));
    modOptions::option_Background_Color = 0x808080;
    Click(w->Canvas1(2));
    QCOMPARE(modOptions::option_Background_Color, Color(0x112233));
  }

  // ---- Ruler mode and defaults ----

  void rulerRadiosStoreTheMode() {
    modOptions::option_RulerPixel = true;
    winPreferences* w = Open();
    QVERIFY(w);
    QVERIFY(w->rbRulerMode(0)->isChecked());
    Click(w->rbRulerMode(1));
    QVERIFY(!modOptions::option_RulerPixel);
    QVERIFY(!w->rbRulerMode(0)->isChecked());
    Click(w->rbRulerMode(0));
    QVERIFY(modOptions::option_RulerPixel);
  }

  void defaultsRestoreTheirGroups() {
    modOptions::option_Transparent_BG_Color[0] = 1;
    modOptions::option_Transparent_BG_Color[1] = 2;
    modOptions::option_Transparent_BG_Size = QStringLiteral("S");
    modOptions::option_Background_Color = 3;
    modOptions::option_Background_Handle_Color = 4;
    modOptions::option_Ruler_Bcolor = 5;
    modOptions::option_Ruler_FColor = 6;
    modOptions::option_RulerPixel = false;
    modOptions::option_Grid_Color[0] = 7;
    modOptions::option_Grid_Color[1] = 8;
    modOptions::option_Lasso_CrossHair = true;
    winPreferences* w = Open();
    QVERIFY(w);
    Click(w->pbdefault);
    QCOMPARE(modOptions::option_Transparent_BG_Color[0], Color(0xDBDBDB));
    QCOMPARE(modOptions::option_Transparent_BG_Color[1], Color(0xFFFFFF));
    QCOMPARE(modOptions::option_Transparent_BG_Size, QStringLiteral("L"));
    QCOMPARE(w->puGRID->currentText(), QStringLiteral("Large"));
    QCOMPARE(modOptions::option_Background_Color, Color(3));
    Click(w->pbdefault1);
    QCOMPARE(modOptions::option_Background_Color, Color(0x808080));
    QCOMPARE(modOptions::option_Background_Handle_Color, Color(0x000000));
    QCOMPARE(modOptions::option_Ruler_Bcolor, Color(5));
    Click(w->pbdefault11);
    QVERIFY(modOptions::option_RulerPixel);
    QVERIFY(w->rbRulerMode(0)->isChecked() && !w->rbRulerMode(1)->isChecked());
    QCOMPARE(modOptions::option_Ruler_Bcolor, Color(0xE0E0E0));
    QCOMPARE(modOptions::option_Ruler_FColor, Color(0x000000));
    QCOMPARE(modOptions::option_Grid_Color[0], Color(7));
    Click(w->pbdefault12);
    QCOMPARE(modOptions::option_Grid_Color[0], Color(0xC0C0C0));
    QCOMPARE(modOptions::option_Grid_Color[1], Color(0xA0A0A0));
    QVERIFY(modOptions::option_Lasso_CrossHair);
    QCOMPARE(At(w->Canvas1(6), 16, 16), Color(0xC0C0C0));
  }

  void rulersDefaultWithPixelsOnlyRestoresColours() {
    modOptions::option_RulerPixel = true;
    modOptions::option_Ruler_FColor = 0x123456;
    winPreferences* w = Open();
    QVERIFY(w);
    int actions = 0;
    connect(w->rbRulerMode(0), &QRadioButton::toggled, w, [&] { ++actions; });
    Click(w->pbdefault11);
    QCOMPARE(actions, 0);
    QVERIFY(modOptions::option_RulerPixel);
    QCOMPARE(modOptions::option_Ruler_FColor, Color(0x000000));
  }

  // ---- Settings file ----

  void closingWritesNothingQuittingWritesAll() {
    const QByteArray before = Fixture::ReadFile(SettingsFile());
    winPreferences* w = Open();
    QVERIFY(w);
    Click(w->cbMetric);
    Pick(w->puGRID, 1);
    CloseWindow(w);
    QCOMPARE(Fixture::ReadFile(SettingsFile()), before);
    winMAIN::instance()->close();
    const QByteArray after = Fixture::ReadFile(SettingsFile());
    QVERIFY2(after.contains("metric=True"), after.constData());
    QVERIFY2(after.contains("\nsize=M"), after.constData());
  }
};

PIXMURA_TEST_CLASS(PreferencesTests)
#include "PreferencesTests.moc"
