#pragma once
// Driving the geometry sheets as a user does: the sheet shown and active, keys typed into the focused
// field, controls clicked; and the menu commands that open them.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>

#include "app/MenuBar1.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"

namespace SheetHelpers {

// The sheet shown and active, so that clicks and Tab move the keyboard focus.
template <typename W>
W* Shown(QDialog* d) {
  auto* w = qobject_cast<W*>(d);
  if (!w) return nullptr;
  w->show();
  w->activateWindow();
  if (!QTest::qWaitForWindowActive(w)) qWarning("the sheet did not become active");
  return w;
}

// Types the keys into the widget that has the focus: "\b" is Backspace, other characters as typed.
inline void Type(const QString& keys) {
  for (const QChar c : keys) {
    QWidget* target = QApplication::focusWidget();
    if (!target) {
      qWarning("no widget has the focus");
      return;
    }
    if (c == QLatin1Char('\b')) QTest::keyClick(target, Qt::Key_Backspace);
    else QTest::keyClick(target, c.toLatin1());
  }
}

// Clicks the field (giving it the focus, the insertion point at its end) and types the keys.
inline void TypeInto(QLineEdit* field, const QString& keys) {
  QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() - 3, field->height() / 2));
  field->end(false);
  Type(keys);
}

// Empties the focused field with Backspace, as the keys allowed in the sheets can.
inline void Clear(QLineEdit* field) {
  TypeInto(field, QString());
  while (!field->text().isEmpty()) QTest::keyClick(field, Qt::Key_Backspace);
}

inline void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(8, control->height() / 2)); }

// Runs a menu command through its item's handler; answers whether it was handled.
inline bool Command(const char* name) { return winMAIN::instance()->Handle_Menu(QLatin1String(name), 0); }

// Runs the menu command with its sheet (named as its class) driven by drive, which presses OK or
// Cancel itself; answers whether the command was handled.
template <typename W>
bool RunSheet(const char* command, const std::function<void(W*)>& drive) {
  Fixture::ExpectDialog(QString::fromLatin1(W::staticMetaObject.className()), [drive](QDialog* d) {
    W* w = Shown<W>(d);
    QVERIFY(w);
    drive(w);
    QVERIFY2(w->isHidden(), "the sheet is still open");
  });
  return Command(command);
}

// The next control that Tab reaches.
inline QWidget* NextTab(QWidget* from) {
  QWidget* w = from->nextInFocusChain();
  while (w != from && !(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
  return w;
}

// The next control in the focus order that can take the focus at all (Tab reaches only the chosen
// radio button of a group; the order holds them all).
inline QWidget* NextInOrder(QWidget* from) {
  QWidget* w = from->nextInFocusChain();
  while (w != from && w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
  return w;
}

}  // namespace SheetHelpers
