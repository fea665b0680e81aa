#pragma once
// The font and size lists of the text windows' popup menus. Both empty the popup, fill it and select
// the row of the text tool's font or size; selecting a row raises the popup's change signal, so callers
// hold their own change handling off while a list is filled.
#include <QString>
#include <QStringList>

class QComboBox;

namespace modTEXT_INPUT {

// Fills the popup with the installed font families that the name tests let through, trimmed and
// sorted, and selects the text object's font; when that family is not installed, the row of the family
// the text is drawn in instead (no row when none matches). Help tag "Change Font".
void LB_FONTS(QComboBox* popup);
// The row of the popup naming the family that text in the named family is drawn in: the family itself
// when it is installed, else the one the font system puts in its place; -1 when no row names it.
int Row_In_Use(const QComboBox* popup, const QString& name);
// Fills the popup with the twenty sizes 8 to 144 and selects the text object's size, else "18".
void LB_FONTSIZE(QComboBox* popup);

// The names of the font list made from the names of installed fonts, in the order given: the names the
// tests leave out dropped, the rest trimmed and sorted.
QStringList Font_List(const QStringList& installed);
// True when the name (as the system gives it, before trimming) is left out of the font list: a style or
// width word in it (bold, italic, oblique, condensed, light), a symbol or bitmap family (STIX, BITMAP),
// a Cyrillic or Central European variant (" CY", " CE" at the end), or a first, third or last
// character outside ASCII.
bool Font_Left_Out(const QString& name);

}  // namespace modTEXT_INPUT
