#include <QApplication>
#include <QFontMetrics>
#include <QScrollArea>
#include <QScrollBar>
#include <cmath>
#include <QTest>

#include "app/winMsgBOX.h"
#include "core/Messages.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::ModalRequest;

namespace {
// What a message box showed, read from the window while it waits.
struct Shown {
  QString title, line, explain;
  int32_t icon = -1;
  QStringList buttons;  // visible buttons from the right edge leftwards
  int defaultIndex = -1;
  QRect window, message, explanation;
  QList<QRect> buttonRects;
};

Shown Read(winMsgBOX* box) {
  Shown s;
  s.title = box->windowTitle();
  s.line = box->lbl_MESSAGE->text();
  s.explain = box->lbl_EXPLAIN->text();
  s.icon = box->icon_id;
  s.window = QRect(box->pos(), box->size());
  s.message = box->lbl_MESSAGE->geometry();
  s.explanation = box->lbl_EXPLAIN->geometry();
  for (int i = 0; i < 3; ++i) {
    s.buttonRects << box->pb(i)->geometry();
    if (!box->pb(i)->isHidden()) s.buttons << box->pb(i)->text();
    if (box->pb(i)->isDefault()) s.defaultIndex = i;
  }
  return s;
}

// Queues a handler that records what the box showed and presses `answer` (nothing when empty).
void Capture(Shown& into, const QString& answer, std::function<void(winMsgBOX*)> also = {}) {
  Fixture::ExpectAny([&into, answer, also](ModalRequest& r) -> QVariant {
    auto* box = qobject_cast<winMsgBOX*>(r.dialog);
    if (r.kind != Platform::ModalKind::MessageBox || !box) {
      Platform::ModalHost::RecordFailure(QStringLiteral("expected the message box"));
      return QVariant();
    }
    into = Read(box);
    if (also) also(box);
    return answer.isEmpty() ? QVariant() : QVariant(answer);
  });
}
}  // namespace

class MessageBoxTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void prefixRules_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("explain");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("error") << "!Disk is full" << 0 << "" << "ERROR" << 16 << "ERROR" << "Disk is full\n"
                           << QStringList{"Ok"};
    QTest::newRow("warning") << "*Careful now" << 0 << "" << "Warning" << 48 << "Warning!" << "Careful now\n"
                             << QStringList{"Ok"};
    QTest::newRow("error keeps the caller's flags and title")
        << "!Go on?" << 36 << "Mine" << "Mine" << 32 << "ERROR" << "Go on?\n" << QStringList{"Yes", "No"};
    QTest::newRow("plain notice") << "Just this" << 0 << "" << "Pixmura" << 0 << "Just this" << "\n" << QStringList{"Ok"};
    QTest::newRow("later ^^ leaves an empty line")
        << "Head^first^^second" << 0 << "T" << "T" << 0 << "Head" << "first\n\nsecond\n" << QStringList{"Ok"};
    QTest::newRow("line endings and blanks") << "  Head \r\n body\rmore  " << 1 << "" << "Pixmura" << 0 << "Head"
                                             << "body\nmore\n" << QStringList{"Ok", "Cancel"};
    QTest::newRow("sets 6 and 7 show Ok, icons above 64 show information")
        << "x" << 7 + 112 << "" << "Pixmura" << 64 << "x" << "\n" << QStringList{"Ok"};
    QTest::newRow("abort retry ignore") << "x" << 2 << "" << "Pixmura" << 0 << "x" << "\n"
                                        << QStringList{"Abort", "Retry", "Ignore"};
    QTest::newRow("cancel retry") << "x" << 5 << "" << "Pixmura" << 0 << "x" << "\n" << QStringList{"Cancel", "Retry"};
  }
  void prefixRules() {
    QFETCH(QString, message);
    QFETCH(int, flags);
    QFETCH(QString, title);
    Shown s;
    Capture(s, QString(), [](winMsgBOX* box) { box->pb(0)->click(); });
    modMAIN::myMsgBox(message, flags, title);
    QTEST(s.title, "shownTitle");
    QTEST(s.icon, "icon");
    QTEST(s.line, "line");
    QTEST(s.explain, "explain");
    QTEST(s.buttons, "buttons");
  }

  void questionLayoutAndAnswer() {
    Shown s;
    Capture(s, QStringLiteral("No"));
    const int32_t r = modMAIN::myMsgBox(QStringLiteral("Image File already exists^Do you wish to overwrite it?"), 36);
    QCOMPARE(r, modMAIN::MSG_NO);
    QCOMPARE(s.icon, 32);
    QCOMPARE(s.line, QStringLiteral("Image File already exists"));
    QCOMPARE(s.explain, QStringLiteral("Do you wish to overwrite it?\n"));
    QCOMPARE(s.buttons, (QStringList{"Yes", "No"}));
    QCOMPARE(s.defaultIndex, 0);
    // Yes at the right edge, No to its left.
    QCOMPARE(s.buttonRects[0].right() + 1, s.window.width() - 12);
    QCOMPARE(s.buttonRects[1].left(), s.buttonRects[0].left() - 12 - 80);
    QVERIFY(s.buttonRects[0].size() == QSize(80, 20));
    // Text beside the icon; the explanation 10 below the bold line; buttons 10 below the lower of both.
    QCOMPARE(s.message.left(), 94);
    QCOMPARE(s.explanation.top(), s.message.top() + s.message.height() + 10);
    const int bottom = std::max(s.explanation.top() + s.explanation.height(), 75);
    QCOMPARE(s.buttonRects[0].top(), bottom + 10);
    QCOMPARE(s.window.height(), s.buttonRects[0].top() + 34);
  }

  void shortTextsGiveTheNarrowestWindow_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("width");
    QTest::newRow("no icon") << 0 << 212;
    QTest::newRow("icon") << 16 << 291;
  }
  void shortTextsGiveTheNarrowestWindow() {
    QFETCH(int, flags);
    QFETCH(int, width);
    Platform::Environment::OverrideScreenSize(QSize(1000, 700));
    Shown s;
    Capture(s, QStringLiteral("Ok"));
    modMAIN::myMsgBox(QStringLiteral("Hi"), flags);
    QCOMPARE(s.window.width(), width);
    // Centred across the screen, a third of the way down.
    QCOMPARE(s.window.left(), (1000 - width) / 2);
    QCOMPARE(s.window.top(), (700 - s.window.height()) / 3);
    // Without "^" the explanation is a single line break that still takes a multiple of 17 pixels.
    QVERIFY(s.explanation.height() >= 17);
    QCOMPARE(s.explanation.height() % 17, 0);
  }

  void aLongLineWidensTheWindow() {
    const QString line = QString(QStringLiteral("wide ")).repeated(60).trimmed();
    Shown s;
    Capture(s, QStringLiteral("Ok"));
    modMAIN::myMsgBox(QStringLiteral("Head^") + line);
    QFont f = QApplication::font();
    f.setPixelSize(12);
    const int measured = int(std::ceil(QFontMetrics(f).horizontalAdvance(line)));
    QCOMPARE(s.window.width(), 15 + measured + 5 + 15);
    QCOMPARE(s.explanation.width(), measured + 5);
  }

  void defaultButtonAndKeys_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("defaultIndex");
    QTest::newRow("first by default") << 4 << 0;
    QTest::newRow("third asked, two buttons: the last") << 512 + 4 << 1;
    QTest::newRow("second") << 256 + 3 << 1;
    QTest::newRow("none") << 768 + 3 << -1;
  }
  void defaultButtonAndKeys() {
    QFETCH(int, flags);
    QFETCH(int, defaultIndex);
    Shown s;
    bool closedByReturn = false;
    int32_t resultAfterReturn = 0;
    Capture(s, QString(), [&](winMsgBOX* box) {
      box->show();
      QTest::keyClick(box, Qt::Key_Return);
      closedByReturn = !box->isVisible();
      resultAfterReturn = box->Results;
      if (!closedByReturn) QTest::keyClick(box, Qt::Key_Escape);
      if (box->isVisible()) box->pb(0)->click();
    });
    const int32_t r = modMAIN::myMsgBox(QStringLiteral("Pick one"), flags);
    QCOMPARE(s.defaultIndex, defaultIndex);
    QCOMPARE(closedByReturn, defaultIndex >= 0);
    const int32_t codes[] = {modMAIN::MSG_YES, modMAIN::MSG_NO, modMAIN::MSG_CANCEL};
    if (defaultIndex >= 0) QCOMPARE(resultAfterReturn, codes[defaultIndex]);
    // Without a default button, Escape still answers Cancel.
    QCOMPARE(r, codes[defaultIndex >= 0 ? defaultIndex : 2]);
  }

  // The real box, as the user meets it: Escape answers Cancel where there is a Cancel button and does
  // nothing otherwise.
  void escapeAnswersCancel_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("escapes");
    QTest::addColumn<QString>("otherwise");
    QTest::addColumn<int>("result");
    QTest::newRow("Ok, Cancel") << 1 << true << "" << int(modMAIN::MSG_CANCEL);
    QTest::newRow("Yes, No, Cancel") << 3 << true << "" << int(modMAIN::MSG_CANCEL);
    QTest::newRow("Cancel, Retry, Retry the default") << 256 + 5 << true << "" << int(modMAIN::MSG_CANCEL);
    QTest::newRow("Yes, No: nothing") << 4 << false << "No" << int(modMAIN::MSG_NO);
    QTest::newRow("Ok: nothing") << 0 << false << "Ok" << int(modMAIN::MSG_OK);
    QTest::newRow("Abort, Retry, Ignore: nothing") << 2 << false << "Ignore" << 5;
  }
  void escapeAnswersCancel() {
    QFETCH(int, flags);
    QFETCH(bool, escapes);
    QFETCH(QString, otherwise);
    QFETCH(int, result);
    int32_t r = 0;
    QCOMPARE(Fixture::KeyOnRealModal(Qt::Key_Escape, [&] { r = modMAIN::myMsgBox(QStringLiteral("Go on?"), flags); },
                                     otherwise),
             escapes);
    QCOMPARE(r, result);
  }

  // A text taller than the screen scrolls, and the box with its buttons stays on the screen.
  void aTextTallerThanTheScreenScrolls() {
    Platform::Environment::OverrideScreenSize(QSize(1000, 700));
    QStringList lines;
    for (int i = 1; i <= 400; ++i) lines << QStringLiteral("line %1 of the report").arg(i);
    Shown s;
    bool scrolls = false, lastLineReachable = false;
    Capture(s, QStringLiteral("Ok"), [&](winMsgBOX* box) {
      box->show();
      const QScrollArea* area = box->findChild<QScrollArea*>();
      scrolls = area && area->isVisible() && box->lbl_EXPLAIN->parentWidget() != box;
      lastLineReachable =
          area && area->verticalScrollBar()->maximum() + area->viewport()->height() >= box->lbl_EXPLAIN->height();
    });
    QCOMPARE(modMAIN::myMsgBox(QStringLiteral("!Mail composer error^") + lines.join(QLatin1Char('\n'))), modMAIN::MSG_OK);
    QVERIFY(scrolls);
    QVERIFY(lastLineReachable);
    QVERIFY2(s.window.top() >= 0 && s.window.bottom() < 700, qPrintable(QStringLiteral("%1..%2").arg(s.window.top()).arg(s.window.bottom())));
    QVERIFY(s.window.height() <= 700 - 60);
    QCOMPARE(s.buttons, QStringList{QStringLiteral("Ok")});
    QVERIFY(QRect(QPoint(0, 0), s.window.size()).contains(s.buttonRects[0]));
    QCOMPARE(s.explain, QStringLiteral("Mail composer error\n") + lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    // A text that fits keeps its label in the box itself.
    Capture(s, QStringLiteral("Ok"), [&](winMsgBOX* box) {
      const QScrollArea* area = box->findChild<QScrollArea*>();
      scrolls = (area && area->isVisibleTo(box)) || box->lbl_EXPLAIN->parentWidget() != box;
    });
    modMAIN::myMsgBox(QStringLiteral("Short^text"));
    QVERIFY(!scrolls);
  }

  void eachMessageGetsAFreshWindow() {
    Fixture::ExpectMessageBox(QStringLiteral("one"), QStringLiteral("Ok"));
    modMAIN::myMsgBox(QStringLiteral("one"));
    QVERIFY(winMsgBOX::existing() == nullptr);
    Shown s;
    Capture(s, QStringLiteral("Ok"));
    modMAIN::myMsgBox(QStringLiteral("two"), 0, QStringLiteral("Second"));
    QCOMPARE(s.title, QStringLiteral("Second"));
    QCOMPARE(s.icon, 0);
  }

  void confirmationIsAYesNoAlert() {
    Fixture::ExpectAlert(QStringLiteral("Delete the Gradient named 'Sunset'?"), QStringLiteral("Are you sure?"),
                         QStringLiteral("Yes"), {QStringLiteral("Yes"), QStringLiteral("No")});
    QVERIFY(modMAIN::msgConfirm(QStringLiteral("Delete the Gradient named 'Sunset'?"), QStringLiteral("Are you sure?")));
    Platform::Environment::SetBusyCursor(true);
    Fixture::ExpectAny([](ModalRequest&) -> QVariant {
      if (Platform::Environment::BusyCursor()) Platform::ModalHost::RecordFailure(QStringLiteral("busy while asking"));
      return QStringLiteral("No");
    });
    QVERIFY(!modMAIN::msgConfirm(QStringLiteral("Delete?"), QStringLiteral("Are you sure?")));
    QVERIFY(Platform::Environment::BusyCursor());
    Platform::Environment::SetBusyCursor(false);
  }
};

PIXMURA_TEST_CLASS(MessageBoxTests)
#include "MessageBoxTests.moc"
