#include <QAction>
#include <QFile>
#include <QWindow>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/winABOUT.h"
#include "colorwindows/winCOLORMeter.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "mainwindow/MenuDriving.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

namespace {

const QString kSave = QStringLiteral("Save");
const QString kDontSave = QStringLiteral("Don\u2019t Save");
const QString kCancel = QStringLiteral("Cancel");

// The unsaved-changes question about the untitled picture, answered with `answer`; `during` runs while
// the question is open.
void ExpectQuestion(const QString& answer, std::function<void()> during = {}) {
  Fixture::ExpectAny([answer, during](Platform::ModalRequest& r) -> QVariant {
    const QString message = QStringLiteral("Do you want to save the changes you made in\nthe picture 'Untitled'?");
    if (r.kind != Platform::ModalKind::Alert || r.message != message ||
        r.explanation != QStringLiteral("Your changes will be lost if you don't save them.") ||
        r.buttons != QStringList{kSave, kDontSave, kCancel})
      Platform::ModalHost::RecordFailure(QStringLiteral("unexpected ") + Platform::ModalHost::Describe(r));
    if (during) during();
    return answer;
  });
}

QString SettingsFile() { return Fixture::SettingsFolder() + QStringLiteral("/Config.INI"); }

// Two undo states, the second shown, with unsaved changes; the About window and the navigator open.
void ChangedDocumentWithOtherWindows() {
  Draw_Color[2] = 0x00FF00;
  QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ClearImage")));
  QVERIFY(img_changed);
  App::menu_ABOUT()->trigger();
  QVERIFY(MenuDriving::Choose(QStringLiteral("menu_THUMBNAIL")));
  QVERIFY(winABOUT::existing() && winTHUMBNAIL::existing());
}

// The three ways a user closes the window.
void CloseBy(const QString& way) {
  winMAIN* w = winMAIN::instance();
  if (way == QLatin1String("close box")) w->windowHandle()->close();
  else if (way == QLatin1String("File > Close")) QVERIFY(MenuDriving::Choose(QStringLiteral("menu_CLOSE")));
  else MenuDriving::Item(QStringLiteral("FileQuit"))->trigger();
}

}  // namespace

class ClosingTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void cancelKeepsWindowPictureAndHistory() {
    ChangedDocumentWithOtherWindows();
    const auto shown = work_area;
    const auto first = pic_Stack[0], second = pic_Stack[1];
    ExpectQuestion(kCancel);
    CloseBy(QStringLiteral("File > Close"));
    winMAIN* w = winMAIN::instance();
    QVERIFY(w->isVisible());
    QCOMPARE(work_area, shown);
    QCOMPARE(work_area->Pixel(3, 3), Platform::Color(0x00FF00));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(pic_Stack[0], first);
    QCOMPARE(pic_Stack[1], second);
    QCOMPARE(Current_Picture, 1);
    QVERIFY(img_changed);
    QVERIFY(w->isWindowModified());
    QVERIFY(!QFile::exists(SettingsFile()));
    QVERIFY(winABOUT::existing() && winABOUT::existing()->isVisible());
    QVERIFY(active_THUMBNAIL);
    // Undo still steps back to the first state.
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_UnDo")));
    QCOMPARE(Current_Picture, 0);
  }

  void dontSaveWritesTheSettingsAndClosesTheOtherWindows() {
    ChangedDocumentWithOtherWindows();
    ExpectQuestion(kDontSave);
    CloseBy(QStringLiteral("close box"));
    QVERIFY(!winMAIN::instance()->isVisible());
    QVERIFY(QFile::exists(SettingsFile()));
    QVERIFY(!active_THUMBNAIL);
    QTRY_VERIFY(!winABOUT::existing());
    QTRY_VERIFY(!winTHUMBNAIL::existing());
    QVERIFY(!img_changed);
    QVERIFY(!work_area);
    QVERIFY(pic_Stack.empty());
  }

  void noChangesAsksNothing() {
    App::menu_ABOUT()->trigger();
    CloseBy(QStringLiteral("File > Close"));
    QVERIFY(!winMAIN::instance()->isVisible());
    QVERIFY(QFile::exists(SettingsFile()));
    QTRY_VERIFY(!winABOUT::existing());
  }

  void saveWritesThePictureBeforeClosing() {
    ChangedDocumentWithOtherWindows();
    const QString path = Fixture::Home() + QStringLiteral("/kept.png");
    ExpectQuestion(kSave);
    Fixture::ExpectSaveFile(path);
    CloseBy(QStringLiteral("Quit"));
    QVERIFY(!winMAIN::instance()->isVisible());
    QImage saved(path);
    QCOMPARE(saved.size(), QSize(640, 480));
    QCOMPARE(saved.pixel(10, 10) & 0xFFFFFFu, 0x00FF00u);
  }

  // However the close comes, and whatever follows it (a quit after File > Close, a second close of the
  // closed window, a close arriving while the question is open), the question comes once.
  void theQuestionComesOnce_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("close box") << "close box";
    QTest::newRow("File > Close") << "File > Close";
    QTest::newRow("Quit") << "Quit";
  }
  void theQuestionComesOnce() {
    QFETCH(QString, way);
    winMAIN* w = winMAIN::instance();
    w->SetWindowModified(true);
    // Another close and a quit arrive while the question is open.
    ExpectQuestion(kDontSave, [w] {
      w->close();
      App::Quit();
    });
    CloseBy(way);
    QVERIFY(!w->isVisible());
    // Any further close finds the window closed: no second question (the fixture fails on one).
    QVERIFY(w->close());
    App::Quit();
    CloseBy(way);
  }

  // A cancelled close can be tried again, and then asks again.
  void afterCancelTheNextCloseAsksAgain() {
    winMAIN* w = winMAIN::instance();
    w->SetWindowModified(true);
    ExpectQuestion(kCancel);
    QVERIFY(!w->close());
    ExpectQuestion(kDontSave);
    QVERIFY(w->close());
    QVERIFY(!w->isVisible());
  }

  // A floating selection is dropped into the picture before the question.
  void toolStatesEndBeforeTheQuestion() {
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_SELECTALL")));
    winMAIN* w = winMAIN::instance();
    w->SetWindowModified(true);
    ExpectQuestion(kCancel);
    QVERIFY(!w->close());
    QVERIFY(!active_DRAG);
    QVERIFY(!active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(2));
  }
};

PIXMURA_TEST_CLASS(ClosingTests)
#include "ClosingTests.moc"
