// Every way out of a geometry sheet but OK is Cancel: the answer left from an earlier sheet is never
// applied, and the picture and its history stay as they were.
#include <QTest>

#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"
#include "SheetHelpers.h"

using namespace modMAIN;
using namespace SheetHelpers;

class SheetExitTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void everyWayOutButOKIsCancel_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("stale");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<bool>("escape");
    const struct {
      const char* command;
      const char* sheet;
      const char* stale;
      bool handled;
    } sheets[] = {{"menu_RESIZE", "winimage_RESIZE", "I,10,10", true},
                  {"menu_CANVAS_SIZE", "winCANVAS_SIZE", "10,10", true},
                  {"menu_ROTATE", "winFlipRotate", "V", false}};
    for (const auto& s : sheets) {
      QTest::addRow("%s, Escape", s.sheet) << s.command << s.sheet << s.stale << s.handled << true;
      QTest::addRow("%s, close box", s.sheet) << s.command << s.sheet << s.stale << s.handled << false;
    }
  }
  void everyWayOutButOKIsCancel() {
    QFETCH(QString, command);
    QFETCH(QString, sheet);
    QFETCH(QString, stale);
    QFETCH(bool, handled);
    QFETCH(bool, escape);
    Fixture::MarkedDocument(64, 48);
    const auto before = work_area->Clone();
    // What OK of an earlier sheet left.
    Dialog_Setup = 1;
    Dialog_Cancel = false;
    Dialog_Answer = stale;
    Fixture::ExpectDialog(sheet, [escape](QDialog* d) {
      QDialog* w = Shown<QDialog>(d);
      // A change made first, then left.
      QLineEdit* field = w->findChild<QLineEdit*>(QStringLiteral("inp0"));
      if (!field) field = w->findChild<QLineEdit*>(QStringLiteral("inpANGLE"));
      QVERIFY(field);
      if (field->isEnabled()) TypeInto(field, QStringLiteral("\b32"));
      if (escape) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      else w->close();
      QVERIFY(w->isHidden());
    });
    QCOMPARE(winMAIN::instance()->Handle_Menu(command, 0), handled);
    QCOMPARE(Dialog_Answer, stale);
    if (command == QLatin1String("menu_ROTATE")) QVERIFY(Dialog_Cancel);
    else QCOMPARE(Dialog_Setup, 0);
    QCOMPARE(Fixture::Difference(work_area, before), QString());
    QCOMPARE(pic_Stack.size(), size_t(1));
  }
};

PIXMURA_TEST_CLASS(SheetExitTests)
#include "SheetExitTests.moc"
