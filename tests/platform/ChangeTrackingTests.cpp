// What a picture records of its changes: every drawing reports an area that holds every pixel it changed
// (checked against the pixels themselves), each reader takes the changes once, a plane handed out whole
// counts as changed until its writer is done, a mask made opaque draws like no mask; and history tiles:
// tiles over a picture's own pixels keep them when the picture is written afterwards, a commit that is told
// the changed area shares every tile outside it, and two planes tell the tiles in which they differ.
#include <QPainter>
#include <QTest>
#include <functional>

#include "core/PatternFills.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/RuntimeError.h"
#include "platform/TiledPlane.h"
#include "support/TestMain.h"

using namespace Platform;

namespace {

using Drawing = std::function<void(Graphics&)>;

// The bounds of the pixels in which the two pictures differ.
QRect Differing(const PicturePtr& a, const QImage& b) {
  QRect r;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if ((a->Pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu)) r |= QRect(x, y, 1, 1);
  return r;
}

// 100 x 80 in grey stripes, so that every drawing changes something.
PicturePtr Striped() {
  PicturePtr pic = Picture::Create(100, 80, 32);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 100; ++x) pic->SetPixel(x, y, (x + y) % 3 ? 0xC0C0C0 : 0x404040);
  return pic;
}

QImage Plane(const TiledPlane& plane) {
  QImage img(plane.Width(), plane.Height(), QImage::Format_RGB32);
  plane.CopyInto(img);
  return img;
}

}  // namespace

Q_DECLARE_METATYPE(Drawing)

class ChangeTrackingTests : public QObject {
  Q_OBJECT
 private slots:
  void drawingsReportWhatTheyChange_data() {
    QTest::addColumn<Drawing>("draw");
    QTest::addColumn<bool>("antiAlias");
    QTest::addColumn<int>("pen");
    const auto row = [](const char* name, Drawing d) {
      QTest::newRow(name) << d << false << 1;
      QTest::newRow(qPrintable(QString::fromLatin1(name) + " wide")) << d << false << 4;
      QTest::newRow(qPrintable(QString::fromLatin1(name) + " smooth")) << d << true << 5;
    };
    row("line right down", [](Graphics& g) { g.DrawLine(10, 12, 60, 40); });
    row("line left up", [](Graphics& g) { g.DrawLine(70, 50, 20, 5); });
    row("dot", [](Graphics& g) { g.DrawLine(30, 30, 30, 30); });
    row("frame", [](Graphics& g) { g.DrawRect(15, 10, 40, 30); });
    row("box", [](Graphics& g) { g.FillRect(15, 10, 40, 30); });
    row("oval", [](Graphics& g) { g.FillOval(15, 10, 41, 31); });
    row("ring", [](Graphics& g) { g.DrawOval(15, 10, 41, 31); });
    row("rounded box", [](Graphics& g) { g.FillRoundRect(15, 10, 41, 31, 12, 12); });
    row("rounded frame", [](Graphics& g) { g.DrawRoundRect(15, 10, 41, 31, 12, 12); });
    row("polygon", [](Graphics& g) { g.FillPolygon({0, 20, 5, 70, 40, 10, 60}); });
    row("polygon frame", [](Graphics& g) { g.DrawPolygon({0, 20, 5, 70, 40, 10, 60}); });
    row("white box", [](Graphics& g) { g.ClearRect(5, 5, 20, 20); });
    row("pixel", [](Graphics& g) { g.SetPixel(99, 79, 0xFF0000); });
    row("text", [](Graphics& g) { g.DrawString(QStringLiteral("Wg"), 20, 40); });
    row("picture copied", [](Graphics& g) { g.DrawPicture(Picture::Create(30, 20, 32), 60, 50); });
    row("picture scaled", [](Graphics& g) {
      PicturePtr p = Picture::Create(10, 10, 32);
      p->Transparent = 1;
      p->SetPixel(3, 3, 0x0000FF);
      g.DrawPicture(p, 7, 9, 35, 23, 0, 0, 10, 10);
    });
    row("past the edge", [](Graphics& g) { g.FillRect(90, 70, 40, 40); });
  }
  void drawingsReportWhatTheyChange() {
    QFETCH(Drawing, draw);
    QFETCH(bool, antiAlias);
    QFETCH(int, pen);
    PicturePtr pic = Striped();
    for (ChangeReader r : {ChangeReader::Screen, ChangeReader::History}) pic->TakeChanged(r);
    const QImage before = std::as_const(*pic).Image().copy();
    Graphics g = pic->Graphics();
    g.SetForeColor(0x0000FF);
    g.SetAntiAlias(antiAlias);
    g.SetPenWidth(pen);
    g.SetPenHeight(pen);
    draw(g);
    const QRect changed = Differing(pic, before);
    QVERIFY(!changed.isEmpty());
    // Each reader is told, on its own, an area that holds every changed pixel.
    for (ChangeReader r : {ChangeReader::Screen, ChangeReader::History}) {
      const QRect told = pic->TakeChanged(r);
      QVERIFY2(told.contains(changed), qPrintable(QStringLiteral("changed (%1,%2 %3x%4), told (%5,%6 %7x%8)")
                                                      .arg(changed.x()).arg(changed.y()).arg(changed.width()).arg(changed.height())
                                                      .arg(told.x()).arg(told.y()).arg(told.width()).arg(told.height())));
      QVERIFY(QRect(0, 0, 100, 80).contains(told));
      QCOMPARE(pic->TakeChanged(r), QRect());  // taken once
    }
    QVERIFY(!pic->WritesPending());
  }

  // A patterned flood stopped part way (here by its progress report; in use by a lack of memory) has
  // already changed pixels: each reader is still told an area holding them, at either depth.
  void aFloodStoppedPartWayReportsWhatItChanged_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("leftHalfDone");  // 24 bits are flooded in a copy, put back only when done
    QTest::newRow("32 bits") << 32 << true;
    QTest::newRow("24 bits") << 24 << false;
  }
  void aFloodStoppedPartWayReportsWhatItChanged() {
    QFETCH(int, depth);
    QFETCH(bool, leftHalfDone);
    PicturePtr pic = Picture::Create(40, 30, depth);
    for (ChangeReader r : {ChangeReader::Screen, ChangeReader::History}) pic->TakeChanged(r);
    PatternFills::Tile tile = PatternFills::SolidTile(0x00FF00);
    bool stopped = false;
    try {
      PatternFills::FloodPattern(*pic, 5, 5, tile, [](int row) {
        if (row == 12) throw OutOfMemoryException(QStringLiteral("stop"));
      });
    } catch (const OutOfMemoryException&) {
      stopped = true;
    }
    QVERIFY(stopped);
    QImage white(40, 30, QImage::Format_RGB32);
    white.fill(0xFFFFFFFFu);
    const QRect changed = Differing(pic, white);
    QCOMPARE(!changed.isEmpty(), leftHalfDone);
    if (!leftHalfDone) return;
    for (ChangeReader r : {ChangeReader::Screen, ChangeReader::History})
      QVERIFY2(pic->Changed(r).contains(changed),
               qPrintable(QStringLiteral("changed %1 rows, told %2 rows").arg(changed.height()).arg(pic->Changed(r).height())));
  }

  // A new picture is all new to each reader; afterwards each is told only what changed since it last
  // looked, the two readers apart.
  void readersTakeTheirOwnChanges() {
    PicturePtr pic = Picture::Create(50, 40, 32);
    QCOMPARE(pic->TakeChanged(ChangeReader::Screen), QRect(0, 0, 50, 40));
    pic->SetPixel(3, 4, 0);
    pic->SetPixel(10, 2, 0);
    QCOMPARE(pic->TakeChanged(ChangeReader::Screen), QRect(QPoint(3, 2), QPoint(10, 4)));
    pic->SetPixel(20, 30, 0);
    QCOMPARE(pic->TakeChanged(ChangeReader::Screen), QRect(20, 30, 1, 1));
    QCOMPARE(pic->TakeChanged(ChangeReader::History), QRect(0, 0, 50, 40));
    QCOMPARE(pic->TakeChanged(ChangeReader::History), QRect());
  }

  // Whoever holds the whole plane may write at any time: the readers see the whole picture changed at
  // every look until the writer is done, and once more after.
  void aPlaneHandedOutWholeCountsAsChangedUntilSettled() {
    PicturePtr pic = Picture::Create(50, 40, 32);
    pic->TakeChanged(ChangeReader::Screen);
    QImage& plane = pic->Image();
    QVERIFY(pic->WritesPending());
    QCOMPARE(pic->TakeChanged(ChangeReader::Screen), QRect(0, 0, 50, 40));
    plane.setPixel(5, 5, 0xFF000000u);
    QCOMPARE(pic->TakeChanged(ChangeReader::Screen), QRect(0, 0, 50, 40));
    pic->Settle();
    QVERIFY(!pic->WritesPending());
    QCOMPARE(pic->TakeChanged(ChangeReader::Screen), QRect(0, 0, 50, 40));
    QCOMPARE(pic->TakeChanged(ChangeReader::Screen), QRect());
    // Reading does not count as writing.
    QCOMPARE(std::as_const(*pic).Image().pixel(5, 5), 0xFF000000u);
    QCOMPARE(pic->TakeChanged(ChangeReader::Screen), QRect());
  }

  // A mask made opaque draws like no mask at all, until something writes into it.
  void anOpaqueMaskDrawsLikeNoMask() {
    PicturePtr pic = Picture::Create(4, 1, 32);
    pic->SetPixel(1, 0, 0x123456);
    pic->MakeMaskOpaque();
    QVERIFY(pic->MaskOpaque());
    QVERIFY(!pic->NeedsAlpha());
    QCOMPARE(qAlpha(pic->ToARGB().pixel(1, 0)), 255);
    pic->Mask()->Image().scanLine(0)[1] = 255;  // white: transparent
    QVERIFY(!pic->MaskOpaque());
    QVERIFY(pic->NeedsAlpha());
    QCOMPARE(qAlpha(pic->ToARGB().pixel(1, 0)), 0);
    QCOMPARE(qAlpha(pic->ToARGB().pixel(2, 0)), 255);
    pic->MakeMaskOpaque();
    QVERIFY(!pic->NeedsAlpha());
    QCOMPARE(qAlpha(pic->ToARGB().pixel(1, 0)), 255);
    QVERIFY(pic->Clone()->MaskOpaque());
    pic->RemoveMask();
    QVERIFY(!pic->MaskOpaque());
  }

  // Tiles over a picture's pixels keep the pixels they were made over, whatever is written afterwards.
  void tilesOverAPictureKeepItsPixels_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("leftHalfDone");  // 24 bits are flooded in a copy, put back only when done
    QTest::newRow("32 bits") << 32 << true;
    QTest::newRow("24 bits") << 24 << false;
  }
  void tilesOverAPictureKeepItsPixels() {
    QFETCH(int, depth);
    PicturePtr pic = Picture::Create(150, 70, depth);
    pic->SetPixel(0, 0, 0x010203);
    pic->SetPixel(149, 69, 0x040506);
    pic->SetPixel(64, 64, 0x070809);
    const TiledPlanePtr plane = TiledPlane::Over(std::as_const(*pic).Image());
    QCOMPARE(plane->Depth(), depth);
    pic->Image().fill(0);
    pic->SetPixel(64, 64, 0xFF0000);
    QCOMPARE(plane->Pixel(0, 0), Color(0x010203));
    QCOMPARE(plane->Pixel(149, 69), Color(0x040506));
    QCOMPARE(plane->Pixel(64, 64), Color(0x070809));
    QCOMPARE(plane->Pixel(63, 63), Color(0xFFFFFF));
    const QImage copy = Plane(*plane);
    QCOMPARE(copy.pixel(149, 69) & 0xFFFFFFu, 0x040506u);
    QCOMPARE(copy.pixel(65, 0) & 0xFFFFFFu, 0xFFFFFFu);
  }

  // Told the changed area, a commit shares every tile outside it and copies the tiles it reaches; the
  // two planes then differ in exactly those tiles, which give back the new pixels.
  void aCommitToldTheAreaSharesTheRest() {
    QImage image(200, 130, QImage::Format_RGB32);
    image.fill(0xFF808080u);
    const TiledPlanePtr first = TiledPlane::FromImage(image, 32);
    image.setPixel(63, 70, 0xFF00FF00u);   // tile (0, 1)
    image.setPixel(64, 70, 0xFF00FF00u);   // tile (1, 1)
    image.setPixel(199, 129, 0xFF0000FFu);  // the cut last tile, outside the area told
    const QRect told(63, 70, 2, 1);
    const TiledPlanePtr second = TiledPlane::FromImage(image, 32, first.get(), &told);
    const std::vector<QRect> differ = first->Differences(*second);
    QCOMPARE(differ.size(), size_t(1));
    QCOMPARE(differ[0], QRect(0, 64, 128, 64));  // the two tiles side by side, as one area
    const QImage got = Plane(*second);
    QCOMPARE(got.pixel(63, 70), 0xFF00FF00u);
    QCOMPARE(got.pixel(64, 70), 0xFF00FF00u);
    QCOMPARE(got.pixel(199, 129), 0xFF808080u);  // outside the area told: the first plane's
    // Not told, every tile is looked at.
    const TiledPlanePtr looked = TiledPlane::FromImage(image, 32, first.get());
    QCOMPARE(Plane(*looked).pixel(199, 129), 0xFF0000FFu);
    QCOMPARE(first->Differences(*looked).size(), size_t(2));
    QCOMPARE(first->Differences(*TiledPlane::FromImage(image.copy(0, 0, 100, 100), 32)),
             std::vector<QRect>{QRect(0, 0, 200, 130)});
  }

  // Copying an area of a plane into a picture changes that area alone, at either depth.
  void areasCopyBackAtEitherDepth_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("leftHalfDone");  // 24 bits are flooded in a copy, put back only when done
    QTest::newRow("32 bits") << 32 << true;
    QTest::newRow("24 bits") << 24 << false;
  }
  void areasCopyBackAtEitherDepth() {
    QFETCH(int, depth);
    QImage image(130, 70, QImage::Format_RGB32);
    for (int y = 0; y < 70; ++y)
      for (int x = 0; x < 130; ++x) image.setPixel(x, y, qRgb(x, y, 7));
    const TiledPlanePtr plane = TiledPlane::FromImage(image, depth);
    QImage into(130, 70, QImage::Format_RGB32);
    into.fill(0xFF000000u);
    const QRect area(60, 10, 10, 60);  // across a tile border, down to the last row
    plane->CopyInto(into, area);
    for (int y = 0; y < 70; ++y)
      for (int x = 0; x < 130; ++x)
        QCOMPARE(into.pixel(x, y), area.contains(x, y) ? qRgb(x, y, 7) : 0xFF000000u);
  }
};

PIXMURA_TEST_CLASS(ChangeTrackingTests)
#include "ChangeTrackingTests.moc"
