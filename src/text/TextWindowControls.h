#pragma once
// Controls that the text windows build alike.
#include <QFont>
#include <QPushButton>
#include <QRect>
#include <QString>

namespace TextWindows {

// A plain button that holds no state and takes no keyboard focus.
inline QPushButton* Bevel(QWidget* parent, const QString& name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setFocusPolicy(Qt::NoFocus);
  b->setAutoDefault(false);
  return b;
}

inline QPushButton* Bevel(QWidget* parent, const QString& name, const QString& caption, const QRect& place) {
  QPushButton* b = Bevel(parent, name, caption);
  b->setGeometry(place);
  return b;
}

// A caption font in pixels.
inline QFont Caption_Font(const QFont& base, int pixels, bool bold, bool italic = false, bool underline = false) {
  QFont f = base;
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setItalic(italic);
  f.setUnderline(underline);
  return f;
}

}  // namespace TextWindows
