#pragma once
// What the sheets on the main window share: their form, group boxes holding controls placed by window
// coordinates, and their showing, which makes a sheet anew each time and discards it once it closed.
#include <QDialog>
#include <QGroupBox>
#include <QPointer>

#include "platform/ModalHost.h"

namespace Platform {

// Names the sheet, gives it its title (the caption of the menu item that opens it) and its size, and
// makes it modal within its parent window.
inline void Form_Sheet(QDialog* sheet, const QString& name, const QString& title, int width, int height) {
  sheet->setObjectName(name);
  sheet->setWindowTitle(title);
  sheet->setWindowFlag(Qt::Sheet);
  sheet->setWindowModality(Qt::WindowModal);
  sheet->setMinimumSize(64, 64);
  sheet->resize(width, height);
}

inline QGroupBox* Group_Box(QWidget* window, const QString& name, const QString& title, int left, int top, int width,
                            int height) {
  auto* box = new QGroupBox(title, window);
  box->setObjectName(name);
  box->setGeometry(left, top, width, height);
  return box;
}

// A control placed by its window coordinates inside a group box.
template <typename W>
W* Place_In(W* control, QGroupBox* box, int left, int top, int width, int height) {
  control->setGeometry(left - box->x(), top - box->y(), width, height);
  return control;
}

// Shows the window class's implicit instance as a sheet on the parent and waits until it has closed;
// the sheet is gone afterwards, so the next showing starts afresh.
template <typename W>
void Show_Sheet_Once(QWidget* parent) {
  QPointer<W> sheet = W::instance();
  ModalHost::RunDialog(sheet, parent, true);
  delete sheet.data();
}

}  // namespace Platform
