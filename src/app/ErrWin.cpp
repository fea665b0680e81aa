#include "app/ErrWin.h"

#include <QFontDatabase>

#include "core/EditingState.h"

ErrWin::ErrWin() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("ErrWin"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Error"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
  setMinimumSize(64, 64);
  EditField1 = new QTextEdit(this);
  EditField1->setObjectName(QStringLiteral("EditField1"));
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  EditField1->setFont(font);
  EditField1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  EditField1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  EditField1->setLineWrapMode(QTextEdit::WidgetWidth);
  resize(436, 237);
  show();
}

void ErrWin::resizeEvent(QResizeEvent* e) {
  // One pixel past the left edge, flush with the right edge, 20 pixels clear below.
  EditField1->setGeometry(-1, 0, width() + 1, std::max(0, height() - 20));
  QWidget::resizeEvent(e);
}

namespace mErr {

void Display(const QString& location, const Platform::RuntimeException& error, const QString& stack) {
  ErrWin* w = ErrWin::existing();
  if (!w) w = ErrWin::instance();
  const QString eol = modMAIN::EOL();
  w->EditField1->setPlainText(QStringLiteral("Error in module: ") + location + eol + QStringLiteral("Type: ") +
                              error.ClassName() + eol + QStringLiteral("Stack:") + stack);
}

}  // namespace mErr
