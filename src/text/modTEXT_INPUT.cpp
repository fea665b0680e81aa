#include "text/modTEXT_INPUT.h"

#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "platform/Numbers.h"
#include "text/classTEXT2.h"

namespace modTEXT_INPUT {

namespace {
// The first UTF-8 byte of a character is 128 or more exactly when the character is not ASCII.
bool Not_Ascii(QChar c) { return c.unicode() >= 128; }
}  // namespace

bool Font_Left_Out(const QString& name) {
  static const char* const words[] = {"bold", "italic", "oblique", "condensed", "light", "STIX", "BITMAP"};
  for (const char* word : words)
    if (name.contains(QLatin1String(word), Qt::CaseInsensitive)) return true;
  if (name.isEmpty()) return false;
  if (Not_Ascii(name.front())) return true;
  if (name.endsWith(QLatin1String(" CY"), Qt::CaseInsensitive) || name.endsWith(QLatin1String(" CE"), Qt::CaseInsensitive))
    return true;
  if (name.size() >= 3 && Not_Ascii(name.at(2))) return true;
  return Not_Ascii(name.back());
}

QStringList Font_List(const QStringList& installed) {
  QStringList names;
  for (const QString& name : installed)
    if (!Font_Left_Out(name)) names << name.trimmed();
  names.sort(Qt::CaseInsensitive);
  return names;
}

int Row_In_Use(const QComboBox* popup, const QString& name) {
  if (name.isEmpty()) return -1;
  QFont font;
  font.setFamily(name);
  const QString family = QFontInfo(font).family();
  for (int i = 0; i < popup->count(); ++i)
    if (popup->itemText(i).compare(family, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

void LB_FONTS(QComboBox* popup) {
  popup->clear();
  const QStringList names = Font_List(QFontDatabase::families());
  popup->addItems(names);
  const QString font = modMAIN::Info_Text2 ? modMAIN::Info_Text2->TextFont() : QString();
  int selected = -1;
  for (int i = 0; i < names.size() && selected < 0; ++i)
    if (names[i].compare(font, Qt::CaseInsensitive) == 0) selected = i;
  if (selected < 0) selected = Row_In_Use(popup, font);
  popup->setCurrentIndex(selected);
  popup->setToolTip(modOptions::option_HelpTags ? QStringLiteral("Change Font") : QString());
}

void LB_FONTSIZE(QComboBox* popup) {
  popup->clear();
  for (int size = 8; size <= 16; ++size) popup->addItem(QString::number(size));
  popup->addItem(QStringLiteral("18"));
  popup->setCurrentIndex(popup->count() - 1);
  popup->addItem(QStringLiteral("20"));
  for (int size = 24; size <= 36; size += 6) popup->addItem(QString::number(size));
  for (int size : {48, 64, 72, 96, 128, 144}) popup->addItem(QString::number(size));
  const int32_t wanted = modMAIN::Info_Text2 ? modMAIN::Info_Text2->TextSize() : 18;
  for (int i = 0; i < popup->count(); ++i)
    if (Platform::ToInt(Platform::Val(popup->itemText(i))) == wanted) {
      popup->setCurrentIndex(i);
      break;
    }
}

}  // namespace modTEXT_INPUT
