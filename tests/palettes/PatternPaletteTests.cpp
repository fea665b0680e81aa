// The pattern palette in the main window with its page buttons, and the user pattern sheet: written at
// the first start, edited as a document, reverted to the built-in one.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "app/BundleResources.h"
#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "app/winMsgBOX.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/classPATTERNS.h"
#include "platform/PictureIO.h"
#include "HandMadeSheet.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Color;
using Platform::PicturePtr;

namespace {
constexpr Color kFg = 0x112233, kBg = 0xAABBCC;

winMAIN* Main() { return winMAIN::instance(); }
classPATTERNS* Patterns() { return Main()->classPATTERNS1; }

// The middle of pattern cell i: two rows of eight, 23 pixels apart, from x 46.
QPoint Cell(int i) { return QPoint((i % 8) * 23 + 46 + 10, (i / 8) * 23 + 10); }

Color At(const QImage& image, int x, int y) { return Platform::FromQRgb(image.pixel(x, y)); }

// The hand-made sheet, shown in the foreground and background colours kFg and kBg.
void UseSheet() {
  modMAIN::user_brushes = HandMadeSheet(false);
  Main()->classCOLORS1->Set_Color(1, kFg);
  Main()->classCOLORS1->Set_Color(2, kBg);
}

QString SheetPath() { return Fixture::SettingsFolder() + QStringLiteral("/User_Brushes.png"); }

PicturePtr ReadSheet() { return Platform::PictureIO::Read(SheetPath(), QStringLiteral("png")).picture; }

// Writes an all-black sheet as the user's and starts the program on it.
void StartOnBlackSheet() {
  QFile::remove(SheetPath());
  QVERIFY(Platform::PictureIO::Write(Fixture::Filled(265, 100, 0x000000)->Image(), SheetPath(), "png").ok);
  Fixture::StartProgram();
}

// Answers the next message box through its window, after checking what it asks.
void AnswerMessageBox(const QString& message, const QString& title, int icon, const QString& answer) {
  Fixture::ExpectAny([=](Platform::ModalRequest& r) -> QVariant {
    auto* box = qobject_cast<winMsgBOX*>(r.dialog);
    if (r.kind != Platform::ModalKind::MessageBox || !box) {
      Platform::ModalHost::RecordFailure(QStringLiteral("expected the message box, got ") +
                                         Platform::ModalHost::Describe(r));
      return QVariant();
    }
    if (r.message != message) Platform::ModalHost::RecordFailure(QStringLiteral("message: ") + r.message);
    if (box->windowTitle() != title) Platform::ModalHost::RecordFailure(QStringLiteral("title: ") + box->windowTitle());
    if (box->icon_id != icon) Platform::ModalHost::RecordFailure(QStringLiteral("icon %1").arg(box->icon_id));
    if (r.buttons != QStringList{QStringLiteral("Yes"), QStringLiteral("No")})
      Platform::ModalHost::RecordFailure(QStringLiteral("buttons: ") + r.buttons.join(QLatin1Char('|')));
    return answer;
  });
}

const QString kRevertQuestion = QStringLiteral(
    "Revert User Patterns^This will set the fill patterns back to those that^were originally installed with "
    "Pixmura^^Are you sure this is what you want to do?");

// How many pixels of the sixteen cells' patterns are of the colour.
int CellPixelsOf(Color colour) {
  const QImage shown = Patterns()->grab().toImage();
  int n = 0;
  for (int i = 0; i < 16; ++i)
    for (int y = 2; y < 20; ++y)
      for (int x = 2; x < 20; ++x) n += At(shown, Cell(i).x() - 10 + x, Cell(i).y() - 10 + y) == colour;
  return n;
}
}  // namespace

class PatternPaletteTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void pagesShowTheirPatterns_data() {
    QTest::addColumn<QStringList>("presses");
    QTest::addColumn<int>("page");
    QTest::addColumn<QList<int>>("patterns");
    const QList<int> page0{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const QList<int> page1{8, 9, 10, 11, 12, 13, 14, 15, 16, 1, 2, 3, 4, 5, 6, 7};
    const QList<int> page2{16, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const QList<int> page3{8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};
    QTest::newRow("first page") << QStringList{} << 0 << page0;
    QTest::newRow("down once") << QStringList{"down"} << 1 << page1;
    QTest::newRow("down twice") << QStringList{"down", "down"} << 2 << page2;
    QTest::newRow("up twice") << QStringList{"up", "up"} << 2 << page2;
    QTest::newRow("up from the first: the last") << QStringList{"up"} << 3 << page3;
    QTest::newRow("down three times") << QStringList{"down", "down", "down"} << 3 << page3;
    QTest::newRow("down from the last: the first") << QStringList{"down", "down", "down", "down"} << 0 << page0;
  }
  void pagesShowTheirPatterns() {
    QFETCH(QStringList, presses);
    QFETCH(int, page);
    QFETCH(QList<int>, patterns);
    for (const QString& press : presses) {
      Platform::Canvas* button = Main()->btnPAT(press == QLatin1String("up") ? 0 : 1);
      QVERIFY(button->isVisible());
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(9, 9));
    }
    QCOMPARE(Patterns()->Page(), page);
    for (int i = 0; i < 16; ++i) {
      QTest::mouseClick(Patterns(), Qt::LeftButton, {}, Cell(i));
      QCOMPARE(modMAIN::Brush_Pattern, patterns[i]);
    }
  }

  void theWellAndTheCellsShowThePatterns() {
    UseSheet();
    QTest::mouseClick(Patterns(), Qt::LeftButton, {}, Cell(1));
    QCOMPARE(modMAIN::Brush_Pattern, 1);
    for (int turn = 0; turn < 2; ++turn) {
      // The well: pattern 1 on the palette's own grid, black frame; it stays when the page changes.
      const QImage shown = Patterns()->grab().toImage();
      QCOMPARE(At(shown, 4, 4), Color(0x000000));
      QCOMPARE(At(shown, 39, 20), Color(0x000000));
      QCOMPARE(At(shown, 10, 10), kFg);
      QCOMPARE(At(shown, 20, 10), kBg);
      QCOMPARE(At(shown, 36, 10), kFg);
      if (turn == 0) {
        // Cell 0 is the plain colour, cell 1 pattern 1 (on the same grid), cell 2 pattern 2 (all black).
        QCOMPARE(At(shown, 56, 10), kFg);
        QCOMPARE(At(shown, 69 + 10, 10), kFg);
        QCOMPARE(At(shown, 69 + 15, 10), kBg);
        QCOMPARE(At(shown, 92 + 15, 10), kFg);
        // The bevel of cell 1.
        QCOMPARE(At(shown, 69, 0), Color(0x99A8AC));
        QCOMPARE(At(shown, 70, 5), Color(0x716F64));
        QCOMPARE(At(shown, 69 + 21, 5), Color(0xFFFFFF));
      }
      QTest::mouseClick(Main()->btnPAT(1), Qt::LeftButton, {}, QPoint(9, 9));
    }
  }

  void onlyANewPatternIsReported() {
    int reports = 0;
    auto handler = Patterns()->Pattern_Changed;
    Patterns()->Pattern_Changed = [&](int32_t n) { ++reports, handler(n); };
    QTest::mouseClick(Patterns(), Qt::LeftButton, {}, Cell(3));
    QTest::mouseClick(Patterns(), Qt::LeftButton, {}, Cell(3));
    QTest::mouseClick(Patterns(), Qt::LeftButton, {}, QPoint(46 + 22, 5));  // between two cells
    QTest::mouseClick(Patterns(), Qt::LeftButton, {}, QPoint(20, 20));      // the well
    QCOMPARE(reports, 1);
    QCOMPARE(modMAIN::Brush_Pattern, 3);
  }

  void cellsFollowAColourPick() {
    UseSheet();
    // Red (cell 5 of the colour palette) as foreground, blue (cell 13) as background.
    QTest::mouseClick(Main()->classCOLORS1, Qt::LeftButton, {}, QPoint(92 + 10, 23 + 10));
    QTest::mouseClick(Main()->classCOLORS1, Qt::RightButton, {}, QPoint(6 * 23 + 46 + 10, 23 + 10));
    const QImage shown = Patterns()->grab().toImage();
    QCOMPARE(At(shown, 92 + 15, 10), Color(0xFF0000));
    QCOMPARE(At(shown, 69 + 15, 10), Color(0x0000FF));
    QCOMPARE(At(shown, 10, 10), Color(0xFF0000));
  }

  void theSheetIsWrittenAtTheFirstStartAndKeptAfter() {
    const PicturePtr builtIn = Resources::pixmura_brushes();
    QVERIFY(builtIn);
    QCOMPARE(Fixture::Difference(ReadSheet(), builtIn), QString());
    QCOMPARE(Fixture::Difference(modMAIN::user_brushes, builtIn), QString());
    StartOnBlackSheet();
    QCOMPARE(modMAIN::user_brushes->Pixel(40, 40), Color(0x000000));
    QCOMPARE(ReadSheet()->Pixel(100, 50), Color(0x000000));
  }

  void revertAsksFirst_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("Yes") << "Yes";
    QTest::newRow("No") << "No";
  }
  void revertAsksFirst() {
    QFETCH(QString, answer);
    StartOnBlackSheet();
    QCOMPARE(CellPixelsOf(0xFFFFFF), 0);
    AnswerMessageBox(kRevertQuestion, QStringLiteral("Reset Fill Patterns"), 32, answer);
    MenuBar1::instance()->Item(QStringLiteral("menu_Pat_Revert"))->trigger();
    const bool yes = answer == QLatin1String("Yes");
    const PicturePtr builtIn = Resources::pixmura_brushes();
    const PicturePtr expected = yes ? builtIn : Fixture::Filled(265, 100, 0x000000);
    QCOMPARE(Fixture::Difference(ReadSheet(), expected), QString());
    QCOMPARE(Fixture::Difference(modMAIN::user_brushes, expected), QString());
    // The palette shows the patterns in use at once: the built-in ones have white in them.
    QCOMPARE(CellPixelsOf(0xFFFFFF) > 0, yes);
  }

  void aRevertThatCannotWriteKeepsTheSheet() {
    StartOnBlackSheet();
    const PicturePtr before = modMAIN::user_brushes;
    // A folder where the sheet should be written.
    QVERIFY(QFile::remove(SheetPath()));
    QVERIFY(QDir().mkdir(SheetPath()));
    AnswerMessageBox(kRevertQuestion, QStringLiteral("Reset Fill Patterns"), 32, QStringLiteral("Yes"));
    Fixture::ExpectAny([](Platform::ModalRequest& r) -> QVariant {
      if (r.kind != Platform::ModalKind::MessageBox ||
          !r.message.startsWith(QLatin1String("ERROR^The fill patterns could not be reset.^")))
        Platform::ModalHost::RecordFailure(QStringLiteral("expected the failure, got ") +
                                           Platform::ModalHost::Describe(r));
      return QStringLiteral("Ok");
    });
    MenuBar1::instance()->Item(QStringLiteral("menu_Pat_Revert"))->trigger();
    QVERIFY(modMAIN::user_brushes == before);
    QVERIFY(QFileInfo(SheetPath()).isDir());
    QCOMPARE(CellPixelsOf(0xFFFFFF), 0);
  }

  void editOpensTheSheetAfterAWarning() {
    const QString warning = QStringLiteral(
        "Edit Fill Patterns^This allows you to customize the available fill patterns.^This must be done with "
        "extreme care.^^1) DO NOT CHANGE the SIZE of the IMAGE^2) Keep ALL pattern drawing INSIDE the RED "
        "squares^3) Draw Patterns ONLY in BLACK and WHITE^^Failure to follow these rules will cause "
        "unpredictable results^^You will need to RESTART Pixmura for any changes to take effect.^^Do you wish "
        "to continue?");
    AnswerMessageBox(warning, QStringLiteral("Edit Fill Patterns"), 48, QStringLiteral("No"));
    MenuBar1::instance()->Item(QStringLiteral("menu_Pat_EDIT"))->trigger();
    QCOMPARE(modMAIN::Zoom, 1.0f);
    QVERIFY(!modMAIN::image_FolderObject);

    AnswerMessageBox(warning, QStringLiteral("Edit Fill Patterns"), 48, QStringLiteral("Yes"));
    MenuBar1::instance()->Item(QStringLiteral("menu_Pat_EDIT"))->trigger();
    QVERIFY(modMAIN::image_FolderObject);
    QCOMPARE(modMAIN::image_FolderObject->ShellPath(), SheetPath());
    QCOMPARE(modMAIN::work_area->Width(), 265);
    QCOMPARE(modMAIN::Zoom, 4.0f);
    QVERIFY(modMAIN::show_GRID);
    QCOMPARE(modMAIN::size_PENCIL, 1);
  }
};
PIXMURA_TEST_CLASS(PatternPaletteTests)
#include "PatternPaletteTests.moc"
