// The picture commands when the memory for a picture cannot be had: "Out of Memory", and the picture,
// the history and the modified mark as they were, whichever allocation fails.
#include <QTest>
#include <functional>
#include <memory>

#include "app/modOptions.h"
#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/UndoHistory.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "effects/modFRAME.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

namespace {

const QString kOutOfMemory = QStringLiteral("Out of Memory^Insufficient memory to create a new picture");

// From now on, allocations of at least minBytes fail once `allowed` of them have been made.
void ShortOfMemoryAfter(int allowed, qint64 minBytes) {
  auto made = std::make_shared<int>(0);
  Platform::SetAllocationRefusal([=](qint64 bytes) { return bytes >= minBytes && (*made)++ >= allowed; });
}

QImage Shown() { return work_area->Image().convertToFormat(QImage::Format_RGB32); }

// A document of 200 x 150 pixels in bands of colour, unmodified, one history state.
void Bands() {
  Fixture::NewDocument(200, 150, 0xFFFFFF);
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) work_area->SetPixel(x, y, Platform::RGB(x, y, (x * y) % 256));
  Move_to_Image();
  winMAIN::instance()->SetWindowModified(false);
}

}  // namespace

class CoreMemoryShortageTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Each allocation of at least 20,000 bytes (a quarter of the picture's memory) fails in turn until the
  // command succeeds.
  void shortageChangesNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("commits");
    QTest::newRow("resize") << "resize" << true;
    QTest::newRow("canvas size") << "canvas" << true;
    QTest::newRow("quarter turn") << "turn90" << true;
    QTest::newRow("free turn") << "turn30" << true;
    QTest::newRow("free turn of a selection") << "turn selection" << false;
    QTest::newRow("flip left to right") << "flipH" << true;
    QTest::newRow("flip top to bottom of a selection") << "flipV selection" << true;
    QTest::newRow("invert colours") << "invert" << true;
    QTest::newRow("sepia of a selection") << "sepia selection" << true;
    QTest::newRow("frame") << "frame" << true;
    QTest::newRow("effects preview") << "preview" << false;
  }
  void shortageChangesNothing() {
    QFETCH(QString, command);
    QFETCH(bool, commits);
    const std::function<void()> run = [&] {
      using namespace DozerIvidEffectsLibrary;
      if (command == QLatin1String("resize")) Resize_Image(QStringLiteral("I"), 260, 90);
      if (command == QLatin1String("canvas")) Resize_Canvas(230, 170);
      if (command == QLatin1String("turn90")) image_Rotate(90);
      if (command == QLatin1String("turn30") || command == QLatin1String("turn selection")) {
        modOptions::last_free_degree = QStringLiteral("30");
        image_Rotate(30);
      }
      if (command == QLatin1String("flipH")) image_Flip(true);
      if (command == QLatin1String("flipV selection")) image_Flip(false);
      if (command == QLatin1String("invert")) image_Invert();
      if (command == QLatin1String("sepia selection")) image_Convert_Sepia();
      if (command == QLatin1String("frame")) modFRAME::Add_Frame_Rectangle(false);
      if (command == QLatin1String("preview")) {
        EFFECTS_START();
        Apply_Effects({0, 0, 0, 0, 5, 3, 0, 0, 0, 0});
      }
    };
    const bool selection = command.endsWith(QLatin1String("selection"));
    Bands();
    const auto select = [&] {
      if (!selection) return;
      img_lasso->set_Top_Left(Point_of(20, 10));
      img_lasso->set_Bot_Right(Point_of(180, 140));
      Set_Active_Lasso(true);
    };
    const QImage before = Shown();
    const size_t states = pic_Stack.size();
    int failures = 0;
    for (int allowed = 0; allowed < 40; ++allowed) {
      select();
      ShortOfMemoryAfter(allowed, 20000);
      Fixture::ExpectMessageBox(kOutOfMemory, QStringLiteral("Ok"));
      run();
      Platform::SetAllocationRefusal(nullptr);
      if (Platform::ModalHost::Pending() != 0) {
        Platform::ModalHost::ClearScript();
        break;
      }
      ++failures;
      const QString where = QStringLiteral("allocation %1").arg(allowed);
      QVERIFY2(pic_Stack.size() == states, qPrintable(where));
      QVERIFY2(Current_Picture == int32_t(states) - 1, qPrintable(where));
      QVERIFY2(!img_changed, qPrintable(where));
      if (!selection) QVERIFY2(Fixture::Difference(work_area, pic_Stack[Current_Picture]).isEmpty(), qPrintable(where));
      QVERIFY2(Shown() == before || (selection && active_DRAG), qPrintable(where));
      winMAIN::instance()->Reset_Everything();
      // A lifted selection that could not be turned is dropped back where it was.
      QVERIFY2(Shown() == before, qPrintable(where));
      if (pic_Stack.size() != states) {
        // Dropping the lifted selection back is an undo step of its own: start again from the bands.
        Bands();
      }
    }
    QVERIFY2(failures >= 1, "no allocation failed");
    // With the memory the command does its work.
    if (commits) QCOMPARE(pic_Stack.size(), states + 1);
    QVERIFY(Shown() != before || selection);
  }
};

PIXMURA_TEST_CLASS(CoreMemoryShortageTests)
#include "MemoryShortageTests.moc"
