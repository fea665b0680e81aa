// Colors > Photo Effects: the effects window driven through the modal host, its previews, Reset,
// Cancel (button, Escape, the window manager's close) and Apply, on each kind of target.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "app/MenuBar1.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "effects/winEffects.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "palettes/classTOOLS.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using Fixture::Marker;
using Platform::Color;
using Platform::RGB;

namespace {

constexpr int kBrightness = 2, kContrast = 3, kExposure = 0, kBlur = 5, kPixelize = 9, kSaturation = 1;

void Command(const char* name) { MenuBar1::instance()->Item(QLatin1String(name))->trigger(); }

winEffects* Window(QDialog* d) { return qobject_cast<winEffects*>(d); }

// A press on the knob and its release where it stands: the end of a knob drag.
void ReleaseKnob(RoundSlider* s) {
  const QPoint middle(int(s->KnobX()) + s->KnobSize() / 2, s->height() / 2);
  QTest::mousePress(s, Qt::LeftButton, {}, middle);
  QTest::mouseRelease(s, Qt::LeftButton, {}, middle);
}

// The knob dragged to x and let go there.
void DragKnobTo(RoundSlider* s, int x) {
  const QPoint middle(int(s->KnobX()) + s->KnobSize() / 2, s->height() / 2);
  QTest::mousePress(s, Qt::LeftButton, {}, middle);
  QTest::mouseMove(s, QPoint(x, middle.y()));
  QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(x, middle.y()));
}

// The previews below: brightness +50 then contrast +100 over grey 100 give 150, then
// 150 + (150 - 127) = 173.
void PreviewBrightnessAndContrast(winEffects* w) {
  w->slideEFFECT[kBrightness]->Set_Value(50);
  ReleaseKnob(w->slideEFFECT[kBrightness]);
  w->slideEFFECT[kContrast]->Set_Value(100);
  ReleaseKnob(w->slideEFFECT[kContrast]);
}

// A floating selection of 4 x 4 at (2, 2) holding grey 100.
void Float() {
  Fixture::Select(2, 2, 6, 6);
  drag_Picture = Fixture::Filled(4, 4, RGB(100, 100, 100));
  img_DRAG_DROP = Point_of(2, 2);
  active_DRAG = true;
}

}  // namespace

class EffectsWindowTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void formAndSliders() {
    Fixture::NewDocument(10, 10, RGB(100, 100, 100));
    winMAIN::instance()->classTOOLS1->setEnabled(false);
    bool driven = false;
    Fixture::ExpectDialog(QStringLiteral("winEffects"), [&](QDialog* d) {
      driven = true;
      winEffects* w = Window(d);
      QVERIFY(w);
      QCOMPARE(w->windowTitle(), QStringLiteral("Photographic Special Effects"));
      QCOMPARE(w->size(), QSize(360, 275));
      QCOMPARE(w->minimumSize(), w->maximumSize());
      QVERIFY(w->windowModality() != Qt::NonModal);
      QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
      QVERIFY(!(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
      // By index: caption, range and top of the caption.
      const struct {
        const char* caption;
        float minimum, maximum;
        int top;
      } rows[10] = {{"Exposure", -100, 300, 5}, {"Saturation", -100, 100, 25}, {"Brightness", -100, 100, 52},
                    {"Contrast", -100, 100, 72}, {"Sharpness", -100, 100, 99}, {"Blur", 0, 10, 119},
                    {"Green", -100, 100, 186},  {"Red", -100, 100, 166},        {"Blue", -100, 100, 206},
                    {"Pixelize", 0, 10, 139}};
      for (int i = 0; i < 10; ++i) {
        QCOMPARE(w->lbl[i]->text(), QLatin1String(rows[i].caption));
        QCOMPARE(w->lbl[i]->y(), rows[i].top);
        QCOMPARE(w->slideEFFECT[i]->minimum, rows[i].minimum);
        QCOMPARE(w->slideEFFECT[i]->maximum, rows[i].maximum);
        QCOMPARE(w->slideEFFECT[i]->geometry().topLeft(), QPoint(100, rows[i].top + 2));
        QCOMPARE(w->slideEFFECT[i]->Get_Value(), 0.f);
        QCOMPARE(w->lblVALUE[i]->text(), QStringLiteral("0"));
        QCOMPARE(w->slideEFFECT[i]->focusPolicy(), Qt::NoFocus);
      }
      QVERIFY(w->pbAPPLY->isDefault());
      QCOMPARE(w->pbRESET->text(), QStringLiteral("Reset"));
      QCOMPARE(w->pbCANCEL->text(), QStringLiteral("Cancel"));
      QCOMPARE(w->pbAPPLY->text(), QStringLiteral("Apply"));
      // Exposure's knob reaches 300 at the right end; Blur and Pixelize stop at 0 on the left. Only the
      // labels follow a drag until its release.
      DragKnobTo(w->slideEFFECT[kExposure], 400);
      QCOMPARE(w->slideEFFECT[kExposure]->Get_Value(), 300.f);
      QCOMPARE(w->lblVALUE[kExposure]->text(), QStringLiteral("300"));
      for (int i : {kBlur, kPixelize}) {
        DragKnobTo(w->slideEFFECT[i], -50);
        QCOMPARE(w->slideEFFECT[i]->Get_Value(), 0.f);
      }
      // Exposure +300: 100 x 4 kept at 255.
      QCOMPARE(work_area->Pixel(5, 5), RGB(255, 255, 255));
      // A press beside the knob changes the value and its label, not the picture.
      const RoundSlider* b = w->slideEFFECT[kBrightness];
      QTest::mouseClick(w->slideEFFECT[kBrightness], Qt::LeftButton, {}, QPoint(int(b->KnobX()) - 3, 8));
      QCOMPARE(w->lblVALUE[kBrightness]->text(), QStringLiteral("-1"));
      QCOMPARE(work_area->Pixel(5, 5), RGB(255, 255, 255));
    }, QStringLiteral("Cancel"));
    Command("menu_EFFECTS");
    QVERIFY(driven);
    QCOMPARE(Fixture::Difference(work_area, pic_Stack[0]), QString());
    QCOMPARE(pic_Stack.size(), size_t(1));
    // The tool palette is given back as it was.
    QVERIFY(!winMAIN::instance()->classTOOLS1->isEnabled());
    QVERIFY(!winEffects::existing());

    // Reopened, every slider starts at 0 again.
    winMAIN::instance()->classTOOLS1->setEnabled(true);
    Fixture::ExpectDialog(QStringLiteral("winEffects"), [&](QDialog* d) {
      for (int i = 0; i < 10; ++i) QCOMPARE(Window(d)->lblVALUE[i]->text(), QStringLiteral("0"));
    }, QStringLiteral("Cancel"));
    Command("menu_EFFECTS");
    QVERIFY(winMAIN::instance()->classTOOLS1->isEnabled());
  }

  // Each target, left by each way out.
  void previewThenLeave_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("exit");
    for (const char* target : {"whole", "rectangle", "free-hand", "floating"})
      for (const char* exit : {"Cancel", "Escape", "window manager", "Apply", "Return"})
        QTest::addRow("%s, %s", target, exit) << target << exit;
  }
  void previewThenLeave() {
    QFETCH(QString, target);
    QFETCH(QString, exit);
    const Color grey = RGB(100, 100, 100), previewed = RGB(173, 173, 173);
    Fixture::NewDocument(10, 10, grey);
    img_changed = false;
    // Where the effect lands: (x, y) in the working picture.
    std::function<bool(int, int)> inside = [](int, int) { return true; };
    if (target == QLatin1String("rectangle")) {
      Fixture::Select(2, 3, 6, 8);
      inside = [](int x, int y) { return x >= 2 && x < 6 && y >= 3 && y < 8; };
    } else if (target == QLatin1String("free-hand")) {
      Fixture::SelectFreeHand(2, 2, 8, 8, [](int x, int y) { return x >= y; });
      inside = [](int x, int y) { return x >= 2 && x < 8 && y >= 2 && y < 8 && x >= y; };
    }
    const bool floating = target == QLatin1String("floating");
    if (floating) Float();
    const auto before = work_area->CopyAtDepth(32);

    Fixture::ExpectDialog(QStringLiteral("winEffects"), [&](QDialog* d) {
      winEffects* w = Window(d);
      w->show();
      PreviewBrightnessAndContrast(w);
      QCOMPARE(w->lblVALUE[kContrast]->text(), QStringLiteral("100"));
      if (floating) {
        QCOMPARE(drag_Picture->Pixel(1, 1), previewed);
        QCOMPARE(Fixture::Difference(work_area, before), QString());
      } else {
        for (int y = 0; y < 10; ++y)
          for (int x = 0; x < 10; ++x) QCOMPARE(work_area->Pixel(x, y), inside(x, y) ? previewed : grey);
      }
      // Previews make no undo step and leave the modified mark.
      QCOMPARE(pic_Stack.size(), size_t(1));
      QVERIFY(!img_changed);
      if (exit == QLatin1String("Escape")) QTest::keyClick(w, Qt::Key_Escape);
      else if (exit == QLatin1String("Return")) QTest::keyClick(w, Qt::Key_Return);
      else if (exit == QLatin1String("window manager")) w->close();
      else QVERIFY(Platform::ModalHost::ClickButton(w, exit));
      QVERIFY(w->Closed());
    });
    Command("menu_EFFECTS");
    const bool applied = exit == QLatin1String("Apply") || exit == QLatin1String("Return");
    if (!applied) {
      QCOMPARE(Fixture::Difference(work_area, before), QString());
      if (floating) {
        QCOMPARE(drag_Picture->Pixel(1, 1), grey);
        QVERIFY(active_DRAG);
      }
      QCOMPARE(pic_Stack.size(), size_t(1));
      QVERIFY(!img_changed);
      return;
    }
    // Apply commits the preview: one step, and a second for the floating selection put in place.
    QCOMPARE(pic_Stack.size(), size_t(floating ? 3 : 2));
    if (floating) {
      QCOMPARE(Fixture::Difference(pic_Stack[1], before), QString());
      inside = [](int x, int y) { return x >= 2 && x < 6 && y >= 2 && y < 6; };
    }
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) QCOMPARE(work_area->Pixel(x, y), inside(x, y) ? previewed : grey);
    QCOMPARE(Fixture::Difference(pic_Stack.back(), work_area), QString());
    QVERIFY(img_changed);
    QVERIFY(!active_LASSO && !active_DRAG);
  }

  // Reset puts sliders and picture back and keeps the window open; a value changed without a release
  // is not what Apply commits.
  void resetThenApply() {
    Fixture::NewDocument(6, 4, RGB(100, 100, 100));
    Fixture::ExpectDialog(QStringLiteral("winEffects"), [&](QDialog* d) {
      winEffects* w = Window(d);
      PreviewBrightnessAndContrast(w);
      QCOMPARE(work_area->Pixel(0, 0), RGB(173, 173, 173));
      QVERIFY(Platform::ModalHost::ClickButton(w, QStringLiteral("Reset")));
      QVERIFY(!w->Closed());
      for (int i = 0; i < 10; ++i) {
        QCOMPARE(w->slideEFFECT[i]->Get_Value(), 0.f);
        QCOMPARE(w->lblVALUE[i]->text(), QStringLiteral("0"));
      }
      QCOMPARE(Fixture::Difference(work_area, pic_Stack[0]), QString());
      QCOMPARE(pic_Stack.size(), size_t(1));
      // Exposure -50 released: 100 - 50 = 50. Then brightness +10 without a release.
      w->slideEFFECT[kExposure]->Set_Value(-50);
      ReleaseKnob(w->slideEFFECT[kExposure]);
      QCOMPARE(work_area->Pixel(0, 0), RGB(50, 50, 50));
      w->slideEFFECT[kBrightness]->Set_Value(10);
      QCOMPARE(w->lblVALUE[kBrightness]->text(), QStringLiteral("10"));
    }, QStringLiteral("Apply"));
    Command("menu_EFFECTS");
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(pic_Stack[1]->Pixel(3, 2), RGB(50, 50, 50));
  }

  // Apply with no slider released still records the picture as one step.
  void applyWithoutPreviewIsOneStep() {
    Fixture::MarkedDocument(5, 5);
    Fixture::ExpectDialog(QStringLiteral("winEffects"), nullptr, QStringLiteral("Apply"));
    Command("menu_EFFECTS");
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Fixture::Difference(pic_Stack[1], pic_Stack[0]), QString());
    QVERIFY(img_changed);
  }

  // While a preview runs the busy cursor shows, and a click reaching the window meanwhile neither closes
  // it nor starts a second preview.
  void busyDuringPreview() {
    // Large enough for the saturation to show progress, which lets pending events through.
    Fixture::NewDocument(600, 400, RGB(200, 100, 0));
    bool ran = false, previewing = false, closedMeanwhile = true;
    Qt::CursorShape shape = Qt::ArrowCursor;
    QPixmap cursorPicture;
    Fixture::ExpectDialog(QStringLiteral("winEffects"), [&](QDialog* d) {
      winEffects* w = Window(d);
      w->slideEFFECT[kSaturation]->Set_Value(-100);
      QTimer::singleShot(0, w, [&, w] {
        ran = true;
        previewing = w->Previewing();
        if (const QCursor* c = QApplication::overrideCursor()) {
          shape = c->shape();
          cursorPicture = c->pixmap();
        }
        Platform::ModalHost::ClickButton(w, QStringLiteral("Cancel"));
        ReleaseKnob(w->slideEFFECT[kSaturation]);
        closedMeanwhile = w->Closed();
      });
      ReleaseKnob(w->slideEFFECT[kSaturation]);
      QVERIFY(ran);
      QVERIFY(previewing);
      QVERIFY(!closedMeanwhile);
      QCOMPARE(shape, Qt::BitmapCursor);
      QVERIFY(!cursorPicture.isNull());
      QVERIFY(!QApplication::overrideCursor());
      // Saturation -100: every component becomes the average, (200 + 100 + 0) / 3 = 100.
      QCOMPARE(work_area->Pixel(250, 200), RGB(100, 100, 100));
    }, QStringLiteral("Cancel"));
    Command("menu_EFFECTS");
    QCOMPARE(work_area->Pixel(250, 200), RGB(200, 100, 0));
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  // The command does nothing in the partial colour mode, and beeps while a free-hand outline is still
  // being drawn.
  void commandRefused() {
    Fixture::NewDocument(8, 8, RGB(10, 20, 30));
    Set_Active_SuperLasso(true);
    Platform::Environment::ResetBeepCount();
    Command("menu_EFFECTS");  // no window: the test would fail on an unexpected one
    QCOMPARE(Platform::Environment::BeepCount(), 1);
    Set_Active_SuperLasso(false);

    const auto ok = [](Platform::ModalRequest&) { return QVariant(QStringLiteral("Ok")); };
    Fixture::ExpectAny(ok);
    modColorSplash::Switch_ColorSplash_Mode(256);
    const size_t steps = pic_Stack.size();
    const auto shown = work_area->CopyAtDepth(32);
    winMAIN* w = winMAIN::instance();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(Fixture::Difference(work_area, shown), QString());
    QCOMPARE(pic_Stack.size(), steps);
    Fixture::ExpectAny(ok);
    modColorSplash::Switch_ColorSplash_Mode(0);

  }
};
PIXMURA_TEST_CLASS(EffectsWindowTests)

#include "EffectsWindowTests.moc"
