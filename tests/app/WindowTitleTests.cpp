// Every window has a title a user can read: a window opened from a menu item carries the item's caption
// (without "..."), and the message boxes and alerts carry the program's name.
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include "core/EditingState.h"
#include "core/Messages.h"
#include "mainwindow/winMAIN.h"
#include "platform/ModalHost.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

namespace {
winMAIN* Main() { return winMAIN::instance(); }

// Runs the call while the real modal windows show, as in the program, and answers the title of the
// first one that shows; that window is then closed through its first button of these that it has.
QString Title_Of_The_Real_Window(const std::function<void()>& call) {
  QString title = QStringLiteral("<no window>");
  QTimer poll;
  poll.setInterval(20);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* m = QApplication::activeModalWidget();
    if (!m) return;
    poll.stop();
    title = m->windowTitle();
    for (const char* button : {"Cancel", "OK", "Ok", "No"})
      if (Platform::ModalHost::ClickButton(m, QString::fromLatin1(button))) return;
    if (auto* d = qobject_cast<QDialog*>(m)) d->reject();
  });
  Platform::ModalHost::SetScripted(false);
  poll.start();
  call();
  poll.stop();
  Platform::ModalHost::SetScripted(true);
  return title;
}
}  // namespace

class WindowTitleTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void theSheetsOfTheMenus_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("title");
    QTest::newRow("Flip / Rotate") << "menu_ROTATE" << "Flip / Rotate";
    QTest::newRow("Resize/Scale") << "menu_RESIZE" << "Resize/Scale";
    QTest::newRow("Canvas Size") << "menu_CANVAS_SIZE" << "Canvas Size";
    QTest::newRow("Get Information") << "menu_GetInfo" << "Get Information";
    QTest::newRow("Shapes Gallery") << "menu_GALLERY" << "Shapes Gallery";
    QTest::newRow("print options") << "menu_PageSetup" << "Page Setup";
  }
  void theSheetsOfTheMenus() {
    QFETCH(QString, command);
    QFETCH(QString, title);
    Fixture::NewDocument(64, 48);
    Main()->show();
    QCOMPARE(Title_Of_The_Real_Window([&] { Main()->Handle_Menu(command, 0); }), title);
  }

  void theAboutWindow() {
    Main()->Handle_Menu(QStringLiteral("menu_ABOUT"), 0);
    QWidget* about = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String("winABOUT") && w->isVisible()) about = w;
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("About Pixmura"));
    about->close();
  }

  // A message box or alert without a title of its own shows the program's name; a given title stays.
  void theMessagesCarryTheProgramsName_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("message box") << 0 << "Pixmura";
    QTest::newRow("message box with its own title") << 1 << "Edit Fill Patterns";
    QTest::newRow("confirmation alert") << 2 << "Pixmura";
  }
  void theMessagesCarryTheProgramsName() {
    QFETCH(int, kind);
    QFETCH(QString, title);
    Main()->show();
    const QString shown = Title_Of_The_Real_Window([kind] {
      if (kind == 0) modMAIN::myMsgBox(QStringLiteral("Just this"), 0, QString());
      else if (kind == 1) modMAIN::myMsgBox(QStringLiteral("Go on?"), 36, QStringLiteral("Edit Fill Patterns"));
      else modMAIN::msgConfirm(QStringLiteral("Are you sure?"), QString());
    });
    QCOMPARE(shown, title);
  }
};

PIXMURA_TEST_CLASS(WindowTitleTests)
#include "WindowTitleTests.moc"
