#include "gradients/winGradientFiles.h"

#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QValidator>
#include <algorithm>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/Messages.h"
#include "gradients/modGRADIENT.h"
#include "platform/Canvas.h"
#include "platform/WindowInstance.h"

namespace {

// Delete is never offered for the built-in gradient.
const QString kBuiltIn = QStringLiteral("Spectrum");

// The characters a gradient's name may be typed with: letters, digits and "_" (tested in upper case,
// so lower-case letters pass too).
bool Key_Allowed(const QString& key) {
  const QString up = key.toUpper();
  return (up >= QLatin1String("A") && up <= QLatin1String("Z")) || up == QLatin1String("_") ||
         (up >= QLatin1String("0") && up <= QLatin1String("9"));
}

// Checks text that reaches the name field other than by typed keys (pasted, dropped) like typed keys:
// an edit may bring in only characters the key filter admits. Characters of the text already there (a
// name listed from a file placed in the folder by hand) may stay, so such a name can still be edited.
class NameValidator : public QValidator {
 public:
  explicit NameValidator(QLineEdit* field) : QValidator(field) {
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
  }
  // Text the program puts into the field itself is taken as it is.
  bool bypass = false;

  State validate(QString& input, int&) const override {
    if (bypass) return Acceptable;
    QString left = before_;
    for (const QChar c : input) {
      if (Key_Allowed(QString(c))) continue;
      const qsizetype at = left.indexOf(c);
      if (at < 0) return Invalid;
      left.remove(at, 1);
    }
    return Acceptable;
  }

 private:
  QString before_;
};

// Paints each row's background through the window's handler, then the row as the list does.
class RowDelegate : public QStyledItemDelegate {
 public:
  RowDelegate(winGradientFiles* window, QObject* parent) : QStyledItemDelegate(parent), window_(window) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    painter->translate(option.rect.topLeft());
    Platform::Graphics g(painter, option.rect.width(), option.rect.height());
    window_->Listbox1_CellBackgroundPaint(g, index.row(), index.column());
    painter->restore();
    QStyledItemDelegate::paint(painter, option, index);
  }

 private:
  winGradientFiles* window_;
};

QPushButton* Button(QWidget* parent, const QString& name, const QString& text, const QRect& bounds) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setGeometry(bounds);
  // Only the default button answers Return, whichever control has the focus.
  b->setAutoDefault(false);
  return b;
}

}  // namespace

winGradientFiles* winGradientFiles::instance() { return Platform::WindowInstance<winGradientFiles>::instance(); }
winGradientFiles* winGradientFiles::existing() { return Platform::WindowInstance<winGradientFiles>::existing(); }

winGradientFiles::winGradientFiles() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("winGradientFiles"));
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(220, 390);
  setSizeGripEnabled(false);

  lbl = new QLabel(this);
  lbl->setObjectName(QStringLiteral("lbl"));
  lbl->setGeometry(10, 10, 50, 20);
  lbl->setAlignment(Qt::AlignCenter);

  inpGname = new QLineEdit(this);
  inpGname->setObjectName(QStringLiteral("inpGname"));
  inpGname->setGeometry(65, 11, 145, 22);
  inpGname->setValidator(new NameValidator(inpGname));
  inpGname->installEventFilter(this);
  connect(inpGname, &QLineEdit::textChanged, this, [this] { inpGname_TextChange(); });

  Listbox1 = new QListWidget(this);
  Listbox1->setObjectName(QStringLiteral("Listbox1"));
  Listbox1->setGeometry(10, 40, 200, 308);
  Listbox1->setSelectionMode(QAbstractItemView::SingleSelection);
  Listbox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Listbox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Listbox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Listbox1->setUniformItemSizes(true);
  Listbox1->setItemDelegate(new RowDelegate(this, Listbox1));
  Listbox1->viewport()->installEventFilter(this);

  pbCancel = Button(this, QStringLiteral("pbCancel"), QStringLiteral("Cancel"), QRect(10, 360, 60, 20));
  pbDelete = Button(this, QStringLiteral("pbDelete"), QStringLiteral("Delete"), QRect(80, 360, 60, 20));
  pbOK = Button(this, QStringLiteral("pbOK"), QStringLiteral("OK"), QRect(150, 360, 60, 20));
  pbOK->setDefault(true);
  connect(pbCancel, &QPushButton::clicked, this, [this] { pbCancel_Action(); });
  connect(pbDelete, &QPushButton::clicked, this, [this] { pbDelete_Action(); });
  connect(pbOK, &QPushButton::clicked, this, [this] { pbOK_Action(); });

  setTabOrder(inpGname, Listbox1);
  setTabOrder(Listbox1, pbOK);
  setTabOrder(pbOK, pbCancel);
  setTabOrder(pbCancel, pbDelete);

  // The window's open step, then the list's: a name preselected by the list leaves OK enabled.
  Event_Open();
  Listbox1_Open();
}

void winGradientFiles::Event_Open() {
  if (modMAIN::Dialog_Setup == 1) {
    setWindowTitle(QStringLiteral("Save Gradient"));
    lbl->setText(QStringLiteral("Save as"));
  } else {
    setWindowTitle(QStringLiteral("Open Gradient"));
    lbl->setText(QStringLiteral("Open"));
  }
  pbOK->setEnabled(false);
  pbDelete->setEnabled(false);
}

void winGradientFiles::Listbox1_Open() { Reload_Listbox(); }

void winGradientFiles::inpGname_TextChange() { set_Buttons(); }

bool winGradientFiles::inpGname_KeyDown(const QString& key) {
  if (key == QString(QChar(8))) return false;
  return !Key_Allowed(key);
}

bool winGradientFiles::Listbox1_CellClick(int row, int column, int x, int y) {
  Listbox1->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  Set_Name(Listbox1->item(row)->text());
  if (modMAIN::Dialog_Setup == 1) inpGname->setFocus();
  set_Buttons();
  return false;
}

bool winGradientFiles::Listbox1_CellBackgroundPaint(Platform::Graphics& g, int row, int column) {
  g.SetForeColor((row & 1) == 1 ? 0xECF3FE : 0xFFFFFF);
  g.FillRect(0, 0, g.Width(), g.Height());
  return false;
}

void winGradientFiles::pbOK_Action() {
  modMAIN::Dialog_Cancel = false;
  modMAIN::Dialog_Answer = inpGname->text();
  closed_ = true;
  QDialog::accept();
}

void winGradientFiles::pbCancel_Action() {
  modMAIN::Dialog_Cancel = true;
  closed_ = true;
  QDialog::reject();
}

void winGradientFiles::pbDelete_Action() {
  const QString name = inpGname->text();
  if (!modMAIN::msgConfirm(QStringLiteral("Delete the Gradient named '") + name + QStringLiteral("'?"),
                           QStringLiteral("Are you sure?")))
    return;
  // Nothing outside the settings folder is ever deleted.
  if (!modGRADIENT::Name_Is_Safe(name)) return;
  const Platform::FolderItemPtr item = modOptions::Get_Folder_Root()->Child(name + modGRADIENT::Gradient_Extension);
  if (item->Exists()) {
    item->Delete();
    Reload_Listbox();
  }
}

void winGradientFiles::set_Buttons() {
  QString compare = QStringLiteral("***");
  const int row = ListIndex();
  if (row >= 0) compare = Listbox1->item(row)->text();
  if (compare == kBuiltIn) compare = QStringLiteral("***");
  pbOK->setEnabled(!inpGname->text().isEmpty());
  pbDelete->setEnabled(inpGname->text() == compare);
}

void winGradientFiles::Reload_Listbox() {
  Listbox1->clear();
  const QDir folder(modOptions::Get_Folder_Root()->ShellPath());
  // Every kind of item counts, hidden ones and folders included.
  const QStringList items =
      folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
  if (items.isEmpty()) return;

  // A gradient is listed by its file name up to the first ".". ".Gradient" is looked for as the file
  // system matches names (case counts), since that is the file a chosen name then opens.
  QStringList names;
  for (const QString& item : items)
    if (item.contains(modGRADIENT::Gradient_Extension)) names << item.left(item.indexOf(QLatin1Char('.')));
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
  });
  Listbox1->addItems(names);
  Listbox1->setCurrentRow(-1);
  Listbox1->clearSelection();

  const QString wanted = modMAIN::Dialog_Answer;
  for (int row = 0; row < Listbox1->count(); ++row) {
    if (Listbox1->item(row)->text() != wanted) continue;
    Listbox1->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    Listbox1->scrollToItem(Listbox1->item(row));
    Set_Name(wanted);
    if (modMAIN::Dialog_Setup == 1) inpGname->setFocus();
    set_Buttons();
    break;
  }
  inpGname->setReadOnly(modMAIN::Dialog_Setup != 1);
}

int winGradientFiles::ListIndex() const {
  const QList<QListWidgetItem*> selected = Listbox1->selectedItems();
  return selected.isEmpty() ? -1 : Listbox1->row(selected.first());
}

void winGradientFiles::Set_Name(const QString& text) {
  auto* validator = static_cast<NameValidator*>(const_cast<QValidator*>(inpGname->validator()));
  validator->bypass = true;
  inpGname->setText(text);
  validator->bypass = false;
  inpGname->setCursorPosition(int(text.size()));
}

void winGradientFiles::setVisible(bool visible) {
  QDialog::setVisible(visible);
  // A dialog that shows gives its focused field the focus as if tabbed into, which selects its text.
  if (visible) inpGname->setCursorPosition(int(inpGname->text().size()));
}

void winGradientFiles::reject() { pbCancel_Action(); }

void winGradientFiles::closeEvent(QCloseEvent* event) {
  // Only OK and Cancel close the window.
  if (!closed_) event->ignore();
}

bool winGradientFiles::eventFilter(QObject* watched, QEvent* event) {
  if (watched == inpGname && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Shortcuts (paste among them: the validator checks what it brings) and the window's own keys
    // (Return, Escape, Tab) are not typed into the name.
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    switch (key->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter:
      case Qt::Key_Escape:
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        return false;
      default:
        return inpGname_KeyDown(Platform::KeyText(key));
    }
  }
  if (watched == Listbox1->viewport() && event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    const int row = Listbox1->indexAt(at).row();
    if (mouse->button() == Qt::LeftButton && row >= 0) return Listbox1_CellClick(row, 0, at.x(), at.y());
  }
  return QDialog::eventFilter(watched, event);
}
