// Opening and New when the memory for a picture cannot be had: the user is told "Out of Memory" and the
// document stays whole, whichever allocation fails.
#include <memory>

#include "FileHelpers.h"
#include "canvas/CanvasDriver.h"
#include "mainwindow/MenuDriving.h"
#include "palettes/classCOLORS.h"
#include "platform/PictureIO.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace FileTests;

namespace {

const QString kOutOfMemory = QStringLiteral("Out of Memory^Insufficient memory to create a new picture");

// From now on, allocations of pictures of at least minBytes fail once `allowed` of them have been made.
void ShortOfMemoryAfter(int allowed, qint64 minBytes) {
  auto made = std::make_shared<int>(0);
  Platform::SetAllocationRefusal([=](qint64 bytes) { return bytes >= minBytes && (*made)++ >= allowed; });
}

// What the user sees of the document.
struct DocumentView {
  QString title;
  QImage shown;
  size_t states = 0;
  int32_t current = 0;
  bool modified = false;
  QStringList recent;
  QString file;

  static DocumentView Now() {
    return {Title(), Shown(), pic_Stack.size(), Current_Picture, img_changed, MRU_Files,
            image_FolderObject ? image_FolderObject->AbsolutePath() : QString()};
  }
  QString Difference(const DocumentView& o) const {
    if (title != o.title) return QStringLiteral("title %1 vs %2").arg(title, o.title);
    if (states != o.states || current != o.current) return QStringLiteral("history %1/%2 vs %3/%4").arg(states).arg(current).arg(o.states).arg(o.current);
    if (modified != o.modified) return QStringLiteral("modified mark");
    if (recent != o.recent) return QStringLiteral("recent files");
    if (file != o.file) return QStringLiteral("file %1 vs %2").arg(file, o.file);
    return Compare(shown, o.shown);
  }
};

// A picture with transparency, so that opening it makes a mask as well.
QImage WithAlpha(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgba(x % 256, y % 256, 90, x < w / 2 ? 255 : 128));
  return img;
}

}  // namespace

class MemoryShortageTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void init() {
    FixtureTest::init();
    const QString path = WriteImage(QStringLiteral("old.png"), Striped());
    QVERIFY(Open_File(Item(path)));
    Scribble(0x00FF00);
  }

  // Every allocation of the open fails in turn: each time "Out of Memory", and title, picture, history,
  // recent files and modified mark as they were. With memory enough the picture opens.
  void shortageAnywhereInOpenChangesNothing() {
    const QString path = WriteImage(QStringLiteral("new.png"), WithAlpha(300, 200));
    const DocumentView before = DocumentView::Now();
    int failures = 0;
    for (int allowed = 0; allowed < 20; ++allowed) {
      // Pictures of the document's size (the 300 x 200 mask holds 60,000 bytes), not the smaller ones the
      // window's controls draw into while the view is updated.
      ShortOfMemoryAfter(allowed, 60000);
      ExpectSaveQuestion(QStringLiteral("old.png"), QStringLiteral("Don\u2019t Save"));
      Fixture::ExpectMessageBox(kOutOfMemory, QStringLiteral("Ok"));
      const bool opened = Open_File(Item(path));
      Platform::SetAllocationRefusal(nullptr);
      if (opened) {
        // The message that was expected did not come: take it back.
        Platform::ModalHost::ClearScript();
        break;
      }
      ++failures;
      QVERIFY2(Platform::ModalHost::Pending() == 0, "no Out of Memory message");
      const QString difference = before.Difference(DocumentView::Now());
      QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("allocation %1: %2").arg(allowed).arg(difference)));
    }
    // The decoder's picture, the mask, the working picture and its mask.
    QVERIFY2(failures >= 4, qPrintable(QString::number(failures)));
    QCOMPARE(Title(), PGM_Name + QStringLiteral(":new.png"));
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(work_area->Width(), 300);
  }

  // A picture within the size limit that does not fit in memory now is not "too large to open"; one over
  // the limit is, whatever the memory.
  void tooLargeOnlyOverTheLimit() {
    QImage deep(400, 300, QImage::Format_RGBA64);
    deep.fill(QColor(10, 20, 30));
    const QString path = WriteImage(QStringLiteral("deep.png"), deep);
    const DocumentView before = DocumentView::Now();
    ShortOfMemoryAfter(0, 400 * 300);
    ExpectSaveQuestion(QStringLiteral("old.png"), QStringLiteral("Don\u2019t Save"));
    Fixture::ExpectMessageBox(kOutOfMemory, QStringLiteral("Ok"));
    QVERIFY(!Open_File(Item(path)));
    QCOMPARE(before.Difference(DocumentView::Now()), QString());

    // 20001 x 20001 claims more than 400 million pixels.
    const QString huge = Fixture::WriteFile(QStringLiteral("huge.png"), PngHeader(20001, 20001));
    ExpectSaveQuestion(QStringLiteral("old.png"), QStringLiteral("Don\u2019t Save"));
    Fixture::ExpectAlert(QStringLiteral("The selected file 'huge.png'"),
                         QStringLiteral("Is too large to open (20001 x 20001 pixels): at most 400 million pixels can be held."),
                         QStringLiteral("OK"));
    QVERIFY(!Open_File(Item(huge)));
    QCOMPARE(before.Difference(DocumentView::Now()), QString());
  }

  // The first edit after opening copies the whole opened picture into the history. When the memory for
  // that cannot be had: "Out of Memory", and the picture, history, title and modified mark as opened,
  // whichever allocation fails; with the memory the edit is made.
  void firstEditAfterOpening_data() {
    QTest::addColumn<QString>("edit");
    QTest::newRow("a pencil stroke") << "pencil";
    QTest::newRow("Clear Image") << "clear";
  }
  void firstEditAfterOpening() {
    QFETCH(QString, edit);
    const QString path = WriteImage(QStringLiteral("large.png"), Striped(300, 200));
    ExpectSaveQuestion(QStringLiteral("old.png"), QStringLiteral("Don\u2019t Save"));
    QVERIFY(Open_File(Item(path)));
    QCOMPARE(Zoom, 1.0f);
    offset = Point_of(0, 0);
    winMAIN* w = winMAIN::instance();
    w->classCOLORS1->Set_Color(1, 0x000000);
    Draw_Color[1] = 0x000000;
    w->classCOLORS1->Set_Color(2, 0x00FF00);
    Draw_Color[2] = 0x00FF00;
    Pensize_SET(1, TOOL_PENCIL);
    Last_DrawTool = TOOL_PENCIL;
    w->drawing_TOOL_SET(TOOL_PENCIL);
    const auto run = [&] {
      if (edit == QLatin1String("pencil")) Canvas::Stroke({QPoint(20, 150), QPoint(120, 150), QPoint(120, 180)});
      else QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ClearImage")));
    };
    const DocumentView before = DocumentView::Now();
    int failures = 0;
    for (int allowed = 0; allowed < 10; ++allowed) {
      // Pictures of a quarter of the document's memory and more (it holds 180,000 bytes at 24 bits).
      ShortOfMemoryAfter(allowed, 45000);
      Fixture::ExpectMessageBox(kOutOfMemory, QStringLiteral("Ok"));
      run();
      Platform::SetAllocationRefusal(nullptr);
      if (Platform::ModalHost::Pending() != 0) {
        Platform::ModalHost::ClearScript();
        break;
      }
      ++failures;
      const QString difference = before.Difference(DocumentView::Now());
      QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("allocation %1: %2").arg(allowed).arg(difference)));
    }
    QVERIFY2(failures >= 1, "no allocation failed");
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(img_changed);
    if (edit == QLatin1String("pencil")) QCOMPARE(work_area->Pixel(70, 150) & 0xFFFFFF, Platform::Color(0x000000));
    else QCOMPARE(work_area->Pixel(70, 150) & 0xFFFFFF, Platform::Color(0x00FF00));
  }

  void shortageInNewChangesNothing_data() {
    QTest::addColumn<int>("allowed");
    QTest::newRow("the blank picture") << 0;
    QTest::newRow("the working picture") << 1;
    QTest::newRow("the working picture's mask") << 2;
  }
  void shortageInNewChangesNothing() {
    QFETCH(int, allowed);
    winMAIN::instance()->SetWindowModified(false);
    const DocumentView before = DocumentView::Now();
    ShortOfMemoryAfter(allowed, 200000);
    Fixture::ExpectMessageBox(kOutOfMemory, QStringLiteral("Ok"));
    image_New();
    Platform::SetAllocationRefusal(nullptr);
    QCOMPARE(before.Difference(DocumentView::Now()), QString());
    // With the memory, New makes the blank picture.
    image_New();
    QCOMPARE(Title(), PGM_Name + QStringLiteral(":<untitled>"));
    QCOMPARE(work_area->Width(), 640);
  }
};

PIXMURA_TEST_CLASS(MemoryShortageTests)
#include "MemoryShortageTests.moc"
