// The undo history keeps its states as shared tiles: every state, every Undo and every Redo must give
// the very picture that a full copy of the working picture at each commit gives.
#include <QTest>

#include "core/EditingState.h"
#include "core/PictureFiles.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/TiledPlane.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;
using Platform::Color;
using Platform::PicturePtr;

namespace {

constexpr int T = Platform::TiledPlane::kTile;

// Byte for byte: the sizes, depths and every row of the two colour planes (read without changing how
// either picture keeps them).
QString Mismatch(const PicturePtr& got, const PicturePtr& want) {
  if (got->Width() != want->Width() || got->Height() != want->Height())
    return QStringLiteral("size %1x%2, wanted %3x%4").arg(got->Width()).arg(got->Height()).arg(want->Width()).arg(want->Height());
  if (got->Depth() != want->Depth()) return QStringLiteral("depth %1, wanted %2").arg(got->Depth()).arg(want->Depth());
  std::vector<QRgb> a(size_t(got->Width())), b(a.size());
  for (int y = 0; y < got->Height(); ++y) {
    got->ReadRow(y, a.data());
    want->ReadRow(y, b.data());
    for (int x = 0; x < got->Width(); ++x)
      if (a[size_t(x)] != b[size_t(x)])
        return QStringLiteral("pixel (%1,%2): %3, wanted %4").arg(x).arg(y).arg(a[size_t(x)], 8, 16).arg(b[size_t(x)], 8, 16);
  }
  return QString();
}

// The working picture after a rebuild from a full copy: the copy widened to 32 bits.
PicturePtr Rebuilt(const PicturePtr& copy) { return copy->CopyAtDepth(32); }

using Edit = std::function<void(int step)>;

// Commits `steps` edits through the main window and keeps, beside the history, a full copy of the
// working picture at the working depth after each one, as the history held them before it had tiles.
std::vector<PicturePtr> CommitAll(int steps, const Edit& edit) {
  std::vector<PicturePtr> copies{pic_Stack[0]->CopyAtDepth(Working_Color_Depth)};
  for (int i = 1; i <= steps; ++i) {
    edit(i);
    winMAIN::instance()->Draw_Complete();
    copies.push_back(work_area->CopyAtDepth(Working_Color_Depth));
  }
  return copies;
}

// Checks the last eleven copies against the history, then ten undos and ten redos against the copies.
void CheckHistory(const std::vector<PicturePtr>& copies) {
  const size_t first = copies.size() - size_t(pic_Stack.size());
  QCOMPARE(pic_Stack.size(), size_t(std::min<size_t>(copies.size(), 11)));
  for (size_t i = 0; i < pic_Stack.size(); ++i)
    QVERIFY2(Mismatch(pic_Stack[qsizetype(i)], copies[first + i]).isEmpty(),
             qPrintable(QStringLiteral("state %1: ").arg(i) + Mismatch(pic_Stack[qsizetype(i)], copies[first + i])));
  winMAIN* w = winMAIN::instance();
  while (Current_Picture > 0) {
    w->Manage_Undo_Stack(-1);
    const QString m = Mismatch(work_area, Rebuilt(copies[first + size_t(Current_Picture)]));
    QVERIFY2(m.isEmpty(), qPrintable(QStringLiteral("undo to %1: ").arg(Current_Picture) + m));
  }
  QCOMPARE(Current_Picture, 0);
  while (Current_Picture < pic_Stack.Ubound()) {
    w->Manage_Undo_Stack(1);
    const QString m = Mismatch(work_area, Rebuilt(copies[first + size_t(Current_Picture)]));
    QVERIFY2(m.isEmpty(), qPrintable(QStringLiteral("redo to %1: ").arg(Current_Picture) + m));
  }
}

}  // namespace

class TiledHistoryTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Twelve commits of small edits, the history at either depth, on pictures whose size is and is not a
  // multiple of the tile.
  void smallEditsGiveTheFullCopies_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("depth");
    QTest::addColumn<QList<QPoint>>("pixels");  // edit i paints pixels[i % size], in a colour of its own
    const QList<QPoint> corners = {QPoint(T - 1, T - 1), QPoint(T, T), QPoint(0, 0), QPoint(T - 1, 0), QPoint(0, T)};
    const QList<QPoint> border = {QPoint(T - 1, 10), QPoint(T, 10), QPoint(10, T - 1), QPoint(10, T)};
    QTest::newRow("a tile's corners") << 2 * T << 2 * T << 32 << corners;
    QTest::newRow("both sides of a border") << 3 * T << 2 * T << 32 << border;
    QTest::newRow("not a multiple of the tile") << 2 * T + 5 << T + 3 << 32 << QList<QPoint>{QPoint(2 * T + 4, T + 2), QPoint(2 * T, T), QPoint(2 * T + 4, 0)};
    QTest::newRow("24-bit states") << 2 * T + 5 << T + 3 << 24 << (corners + border);
    QTest::newRow("smaller than a tile") << 5 << 3 << 32 << QList<QPoint>{QPoint(4, 2), QPoint(0, 0)};
    QTest::newRow("one pixel") << 1 << 1 << 24 << QList<QPoint>{QPoint(0, 0)};
  }
  void smallEditsGiveTheFullCopies() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, depth);
    QFETCH(QList<QPoint>, pixels);
    Fixture::NewDocument(w, h, 0x336699);
    Working_Color_Depth = depth;
    pic_Stack[0] = pic_Stack[0]->CopyAtDepth(depth);
    Move_to_WorkArea();
    const auto copies = CommitAll(12, [&](int i) {
      const QPoint p = pixels[(i - 1) % pixels.size()];
      work_area->SetPixel(p.x(), p.y(), Platform::RGB(i * 20, 255 - i, i));
    });
    CheckHistory(copies);
  }

  // A whole-picture change, a change of depth and a change of size between small edits.
  void depthAndSizeChangesInsideTheHistory() {
    Fixture::NewDocument(T + 7, T - 3, 0xFFFFFF);
    const auto copies = CommitAll(12, [&](int i) {
      if (i == 3) {
        Working_Color_Depth = 24;  // as the colour-depth change leaves it
      } else if (i == 6) {
        // A larger canvas: a new working picture, white outside the old one.
        PicturePtr bigger = Platform::Picture::Create(work_area->Width() + 70, work_area->Height() + 2, 32);
        for (int y = 0; y < work_area->Height(); ++y)
          for (int x = 0; x < work_area->Width(); ++x) bigger->SetPixel(x, y, work_area->Pixel(x, y));
        work_area = bigger;
      } else if (i == 8) {
        Working_Color_Depth = 32;
        work_area->Image().fill(0xFF102030u);
      }
      work_area->SetPixel(i * 5, i, Platform::RGB(i, 2 * i, 3 * i));
    });
    // The history holds the states after edits 2 to 12; the one after edit 3 is the first at 24 bits.
    QCOMPARE(pic_Stack[0]->Depth(), 32);
    QCOMPARE(pic_Stack[1]->Depth(), 24);
    CheckHistory(copies);
  }

  // Ten one-pixel edits of a 640 x 480 picture: the history holds little more than one picture.
  void smallEditsShareTheirTiles() {
    Fixture::NewDocument(640, 480, 0xFFFFFF);
    for (int i = 1; i <= 10; ++i) {
      work_area->SetPixel(i * 37, i * 29, 0x000000);
      winMAIN::instance()->Draw_Complete();
    }
    QCOMPARE(pic_Stack.size(), size_t(11));
    const size_t full = size_t(640) * 480 * 4;
    QVERIFY2(History_Bytes() <= full * 3 / 2, qPrintable(QString::number(History_Bytes())));
    QVERIFY(History_Bytes() >= full);
    // A whole-picture change shares nothing.
    work_area->Image().fill(0xFF000000u);
    winMAIN::instance()->Draw_Complete();
    QVERIFY(History_Bytes() >= 2 * full);
  }

  // The mask that saving gives a state stays with it when the next commit keeps the state as tiles,
  // and making the mask of a state kept as tiles leaves it so.
  void theStateKeepsItsMask() {
    Fixture::NewDocument(T + 1, 3, 0xFFFFFF);
    pic_Stack[0]->SetPixel(0, 0, 0x123456);
    Move_to_WorkArea();
    Add_Mask(pic_Stack[0], true);
    const QImage mask = pic_Stack[0]->MaskIfAny()->Image().copy();
    QCOMPARE(mask.pixelColor(0, 0), QColor(0, 0, 0));
    QCOMPARE(mask.pixelColor(1, 0), QColor(255, 255, 255));
    work_area->SetPixel(1, 1, 0x654321);
    winMAIN::instance()->Draw_Complete();
    QVERIFY(pic_Stack[0]->Tiles());
    QCOMPARE(pic_Stack[0]->MaskIfAny()->Image(), mask);
    QCOMPARE(pic_Stack[0]->Pixel(0, 0), Color(0x123456));
    QVERIFY(!pic_Stack[1]->HasMask());

    Add_Mask(pic_Stack[1], true);
    QVERIFY(pic_Stack[1]->Tiles());
    QCOMPARE(pic_Stack[1]->MaskIfAny()->Image().pixelColor(1, 1), QColor(0, 0, 0));
    QCOMPARE(pic_Stack[1]->MaskIfAny()->Image().pixelColor(2, 1), QColor(255, 255, 255));
  }
};
PIXMURA_TEST_CLASS(TiledHistoryTests)

#include "TiledHistoryTests.moc"
