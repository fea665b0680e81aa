// The colour-depth change through the PNG export settings.
#include <QComboBox>

#include "FileHelpers.h"
#include "platform/PngExportDialog.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace FileTests;
using Platform::PngDepth;

namespace {
void ChooseDepth(PngDepth depth, const QString& answer = QStringLiteral("OK")) {
  Fixture::ExpectDialog(
      QStringLiteral("PngExportDialog"),
      [depth](QDialog* d) { d->findChild<QComboBox*>(QStringLiteral("popDepth"))->setCurrentIndex(int(depth)); }, answer);
}

QSet<QRgb> Colours(const QImage& img) {
  QSet<QRgb> set;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) set.insert(img.pixel(x, y) & 0xFFFFFF);
  return set;
}
}  // namespace

class ColourDepthTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void init() {
    FixtureTest::init();
    Platform::PngExportDialog::ResetRemembered();
    UseDocument(Striped());
  }

  void cancelChangesNothing() {
    Save_as_Transparent = true;
    set_workarea_mask();
    ChooseDepth(PngDepth::BlackAndWhite, QStringLiteral("Cancel"));
    QVERIFY(winMAIN::instance()->_menu_DEPTH_Action());
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Compare(Shown(), Striped()), QString());
    QVERIFY(!img_changed);
    QVERIFY(Save_as_Transparent);
    QCOMPARE(Working_Color_Depth, 32);
  }

  void theChosenDepth_data() {
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("historyDepth");
    QTest::newRow("black and white") << int(PngDepth::BlackAndWhite) << 32;
    QTest::newRow("4 greys") << int(PngDepth::Grays4) << 32;
    QTest::newRow("256 greys") << int(PngDepth::Grays256) << 32;
    QTest::newRow("16 colours") << int(PngDepth::Colors16) << 32;
    QTest::newRow("256 colours") << int(PngDepth::Colors256) << 32;
    QTest::newRow("thousands") << int(PngDepth::Thousands) << 24;
    QTest::newRow("millions") << int(PngDepth::Millions) << 24;
    QTest::newRow("millions and alpha") << int(PngDepth::MillionsPlus) << 32;
  }
  void theChosenDepth() {
    QFETCH(int, depth);
    QFETCH(int, historyDepth);
    const PngDepth d = PngDepth(depth);
    Save_as_Transparent = true;
    set_workarea_mask();
    ChooseDepth(d);
    image_change_depth();
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Current_Picture, 1);
    QVERIFY(img_changed);
    QVERIFY(!Save_as_Transparent);
    QCOMPARE(Working_Color_Depth, historyDepth);
    QCOMPARE(pic_Stack[1]->Depth(), historyDepth);
    QCOMPARE(work_area->Depth(), 32);
    QVERIFY(work_area->HasMask());

    const QImage now = Shown();
    QSet<QRgb> colours = Colours(now);
    switch (d) {
      case PngDepth::BlackAndWhite: QVERIFY(colours.subtract({0x000000, 0xFFFFFF}).isEmpty()); break;
      case PngDepth::Grays4:
        QVERIFY(colours.subtract({0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}).isEmpty());
        QVERIFY(Colours(now).size() > 1);
        break;
      case PngDepth::Grays256:
        for (QRgb c : std::as_const(colours)) QVERIFY(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c));
        QCOMPARE(now.pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu);  // white stays white
        break;
      case PngDepth::Colors16: QVERIFY(colours.size() <= 16); break;
      case PngDepth::Thousands:
        for (QRgb c : std::as_const(colours)) QVERIFY(qRed(c) >> 5 == (qRed(c) & 7));  // five bits, widened
        break;
      default:
        // The picture has fewer than 256 colours: nothing is lost.
        QCOMPARE(Compare(now, Striped()), QString());
    }

    // The file it went through has a name of its own and is gone.
    QCOMPARE(FilesStartingWith(Platform::FolderItem::Temporary()->AbsolutePath(), QStringLiteral("pixmura")), QStringList());
    QVERIFY(!QFileInfo::exists(Platform::FolderItem::Temporary()->AbsolutePath() + QStringLiteral("/temp.png")));

    // One undo step brings the picture back; the modified mark stays.
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(Compare(Shown(), Striped()), QString());
    QVERIFY(img_changed);
  }

  void theChoiceIsRemembered() {
    ChooseDepth(PngDepth::Grays16);
    image_change_depth();
    Fixture::ExpectDialog(QStringLiteral("PngExportDialog"), [](QDialog* d) {
      if (d->findChild<QComboBox*>(QStringLiteral("popDepth"))->currentText() != QLatin1String("16 Grays"))
        Platform::ModalHost::RecordFailure(QStringLiteral("the depth was not remembered"));
    }, QStringLiteral("Cancel"));
    image_change_depth();
  }
};

PIXMURA_TEST_CLASS(ColourDepthTests)
#include "ColourDepthTests.moc"
