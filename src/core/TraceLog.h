#pragma once
// The diagnostic trace log and three small refresh and input services.
#include <QString>

namespace modMAIN {

// Appends a timed, indented line to the trace log on the desktop while tracing is on; "!!!" restarts it.
void Bug_Trace(const QString& message);
// The key filter of numeric fields: True rejects the key.
bool NumberKey(const QString& key);
// Repaints the navigator when it is open.
void Update_Thumbnail();
// Passes the pointer's image position to the colour meter when it is open.
void Update_ColorMeter();

}  // namespace modMAIN
