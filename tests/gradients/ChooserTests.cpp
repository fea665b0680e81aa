// The gradient chooser, driven through the gradient files' asking forms as the editor uses them.
#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QTest>

#include "core/EditingState.h"
#include "gradients/modGRADIENT.h"
#include "gradients/winGradientFiles.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "GradientHelpers.h"

using namespace GradientHelpers;

namespace {

// The chooser as a user meets it: shown, with its list laid out.
winGradientFiles* Shown(QDialog* d) {
  auto* w = qobject_cast<winGradientFiles*>(d);
  w->show();
  if (!QTest::qWaitForWindowExposed(w)) qWarning("chooser not exposed");
  return w;
}

QStringList Rows(const winGradientFiles* w) {
  QStringList rows;
  for (int i = 0; i < w->Listbox1->count(); ++i) rows << w->Listbox1->item(i)->text();
  return rows;
}

void ClickRow(winGradientFiles* w, const QString& name) {
  const QList<QListWidgetItem*> items = w->Listbox1->findItems(name, Qt::MatchExactly);
  QVERIFY2(!items.isEmpty(), qPrintable(name));
  QTest::mouseClick(w->Listbox1->viewport(), Qt::LeftButton, {}, w->Listbox1->visualItemRect(items.first()).center());
}

// Types the text into the name field; "\b" is Backspace.
void Type(winGradientFiles* w, const QString& keys) {
  for (const QChar c : keys) {
    if (c == QLatin1Char('\b')) QTest::keyClick(w->inpGname, Qt::Key_Backspace);
    else QTest::keyClick(w->inpGname, c.toLatin1());
  }
}

// "OK Delete" for the buttons that are on.
QString Buttons(const winGradientFiles* w) {
  QStringList on;
  if (w->pbOK->isEnabled()) on << QStringLiteral("OK");
  if (w->pbDelete->isEnabled()) on << QStringLiteral("Delete");
  return on.join(QLatin1Char(' '));
}

// The next control that Tab reaches.
QWidget* NextTab(QWidget* from) {
  QWidget* w = from->nextInFocusChain();
  while (w != from && !(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
  return w;
}

void Paste(winGradientFiles* w, const QString& text) {
  QApplication::clipboard()->setText(text);
  QTest::keyClick(w->inpGname, Qt::Key_V, Qt::ControlModifier);
}

}  // namespace

class ChooserTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Each mode's title and label; the window's size and keys; Escape cancels and nothing changes.
  void modes_data() {
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");
    QTest::newRow("save") << true << "Save Gradient" << "Save as";
    QTest::newRow("open") << false << "Open Gradient" << "Open";
  }
  void modes() {
    QFETCH(bool, save);
    QFETCH(QString, title);
    QFETCH(QString, label);
    modGRADIENT::Gradient_Changed = true;
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      QCOMPARE(w->windowTitle(), title);
      QCOMPARE(w->lbl->text(), label);
      QCOMPARE(w->size(), QSize(220, 390));
      QVERIFY(!(w->windowFlags() & Qt::WindowCloseButtonHint));
      QVERIFY(w->isModal());
      // The list is loaded after the window's open step: the current gradient stays chosen.
      QCOMPARE(w->inpGname->text(), QStringLiteral("Spectrum"));
      QCOMPARE(Buttons(w), QStringLiteral("OK"));
      QCOMPARE(w->inpGname->isReadOnly(), !save);
      QCOMPARE(w->pbOK->isDefault(), true);
      QCOMPARE(NextTab(w->inpGname), w->Listbox1);
      QCOMPARE(NextTab(w->Listbox1), w->pbOK);
      QCOMPARE(NextTab(w->pbOK), w->pbCancel);
      QCOMPARE(NextTab(w->pbCancel), w->pbDelete);
      QTest::keyClick(w->inpGname, Qt::Key_Escape);
      QVERIFY(w->isHidden());
    });
    if (save) modGRADIENT::Save_Gradient(true);
    else modGRADIENT::Load_Gradient(true);
    QVERIFY(modMAIN::Dialog_Cancel);
    QCOMPARE(modMAIN::Dialog_Answer, QStringLiteral("Spectrum"));
    QVERIFY(modGRADIENT::Gradient_Changed);
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Spectrum"));
    QCOMPARE(modGRADIENT::Gradient.size(), size_t(7));
  }

  void keyFilter_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters, digit, underscore") << "aZ7_" << "aZ7_";
    QTest::newRow("lower case kept") << "ab" << "ab";
    QTest::newRow("hyphen") << "x-" << "x";
    QTest::newRow("full stop") << ".x" << "x";
    QTest::newRow("asterisk") << "*" << "";
    QTest::newRow("blank") << "a b" << "ab";
    QTest::newRow("slash") << "/" << "";
    QTest::newRow("backspace") << "ab\b" << "a";
  }
  void keyFilter() {
    QFETCH(QString, keys);
    QFETCH(QString, text);
    modGRADIENT::Gradient_Path.reset();
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      Type(w, keys);
      QCOMPARE(w->inpGname->text(), text);
      QTest::mouseClick(w->pbCancel, Qt::LeftButton);
    });
    modGRADIENT::Save_Gradient(true);
  }

  // Text pasted into the name field is checked like typed keys; characters of a listed name placed
  // there by hand may stay while it is edited.
  void pasteChecked() {
    WriteSetting(QStringLiteral("my grad.Gradient"), "0,0,0\n");
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      w->inpGname->clear();
      Paste(w, QStringLiteral("../x"));
      QCOMPARE(w->inpGname->text(), QString());
      Paste(w, QStringLiteral("ok_1"));
      QCOMPARE(w->inpGname->text(), QStringLiteral("ok_1"));
      ClickRow(w, QStringLiteral("my grad"));
      QCOMPARE(w->inpGname->text(), QStringLiteral("my grad"));
      Type(w, QStringLiteral("\b"));
      QCOMPARE(w->inpGname->text(), QStringLiteral("my gra"));
      Paste(w, QStringLiteral("/"));
      Paste(w, QStringLiteral(" "));
      QCOMPARE(w->inpGname->text(), QStringLiteral("my gra"));
      Type(w, QStringLiteral("d"));
      QTest::keyClick(w->inpGname, Qt::Key_Return);
    });
    modGRADIENT::Save_Gradient(true);
    QVERIFY(!modMAIN::Dialog_Cancel);
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("my grad"));
    QCOMPARE(Fixture::ReadFile(GradientFile(QStringLiteral("my grad.Gradient"))).count('\n'), 8);
  }

  // The gradient files of the settings folder, by name up to the first ".", sorted; the current one
  // chosen; rows alternately white and light blue.
  void listing() {
    for (const char* name : {"Blue.Gradient", "alpha.Gradient", "Config.INI", "Warm.Light.Gradient", "A.Gradient.old",
                             "lower.gradient"})
      WriteSetting(QString::fromLatin1(name), "0,0,0\n");
    QVERIFY(QDir().mkdir(GradientFile(QStringLiteral("Dir.Gradient"))));
    modGRADIENT::Get_Gradient_Path(QStringLiteral("Blue"));
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      QCOMPARE(Rows(w), QStringList({"A", "alpha", "Blue", "Dir", "Spectrum", "Warm"}));
      QCOMPARE(w->ListIndex(), 2);
      QCOMPARE(w->inpGname->text(), QStringLiteral("Blue"));
      QCOMPARE(w->inpGname->cursorPosition(), 4);
      QVERIFY(!w->inpGname->hasSelectedText());
      QCOMPARE(w->focusWidget(), w->inpGname);
      QCOMPARE(Buttons(w), QStringLiteral("OK Delete"));
      const QImage list = w->Listbox1->viewport()->grab().toImage();
      for (int row : {0, 1, 3, 4}) {
        const QRect r = w->Listbox1->visualItemRect(w->Listbox1->item(row));
        const QRgb expected = (row & 1) ? qRgb(0xEC, 0xF3, 0xFE) : qRgb(0xFF, 0xFF, 0xFF);
        const qreal ratio = list.devicePixelRatio();
        QCOMPARE(list.pixel(int((r.right() - 2) * ratio), int(r.center().y() * ratio)) | 0xFF000000u, expected);
      }
      QTest::mouseClick(w->pbCancel, Qt::LeftButton);
    });
    modGRADIENT::Save_Gradient(true);
  }

  // Without a file of the current name nothing is chosen, and neither OK nor Delete is on.
  void untitledChoosesNothing() {
    modGRADIENT::Gradient_Path.reset();
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      QCOMPARE(w->ListIndex(), -1);
      QCOMPARE(w->inpGname->text(), QString());
      QCOMPARE(Buttons(w), QString());
      QTest::keyClick(w->inpGname, Qt::Key_Return);
      QVERIFY(w->isVisible());
      QTest::mouseClick(w->pbCancel, Qt::LeftButton);
    });
    modGRADIENT::Save_Gradient(true);
    QVERIFY(modMAIN::Dialog_Cancel);
  }

  // Delete follows the clicked row's exact name, never for "Spectrum".
  void deleteFollowsTheRow() {
    WriteSetting(QStringLiteral("Blue.Gradient"), "0,0,0\n");
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      ClickRow(w, QStringLiteral("Blue"));
      QCOMPARE(w->inpGname->text(), QStringLiteral("Blue"));
      QCOMPARE(Buttons(w), QStringLiteral("OK Delete"));
      Type(w, QStringLiteral("2"));
      QCOMPARE(Buttons(w), QStringLiteral("OK"));
      Type(w, QStringLiteral("\b"));
      QCOMPARE(Buttons(w), QStringLiteral("OK Delete"));
      ClickRow(w, QStringLiteral("Spectrum"));
      QCOMPARE(w->inpGname->text(), QStringLiteral("Spectrum"));
      QCOMPARE(Buttons(w), QStringLiteral("OK"));
      QTest::mouseClick(w->pbCancel, Qt::LeftButton);
    });
    modGRADIENT::Save_Gradient(true);
  }

  // Delete asks first; "Yes" removes the file at once, and Cancel afterwards does not bring it back.
  void deleteAsksAndRemoves() {
    WriteSetting(QStringLiteral("Blue.Gradient"), "0,0,0\n");
    const QString blue = GradientFile(QStringLiteral("Blue.Gradient"));
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      ClickRow(w, QStringLiteral("Blue"));
      QTest::mouseClick(w->pbDelete, Qt::LeftButton);
      QVERIFY(QFile::exists(blue));
      QCOMPARE(Rows(w), QStringList({"Blue", "Spectrum"}));
      QTest::mouseClick(w->pbDelete, Qt::LeftButton);
      QVERIFY(!QFile::exists(blue));
      // The caller's name is still listed, so it is chosen again.
      QCOMPARE(Rows(w), QStringList({"Spectrum"}));
      QCOMPARE(w->ListIndex(), 0);
      QCOMPARE(w->inpGname->text(), QStringLiteral("Spectrum"));
      QTest::mouseClick(w->pbCancel, Qt::LeftButton);
    });
    const QString question = QStringLiteral("Delete the Gradient named 'Blue'?");
    Fixture::ExpectAlert(question, QStringLiteral("Are you sure?"), QStringLiteral("No"), {"Yes", "No"});
    Fixture::ExpectAlert(question, QStringLiteral("Are you sure?"), QStringLiteral("Yes"));
    modGRADIENT::Save_Gradient(true);
    QVERIFY(modMAIN::Dialog_Cancel);
    QCOMPARE(modMAIN::Dialog_Answer, QStringLiteral("Spectrum"));
    QVERIFY(!QFile::exists(blue));
  }

  // OK hands back the typed name, which is then saved under it.
  void okHandsBackTheName() {
    modGRADIENT::Gradient_Changed = true;
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      w->inpGname->clear();
      Type(w, QStringLiteral("my_Grad2"));
      QTest::keyClick(w->inpGname, Qt::Key_Return);
    });
    modGRADIENT::Save_Gradient(true);
    QVERIFY(!modMAIN::Dialog_Cancel);
    QCOMPARE(modMAIN::Dialog_Answer, QStringLiteral("my_Grad2.Gradient"));
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("my_Grad2"));
    QVERIFY(!modGRADIENT::Gradient_Changed);
    QCOMPARE(Fixture::ReadFile(GradientFile(QStringLiteral("my_Grad2.Gradient"))),
             Fixture::ReadFile(GradientFile(QStringLiteral("Spectrum.Gradient"))));
  }

  // In open mode the name comes from the list; the chosen file becomes the current gradient.
  void openChosen() {
    WriteSetting(QStringLiteral("Blue.Gradient"), "1,20,30\n0:&h0000FF\n100:&hFFFFFF\n");
    modGRADIENT::Gradient_Changed = true;
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      Type(w, QStringLiteral("x\b\b"));
      QCOMPARE(w->inpGname->text(), QStringLiteral("Spectrum"));
      ClickRow(w, QStringLiteral("Blue"));
      QCOMPARE(w->inpGname->text(), QStringLiteral("Blue"));
      QTest::mouseClick(w->pbOK, Qt::LeftButton);
    });
    QVERIFY(modGRADIENT::Load_Gradient(true));
    QVERIFY(!modMAIN::Dialog_Cancel);
    QCOMPARE(modGRADIENT::Gradient_style, 1);
    QCOMPARE(modGRADIENT::gradient_cx, 20);
    QCOMPARE(modGRADIENT::gradient_cy, 30);
    QCOMPARE(Stops(), QStringLiteral("0:0000FF,100:FFFFFF"));
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Blue"));
    // Loading does not say whether the gradient differs from its file.
    QVERIFY(modGRADIENT::Gradient_Changed);
  }

  // A chosen gradient that cannot be read is reported; the current gradient and its file stay.
  void unreadableChoice_data() {
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "Warm" << "The file does not exist.";
    QTest::newRow("folder") << "Dir" << "It is a folder.";
    QTest::newRow("pipe") << "Pipe" << "It is not a file.";
    QTest::newRow("link to a device") << "Device" << "It is not a file.";
    QTest::newRow("larger than any gradient") << "Huge" << "The file is too large (over 8 MB).";
  }
  void unreadableChoice() {
    QFETCH(QString, row);
    QFETCH(QString, reason);
    WriteSetting(QStringLiteral("Warm.Light.Gradient"), "0,0,0\n");
    QVERIFY(QDir().mkdir(GradientFile(QStringLiteral("Dir.Gradient"))));
    QCOMPARE(::mkfifo(QFile::encodeName(GradientFile(QStringLiteral("Pipe.Gradient"))).constData(), 0600), 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), GradientFile(QStringLiteral("Device.Gradient"))));
    WriteSetting(QStringLiteral("Huge.Gradient"),
                 "0,0,0\n50:&h000000\n" + QByteArray(modGRADIENT::kMaxGradientFileBytes, 'x'));
    Fixture::ExpectDialog(QStringLiteral("winGradientFiles"), [&](QDialog* d) {
      winGradientFiles* w = Shown(d);
      ClickRow(w, row);
      QTest::mouseClick(w->pbOK, Qt::LeftButton);
    });
    Fixture::ExpectMessageBox(QStringLiteral("ERROR^The Gradient '%1' could not be opened.^").arg(row) + reason,
                              QStringLiteral("Ok"));
    QVERIFY(!modGRADIENT::Load_Gradient(true));
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Spectrum"));
    QCOMPARE(modGRADIENT::Gradient.size(), size_t(7));
  }
};

PIXMURA_TEST_CLASS(ChooserTests)
#include "ChooserTests.moc"
