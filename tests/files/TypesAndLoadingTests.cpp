// File types, the loader, the notices and the recent files.
#include <QBuffer>

#include "FileHelpers.h"
#include "platform/Environment.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace FileTests;

namespace {
const QString kAllTypes = QStringLiteral(".PNG, .JPG, .BMP, .PICT, .GIF or .TIFF");
}  // namespace

class TypesAndLoadingTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void fileTypeOfAName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("type");
    QTest::newRow("two points") << "archive.tar.png" << "archive.tar" << "png";
    QTest::newRow("point in a folder name") << "folder.old/picture" << "folder.old/picture" << "";
    QTest::newRow("backslash after the point") << "a.b\\c" << "a.b\\c" << "";
    QTest::newRow("no point") << "README" << "README" << "";
    QTest::newRow("only a type") << ".png" << "" << "png";
    QTest::newRow("trailing point") << "a." << "a" << "";
    QTest::newRow("case kept") << "photo.JPEG" << "photo" << "JPEG";
  }
  void fileTypeOfAName() {
    QFETCH(QString, name);
    QString type = QStringLiteral("stale");
    QTEST(Get_File_Ext(name, type), "base");
    QTEST(type, "type");
  }

  void supportedTypes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("supported");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("explanation");
    const QString all = QStringLiteral("png,jpg,bmp,pict,gif,tiff"), four = QStringLiteral("png,jpg,bmp,pict");
    QTest::newRow("JPEG through its own rule") << "photo.JPEG" << four << true << "";
    QTest::newRow("letter case ignored") << "x.Png" << four << true << "";
    QTest::newRow("pict reads") << "scan.pict" << four << true << "";
    QTest::newRow("no type") << "README" << all << false
                             << "Is not a supported graphic file format.\nPlease use " + kAllTypes;
    QTest::newRow("unknown") << "a.xyz" << all << false
                             << "Is not a supported graphic file format.\nPlease use " + kAllTypes;
    QTest::newRow("gif without the converter")
        << "a.gif" << four << false
        << "Is not a supported graphic file format.\nPlease use .PNG, .JPG, .BMP or .PICT\n\nThis format requires the "
           "ImageMagick 'convert' utility, which\nwas not found on this computer";
  }
  void supportedTypes() {
    QFETCH(QString, name);
    QFETCH(QString, supported);
    QFETCH(bool, valid);
    QFETCH(QString, explanation);
    modOptions::supported_types = supported;
    const Platform::FolderItemPtr file = Item(Fixture::Home() + QLatin1Char('/') + name);
    QString type;
    Get_File_Ext(name, type);
    if (!valid)
      Fixture::ExpectAlert(QStringLiteral("The selected file format '") + type + QLatin1Char('\''), explanation,
                           QStringLiteral("OK"), {QStringLiteral("OK")});
    QCOMPARE(Valid_image_Type(file, true), valid);
    // Without tell nothing is shown.
    QCOMPARE(Valid_image_Type(file, false), valid);
    QVERIFY(!Valid_image_Type(nullptr, true));
  }

  void recentFiles() {
    MRU_Files = {"/p/a.png", "/p/b.png", "/p/c.png"};
    MRUF_Manage(QStringLiteral("/p/a.png"), false);
    QCOMPARE(MRU_Files, (QStringList{"/p/a.png", "/p/b.png", "/p/c.png"}));
    MRUF_Manage(QStringLiteral("/p/c.png"), false);
    QCOMPARE(MRU_Files, (QStringList{"/p/c.png", "/p/a.png", "/p/b.png"}));
    // Case counts on this file system: another letter case is another file.
    MRUF_Manage(QStringLiteral("/p/B.png"), false);
    QCOMPARE(MRU_Files, (QStringList{"/p/B.png", "/p/c.png", "/p/a.png", "/p/b.png"}));
    MRUF_Manage(QString(), false);
    QCOMPARE(MRU_Files.size(), 4);
    MRUF_Manage(QStringLiteral("/p/a.png"), true);
    QCOMPARE(MRU_Files, (QStringList{"/p/B.png", "/p/c.png", "/p/b.png"}));
  }

  void depthsOfLoadedFiles_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("mask");
    QTest::newRow("indexed") << "indexed" << 32 << false;
    QTest::newRow("grey") << "grey" << 32 << false;
    QTest::newRow("24-bit") << "rgb" << 24 << false;
    QTest::newRow("with alpha") << "argb" << 32 << true;
  }
  void depthsOfLoadedFiles() {
    QFETCH(QString, format);
    QFETCH(int, depth);
    QFETCH(bool, mask);
    QImage img = Striped();
    if (format == QLatin1String("indexed")) img = img.convertToFormat(QImage::Format_Indexed8);
    else if (format == QLatin1String("grey")) img = img.convertToFormat(QImage::Format_Grayscale8);
    else if (format == QLatin1String("argb")) {
      img = img.convertToFormat(QImage::Format_ARGB32);
      img.setPixel(5, 5, qRgba(10, 20, 30, 0));
    }
    const QString path = WriteImage(QStringLiteral("pic.png"), img);
    // The loader leaves the document alone (a file dropped with Shift is pasted into the document).
    Working_Color_Depth = 24;
    Save_as_Transparent = true;
    const Platform::PicturePtr pic = Load_32Bit_Picture(Item(path));
    QVERIFY(pic);
    QCOMPARE(Working_Color_Depth, 24);
    QVERIFY(Save_as_Transparent);
    QCOMPARE(pic->Depth(), depth);
    QCOMPARE(pic->HasMask(), mask);
    QCOMPARE(QFileInfo(path).size() > 0, true);
    const QImage expected = img.convertToFormat(QImage::Format_RGB32);
    if (format != QLatin1String("argb")) QCOMPARE(Compare(pic->Image().convertToFormat(QImage::Format_RGB32), expected), QString());

    // Opened as the document, later history states keep the loaded depth.
    Save_as_Transparent = false;
    QVERIFY(Open_File(Item(path)));
    QCOMPARE(Working_Color_Depth, depth);
    QCOMPARE(work_area->Depth(), 32);
    Scribble();
    QCOMPARE(pic_Stack[1]->Depth(), depth);
  }

  void damagedFilesChangeNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");  // empty: a folder of that name
    QImage img = Striped();
    QByteArray png;
    {
      QBuffer buf(&png);
      buf.open(QIODevice::WriteOnly);
      img.save(&buf, "png");
    }
    QTest::newRow("truncated png") << "cut.png" << png.left(png.size() / 2);
    QTest::newRow("random bytes named png") << "noise.png" << QByteArray("\x13\x37 this is not a picture at all", 30);
    QTest::newRow("empty file") << "empty.jpg" << QByteArray();
    QTest::newRow("folder named x.png") << "x.png" << QByteArray("folder");
  }
  void damagedFilesChangeNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = Fixture::Home() + QStringLiteral("/in/") + name;
    if (bytes == "folder") QDir().mkpath(path);
    else Fixture::WriteFile(QStringLiteral("in/") + name, bytes);
    UseDocument(Striped(20, 10));
    Scribble();
    MRU_Files = {"/somewhere/else.png"};
    const QString title = Title();
    const QImage before = Shown();
    QString type;
    Get_File_Ext(name, type);
    ExpectSaveQuestion(QStringLiteral("Untitled"), QStringLiteral("Don\u2019t Save"));
    ExpectUnreadable(name, type);
    QVERIFY(!Open_File(Item(path)));
    QCOMPARE(Compare(Shown(), before), QString());
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(img_changed);
    QCOMPARE(Title(), title);
    QCOMPARE(MRU_Files, QStringList{"/somewhere/else.png"});
  }

  void aMissingRecentFileStaysInTheList() {
    const QString path = Fixture::Home() + QStringLiteral("/gone.png");
    MRU_Files = {path};
    ExpectUnreadable(QStringLiteral("gone.png"), QStringLiteral("png"));
    QVERIFY(!Open_File(Item(path)));
    QCOMPARE(MRU_Files, QStringList{path});
  }

  void aPictureTooLargeToHoldIsRefusedBeforeAllocation() {
    const QString path = Fixture::WriteFile(QStringLiteral("huge.png"), PngHeader(40000, 40000));
    Fixture::ExpectAlert(QStringLiteral("The selected file 'huge.png'"),
                         QStringLiteral("Is too large to open (40000 x 40000 pixels): at most 400 million pixels can be held."),
                         QStringLiteral("OK"));
    QVERIFY(!Open_File(Item(path)));
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  void aHundredMegapixelPhotographOpens() {
    QImage big(10000, 10000, QImage::Format_RGB32);
    QVERIFY(!big.isNull());
    big.fill(qRgb(90, 140, 200));
    for (int x = 0; x < 10000; ++x) big.setPixel(x, 9999, qRgb(255, 0, 0));
    const QString path = WriteImage(QStringLiteral("photo.png"), big);
    big = QImage();
    const Platform::PicturePtr pic = Load_32Bit_Picture(Item(path));
    QVERIFY(pic);
    QCOMPARE(pic->Width(), 10000);
    QCOMPARE(pic->Height(), 10000);
    QCOMPARE(pic->Pixel(5000, 9999), Platform::Color(0xFF0000));
    QCOMPARE(pic->Pixel(5000, 5000), Platform::Color(0x5A8CC8));
  }

  void pictReadsThroughTheConverter() {
    if (!Platform::ImageConverter::Available()) QSKIP("ImageMagick's convert is not installed");
    const QString png = WriteImage(QStringLiteral("src.png"), Striped());
    const QString pict = Fixture::Home() + QStringLiteral("/scan.pict");
    QVERIFY(Platform::ImageConverter::Convert(png, QStringLiteral("png"), pict, QStringLiteral("pict")).ok);
    QVERIFY(Open_File(Item(pict)));
    QCOMPARE(Compare(Shown(), Striped()), QString());
    QCOMPARE(Title(), PGM_Name + QStringLiteral(":scan.pict"));
    // Without the converter the same file is unreadable.
    Platform::Environment::OverrideToolPath(QStringLiteral("convert"), Fixture::Home() + QStringLiteral("/no-such-tool"));
    ExpectUnreadable(QStringLiteral("scan.pict"), QStringLiteral("pict"));
    QVERIFY(!Load_32Bit_Picture(Item(pict)));
    Not_a_Valid_image_File(Item(pict));
  }
};

PIXMURA_TEST_CLASS(TypesAndLoadingTests)
#include "TypesAndLoadingTests.moc"
