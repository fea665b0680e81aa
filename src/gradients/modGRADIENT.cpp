#include "gradients/modGRADIENT.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "platform/Numbers.h"

namespace modGRADIENT {

void Add_ColorStop(int32_t stop_pos, Platform::Color stop_color) {
  auto stop = std::make_shared<classGradient>();
  stop->Position = stop_pos;
  stop->gColor = stop_color;
  Gradient.Append(stop);
}

void Sort_Gradient() {
  // An exchange sort, as the editor's stop order relies on.
  for (int i = 0; i < Gradient.Ubound(); ++i)
    for (int j = i + 1; j <= Gradient.Ubound(); ++j)
      if (Gradient[j]->Position < Gradient[i]->Position) std::swap(Gradient[i], Gradient[j]);
}

void Get_Gradient_Path(const QString& base_name) {
  Gradient_Path = modOptions::Get_Folder_Root()->Child(base_name + QStringLiteral(".Gradient"));
}

QString Get_Gradient_Name() {
  if (!Gradient_Path) return QStringLiteral("untitled");
  const QString name = Gradient_Path->Name();
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

void Save_Gradient(const QString& save_name) {
  modMAIN::Dialog_Answer = save_name;
  if (modMAIN::Dialog_Answer.isEmpty()) return;
  modMAIN::Dialog_Answer += QStringLiteral(".Gradient");
  Gradient_Path = modOptions::Get_Folder_Root()->Child(modMAIN::Dialog_Answer);
  QSaveFile file(Gradient_Path->ShellPath());
  if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
    QTextStream out(&file);
    out << Gradient_style << ',' << gradient_cx << ',' << gradient_cy << modMAIN::EOL();
    for (const auto& stop : Gradient)
      out << stop->Position << ':' << QStringLiteral("&h")
          << QStringLiteral("%1").arg(stop->gColor & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper() << modMAIN::EOL();
    out.flush();
    file.commit();
  }
  Gradient_Changed = false;
}

void Load_Gradient() {
  modMAIN::Dialog_Answer = Get_Gradient_Name() + QStringLiteral(".Gradient");
  Gradient_Path = modOptions::Get_Folder_Root()->Child(modMAIN::Dialog_Answer);
  QFile file(Gradient_Path->ShellPath());
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return;
  QTextStream in(&file);
  Gradient.clear();
  const QStringList header = in.readLine().split(QLatin1Char(','));
  Gradient_style = Platform::ToInt(Platform::Val(header[0]));
  if (header.size() == 3) {
    gradient_cx = Platform::ToInt(Platform::Val(header[1]));
    gradient_cy = Platform::ToInt(Platform::Val(header[2]));
  } else {
    gradient_cx = gradient_cy = 50;
  }
  QString line;
  while (in.readLineInto(&line)) {
    const QStringList fields = line.split(QLatin1Char(':'));
    // A line without ":" (an empty line of a hand-edited file) is no stop.
    if (fields.size() < 2) continue;
    const auto channel = [&](int from) {
      return Platform::ToInt(Platform::Val(QStringLiteral("&h") + fields[1].mid(from, 2))) & 255;
    };
    Add_ColorStop(Platform::ToInt(Platform::Val(fields[0])), Platform::RGB(channel(2), channel(4), channel(6)));
  }
}

void Make_Spectrum() {
  Get_Gradient_Path(QStringLiteral("Spectrum"));
  if (Gradient_Path->Exists() && !Gradient_Path->Directory()) {
    Load_Gradient();
  } else {
    Gradient_style = 0;
    Gradient.clear();
    Add_ColorStop(0, 0xFF0000);
    Add_ColorStop(16, 0xF900FC);
    Add_ColorStop(33, 0x0000FE);
    Add_ColorStop(50, 0x1EFFF0);
    Add_ColorStop(67, 0x1FFF0A);
    Add_ColorStop(83, 0xFFFF00);
    Add_ColorStop(100, 0xFF0000);
    Sort_Gradient();
    Save_Gradient(QStringLiteral("Spectrum"));
  }
  Gradient_Changed = false;
}

void Reset_Globals() {
  Gradient.clear();
  Gradient_style = 0;
  gradient_cx = gradient_cy = 0;
  Gradient_Path.reset();
  Gradient_Changed = false;
  Gradient_Replace_Color = 0;
  g_line_length = 0;
}

}  // namespace modGRADIENT
