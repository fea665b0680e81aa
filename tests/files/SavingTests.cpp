// Save, Save As, the file writers, transparency and failed saves.
#include <QComboBox>
#include <QRegularExpression>

#include "FileHelpers.h"
#include "platform/PictureIO.h"
#include "platform/Environment.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace FileTests;

namespace {
// The save dialog: checks its title and suggested name, answers with the path.
void ExpectSaveDialog(const QString& title, const QString& suggested, const QString& answer) {
  Fixture::ExpectAny([=](Platform::ModalRequest& r) -> QVariant {
    if (r.kind != Platform::ModalKind::SaveFile || r.title != title || r.defaultName != suggested)
      Platform::ModalHost::RecordFailure(QStringLiteral("not the expected save dialog: ") +
                                         Platform::ModalHost::Describe(r) + QStringLiteral(" offering ") + r.defaultName);
    return answer;
  });
}

// A message box whose message starts with the text; pressed "Ok".
void ExpectError(const QString& start) {
  Fixture::ExpectAny([=](Platform::ModalRequest& r) -> QVariant {
    if (r.kind != Platform::ModalKind::MessageBox || !r.message.startsWith(start))
      Platform::ModalHost::RecordFailure(QStringLiteral("expected a message box starting \"%1\", got ").arg(start) +
                                         Platform::ModalHost::Describe(r));
    return QStringLiteral("Ok");
  });
}

void ExpectTransparencyQuestion(const QString& type, const QString& answer) {
  Fixture::ExpectAlert(QStringLiteral("The selected file format '") + type + QStringLiteral("'\ndoes not support transparency."),
                       QStringLiteral("Do you still wish to save image in this format?"), answer,
                       {QStringLiteral("Yes"), QStringLiteral("No")});
}

QString Magic(const QString& path) {
  const QByteArray b = Bytes(path).left(4);
  if (b.startsWith("\x89PNG")) return QStringLiteral("png");
  if (b.startsWith("\xFF\xD8")) return QStringLiteral("jpeg");
  if (b.startsWith("BM")) return QStringLiteral("bmp");
  if (b.startsWith("GIF8")) return QStringLiteral("gif");
  if (b == QByteArray("II*\0", 4) || b == QByteArray("MM\0*", 4)) return QStringLiteral("tiff");
  return QStringLiteral("unknown");
}

// Four flat colours in 32 x 32 squares, aligned with JPEG's coding blocks.
QImage Quadrants() {
  QImage img(64, 64, QImage::Format_RGB32);
  const QRgb colours[] = {qRgb(200, 30, 30), qRgb(30, 160, 60), qRgb(40, 70, 210), qRgb(240, 200, 20)};
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) img.setPixel(x, y, colours[(y / 32) * 2 + x / 32]);
  return img;
}

double MeanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (3.0 * a.width() * a.height());
}

// The document as a file the user has open: titled, with one unsaved change.
void OpenAndChange(const QString& path) {
  image_FolderObject = Item(path);
  winMAIN::instance()->update_title();
  Scribble();
}

const QString kFailingConverter = QStringLiteral(
    "echo 'convert: unable to write the picture' >&2\n"
    "for a in \"$@\"; do last=\"$a\"; done\n"
    "printf partial > \"${last#*:}\"\n"
    "exit 1");
}  // namespace

class SavingTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void init() {
    FixtureTest::init();
    modOptions::option_SaveAs = QStringLiteral("png");
    UseDocument(Striped());
  }

  void saveAsCompletesTheName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("the offered name kept") << "untitled" << "untitled.png";
    QTest::newRow("no type") << "holiday" << "holiday.png";
    QTest::newRow("a type") << "holiday.bmp" << "holiday.bmp";
    QTest::newRow("trailing point") << "holiday.png." << "holiday.png";
    QTest::newRow("points and blanks at the end") << "holiday . . " << "holiday.png";
    QTest::newRow("a time, not a type") << "Shot 10.30 AM" << "Shot 10.png";
    QTest::newRow("a time in the afternoon") << "Shot 4.15 pm" << "Shot 4.png";
    QTest::newRow("JPEG in capitals") << "photo.JPEG" << "photo.JPEG";
  }
  void saveAsCompletesTheName() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    const QString folder = Fixture::Home() + QStringLiteral("/out");
    QDir().mkpath(folder);
    ExpectSaveDialog(QStringLiteral("Save Image [Default=png]"), QStringLiteral("untitled"), folder + QLatin1Char('/') + typed);
    // The modified mark: "*" after the name from the edit until the save, with no complaint from Qt.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("placeholder")));
    Scribble();
    QCOMPARE(Title(), PGM_Name + QStringLiteral(":<untitled>*"));
    QVERIFY(winMAIN::instance()->_menu_SaveAs_Action());
    const QString path = folder + QLatin1Char('/') + written;
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{written});
    QVERIFY(!QImage(path).isNull());
    QCOMPARE(Title(), PGM_Name + QLatin1Char(':') + written);
    QCOMPARE(MRU_Files.first(), path);
    QVERIFY(!img_changed);
    QCOMPARE(image_FolderObject->AbsolutePath(), path);
  }

  void saveAsOffersTheDocumentsNameAndFolder() {
    const QString path = WriteImage(QStringLiteral("pics/beach.jpg"), Striped(), "jpeg");
    QVERIFY(Open_File(Item(path)));
    Fixture::ExpectAny([&](Platform::ModalRequest& r) -> QVariant {
      if (r.title != QLatin1String("Save Image [Default=jpg]") || r.defaultName != QLatin1String("beach") ||
          r.folder != Fixture::Home() + QStringLiteral("/pics"))
        Platform::ModalHost::RecordFailure(QStringLiteral("offered ") + r.title + QLatin1Char(' ') + r.defaultName +
                                           QLatin1Char(' ') + r.folder);
      return QString();
    });
    QVERIFY(!Save_image_As());
  }

  void anUnsupportedTypedTypeWritesNothing() {
    const QString folder = Fixture::Home() + QStringLiteral("/out");
    QDir().mkpath(folder);
    ExpectSaveDialog(QStringLiteral("Save Image [Default=png]"), QStringLiteral("untitled"), folder + QStringLiteral("/holiday.xyz"));
    Fixture::ExpectAny([](Platform::ModalRequest& r) -> QVariant {
      if (r.message != QLatin1String("The selected file format 'xyz'"))
        Platform::ModalHost::RecordFailure(QStringLiteral("unexpected: ") + Platform::ModalHost::Describe(r));
      return QStringLiteral("OK");
    });
    Scribble();
    QVERIFY(!Save_image_As());
    QVERIFY(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
    QVERIFY(img_changed);
    QVERIFY(!image_FolderObject);
  }

  void replacingAFileIsConfirmed() {
    const QString path = Fixture::WriteFile(QStringLiteral("out/untitled.png"), "old contents");
    ExpectSaveDialog(QStringLiteral("Save Image [Default=png]"), QStringLiteral("untitled"),
                     Fixture::Home() + QStringLiteral("/out/untitled"));
    Fixture::ExpectMessageBox(QStringLiteral("Image File already exists^Do you wish to overwrite it?"), QStringLiteral("No"));
    QVERIFY(!Save_image_As());
    QCOMPARE(Bytes(path), QByteArray("old contents"));

    ExpectSaveDialog(QStringLiteral("Save Image [Default=png]"), QStringLiteral("untitled"), path);
    Fixture::ExpectMessageBox(QStringLiteral("Image File already exists^Do you wish to overwrite it?"), QStringLiteral("Yes"));
    QVERIFY(Save_image_As());
    QCOMPARE(Compare(QImage(path).convertToFormat(QImage::Format_RGB32), Striped()), QString());
  }

  void roundTrips_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("converted");
    QTest::newRow("png") << "png" << "png" << false;
    QTest::newRow("bmp") << "bmp" << "bmp" << false;
    QTest::newRow("jpg") << "jpg" << "jpeg" << false;
    QTest::newRow("jpeg") << "jpeg" << "jpeg" << false;
    QTest::newRow("gif") << "gif" << "gif" << true;
    QTest::newRow("tiff") << "tiff" << "tiff" << true;
  }
  void roundTrips() {
    QFETCH(QString, type);
    QFETCH(QString, format);
    QFETCH(bool, converted);
    if (converted && !Platform::ImageConverter::Available()) QSKIP("ImageMagick's convert is not installed");
    const QString path = Fixture::Home() + QStringLiteral("/round.") + type;
    Scribble(0x336699);
    QImage expected = Striped();
    expected.setPixel(1, 1, qRgb(0x33, 0x66, 0x99));
    QVERIFY(Save_image_File(Item(path)));
    QCOMPARE(Magic(path), format);
    QVERIFY(!img_changed);
    UseDocument(QImage(5, 5, QImage::Format_RGB32));
    QVERIFY(Open_File(Item(path)));
    if (format == QLatin1String("jpeg")) {
      QVERIFY(MeanDifference(Shown(), expected) < 16);
      // Lossy: flat areas that fill whole coding blocks come back within a few levels.
      UseDocument(Quadrants());
      QVERIFY(Save_image_File(Item(path)));
      QVERIFY(Open_File(Item(path)));
      const QImage back = Shown(), flat = Quadrants();
      for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
          if (x % 32 < 2 || x % 32 > 29 || y % 32 < 2 || y % 32 > 29) continue;  // colour edges blur
          QCOMPARE(Compare(back.copy(x, y, 1, 1), flat.copy(x, y, 1, 1), 6), QString());
        }
    } else {
      QCOMPARE(Compare(Shown(), expected), QString());
    }
  }

  void whiteShownAsTransparentIsWrittenTransparent_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("depth");
    QTest::newRow("png") << "png" << 32;
    QTest::newRow("png of a 24-bit document") << "png" << 24;
    QTest::newRow("gif") << "gif" << 32;
    QTest::newRow("tiff") << "tiff" << 32;
  }
  void whiteShownAsTransparentIsWrittenTransparent() {
    QFETCH(QString, type);
    QFETCH(int, depth);
    if (type != QLatin1String("png") && !Platform::ImageConverter::Available()) QSKIP("ImageMagick's convert is not installed");
    const QString path = Fixture::Home() + QStringLiteral("/clear.") + type;
    // Pure red beside the white: only pure white becomes transparent.
    QImage document = Striped();
    document.setPixel(20, 10, qRgb(255, 0, 0));
    UseDocument(document);
    if (depth == 24) {
      pic_Stack[Current_Picture] = pic_Stack[Current_Picture]->CopyAtDepth(24);
      Working_Color_Depth = 24;
      Move_to_WorkArea();
    }
    Save_as_Transparent = true;
    set_workarea_mask();
    QVERIFY(Save_image_File(Item(path)));
    QImage written;
    if (type == QLatin1String("tiff")) {
      // Qt cannot read TIFF here: read it as the program does.
      const Platform::DecodedPicture d = Platform::PictureIO::Read(path, type);
      QVERIFY(d.picture);
      written = d.picture->ToARGB().convertToFormat(QImage::Format_ARGB32);
    } else {
      written = QImage(path).convertToFormat(QImage::Format_ARGB32);
    }
    QCOMPARE(written.size(), document.size());
    QCOMPARE(qAlpha(written.pixel(1, 0)), 0);
    QCOMPARE(written.pixel(20, 10), qRgba(255, 0, 0, 255));
    for (int y = 0; y < document.height(); ++y)
      for (int x = 0; x < document.width(); ++x) {
        const bool white = (document.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
        QCOMPARE(qAlpha(written.pixel(x, y)), white ? 0 : 255);
      }
    // With white shown opaque again the file has no transparency.
    Save_as_Transparent = false;
    set_workarea_mask();
    const QString opaque = Fixture::Home() + QStringLiteral("/opaque.png");
    QVERIFY(Save_image_File(Item(opaque)));
    QVERIFY(!QImage(opaque).hasAlphaChannel());
  }

  void theTransparencyQuestion() {
    const QString path = Fixture::Home() + QStringLiteral("/flat.jpg");
    Save_as_Transparent = true;
    set_workarea_mask();
    ExpectTransparencyQuestion(QStringLiteral("jpg"), QStringLiteral("No"));
    QVERIFY(!Save_image_File(Item(path)));
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(Save_as_Transparent);

    ExpectTransparencyQuestion(QStringLiteral("jpg"), QStringLiteral("Yes"));
    QVERIFY(Save_image_File(Item(path)));
    QCOMPARE(Magic(path), QStringLiteral("jpeg"));
    QVERIFY(!Save_as_Transparent);
    QVERIFY(work_area->HasMask());
  }

  void saveOfAnOpenedJpegAsksNothing() {
    const QString path = WriteImage(QStringLiteral("photo.jpg"), Striped(), "jpeg");
    QVERIFY(Open_File(Item(path)));
    Scribble(0x00FF00);
    const QByteArray before = Bytes(path);
    QVERIFY(winMAIN::instance()->_menu_Save_Action());
    QVERIFY(Bytes(path) != before);
    QCOMPARE(Magic(path), QStringLiteral("jpeg"));
    QVERIFY(!img_changed);
  }

  void aTypeThatCannotBeWritten() {
    const QString path = Fixture::WriteFile(QStringLiteral("scan.pict"), "old pict");
    OpenAndChange(path);
    Fixture::ExpectMessageBox(QStringLiteral("Unknown File format^pict"), QStringLiteral("Ok"));
    QVERIFY(!Save_Image());
    // Save As keeps the name: the file exists, and after Yes the type still cannot be written.
    ExpectSaveDialog(QStringLiteral("Save Image [Default=pict]"), QStringLiteral("scan"), Fixture::Home() + QStringLiteral("/scan"));
    Fixture::ExpectMessageBox(QStringLiteral("Image File already exists^Do you wish to overwrite it?"), QStringLiteral("Yes"));
    Fixture::ExpectMessageBox(QStringLiteral("Unknown File format^pict"), QStringLiteral("Ok"));
    QVERIFY(!Save_image_As());
    QCOMPARE(Bytes(path), QByteArray("old pict"));
    QVERIFY(img_changed);
  }

  void aFailedSaveLeavesTheOldFileAndTheDocument_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("how");
    QTest::newRow("the conversion fails") << "holiday.gif" << "failing converter";
    QTest::newRow("the converter is missing") << "holiday.tiff" << "no converter";
    QTest::newRow("no room for the temporary file's name") << QString(250, QLatin1Char('a')) + ".png" << "long name";
    QTest::newRow("a folder where the file should go") << "folder.png" << "folder";
  }
  void aFailedSaveLeavesTheOldFileAndTheDocument() {
    QFETCH(QString, name);
    QFETCH(QString, how);
    const QString folder = Fixture::Home() + QStringLiteral("/docs");
    const QString path = folder + QLatin1Char('/') + name;
    QByteArray old = "the old file, byte for byte";
    if (how == QLatin1String("folder")) {
      QDir().mkpath(path);
      old.clear();
    } else {
      Fixture::WriteFile(QStringLiteral("docs/") + name, old);
    }
    if (how == QLatin1String("failing converter")) Fixture::StandInTool(QStringLiteral("convert"), kFailingConverter);
    if (how == QLatin1String("no converter"))
      Platform::Environment::OverrideToolPath(QStringLiteral("convert"), folder + QStringLiteral("/missing/convert"));
    OpenAndChange(path);
    MRU_Files = {QStringLiteral("/else/where.png")};
    const QString title = Title();
    const int beeps = Platform::Environment::BeepCount();

    if (how == QLatin1String("no converter"))
      Fixture::ExpectMessageBox(QStringLiteral("ImageMagick Not Found^The Image Conversion utility 'convert'^was not "
                                               "located on this computer.^^This is required for GIF and TIFF file^formats."),
                                QStringLiteral("Ok"));
    else
      ExpectError(QStringLiteral("ERROR^The picture could not be saved as '") + name + QStringLiteral("'.^"));
    QVERIFY(winMAIN::instance()->_menu_Save_Action());

    if (old.isEmpty()) QVERIFY(QFileInfo(path).isDir());
    else QCOMPARE(Bytes(path), old);
    QVERIFY(img_changed);
    QCOMPARE(Title(), title);
    QCOMPARE(MRU_Files, QStringList{QStringLiteral("/else/where.png")});
    QCOMPARE(Platform::Environment::BeepCount() > beeps, how == QLatin1String("no converter"));
    // Nothing is left behind, here or in the temporary folder.
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{name});
    QCOMPARE(FilesStartingWith(Platform::FolderItem::Temporary()->AbsolutePath(), QStringLiteral("pixmura")), QStringList());
  }

  void aPathThroughARegularFileIsReported() {
    Fixture::WriteFile(QStringLiteral("plain.txt"), "text");
    for (const char* type : {"png", "gif"}) {
      if (QLatin1String(type) == QLatin1String("gif") && !Platform::ImageConverter::Available()) continue;
      const QString path = Fixture::Home() + QStringLiteral("/plain.txt/pic.") + QLatin1String(type);
      ExpectError(QStringLiteral("ERROR^The picture could not be saved as 'pic.") + QLatin1String(type));
      Scribble();
      QVERIFY(!Save_image_File(Item(path)));
      QVERIFY(img_changed);
      QVERIFY(!image_FolderObject);
    }
    QCOMPARE(Bytes(Fixture::Home() + QStringLiteral("/plain.txt")), QByteArray("text"));
  }

  // The converter reads "%d" and the like in a file name as a frame number; names holding them are saved
  // under exactly the name chosen.
  void convertedSavesKeepPercentSignsInNames_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("in the file name") << "pics" << "frame%d.gif";
    QTest::newRow("with a width") << "pics" << "scan 50%03d.tiff";
    QTest::newRow("a lone sign") << "pics" << "100%.gif";
    QTest::newRow("in the folder's name") << "jobs%d" << "a.gif";
  }
  void convertedSavesKeepPercentSignsInNames() {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    if (!Platform::ImageConverter::Available()) QSKIP("ImageMagick's convert is not installed");
    const QString dir = Fixture::Home() + QLatin1Char('/') + folder;
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name;
    Scribble();
    QVERIFY(Save_image_File(Item(path)));
    QVERIFY(!img_changed);
    QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{name});
    QImage expected = Striped();
    expected.setPixel(1, 1, qRgb(0x12, 0x34, 0x56));
    UseDocument(QImage(5, 5, QImage::Format_RGB32));
    QVERIFY(Open_File(Item(path)));
    QCOMPARE(Compare(Shown(), expected), QString());
  }

  void convertedSavesLeaveNoTemporaryFiles() {
    if (!Platform::ImageConverter::Available()) QSKIP("ImageMagick's convert is not installed");
    const QString folder = Fixture::Home() + QStringLiteral("/gifs");
    QDir().mkpath(folder);
    QVERIFY(Save_image_File(Item(folder + QStringLiteral("/a.gif"))));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"a.gif"});
    const QString temp = Platform::FolderItem::Temporary()->AbsolutePath();
    QCOMPARE(FilesStartingWith(temp, QStringLiteral("pixmura")), QStringList());
    QVERIFY(!QFileInfo::exists(temp + QStringLiteral("/temp.png")));
    // A new file gets the usual permissions, not those of a private temporary file.
    QVERIFY(QFileInfo(folder + QStringLiteral("/a.gif")).permission(QFileDevice::ReadOther));
  }
};

PIXMURA_TEST_CLASS(SavingTests)
#include "SavingTests.moc"
