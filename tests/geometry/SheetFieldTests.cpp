// The numeric fields of the resize and canvas-size sheets: their key filter governs the characters
// typed, not the editing commands of the platform (select all, copy).
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/ModalHost.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "SheetHelpers.h"

using namespace modMAIN;
using namespace SheetHelpers;

class SheetFieldTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Ctrl+A selects the field's whole text, Ctrl+C copies it, and what is typed next replaces it.
  void selectAllThenTypeReplacesTheText_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QSize>("after");
    // The canvas-size sheet is answered with OK: the canvas takes the typed size. The resize sheet keeps
    // the proportions, so its answer is not the typed pair; it is cancelled.
    QTest::newRow("canvas size, width") << "menu_CANVAS_SIZE" << "winCANVAS_SIZE" << 0 << "640" << QSize(213, 427);
    QTest::newRow("canvas size, height") << "menu_CANVAS_SIZE" << "winCANVAS_SIZE" << 1 << "427" << QSize(640, 213);
    QTest::newRow("resize, width") << "menu_RESIZE" << "winimage_RESIZE" << 0 << "640" << QSize(640, 427);
    QTest::newRow("resize, height") << "menu_RESIZE" << "winimage_RESIZE" << 1 << "427" << QSize(640, 427);
  }
  void selectAllThenTypeReplacesTheText() {
    QFETCH(QString, command);
    QFETCH(QString, sheet);
    QFETCH(int, field);
    QFETCH(QString, before);
    QFETCH(QSize, after);
    Fixture::NewDocument(640, 427);
    QGuiApplication::clipboard()->setText(QStringLiteral("nothing yet"));
    const bool answered = command == QLatin1String("menu_CANVAS_SIZE");
    Fixture::ExpectDialog(sheet, [&](QDialog* d) {
      QDialog* w = Shown<QDialog>(d);
      QVERIFY(w);
      auto* f = w->findChild<QLineEdit*>(QStringLiteral("inp%1").arg(field));
      QVERIFY(f);
      // Focused by a click, the insertion point after the text.
      TypeInto(f, QString());
      QVERIFY(!f->hasSelectedText());
      QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
      QCOMPARE(f->selectedText(), before);
      QCOMPARE(f->text(), before);
      QTest::keyClick(f, Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(QGuiApplication::clipboard()->text(), before);
      Type(QStringLiteral("213"));
      QCOMPARE(f->text(), QStringLiteral("213"));
      QVERIFY(Platform::ModalHost::ClickButton(w, answered ? QStringLiteral("OK") : QStringLiteral("Cancel")));
      QVERIFY(w->isHidden());
    });
    winMAIN::instance()->Handle_Menu(command, 0);
    QCOMPARE(QSize(work_area->Width(), work_area->Height()), after);
  }

  // The filter still keeps out what is not a digit, typed with or without a modifier, and a paste.
  void otherCommandKeysTypeNothing_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("a letter") << int(Qt::Key_A) << int(Qt::NoModifier);
    QTest::newRow("a letter with Shift") << int(Qt::Key_A) << int(Qt::ShiftModifier);
    QTest::newRow("paste") << int(Qt::Key_V) << int(Qt::ControlModifier);
  }
  void otherCommandKeysTypeNothing() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Fixture::NewDocument(640, 427);
    QGuiApplication::clipboard()->setText(QStringLiteral("x9"));
    Fixture::ExpectDialog(QStringLiteral("winCANVAS_SIZE"), [&](QDialog* d) {
      QDialog* w = Shown<QDialog>(d);
      QVERIFY(w);
      auto* f = w->findChild<QLineEdit*>(QStringLiteral("inp0"));
      QVERIFY(f);
      TypeInto(f, QString());
      QTest::keyClick(f, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
      QCOMPARE(f->text(), QStringLiteral("640"));
      QVERIFY(Platform::ModalHost::ClickButton(w, QStringLiteral("Cancel")));
    });
    winMAIN::instance()->Handle_Menu(QStringLiteral("menu_CANVAS_SIZE"), 0);
    QCOMPARE(work_area->Width(), 640);
  }
};

PIXMURA_TEST_CLASS(SheetFieldTests)
#include "SheetFieldTests.moc"
