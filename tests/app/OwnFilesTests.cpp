// The files the program keeps in its settings folder (the settings, the pattern sheet, the gradients)
// are written only as regular files: where one of them is, or leads through a link to, a device or
// nothing at all, nothing is written there and the user hears why, once; a link to a regular file is
// followed and that file replaced.
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "app/MenuBar1.h"
#include "core/EditingState.h"
#include "gradients/modGRADIENT.h"
#include "gradients/winGradientFiles.h"
#include "mainwindow/winMAIN.h"
#include "platform/ModalHost.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

namespace {

QString InSettings(const QString& name) { return Fixture::SettingsFolder() + QLatin1Char('/') + name; }

// A device of the kind of /dev/null made for the test, so that no device of the system is at stake;
// /dev/null itself where devices cannot be made.
QString Device() {
  const QString path = Fixture::Home() + QStringLiteral("/device");
  if (QFileInfo::exists(path)) return path;
  if (::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0) return path;
  return QStringLiteral("/dev/null");
}

bool IsCharacterDevice(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISCHR(st.st_mode);
}

// Saves the file as the user does; `failure` is the one message expected, or empty for none.
void SaveThrough(const QString& file, const QString& failure) {
  const auto expectFailure = [&] {
    if (failure.isEmpty()) return;
    Fixture::ExpectAny([failure](Platform::ModalRequest& r) -> QVariant {
      if (r.kind != Platform::ModalKind::MessageBox || r.message != failure)
        Platform::ModalHost::RecordFailure(QStringLiteral("expected the message \"%1\", got ").arg(failure) +
                                           Platform::ModalHost::Describe(r));
      return QStringLiteral("Ok");
    });
  };
  if (file == QLatin1String("Config.INI")) {
    expectFailure();
    MenuBar1::instance()->Item(QStringLiteral("FileQuit"))->trigger();
  } else if (file == QLatin1String("User_Brushes.png")) {
    Fixture::ExpectAny([](Platform::ModalRequest& r) -> QVariant {
      if (!r.message.startsWith(QLatin1String("Revert User Patterns^")))
        Platform::ModalHost::RecordFailure(QStringLiteral("not the revert question: ") + Platform::ModalHost::Describe(r));
      return QStringLiteral("Yes");
    });
    expectFailure();
    MenuBar1::instance()->Item(QStringLiteral("menu_Pat_Revert"))->trigger();
  } else {
    const QString name = file.left(file.indexOf(QLatin1Char('.')));
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [name](QDialog* d) {
      auto* w = static_cast<winGradientFiles*>(d);
      w->inpGname->selectAll();
      QTest::keyClick(w->inpGname, Qt::Key_Backspace);
      QTest::keyClicks(w->inpGname, name);
      QTest::mouseClick(w->pbOK, Qt::LeftButton);
    });
    expectFailure();
    modGRADIENT::Save_Gradient(true);
  }
}

}  // namespace

class OwnFilesTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void onlyRegularFilesAreWritten_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("failure");
    const QString settings = QStringLiteral("ERROR^The settings could not be saved.^");
    for (const QString& file : {QStringLiteral("Config.INI"), QStringLiteral("User_Brushes.png"),
                                QStringLiteral("Spectrum.Gradient"), QStringLiteral("Warm.Gradient")}) {
      QString failure;
      if (file == QLatin1String("Config.INI")) failure = settings + QStringLiteral("<settings>/Config.INI: ");
      else if (file == QLatin1String("User_Brushes.png")) failure = QStringLiteral("ERROR^The fill patterns could not be reset.^");
      else failure = QStringLiteral("ERROR^The Gradient '%1' could not be saved.^").arg(file.left(file.indexOf(QLatin1Char('.'))));
      QTest::addRow("%s, a device", qPrintable(file)) << file << "device" << failure + QStringLiteral("It is not a regular file.");
      QTest::addRow("%s, a link to a device", qPrintable(file))
          << file << "link to a device" << failure + QStringLiteral("It is not a regular file.");
      QTest::addRow("%s, a link to nothing", qPrintable(file))
          << file << "link to nothing" << failure + QStringLiteral("It is a link to something that does not exist.");
      QTest::addRow("%s, a link to a regular file", qPrintable(file)) << file << "link to a file" << QString();
    }
  }
  void onlyRegularFilesAreWritten() {
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(QString, failure);
    failure.replace(QStringLiteral("<settings>"), Fixture::SettingsFolder());
    const QString path = InSettings(file);
    QFile::remove(path);
    // The folder a link leads into exists: only the file is missing.
    QVERIFY(QDir().mkpath(Fixture::Home() + QStringLiteral("/kept")));
    const QString elsewhere = Fixture::Home() + QStringLiteral("/kept/") + file;
    const QByteArray old = "what was there";
    if (kind == QLatin1String("device")) {
      QCOMPARE(::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0 ||
                   QFile::link(QStringLiteral("/dev/null"), path),
               true);
    } else if (kind == QLatin1String("link to a device")) {
      QVERIFY(QFile::link(Device(), path));
    } else if (kind == QLatin1String("link to nothing")) {
      QVERIFY(QFile::link(elsewhere, path));
    } else {
      Fixture::WriteFile(QStringLiteral("kept/") + file, old);
      QVERIFY(QFile::link(elsewhere, path));
    }
    const QFileInfo before(path);

    SaveThrough(file, failure);

    QCOMPARE(QFileInfo(path).isSymLink(), before.isSymLink());
    if (before.isSymLink()) QCOMPARE(QFileInfo(path).symLinkTarget(), before.symLinkTarget());
    if (kind == QLatin1String("link to a file")) {
      const QByteArray now = Fixture::ReadFile(elsewhere);
      QVERIFY(now != old);
      if (file == QLatin1String("Config.INI")) QVERIFY(now.contains("[OPTIONS]"));
      else if (file == QLatin1String("User_Brushes.png")) QVERIFY(now.startsWith("\x89PNG"));
      else QVERIFY2(now.endsWith("100:&hFF0000\n"), now.constData());
    } else if (kind == QLatin1String("link to nothing")) {
      QVERIFY(!QFileInfo::exists(elsewhere));
    } else {
      QVERIFY(IsCharacterDevice(path));
    }
    // Nothing was left beside it.
    QCOMPARE(QDir(Fixture::SettingsFolder()).entryList({file + QLatin1Char('*')}, QDir::AllEntries | QDir::Hidden | QDir::System),
             QStringList{file});
  }

  // At start the built-in gradient and pattern sheet are written only where nothing is; through a link
  // to nothing they are not written, and nothing is said, as when the folder cannot take them.
  void nothingWrittenAtStartThroughALinkToNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("Spectrum.Gradient") << "Spectrum.Gradient";
    QTest::newRow("User_Brushes.png") << "User_Brushes.png";
  }
  void nothingWrittenAtStartThroughALinkToNothing() {
    QFETCH(QString, file);
    const QString path = InSettings(file);
    QFile::remove(path);
    QVERIFY(QDir().mkpath(Fixture::Home() + QStringLiteral("/kept")));
    const QString elsewhere = Fixture::Home() + QStringLiteral("/kept/") + file;
    QVERIFY(QFile::link(elsewhere, path));
    Fixture::StartProgram();
    QVERIFY(QFileInfo(path).isSymLink());
    QVERIFY(!QFileInfo::exists(elsewhere));
    QCOMPARE(modGRADIENT::Gradient.size(), size_t(7));
    QVERIFY(modMAIN::user_brushes);
  }
};

PIXMURA_TEST_CLASS(OwnFilesTests)
#include "OwnFilesTests.moc"
