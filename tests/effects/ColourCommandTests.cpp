// Colors > Reverse Colors and Remove Red Eye on the document, and the refusal of effect commands while
// the target is not a picture that will be kept.
#include <QAction>
#include <QTest>

#include "app/MenuBar1.h"
#include "core/EditingState.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using Fixture::Marker;
using Platform::Color;
using Platform::RGB;

namespace {

void Command(const char* name) { MenuBar1::instance()->Item(QLatin1String(name))->trigger(); }

// A floating selection of 4 x 4 at (2, 2) holding blue.
void Float() {
  Fixture::Select(2, 2, 6, 6);
  drag_Picture = Fixture::Filled(4, 4, 0x0000FF);
  img_DRAG_DROP = Point_of(2, 2);
  active_DRAG = true;
}

}  // namespace

class ColourCommandTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void reverseColorsTwiceGivesThePictureBack() {
    Fixture::MarkedDocument(6, 4);
    winMAIN* w = winMAIN::instance();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_R, Qt::ControlModifier);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) QCOMPARE(work_area->Pixel(x, y), Marker(x, y) ^ 0xFFFFFFu);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(img_changed);
    Command("menu_InvertColors");
    QCOMPARE(Fixture::Difference(work_area, pic_Stack[0]), QString());
    QCOMPARE(pic_Stack.size(), size_t(3));
  }

  void reverseColorsInsideAFreeHandShape() {
    Fixture::MarkedDocument(20, 20);
    Fixture::SelectFreeHand(5, 5, 15, 15, [](int x, int y) { return x >= y; });
    Command("menu_InvertColors");
    QCOMPARE(work_area->Pixel(12, 6), Marker(12, 6) ^ 0xFFFFFFu);
    QCOMPARE(work_area->Pixel(6, 12), Marker(6, 12));
    QCOMPARE(work_area->Pixel(4, 4), Marker(4, 4));
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void reverseColorsOfAFloatingSelectionWaitsForTheDrop() {
    Fixture::MarkedDocument(10, 10);
    Float();
    Command("menu_InvertColors");
    QCOMPARE(drag_Picture->Pixel(1, 1), Color(0xFFFF00));
    QCOMPARE(work_area->Pixel(3, 3), Marker(3, 3));
    QCOMPARE(pic_Stack.size(), size_t(1));
    winMAIN::instance()->Turn_Lasso_OFF();
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(work_area->Pixel(3, 3), Color(0xFFFF00));
  }

  void removeRedEye() {
    Fixture::NewDocument(4, 2, RGB(100, 60, 0));
    work_area->SetPixel(1, 0, RGB(150, 30, 0));
    work_area->SetPixel(2, 1, RGB(41, 0, 0));
    Command("menu_REDEYE");
    QCOMPARE(work_area->Pixel(1, 0), RGB(29, 30, 0));
    QCOMPARE(work_area->Pixel(2, 1), RGB(0, 0, 0));
    QCOMPARE(work_area->Pixel(0, 0), RGB(100, 60, 0));
    QCOMPARE(pic_Stack.size(), size_t(2));
    // Nothing red is left: the picture stays as it is and the command is still one step.
    Command("menu_REDEYE");
    QCOMPARE(Fixture::Difference(work_area, pic_Stack[1]), QString());
    QCOMPARE(pic_Stack.size(), size_t(3));
  }

  // The preview chain: every preview starts from the picture as it was and makes no undo step.
  void previewsStartAfreshAndMakeNoStep() {
    Fixture::NewDocument(8, 6, RGB(100, 100, 100));
    const auto history = pic_Stack[0];
    DozerIvidEffectsLibrary::Apply_Effects({0, 0, 50, 0, 0, 0, 0, 0, 0, 0});
    QCOMPARE(work_area->Pixel(3, 3), RGB(150, 150, 150));
    DozerIvidEffectsLibrary::Apply_Effects({0, 0, 20, 0, 0, 0, 0, 0, 0, 0});
    QCOMPARE(work_area->Pixel(3, 3), RGB(120, 120, 120));  // not 170: computed from the unchanged picture
    // Every slider at 0 writes the picture back unchanged.
    DozerIvidEffectsLibrary::Apply_Effects({});
    QCOMPARE(Fixture::Difference(work_area, history), QString());
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(!img_changed);
  }

  void previewOfAFloatingSelection() {
    Fixture::MarkedDocument(10, 10);
    Float();
    DozerIvidEffectsLibrary::EFFECTS_START();
    DozerIvidEffectsLibrary::Apply_Effects({0, 0, -100, 0, 0, 2, 0, 0, 0, 0});
    // Blue 255 darkened by 100; a blur of one colour leaves it.
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) QCOMPARE(drag_Picture->Pixel(x, y), RGB(0, 0, 155));
    QCOMPARE(work_area->Pixel(3, 3), Marker(3, 3));
    DozerIvidEffectsLibrary::Apply_Effects({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    QCOMPARE(drag_Picture->Pixel(2, 2), Color(0x0000FF));
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  // While the picture an effect would change is not the one that will be kept, every effect command beeps
  // and changes nothing.
  void effectsRefused_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("refused");
    const struct {
      const char* state;
      bool refused;
    } states[] = {{"outline", true}, {"text box", true}, {"styled 1", true}, {"styled 2", true}, {"styled 0", false}};
    for (const auto& st : states)
      for (const char* command : {"menu_InvertColors", "menu_REDEYE", "menu_Sepia"})
        QTest::addRow("%s, %s", st.state, command) << st.state << command << st.refused;
  }
  // outline: a free-hand outline still being drawn; text box: the single-line text box floats; styled N:
  // a styled text placed in mode N floats (0 opaque, 1 transparent background, 2 knock-out).
  void effectsRefused() {
    QFETCH(QString, state);
    QFETCH(QString, command);
    QFETCH(bool, refused);
    Fixture::NewDocument(10, 10, RGB(200, 40, 40));
    if (state == QLatin1String("outline")) {
      Set_Active_SuperLasso(true);
    } else {
      Float();
      drag_Picture = Fixture::Filled(4, 4, RGB(200, 40, 40));  // every command would change it
      Dragging_Text = true;
      if (state == QLatin1String("text box")) {
        drawing_TOOL = TOOL_TEXT2;
      } else {
        drawing_TOOL = TOOL_GRABBER;
        Dragging_Text_Mode = state.right(1).toInt();
      }
    }
    Platform::Environment::ResetBeepCount();
    const auto floating = drag_Picture ? drag_Picture->Clone() : nullptr;
    Command(qPrintable(command));
    const bool unchanged = Fixture::Difference(work_area, pic_Stack[0]).isEmpty() &&
                           (!floating || Fixture::Difference(drag_Picture, floating).isEmpty());
    QCOMPARE(unchanged, refused);
    QCOMPARE(Platform::Environment::BeepCount(), refused ? 1 : 0);
    QCOMPARE(pic_Stack.size(), size_t(1));
  }
};
PIXMURA_TEST_CLASS(ColourCommandTests)

#include "ColourCommandTests.moc"
