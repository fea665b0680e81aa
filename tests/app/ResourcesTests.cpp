#include <QDir>
#include <QFile>
#include <QTest>

#include "app/BundleResources.h"
#include "app/FileTypes.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::PicturePtr;

class ResourcesTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void cleanupTestCase() { Resources::SetFolder(QStringLiteral(":/bundle")); }

  void picturesFollowTheirLayouts() {
    Resources::SetFolder(QStringLiteral(":/bundle"));
    // The icon sheet: two columns of nine 32 x 32 cells on a 33-pixel grid.
    const PicturePtr tools = Resources::pixmura_tools();
    QVERIFY(tools && tools->Width() >= 34 + 32 && tools->Height() >= 33 * 8 + 1 + 32);
    // The pattern sheet: 24 cells, eight a row, in black and white inside red lines.
    const PicturePtr brushes = Resources::pixmura_brushes();
    QVERIFY(brushes && brushes->Width() >= 7 * 33 + 33 && brushes->Height() >= 2 * 33 + 33);
    for (int n = 0; n < 24; ++n) {
      const int x0 = (n % 8) * 33 + 1, y0 = (n / 8) * 33 + 1;
      QCOMPARE(brushes->Pixel(x0 - 1, y0 + 5), Platform::Color(0xFF0000));
      for (int y = y0; y < y0 + 32; ++y)
        for (int x = x0; x < x0 + 32; ++x) {
          const Platform::Color c = brushes->Pixel(x, y);
          QVERIFY2(c == 0 || c == 0xFFFFFF, qPrintable(QStringLiteral("pattern %1 has a grey pixel").arg(n)));
        }
    }
    // The slider's knob sheet: the control's height is half its width, the track 5 rows below the knob.
    const PicturePtr knob = Resources::normal();
    QVERIFY(knob && knob->Width() % 2 == 0 && knob->Height() >= knob->Width() / 2 + 5);
    // Scroll-bar skins: 16 across, the forward cap after the thumb.
    QVERIFY(Resources::h_slider() && Resources::h_slider()->Height() == 16 && Resources::h_slider()->Width() >= 56 + 21);
    QVERIFY(Resources::v_slider() && Resources::v_slider()->Width() == 16 && Resources::v_slider()->Height() >= 55 + 21);
    QCOMPARE(Resources::pgm_logo()->Width(), 128);
    QCOMPARE(Resources::pgm_logo()->Height(), 128);
    for (const PicturePtr& p : {Resources::msg_stop(), Resources::msg_question(), Resources::msg_exclam(),
                                Resources::msg_info(), Resources::color_spot(), Resources::up(), Resources::down()})
      QVERIFY(p != nullptr);
    // Only the handle and the name are drawn with white as transparent.
    QCOMPARE(Resources::handle_pic()->Transparent, 1);
    QCOMPARE(Resources::logo_name()->Transparent, 1);
    QCOMPARE(Resources::pgm_logo()->Transparent, 0);
  }

  void aPictureIsReadOnceAndKept() {
    Resources::SetFolder(QStringLiteral(":/bundle"));
    const PicturePtr first = Resources::msg_info();
    QVERIFY(first);
    QCOMPARE(Resources::msg_info().get(), first.get());
  }

  void aMissingPictureIsTriedAgain() {
    const QString folder = Fixture::Home() + QStringLiteral("/bundle");
    QDir().mkpath(folder);
    Resources::SetFolder(folder);
    QVERIFY(!Resources::handle_pic());
    QVERIFY(!Resources::handle_pic());
    QVERIFY(QFile::copy(QStringLiteral(":/bundle/handle.png"), folder + QStringLiteral("/handle.png")));
    const PicturePtr handle = Resources::handle_pic();
    QVERIFY(handle);
    QCOMPARE(handle->Transparent, 1);
    Resources::SetFolder(QStringLiteral(":/bundle"));
  }

  void cursorsHaveTheirHotSpots() {
    Resources::SetFolder(QStringLiteral(":/bundle"));
    const Resources::CursorPtr cross = Resources::cursor_crosshair();
    QVERIFY(cross);
    QCOMPARE(cross->hotSpot(), QPoint(15, 15));
    for (const Resources::CursorPtr& c :
         {Resources::cursor_pencil(), Resources::cursor_eyedropper(), Resources::cursor_airbrush(),
          Resources::cursor_bucket(), Resources::cursor_brush(), Resources::cursor_lasso(), Resources::Hourglass()}) {
      QVERIFY(c);
      QVERIFY(!c->pixmap().isNull());
      QVERIFY(QRect(QPoint(0, 0), c->pixmap().size()).contains(c->hotSpot()));
    }
    QCOMPARE(Resources::cursor_pencil().get(), Resources::cursor_pencil().get());
  }

  void fileTypeSets() {
    _InitFileTypes();
    _InitFileTypes();
    QCOMPARE(FileTypes2::All(), QStringLiteral("special/any;"));
    QStringList names;
    for (const FileType& t : Declared_File_Types()) names << t.Name;
    QCOMPARE(names, (QStringList{"text/plain", "image/gif", "image/jpeg", "image/png", "image/tiff", "image/x-bmp",
                                 "special/any"}));
    QCOMPARE(FileTypes_for_Finder::pImageJpeg.Extensions, QStringLiteral(".jpeg;.jpg"));
    QCOMPARE(FileTypes_for_Finder::pImagePng.MacType, QStringLiteral("PNGf"));
  }
};

PIXMURA_TEST_CLASS(ResourcesTests)
#include "ResourcesTests.moc"
