// The outside converter as it can fail: half files, hangs, names it would read as patterns, several
// pages; and saves through links and onto read-only files in every format.
#include <QElapsedTimer>
#include <QPainter>
#include <QScopeGuard>
#include <QTimer>
#include <QWidget>
#include <unistd.h>
#include <sys/resource.h>
#include <csignal>
#include <cerrno>
#include <cstring>

#include "FileHelpers.h"
#include "platform/Environment.h"
#include "platform/PictureIO.h"
#include "platform/Shell.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace FileTests;

namespace {

// Runs the real converter and then cuts every GIF or TIFF it wrote to half its length, reporting
// success all the same.
const QString kHalfFileConverter = QStringLiteral(
    "for a in \"$@\"; do last=\"$a\"; done\n"
    "convert \"$@\" || exit $?\n"
    "case \"$last\" in gif:*|tiff:*)\n"
    "  f=\"${last#*:}\"; n=$(( $(wc -c < \"$f\") / 2 ))\n"
    "  head -c \"$n\" \"$f\" > \"$f.half\" && mv \"$f.half\" \"$f\";;\n"
    "esac\n"
    "exit 0");

// A converter that hangs.
const QString kSleepingConverter = QStringLiteral("exec sleep 20");

// A message box whose message starts with the text; pressed "Ok". The message shown is kept.
void ExpectError(const QString& start, QString* shown = nullptr) {
  Fixture::ExpectAny([=](Platform::ModalRequest& r) -> QVariant {
    if (shown) *shown = r.message;
    if (r.kind != Platform::ModalKind::MessageBox || !r.message.startsWith(start))
      Platform::ModalHost::RecordFailure(QStringLiteral("expected a message box starting \"%1\", got ").arg(start) +
                                         Platform::ModalHost::Describe(r));
    return QStringLiteral("Ok");
  });
}

// The document as a file the user has open: titled, with one unsaved change.
void OpenAndChange(const QString& path) {
  image_FolderObject = Item(path);
  winMAIN::instance()->update_title();
  Scribble();
}

// Everything in the temporary folder.
QStringList TemporaryFiles() {
  return QDir(QDir::tempPath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A TIFF of the image at the path, made with the real converter.
void WriteTiff(const QString& path, const QImage& img) {
  const QString png = WriteImage(QStringLiteral("made.png"), img);
  QVERIFY(Platform::ImageConverter::Convert(png, QStringLiteral("png"), path, QStringLiteral("tiff")).ok);
  QFile::remove(png);
}

// A flat picture of one colour with a black corner.
QImage Flat(int w, int h, QRgb colour) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  img.setPixel(0, 0, qRgb(0, 0, 0));
  return img;
}

// Counts its repaints.
class PaintCounter : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    ++paints;
    QPainter(this).fillRect(rect(), Qt::white);
  }
};

}  // namespace

class ConverterTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void init() {
    FixtureTest::init();
    if (!Platform::ImageConverter::Available()) QSKIP("ImageMagick's convert is not installed");
    UseDocument(Striped());
  }

  // A converter that writes half a file and reports success: the half file never replaces the user's
  // file, the document stays modified, and the user is told.
  void halfFileIsNotSaved_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("gif") << "holiday.gif";
    QTest::newRow("tiff") << "holiday.tiff";
  }
  void halfFileIsNotSaved() {
    QFETCH(QString, name);
    const QString path = Fixture::WriteFile(QStringLiteral("docs/") + name, "the old picture, byte for byte");
    OpenAndChange(path);
    Fixture::StandInTool(QStringLiteral("convert"), kHalfFileConverter);
    const QString title = Title();
    QString shown;
    ExpectError(QStringLiteral("ERROR^The picture could not be saved as '") + name + QStringLiteral("'.^"), &shown);
    winMAIN::instance()->_menu_Save_Action();
    QVERIFY2(shown.contains(QLatin1String("corrupt")) || shown.contains(QLatin1String("TIFF")), qPrintable(shown));
    QCOMPARE(Bytes(path), QByteArray("the old picture, byte for byte"));
    QVERIFY(img_changed);
    QCOMPARE(Title(), title);
    QCOMPARE(QDir(Fixture::Home() + QStringLiteral("/docs")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{name});
    QCOMPARE(TemporaryFiles(), QStringList());
  }

  // A converter that hangs is stopped after the time-out (shortened here to 0.6 s) with the message;
  // meanwhile the busy cursor shows and windows repaint.
  void hangingConverterWhileSaving() {
    const QString path = Fixture::WriteFile(QStringLiteral("docs/slow.gif"), "old");
    OpenAndChange(path);
    Fixture::StandInTool(QStringLiteral("convert"), kSleepingConverter);
    Platform::ImageConverter::SetTimeoutRule(600, 0);
    PaintCounter counter;
    counter.resize(40, 40);
    counter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&counter));
    QCoreApplication::processEvents();
    int paintsBefore = -1, paintsDuring = -1;
    bool busyDuring = false;
    QTimer::singleShot(100, [&] {
      busyDuring = Platform::Environment::BusyCursor();
      paintsBefore = counter.paints;
      counter.update();
    });
    QTimer::singleShot(400, [&] { paintsDuring = counter.paints; });
    ExpectError(QStringLiteral("ERROR^The picture could not be saved as 'slow.gif'.^The converter did not finish in time."));
    QElapsedTimer t;
    t.start();
    winMAIN::instance()->_menu_Save_Action();
    QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
    QVERIFY(busyDuring);
    QVERIFY(paintsBefore >= 0);
    QVERIFY2(paintsDuring > paintsBefore, qPrintable(QStringLiteral("%1 %2").arg(paintsBefore).arg(paintsDuring)));
    QVERIFY(!Platform::Environment::BusyCursor());
    QCOMPARE(Bytes(path), QByteArray("old"));
    QVERIFY(img_changed);
    QCOMPARE(TemporaryFiles(), QStringList());
  }

  void hangingConverterWhileOpening() {
    const QString path = Fixture::Home() + QStringLiteral("/slow.tiff");
    WriteTiff(path, Flat(20, 10, qRgb(10, 200, 30)));
    Fixture::StandInTool(QStringLiteral("convert"), kSleepingConverter);
    Platform::ImageConverter::SetTimeoutRule(600, 0);
    const QImage before = Shown();
    Fixture::ExpectAlert(QStringLiteral("The selected file 'slow.tiff'"), QStringLiteral("The converter did not finish in time."),
                         QStringLiteral("OK"), {QStringLiteral("OK")});
    QElapsedTimer t;
    t.start();
    QVERIFY(!Open_File(Item(path)));
    QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
    QCOMPARE(Compare(Shown(), before), QString());
    QVERIFY(!image_FolderObject);
    QCOMPARE(TemporaryFiles(), QStringList());
  }

  // A small file of a large picture: 4000 x 1000 pixels of one colour, a few kilobytes of TIFF. With the
  // time-out shortened to 1 s and 1 s per started million pixels, and a converter that takes 2.5 s
  // more than it needs, the picture has 5 s, not the 2 s its bytes would give, and opens.
  void timeOutFollowsThePicturesPixels() {
    const QString path = Fixture::Home() + QStringLiteral("/wide.tiff");
    const QImage wide = Flat(4000, 1000, qRgb(30, 140, 220));
    WriteTiff(path, wide);
    QVERIFY2(QFileInfo(path).size() < 1000000, qPrintable(QString::number(QFileInfo(path).size())));
    Fixture::StandInTool(QStringLiteral("convert"),
                         QStringLiteral("case \"$1\" in -ping) exec convert \"$@\";; esac\nsleep 2.5\nexec convert \"$@\""));
    Platform::ImageConverter::SetTimeoutRule(1000, 1000);
    QVERIFY(Open_File(Item(path)));
    QCOMPARE(Compare(Shown(), wide), QString());
    QCOMPARE(TemporaryFiles(), QStringList());
  }

  // The converter's own temporary files (here its pixel cache, kept on disk because it may use no
  // memory for it) go into the program's private folder and go with it, even when the converter dies
  // half way: a stand-in runs the real converter and kills it once its temporary file is there.
  void convertersTemporaryFilesGoWithIt_data() {
    QTest::addColumn<bool>("saving");
    QTest::newRow("opening a TIFF") << false;
    QTest::newRow("saving a GIF") << true;
  }
  void convertersTemporaryFilesGoWithIt() {
    QFETCH(bool, saving);
    const QImage picture = Flat(1500, 1000, qRgb(200, 100, 50));
    const QString tiff = Fixture::Home() + QStringLiteral("/cache.tiff");
    if (!saving) WriteTiff(tiff, picture);
    const QString seen = Fixture::Home() + QStringLiteral("/seen");
    Fixture::StandInTool(QStringLiteral("convert"),
                         QStringLiteral("case \"$1\" in -ping) exec convert \"$@\";; esac\n"
                                        "convert \"$@\" &\n"
                                        "for i in $(seq 1 1000); do\n"
                                        "  if [ -n \"$(find '%1' -name 'magick-*' | head -n 1)\" ]; then : > '%2'; break; fi\n"
                                        "  sleep 0.01\n"
                                        "done\n"
                                        "kill -9 $!\n"
                                        "exit 1")
                             .arg(QDir::tempPath(), seen));
    qputenv("MAGICK_MEMORY_LIMIT", "1KiB");
    qputenv("MAGICK_MAP_LIMIT", "1KiB");
    const auto unset = qScopeGuard([] {
      qunsetenv("MAGICK_MEMORY_LIMIT");
      qunsetenv("MAGICK_MAP_LIMIT");
    });
    if (saving) {
      UseDocument(picture);
      const QString path = Fixture::WriteFile(QStringLiteral("cache.gif"), "old");
      OpenAndChange(path);
      ExpectError(QStringLiteral("ERROR^The picture could not be saved as 'cache.gif'.^"));
      winMAIN::instance()->_menu_Save_Action();
      QCOMPARE(Bytes(path), QByteArray("old"));
    } else {
      ExpectUnreadable(QStringLiteral("cache.tiff"), QStringLiteral("tiff"));
      QVERIFY(!Open_File(Item(tiff)));
    }
    QVERIFY2(QFile::exists(seen), "the converter made no temporary file");
    QCOMPARE(TemporaryFiles(), QStringList());
  }

  // The converter never sees the user's file names: brackets and stars are plain characters.
  void namesAreNotPatterns_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("neighbours");
    QTest::newRow("brackets") << "pick[ab].tiff" << QStringList{"picka.tiff", "pickb.tiff"};
    QTest::newRow("a star") << "star*.tiff" << QStringList{"star1.tiff", "star2.tiff"};
    QTest::newRow("a question mark") << "what?.tiff" << QStringList{"what1.tiff"};
  }
  void namesAreNotPatterns() {
    QFETCH(QString, name);
    QFETCH(QStringList, neighbours);
    const QString folder = Fixture::Home() + QStringLiteral("/pics");
    QDir().mkpath(folder);
    QList<QByteArray> neighbourBytes;
    for (int i = 0; i < neighbours.size(); ++i) {
      WriteTiff(folder + QLatin1Char('/') + neighbours[i], Flat(30, 20, qRgb(200, 20 * i, 20)));
      neighbourBytes << Bytes(folder + QLatin1Char('/') + neighbours[i]);
    }
    const QString path = folder + QLatin1Char('/') + name;
    const QImage own = Flat(12, 8, qRgb(40, 90, 250));
    WriteTiff(path, own);

    QVERIFY(Open_File(Item(path)));
    QCOMPARE(Compare(Shown(), own), QString());
    // Saved again under its own name, it stays its own picture and its neighbours stay as they were.
    Scribble(0x00FF00);
    winMAIN::instance()->_menu_Save_Action();
    QImage expected = own;
    expected.setPixel(1, 1, qRgb(0, 255, 0));
    UseDocument(Striped());
    QVERIFY(Open_File(Item(path)));
    QCOMPARE(Compare(Shown(), expected), QString());
    for (int i = 0; i < neighbours.size(); ++i) QCOMPARE(Bytes(folder + QLatin1Char('/') + neighbours[i]), neighbourBytes[i]);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), neighbours.size() + 1);
    QCOMPARE(TemporaryFiles(), QStringList());
  }

  void multiPageTiffOpensAtItsFirstPage() {
    const QImage first = Flat(16, 12, qRgb(250, 120, 0)), second = Flat(24, 18, qRgb(0, 60, 120));
    const QString a = WriteImage(QStringLiteral("p1.png"), first), b = WriteImage(QStringLiteral("p2.png"), second);
    const QString path = Fixture::Home() + QStringLiteral("/two pages.tiff");
    QCOMPARE(Platform::Shell::Execute(QStringLiteral("convert"), {a, b, path}).errorCode, 0);
    QVERIFY(Open_File(Item(path)));
    QCOMPARE(Compare(Shown(), first), QString());
    QCOMPARE(Title(), PGM_Name + QStringLiteral(":two pages.tiff"));
    QCOMPARE(TemporaryFiles(), QStringList());
  }

  // Saving through a link writes the file it points to and keeps the link, in every format; a
  // read-only file is refused in every format and stays as it was.
  void linksAndReadOnlyFiles_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("png") << "png" << QByteArray("\x89PNG");
    QTest::newRow("bmp") << "bmp" << QByteArray("BM");
    QTest::newRow("jpg") << "jpg" << QByteArray("\xFF\xD8");
    QTest::newRow("gif") << "gif" << QByteArray("GIF8");
    QTest::newRow("tiff") << "tiff" << QByteArray("II*");
  }
  void linksAndReadOnlyFiles() {
    QFETCH(QString, type);
    QFETCH(QByteArray, magic);
    const QString target = Fixture::WriteFile(QStringLiteral("real/target.") + type, "old target");
    const QString link = Fixture::Home() + QStringLiteral("/link.") + type;
    QVERIFY(QFile::link(target, link));
    OpenAndChange(link);
    winMAIN::instance()->_menu_Save_Action();
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QVERIFY2(Bytes(target).startsWith(magic), Bytes(target).left(8).toHex().constData());
    QVERIFY(!img_changed);

    const QString readOnly = Fixture::WriteFile(QStringLiteral("ro.") + type, "read only");
    QVERIFY(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    OpenAndChange(readOnly);
    ExpectError(QStringLiteral("ERROR^The picture could not be saved as 'ro.") + type + QStringLiteral("'.^"));
    winMAIN::instance()->_menu_Save_Action();
    QCOMPARE(Bytes(readOnly), QByteArray("read only"));
    QVERIFY(img_changed);
    QCOMPARE(QDir(Fixture::Home()).entryList(QStringList{QStringLiteral("*ro.*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("ro.") + type});
  }

  // A full disk (here: files may not grow beyond 4 KB or 16 KB for the moment) is reported with the
  // system's reason, and the old file stays byte for byte, in every format. "Part way" hits the limit
  // only once the converter's file is copied into place: the program's own PNG of a smooth gradient
  // is small, and a converter that writes uncompressed files (and is not bound by the limit itself)
  // makes a GIF or TIFF of it that is several times larger.
  void fullDiskNamesTheCause_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("partWay");
    QTest::newRow("png") << "png" << false;
    QTest::newRow("jpg") << "jpg" << false;
    QTest::newRow("bmp") << "bmp" << false;
    QTest::newRow("gif") << "gif" << false;
    QTest::newRow("tiff") << "tiff" << false;
    QTest::newRow("gif, part way through the copy") << "gif" << true;
    QTest::newRow("tiff, part way through the copy") << "tiff" << true;
  }
  void fullDiskNamesTheCause() {
    QFETCH(QString, type);
    QFETCH(bool, partWay);
    QImage picture(partWay ? 256 : 120, partWay ? 256 : 120, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x) {
        seed = seed * 1664525u + 1013904223u;
        // Noise compresses badly: every file of it is larger than 4 KB.
        picture.setPixel(x, y, partWay ? qRgb(x, y, (x + y) / 2) : QRgb(seed >> 8));
      }
    UseDocument(picture);
    if (partWay)
      Fixture::StandInTool(QStringLiteral("convert"), QStringLiteral("ulimit -f unlimited\n"
                                                                     "if [ $# -eq 2 ]; then exec convert \"$1\" -compress None \"$2\"; fi\n"
                                                                     "exec convert \"$@\""));
    const QString path = Fixture::WriteFile(QStringLiteral("full.") + type, "old");
    OpenAndChange(path);
    const QString title = Title();
    QString shown;
    ExpectError(QStringLiteral("ERROR^The picture could not be saved as 'full.") + type + QStringLiteral("'.^"), &shown);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = partWay ? 16384 : 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    winMAIN::instance()->_menu_Save_Action();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY2(shown.endsWith(QString::fromLocal8Bit(std::strerror(EFBIG))), qPrintable(shown));
    QCOMPARE(Bytes(path), QByteArray("old"));
    QVERIFY(img_changed);
    QCOMPARE(Title(), title);
    QCOMPARE(FilesStartingWith(Fixture::Home(), QStringLiteral("full")), QStringList{QStringLiteral("full.") + type});
    QCOMPARE(TemporaryFiles(), QStringList());
  }
};

PIXMURA_TEST_CLASS(ConverterTests)
#include "ConverterTests.moc"
