#include "geometry/SheetField.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/Canvas.h"

SheetField::SheetField(QWidget* parent, const QString& name, int index) : QLineEdit(parent), Index(index) {
  setObjectName(name + QString::number(index));
  setContextMenuPolicy(Qt::NoContextMenu);
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

void SheetField::keyPressEvent(QKeyEvent* event) {
  // The key handler governs the characters typed; the platform's select all and copy type none and go
  // to the field as they do in any other field.
  if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const int key = event->key();
  if (key != Qt::Key_Escape && key != Qt::Key_Backtab && KeyDown && KeyDown(Platform::KeyText(event))) {
    event->accept();
    return;
  }
  const QString typed = event->text();
  if (Typed_Limit > 0 && !typed.isEmpty() && typed[0].isPrint() &&
      text().size() - selectedText().size() + typed.size() > Typed_Limit) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void SheetField::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (GotFocus) GotFocus();
}

void SheetField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (LostFocus) LostFocus();
}

void SheetField::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button would paste the selection's text past the key handler.
  if (event->button() == Qt::MiddleButton) {
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}
