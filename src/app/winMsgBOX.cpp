#include "app/winMsgBOX.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

#include "app/BundleResources.h"
#include "app/ProgramIdentity.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"
#include "platform/WindowInstance.h"

namespace {
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 20;
// Room kept free above and below a box as tall as the screen, for its title bar and the placement a
// third of the way down.
constexpr int kScreenMargin = 60;

QString Caption(int32_t code) {
  static const char* const captions[] = {"", "Ok", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
  return code >= 1 && code <= 7 ? QString::fromLatin1(captions[code]) : QString();
}

QString IconName(int32_t id) {
  switch (id) {
    case 16: return QStringLiteral("stop");
    case 32: return QStringLiteral("question");
    case 48: return QStringLiteral("caution");
    case 64: return QStringLiteral("note");
    default: return QString();
  }
}

QFont LabelFont(int pixelSize, bool bold) {
  QFont f = QApplication::font();
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setItalic(false);
  return f;
}

void MakeBlack(QLabel* label) {
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(pal);
}
}  // namespace

winMsgBOX* winMsgBOX::instance() { return Platform::WindowInstance<winMsgBOX>::instance(); }
winMsgBOX* winMsgBOX::existing() { return Platform::WindowInstance<winMsgBOX>::existing(); }

winMsgBOX::winMsgBOX() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("winMsgBOX"));
  setWindowModality(Qt::ApplicationModal);
  setSizeGripEnabled(false);

  icon = new Platform::Canvas(this, QStringLiteral("icon"));
  icon->setGeometry(15, 11, 64, 64);
  icon->setFocusPolicy(Qt::NoFocus);
  icon->Paint = [this](Platform::Graphics& g) { icon_Paint(g); };

  lbl_MESSAGE = new QLabel(this);
  lbl_MESSAGE->setObjectName(QStringLiteral("lbl_MESSAGE"));
  lbl_MESSAGE->setFont(LabelFont(16, true));
  lbl_MESSAGE->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lbl_MESSAGE->setWordWrap(true);
  lbl_MESSAGE->setTextFormat(Qt::PlainText);
  MakeBlack(lbl_MESSAGE);

  lbl_EXPLAIN = new QLabel(this);
  lbl_EXPLAIN->setObjectName(QStringLiteral("lbl_EXPLAIN"));
  lbl_EXPLAIN->setFont(LabelFont(12, false));
  lbl_EXPLAIN->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lbl_EXPLAIN->setWordWrap(true);
  lbl_EXPLAIN->setTextFormat(Qt::PlainText);
  MakeBlack(lbl_EXPLAIN);

  scroll_EXPLAIN = new QScrollArea(this);
  scroll_EXPLAIN->setObjectName(QStringLiteral("scroll_EXPLAIN"));
  scroll_EXPLAIN->setFrameShape(QFrame::NoFrame);
  scroll_EXPLAIN->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_EXPLAIN->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scroll_EXPLAIN->setWidgetResizable(false);
  scroll_EXPLAIN->setFocusPolicy(Qt::NoFocus);
  scroll_EXPLAIN->hide();

  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(this);
    b->setObjectName(QStringLiteral("pb%1").arg(i));
    b->resize(kButtonWidth, kButtonHeight);
    // Only the button made default answers Return; a focused button does not.
    b->setAutoDefault(false);
    b->setDefault(false);
    connect(b, &QPushButton::clicked, this, [this, i] { pb_Action(i); });
    pb_[i] = b;
  }
}

void winMsgBOX::closeEvent(QCloseEvent* event) { event->ignore(); }

void winMsgBOX::reject() {
  for (int i = 0; i < 3; ++i)
    if (btn_code[i] == 2 && !pb_[i]->isHidden()) {
      pb_[i]->click();
      return;
    }
}

void winMsgBOX::pb_Action(int index) {
  Results = btn_code[index];
  done(Results);
}

void winMsgBOX::icon_Paint(Platform::Graphics& g) {
  Platform::PicturePtr picture;
  switch (icon_id) {
    case 16: picture = Resources::msg_stop(); break;
    case 32: picture = Resources::msg_question(); break;
    case 48: picture = Resources::msg_exclam(); break;
    case 64: picture = Resources::msg_info(); break;
    default: return;
  }
  if (picture)
    g.DrawPicture(picture, 0, 0, icon->width(), icon->height(), 0, 0, picture->Width(), picture->Height());
}

int32_t winMsgBOX::myMsgBox(const QString& message, int32_t flags, const QString& title) {
  Show_It(message, flags, title);
  return Results;
}

void winMsgBOX::myMsgBox(const QString& message, const QString& title) { myMsgBox(message, 0, title); }

void winMsgBOX::Measure(QLabel* label, int32_t& width, int32_t& height) {
  const QFontMetrics fm(label->font());
  const QString text = label->text();
  width = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    width = std::max<int32_t>(width, int32_t(std::ceil(fm.horizontalAdvance(line))));
  width = std::max<int32_t>(182, width + 5);
  height = fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap | Qt::AlignLeft, text).height();
}

void winMsgBOX::Set_Btn(int32_t index, int32_t code) {
  pb_[index]->show();
  pb_[index]->setText(Caption(code));
  btn_code[index] = code;
  if (btn_sel < 3 && index <= btn_sel) def_btn = index;
}

void winMsgBOX::Show_It(const QString& message, int32_t flags, const QString& title) {
  // 1. Title and the three fields of the flags. A box without a title of its own is the program's.
  setWindowTitle(title.isEmpty() ? PGM_Name : title);
  def_btn = -1;
  const int32_t set = flags & 7;
  btn_sel = (flags & 768) / 256;
  icon_id = std::min<int32_t>(64, flags & 112);

  // 2-3. The buttons of the set, always filled in index order.
  for (int i = 0; i < 3; ++i) {
    pb_[i]->hide();
    pb_[i]->setDefault(false);
    btn_code[i] = -1;
  }
  switch (set) {
    case 1: Set_Btn(0, 1); Set_Btn(1, 2); break;
    case 2: Set_Btn(0, 3); Set_Btn(1, 4); Set_Btn(2, 5); break;
    case 3: Set_Btn(0, 6); Set_Btn(1, 7); Set_Btn(2, 2); break;
    case 4: Set_Btn(0, 6); Set_Btn(1, 7); break;
    case 5: Set_Btn(0, 2); Set_Btn(1, 4); break;
    default: Set_Btn(0, 1); break;
  }

  // 4. The icon and the text indent.
  int indent = 0;
  if (icon_id > 0) {
    icon->show();
    indent = 79;
  } else {
    icon->hide();
  }

  // 5. The bold line and the explanation.
  QString text = message;
  text.replace(QLatin1Char('^'), QLatin1Char('\n'));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  text = text.trimmed();
  QString line = text, explain;
  const qsizetype lf = text.indexOf(QLatin1Char('\n'));
  if (lf >= 0) {
    explain = text.mid(lf + 1).trimmed();
    line = text.left(lf).trimmed();
  }
  explain += QLatin1Char('\n');

  // 6-8. Labels: placed, measured and sized.
  lbl_MESSAGE->setText(line);
  lbl_EXPLAIN->setText(explain);
  const int left = indent + 15;
  int32_t wM = 0, hM = 0, wE = 0, hE = 0;
  Measure(lbl_MESSAGE, wM, hM);
  Measure(lbl_EXPLAIN, wE, hE);
  hE = (hE + 16) / 17 * 17;
  const int32_t W = std::max(wM, wE);
  const int top = icon->y();
  lbl_MESSAGE->setGeometry(left, top, W, hM);
  const int explainTop = top + hM + 10;
  // An explanation that would make the box taller than the screen scrolls in the height that is left,
  // so that the buttons stay on the screen.
  const QRect screenArea = Platform::Environment::MainScreenAvailable();
  const int explainRoom = std::max(17, screenArea.height() - kScreenMargin - 34 - 10 - explainTop);
  const bool scrolls = hE > explainRoom;
  int shownW = W, shownH = hE;
  if (scrolls) {
    shownH = explainRoom;
    shownW = W + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_EXPLAIN);
    if (scroll_EXPLAIN->widget() != lbl_EXPLAIN) scroll_EXPLAIN->setWidget(lbl_EXPLAIN);
    lbl_EXPLAIN->setGeometry(0, 0, W, hE);
    scroll_EXPLAIN->setGeometry(left, explainTop, shownW, shownH);
    scroll_EXPLAIN->verticalScrollBar()->setValue(0);
    scroll_EXPLAIN->show();
  } else {
    if (scroll_EXPLAIN->widget() == lbl_EXPLAIN) {
      scroll_EXPLAIN->takeWidget();
      lbl_EXPLAIN->setParent(this);
      lbl_EXPLAIN->show();
    }
    scroll_EXPLAIN->hide();
    lbl_EXPLAIN->setGeometry(left, explainTop, W, hE);
  }

  // 9. Window width and the bottom of the text (or of the icon).
  const int width = left + shownW + 15;
  int bottom = explainTop + shownH;
  if (icon_id > 0) bottom = std::max(bottom, icon->y() + icon->height());

  // 10. Buttons from the right edge leftwards; hidden ones are placed too.
  const int buttonTop = bottom + 10;
  int x = width - 12 - kButtonWidth;
  for (int i = 0; i < 3; ++i) {
    pb_[i]->setGeometry(x, buttonTop, kButtonWidth, kButtonHeight);
    x -= 12 + kButtonWidth;
  }

  // 11. Focus on the icon, then the default button.
  icon->setFocus();
  for (int i = 0; i < 3; ++i) {
    if (i == def_btn) {
      pb_[i]->setDefault(true);
      pb_[i]->setFocus();
    }
  }

  // 12. Size and place: centred across the main screen, a third of the way down.
  const int height = buttonTop + 34;
  setFixedSize(width, height);
  const QSize screen = Platform::Environment::MainScreenSize();
  int y = (screen.height() - height) / 3;
  if (scrolls) y = std::max(y, screenArea.top());
  move((screen.width() - width) / 2, y);

  // 13. Show it modally; the call returns when a button has closed it.
  Platform::ModalRequest r;
  r.kind = Platform::ModalKind::MessageBox;
  r.title = windowTitle();
  r.message = message;
  r.icon = IconName(icon_id);
  for (int i = 0; i < 3; ++i)
    if (btn_code[i] != -1) r.buttons << pb_[i]->text();
  r.dialog = this;
  Platform::ModalHost::Run(r);
}
