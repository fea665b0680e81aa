#include "app/winABOUT.h"

#include <QDate>
#include <QGuiApplication>
#include <QScreen>

#include "app/BundleResources.h"
#include "app/ProgramIdentity.h"

namespace {
QLabel* Label(QWidget* parent, const QString& name, int top, bool bold) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(154, top, 315, 14);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  QFont font = label->font();
  font.setPixelSize(12);
  font.setBold(bold);
  label->setFont(font);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(pal);
  return label;
}
}  // namespace

winABOUT::winABOUT() : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("winABOUT"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("About ") + PGM_Name);
  setFixedSize(473, 259);

  Canvas1 = new Platform::Canvas(this, QStringLiteral("Canvas1"));
  Canvas1->setGeometry(8, 8, 128, 128);
  Canvas1->Paint = [this](Platform::Graphics& g) { Canvas1_Paint(g); };

  txtVersion = Label(this, QStringLiteral("txtVersion"), 43, true);
  txtRights = Label(this, QStringLiteral("txtRights"), 58, true);
  StaticText2 = Label(this, QStringLiteral("StaticText2"), 73, false);
  StaticText2->setText(QStringLiteral("All rights reserved."));

  Separator1 = new QFrame(this);
  Separator1->setObjectName(QStringLiteral("Separator1"));
  Separator1->setFrameShape(QFrame::HLine);
  Separator1->setFrameShadow(QFrame::Sunken);
  Separator1->setGeometry(154, 92, 315, 4);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(10, 144, 453, 90);
  TextArea1 = new QPlainTextEdit(GroupBox1);
  TextArea1->setObjectName(QStringLiteral("TextArea1"));
  // Window coordinates 20, 148 inside the group box at 10, 144.
  TextArea1->setGeometry(10, 4, 433, 80);
  TextArea1->setReadOnly(true);
  TextArea1->setFrameShape(QFrame::NoFrame);
  TextArea1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  TextArea1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QFont credits = TextArea1->font();
  credits.setPixelSize(11);
  credits.setItalic(true);
  TextArea1->setFont(credits);
  QPalette pal = TextArea1->palette();
  pal.setColor(QPalette::Text, QColor(0x66, 0x66, 0x66));
  pal.setColor(QPalette::Base, QColor(0xEC, 0xEC, 0xEC));
  TextArea1->setPalette(pal);

  Canvas2 = new Platform::Canvas(this, QStringLiteral("Canvas2"));
  Canvas2->setGeometry(224, 8, 175, 31);
  Canvas2->setFocusPolicy(Qt::NoFocus);
  Canvas2->Backdrop = Resources::logo_name();

  txtVersion_Open();
  txtRights_Open();
  TextArea1_Open();

  // Centred on the screen.
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
}

void winABOUT::Canvas1_Paint(Platform::Graphics& g) {
  const Platform::PicturePtr logo = Resources::pgm_logo();
  if (!logo) return;
  Platform::PicturePtr p = Platform::Picture::Create(128, 128, 32);
  p->Graphics().DrawPicture(logo, 0, 0, 128, 128, 0, 0, 128, 128);
  // White shows the window's background.
  p->Transparent = 1;
  g.DrawPicture(p, 0, 0);
}

void winABOUT::txtVersion_Open() {
  txtVersion->setText(QStringLiteral("Version ") + PGM_Version + QStringLiteral(" [build ") +
                      QString::number(Build_Number()) + QStringLiteral("]"));
}

void winABOUT::txtRights_Open() {
  txtRights->setText(QStringLiteral("Copyright © %1 Tovrelle").arg(QDate::currentDate().year()));
}

void winABOUT::TextArea1_Open() {
  const QString cr = QStringLiteral("\n");
  TextArea1->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
  // Six lines in single spacing fill the 80 pixels of the area: no margin around them.
  TextArea1->document()->setDocumentMargin(0);
  TextArea1->setPlainText(QStringLiteral("Photo effects library by the Pixmura effects team") + cr +
                          QStringLiteral("Styled text engine by the Pixmura text team") + cr + cr +
                          QStringLiteral("Thanks to everyone who sent feedback,") + cr +
                          QStringLiteral("to the testers of every version,") + cr +
                          QStringLiteral("and to you for painting with Pixmura."));
}
