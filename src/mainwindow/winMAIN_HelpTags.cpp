// The status bar's message and the window's own floating tags: the help tag, shown a second after a
// control asks for it, and the size tag, shown at once while something is dragged.
#include <QStringList>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Numbers.h"

using namespace modMAIN;

namespace {
constexpr Platform::Color kFrame = 0xAAAAAA;

void Use_Tag_Font(Platform::Graphics& g) {
  g.SetTextFont(QStringLiteral("SmallSystem"));
  g.SetTextSize(0);
}

QStringList Tag_Lines() { return HelpTag_Text.split(QChar(13)); }

// The tag's size for its text: each line in turn widens it to the line's width (when wider) plus 8;
// the lines' height plus 4.
QSize Tag_Size() {
  Platform::Graphics g(nullptr, 0, 0);
  Use_Tag_Font(g);
  const QStringList lines = Tag_Lines();
  int32_t w = 0;
  for (const QString& line : lines) w = Platform::ToInt(std::max<double>(w, g.StringWidth(line)) + 8);
  return QSize(w, int(lines.size()) * g.TextHeight() + 4);
}
}  // namespace

void winMAIN::Set_Status_msg(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed == status_msg) return;
  status_msg = trimmed;
  statusbar->Invalidate(true);
}

void winMAIN::Clear_Status_Msg() { Set_Status_msg(QString()); }

void winMAIN::Set_myHelpTag(bool show, int32_t x, int32_t y, const QString& text) {
  HelpTag_Mode = true;
  if (show && modOptions::option_HelpTags) {
    HelpTag_Text = text;
    myHelpTag->move(x, y);
    myHelpTag->resize(Tag_Size());
    myHelpTag->update();
    timer_HELPTAG->start();
  } else if (!myHelpTag->isHidden()) {
    myHelpTag->hide();
    timer_HELPTAG->stop();
  }
}

void winMAIN::Cursor_Tag(int32_t x, int32_t y, int32_t w, int32_t h) {
  HelpTag_Mode = false;
  HelpTag_Text = QString::number(w) + QLatin1Char('x') + QString::number(h);
  myHelpTag->move(x, y);
  myHelpTag->resize(Tag_Size());
  myHelpTag->show();
  myHelpTag->raise();
  myHelpTag->update();
}

void winMAIN::timer_HELPTAG_Action() {
  myHelpTag->show();
  myHelpTag->raise();
}

void winMAIN::myHelpTag_Paint(Platform::Graphics& g) {
  Use_Tag_Font(g);
  const QSize size = Tag_Size();
  if (myHelpTag->size() != size) myHelpTag->resize(size);
  g.SetForeColor(HelpTag_Mode ? 0xFFFFCA : 0x3B3B3B);
  g.FillRect(0, 0, size.width(), size.height());
  g.SetForeColor(kFrame);
  g.DrawRect(0, 0, size.width(), size.height());
  g.SetForeColor(HelpTag_Mode ? 0x000000 : 0xFFFFFF);
  const int lineHeight = g.TextHeight();
  double baseline = g.TextAscent() + 2;
  for (const QString& line : Tag_Lines()) {
    g.DrawString(line, 4, baseline);
    baseline += lineHeight;
  }
}
