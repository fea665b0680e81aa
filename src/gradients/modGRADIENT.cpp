#include "gradients/modGRADIENT.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <vector>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/Messages.h"
#include "gradients/winGradient.h"
#include "gradients/winGradientFiles.h"
#include "platform/ModalHost.h"
#include "platform/Numbers.h"
#include "platform/RegularFiles.h"

namespace modGRADIENT {

namespace {

// What a gradient file holds, read whole before it replaces the current gradient.
struct GradientFile {
  int32_t style = 0;
  int32_t cx = 50;
  int32_t cy = 50;
  std::vector<std::pair<int32_t, Platform::Color>> stops;
};

// Reads the file; empty when it was read, else why it could not be. A path that is not a plain file (a
// folder, a pipe) is not opened, so nothing waits on it, and a file larger than any gradient is not
// read at all: it is damage, and the start reads "Spectrum" every time.
QString Read_Gradient_File(const Platform::FolderItemPtr& item, GradientFile& out) {
  QByteArray bytes;
  const QString unread = Platform::ReadRegularFile(item->ShellPath(), kMaxGradientFileBytes, bytes);
  if (!unread.isEmpty()) return unread;

  QTextStream in(&bytes, QIODevice::ReadOnly);
  // The first line is the header, also in an empty file: "style,cx,cy"; any other number of fields
  // leaves the centre in the middle.
  const QStringList header = in.readLine().split(QLatin1Char(','));
  out.style = Platform::ToInt(Platform::Val(header[0]));
  if (header.size() == 3) {
    out.cx = Platform::ToInt(Platform::Val(header[1]));
    out.cy = Platform::ToInt(Platform::Val(header[2]));
  }
  QString line;
  while (in.readLineInto(&line)) {
    const QStringList fields = line.split(QLatin1Char(':'));
    // A line without ":" (an empty line of a hand-edited file) is no stop.
    if (fields.size() < 2) continue;
    // "&hRRGGBB": each pair read as hexadecimal; a pair cut short reads as what is there.
    const auto channel = [&](int from) {
      return Platform::ToInt(Platform::Val(QStringLiteral("&h") + fields[1].mid(from, 2))) & 255;
    };
    out.stops.emplace_back(Platform::ToInt(Platform::Val(fields[0])),
                           Platform::RGB(channel(2), channel(4), channel(6)));
  }
  return QString();
}

// Writes the current gradient to the path; empty on success, else why not. The old file is replaced
// only once the new one is whole.
QString Write_Gradient_File(const QString& path) {
  const QString refusal = Platform::WriteRefusal(path);
  if (!refusal.isEmpty()) return refusal;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return file.errorString();
  QTextStream out(&file);
  out << Gradient_style << ',' << gradient_cx << ',' << gradient_cy << modMAIN::EOL();
  for (const auto& stop : Gradient)
    out << stop->Position << ':' << QStringLiteral("&h")
        << QStringLiteral("%1").arg(stop->gColor & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper() << modMAIN::EOL();
  out.flush();
  if (out.status() != QTextStream::Ok || !file.commit()) {
    const QString error = file.errorString();
    return error.isEmpty() ? QStringLiteral("The file could not be written.") : error;
  }
  return QString();
}

// Shows the gradient chooser; it answers through Dialog_Cancel and Dialog_Answer.
void Ask_With_Chooser() {
  winGradientFiles* window = winGradientFiles::instance();
  Platform::ModalRequest r;
  r.kind = Platform::ModalKind::Dialog;
  r.title = window->windowTitle();
  r.dialog = window;
  Platform::ModalHost::Run(r);
  // A chooser left without OK or Cancel was cancelled.
  if (!window->Closed()) window->pbCancel_Action();
  // The next use makes a new window.
  delete window;
}

void Build_Spectrum() {
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
}

}  // namespace

void Add_ColorStop(int32_t stop_pos, Platform::Color stop_color) {
  auto stop = std::make_shared<classGradient>();
  stop->Position = stop_pos;
  stop->gColor = stop_color;
  Gradient.Append(stop);
}

namespace {

// Counts marked places among 0..n-1 (a Fenwick tree).
class PlaceCounter {
 public:
  explicit PlaceCounter(size_t n) : tree_(n + 1, 0) {}
  void Mark(size_t place, int delta = 1) {
    for (size_t i = place + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += delta;
  }
  // Marked places below `place`.
  int Below(size_t place) const {
    int sum = 0;
    for (size_t i = place; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
  }
  // The place of the marked place with k marked places before it.
  size_t Find(int k) const {
    size_t at = 0;
    size_t step = 1;
    while (step * 2 < tree_.size()) step *= 2;
    for (; step > 0; step /= 2) {
      if (at + step < tree_.size() && tree_[at + step] <= k) {
        at += step;
        k -= tree_[at];
      }
    }
    return at;
  }

 private:
  std::vector<int> tree_;
};

}  // namespace

std::vector<int> Sorted_Stop_Order(const std::vector<int32_t>& positions) {
  // The exchange sort (for each i, every later j with a smaller position swaps with i) leaves equal
  // positions in an order of its own, which this reproduces in n log n steps. Seen from one position
  // v, a pass that places a smaller stop moves a stop at v only when the first stop at v comes before
  // the first smaller stop: that stop at v then takes the smaller stop's place, behind the other
  // stops at v between the two. So the stops at v gather in a queue in their order of the list, and
  // every smaller stop that follows once the queue has begun turns it by one (its first goes last).
  // The queue is kept as a ring with a head: a stop joins just before the head, and a turn moves the
  // head on. Where each stop joins the ring is counted from the smaller stops before it.
  const size_t n = positions.size();
  std::vector<int> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = int(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return positions[size_t(a)] < positions[size_t(b)]; });
  std::vector<int> result;
  result.reserve(n);
  PlaceCounter smaller(n);
  std::vector<int> before, joinsAt, ring;
  for (size_t first = 0; first < n;) {
    size_t last = first;
    while (last < n && positions[size_t(order[last])] == positions[size_t(order[first])]) ++last;
    const size_t count = last - first;
    // The smaller stops before each stop of this position (its stops come in list order).
    before.assign(count, 0);
    for (size_t j = 0; j < count; ++j) before[j] = smaller.Below(size_t(order[first + j]));
    // Where each stop joins the ring, and the head at the end.
    joinsAt.assign(count, 0);
    size_t head = 0;
    for (size_t j = 1; j < count; ++j) {
      head = (head + size_t(before[j] - before[j - 1])) % j;
      joinsAt[j] = int(head);
      ++head;
    }
    head = (head + size_t(int(first) - before[count - 1])) % count;
    // The ring's order from the joins, the last to join first: each takes the free place that many
    // places from the start.
    ring.assign(count, 0);
    PlaceCounter open(count);
    for (size_t p = 0; p < count; ++p) open.Mark(p);
    for (size_t j = count; j-- > 0;) {
      const size_t place = open.Find(joinsAt[j]);
      ring[place] = order[first + j];
      open.Mark(place, -1);
    }
    for (size_t k = 0; k < count; ++k) result.push_back(ring[(head + k) % count]);
    for (size_t j = first; j < last; ++j) smaller.Mark(size_t(order[j]));
    first = last;
  }
  return result;
}

void Sort_Gradient() {
  std::vector<int32_t> positions;
  positions.reserve(Gradient.size());
  for (const auto& stop : Gradient) positions.push_back(stop->Position);
  const std::vector<int> order = Sorted_Stop_Order(positions);
  decltype(Gradient) sorted;
  sorted.reserve(Gradient.size());
  for (int i : order) sorted.push_back(Gradient[i]);
  Gradient = std::move(sorted);
  // The open editor follows its selected stop to the stop's new place; no editor is made for it.
  winGradient* editor = winGradient::existing();
  if (!editor) return;
  for (int i = 0; i <= Gradient.Ubound(); ++i) {
    if (Gradient[i]->gSelected) {
      editor->Select_ColorStop(i);
      break;
    }
  }
}

void Get_Gradient_Path(const QString& base_name) {
  Gradient_Path = modOptions::Get_Folder_Root()->Child(base_name + Gradient_Extension);
}

QString Get_Gradient_Name() {
  if (!Gradient_Path) return QStringLiteral("untitled");
  const QString name = Gradient_Path->Name();
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  return dot < 0 ? name : name.left(dot);
}

bool Name_Is_Safe(const QString& name) {
  return !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

void Save_Gradient(bool ask_name, const QString& save_name) {
  using modMAIN::Dialog_Answer;
  if (ask_name) {
    modMAIN::Dialog_Setup = 1;
    Dialog_Answer = Get_Gradient_Name();
    Ask_With_Chooser();
    if (modMAIN::Dialog_Cancel) return;
  } else {
    Dialog_Answer = save_name;
  }
  if (Dialog_Answer.isEmpty()) return;
  const QString name = Dialog_Answer;
  QString error;
  if (!Name_Is_Safe(name)) {
    error = QStringLiteral("A gradient's name cannot hold \"/\".");
  } else {
    Dialog_Answer += Gradient_Extension;
    const Platform::FolderItemPtr item = modOptions::Get_Folder_Root()->Child(Dialog_Answer);
    error = Write_Gradient_File(item->ShellPath());
    if (error.isEmpty()) {
      Gradient_Path = item;
      Gradient_Changed = false;
      return;
    }
  }
  // Not saved: the gradient keeps its file and its unsaved changes. At start (no asking) the built-in
  // gradient simply stays without its file.
  if (ask_name) modMAIN::myMsgBox(QStringLiteral("!The Gradient '%1' could not be saved.^").arg(name) + error);
}

bool Load_Gradient(bool ask_name) {
  using modMAIN::Dialog_Answer;
  Dialog_Answer = Get_Gradient_Name();
  if (ask_name) {
    modMAIN::Dialog_Setup = 0;
    Ask_With_Chooser();
    if (modMAIN::Dialog_Cancel) return false;
  }
  const QString name = Dialog_Answer;
  QString error;
  GradientFile file;
  if (!Name_Is_Safe(name)) {
    error = QStringLiteral("A gradient's name cannot hold \"/\".");
  } else {
    Dialog_Answer += Gradient_Extension;
    const Platform::FolderItemPtr item = modOptions::Get_Folder_Root()->Child(Dialog_Answer);
    // Reading the current name again keeps to that file even when it cannot be read; a chosen gradient
    // becomes the current one only once it has been read.
    if (!ask_name) Gradient_Path = item;
    error = Read_Gradient_File(item, file);
    if (error.isEmpty()) {
      Gradient_Path = item;
      Gradient_style = file.style;
      gradient_cx = file.cx;
      gradient_cy = file.cy;
      // The file's order is kept; the editor sorts when it needs to.
      Gradient.clear();
      for (const auto& [position, colour] : file.stops) Add_ColorStop(position, colour);
      return true;
    }
  }
  if (ask_name) modMAIN::myMsgBox(QStringLiteral("!The Gradient '%1' could not be opened.^").arg(name) + error);
  return false;
}

void Make_Spectrum() {
  Get_Gradient_Path(QStringLiteral("Spectrum"));
  if (Gradient_Path->Exists()) {
    // A file that cannot be read (a folder of that name, say) is left alone.
    if (!Load_Gradient(false)) Build_Spectrum();
  } else {
    Build_Spectrum();
    Save_Gradient(false, QStringLiteral("Spectrum"));
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
