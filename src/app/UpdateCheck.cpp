#include "app/UpdateCheck.h"

#include <QLocale>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStringList>
#include <QUrl>

#include "app/ProgramIdentity.h"
#include "app/modOptions.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

namespace modMAIN {

QString web_Main_Root() {
  QString root = modOptions::option_Website;
  if (root.isEmpty()) root = Platform::Environment::UpdateSiteRoot();
  if (!root.endsWith(QLatin1Char('/'))) root += QLatin1Char('/');
  if (!Platform::StrEq(root.left(7), QStringLiteral("HTTP://"))) root = QStringLiteral("HTTP://") + root;
  return root;
}

QString web_PGM_Root() { return web_Main_Root() + PGM_Name + QLatin1Char('/'); }

QString web_Download_Site() { return web_PGM_Root(); }

}  // namespace modMAIN

namespace {

const QString kDefaultFormat = QStringLiteral("DMG");

// True while a check waits for the web site.
bool& Checking() {
  static bool checking = false;
  return checking;
}

// A number as the program writes it back: 2.50 becomes 2.5.
QString NumberText(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }

// The download's format as the server names it, when it is a plain extension; else the default. The
// format becomes part of a file name on the desktop, so nothing but letters and digits gets through.
QString Download_Format(const QString& field) {
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]{1,10}$"));
  const QString format = field.trimmed();
  return plain.match(format).hasMatch() ? format : kDefaultFormat;
}

// The error code as "000" formats it: at least three digits.
QString Code_Text(int32_t code) {
  const QString digits = QStringLiteral("%1").arg(qAbs(qint64(code)), 3, 10, QLatin1Char('0'));
  return code < 0 ? QLatin1Char('-') + digits : digits;
}

// Shows the standard alert as a sheet on the main window and returns the caption of the button pressed;
// shows nothing and returns empty when the main window is gone or closed.
QString Show_Sheet(const QString& icon, const QString& message, const QString& explanation,
                   const QStringList& buttons) {
  winMAIN* w = winMAIN::existing();
  if (!w || !w->isVisible()) return QString();
  Platform::ModalRequest r;
  r.kind = Platform::ModalKind::Alert;
  r.title = PGM_Name;
  r.sheet = true;
  r.parent = w;
  r.icon = icon;
  r.message = message;
  r.explanation = explanation;
  r.buttons = buttons;
  return Platform::ModalHost::Run(r).toString();
}

const QString kNote = QStringLiteral("note");
const QString kCaution = QStringLiteral("caution");

}  // namespace

void classHTTPSocket::Event_DownloadComplete(const QString& url, int32_t httpStatus,
                                             const Platform::HTTPHeaders& headers,
                                             const Platform::FolderItemPtr& file) {
  Platform::Environment::OpenDocument(file->ShellPath());
  // The main window's close asks about unsaved changes first; the program ends when it closes.
  if (winMAIN* w = winMAIN::existing()) w->close();
}

void classHTTPSocket::Event_Error(int32_t code) {
  Show_Sheet(kCaution, QStringLiteral("An Error occurred [#") + Code_Text(code) + QLatin1Char(']'),
             QStringLiteral("Make sure any previously downloaded images for this application have been ejected."),
             {QStringLiteral("OK")});
}

bool Update_Site_Is_Placeholder() {
  const QString host = QUrl(modMAIN::web_Main_Root()).host().toLower();
  return host == QLatin1String("example") || host.endsWith(QLatin1String(".example"));
}

void Check_for_Update(bool manual) {
  if (Checking()) return;
  Checking() = true;
  const auto done = qScopeGuard([] { Checking() = false; });

  auto* socket = new classHTTPSocket();
  // The socket lives on by itself while a download it started runs.
  const auto release = qScopeGuard([socket] { socket->Release(); });
  const QString site = modMAIN::web_Download_Site();

  // An old copy of the program still mounted under its name must be ejected before a new one comes.
  QString warning;
  for (const QString& volume : Platform::Environment::MountedVolumeNames()) {
    if (Platform::StrEq(volume, PGM_Name)) {
      warning = QStringLiteral("\n\n'") + PGM_Name +
                QStringLiteral("' is already mounted on your desktop, please\neject this file and try again.");
      break;
    }
  }

  socket->Yield = true;
  const QString versionAddress = site + PGM_Name + QStringLiteral(".ver");
  const QString answer = socket->Get(versionAddress.toLower(), 4);

  // Outcome: -1 no usable answer, 0 nothing to show, 1 up to date, 2 newer version, 3 older version.
  // Only a positive version number followed by a date counts as a version file.
  int outcome = -1;
  QStringList fields;
  QString format = kDefaultFormat;
  if (!answer.isEmpty()) {
    fields = answer.split(QLatin1Char(' '));
    const double v = Platform::Val(fields[0]);
    fields[0] = NumberText(v);
    if (v > 0 && fields.size() >= 2) {
      const double p = Platform::Val(PGM_Version);
      outcome = v == p ? 1 : (v > p ? 2 : 3);
    }
    if (fields.size() > 2) format = Download_Format(fields[2]);
  }

  QString icon = kNote, message, explanation;
  QStringList buttons{QStringLiteral("Ok")};
  QString download;
  switch (outcome) {
    case -1:
      icon = kCaution;
      message = QStringLiteral("Unable to connect to remote server");
      explanation = QStringLiteral("In order to obtain current version information\n") + versionAddress;
      break;
    case 1:
      message = QStringLiteral("You are up to date...");
      explanation = PGM_Name + QStringLiteral(" v") + PGM_Version +
                    QStringLiteral(" is currently the latest version available.");
      break;
    case 2:
      message = QStringLiteral("An update to ") + PGM_Name + QStringLiteral(" is available");
      explanation = QStringLiteral("You currently have ") + PGM_Version + QStringLiteral(" and ") + fields[0] +
                    QStringLiteral(" was made\navailable on ") + fields[1] + warning +
                    QStringLiteral("\nDownload file is in ") + format + QStringLiteral(" format.");
      if (warning.isEmpty()) {
        download = QStringLiteral("Download version ") + fields[0];
        buttons = QStringList{QStringLiteral("Skip it for now"), QStringLiteral("View Release Notes"), download};
      }
      break;
    case 3:
      message = QStringLiteral("Somebody screwed up....");
      explanation = QStringLiteral("You currently have ") + PGM_Version + QStringLiteral(", but the Server has version ") +
                    fields[0] + QStringLiteral(" made on ") + fields[1];
      buttons = QStringList{QStringLiteral("Oops")};
      break;
  }
  if (!manual && (outcome == 1 || outcome == 3)) outcome = 0;
  if (outcome == 0) return;

  const QString pressed = Show_Sheet(icon, message, explanation, buttons);
  if (download.isEmpty() || pressed != download) return;

  // The new version goes to the desktop; a file of the same name there is replaced only by a complete
  // download.
  const QString fileName = (PGM_Name + QLatin1Char('.') + format).toLower();
  socket->Yield = false;
  socket->GetToFile((site + fileName).toLower(), Platform::FolderItem::Desktop()->Child(fileName));
}
