#pragma once
// What the printing tests share: a page set-up of US Letter, the resolutions, a picture whose
// halves tell left from right, the print dialog's answer, and the checks of a printed page.
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <cups/cups.h>

#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/ModalHost.h"
#include "support/Fixture.h"

namespace PrintChecks {

using namespace modMAIN;

// US Letter (8.5 x 11 in) with quarter-inch margins: 8 x 10.5 in to print on.
inline QString Letter(bool landscape, int h, int v) {
  return QStringLiteral("PageSize=Letter;Width=612;Height=792;Orientation=%1;Margins=18,18,18,18;"
                        "HorizontalResolution=%2;VerticalResolution=%3")
      .arg(landscape ? "Landscape" : "Portrait")
      .arg(h)
      .arg(v);
}

// The resolution list with one marked entry of h x v dots per inch after the 72 x 72 one.
inline void Use_Resolution(int32_t h, int32_t v) {
  Printer_Info.clear();
  Printer_Info.Append(printer_res{72, 72, false});
  Printer_Info.Append(printer_res{h, v, true});
}

// The resolution list as "72x72 300x300* ...", the marked entries starred.
inline QString Marks() {
  QStringList out;
  for (const printer_res& r : Printer_Info) out << QStringLiteral("%1x%2%3").arg(r.h).arg(r.v).arg(r.selected ? "*" : "");
  return out.join(QLatin1Char(' '));
}

// A picture of w x h, its left half red and its right half blue.
inline void Two_Colour_Picture(int w, int h) {
  Fixture::NewDocument(w, h, 0x0000FF);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w / 2; ++x) work_area->SetPixel(x, y, 0xFF0000);
}

// The print dialog: the answer looks at the dialog's printer, sends the print into a PDF file (none:
// keeps the dialog's printer) and prints, or cancels.
inline void Answer_Print(const QString& pdf, bool print, std::function<void(QPrinter*)> check = nullptr) {
  Fixture::ExpectAny([pdf, print, check](Platform::ModalRequest& r) -> QVariant {
    auto* dialog = qobject_cast<QPrintDialog*>(r.dialog);
    if (r.kind != Platform::ModalKind::Print || !dialog || r.parent != winMAIN::instance()) {
      Platform::ModalHost::RecordFailure(QStringLiteral("Expected the print dialog on the main window, got ") +
                                         Platform::ModalHost::Describe(r));
      return false;
    }
    if (check) check(dialog->printer());
    if (!pdf.isEmpty()) dialog->printer()->setOutputFileName(pdf);
    return print;
  });
}

// The printing system's address (CUPS_SERVER) for the tools a test runs and for the program, put back
// when the test ends however it ends. This thread forgets the address it knew, so that it asks again.
struct Server_Address {
  QByteArray saved = qgetenv("CUPS_SERVER");
  explicit Server_Address(const QString& address) {
    qputenv("CUPS_SERVER", address.toUtf8());
    cupsSetServer(nullptr);
  }
  ~Server_Address() {
    if (saved.isNull()) qunsetenv("CUPS_SERVER");
    else qputenv("CUPS_SERVER", saved);
    cupsSetServer(nullptr);
  }
};

inline QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000)) return QStringLiteral("<%1 did not finish>").arg(program);
  return QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
}

inline QString Pdf_Info(const QString& pdf, const QString& field) {
  const QRegularExpressionMatch m =
      QRegularExpression(QLatin1Char('^') + field + QStringLiteral(":\\s*(.*)$"), QRegularExpression::MultilineOption)
          .match(Run(QStringLiteral("pdfinfo"), {pdf}));
  return m.hasMatch() ? m.captured(1).trimmed() : QStringLiteral("<no %1>").arg(field);
}

// The first page rasterised at rx x ry dots per inch.
inline QImage Rasterise(const QString& pdf, int rx, int ry) {
  const QString out = pdf + QStringLiteral(".page");
  Run(QStringLiteral("pdftoppm"), {QStringLiteral("-rx"), QString::number(rx), QStringLiteral("-ry"), QString::number(ry),
                                   QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, out});
  return QImage(out + QStringLiteral(".png"));
}

inline bool Near(QRgb c, QRgb expected) {
  return std::abs(qRed(c) - qRed(expected)) < 48 && std::abs(qGreen(c) - qGreen(expected)) < 48 &&
         std::abs(qBlue(c) - qBlue(expected)) < 48;
}

// Empty when the raster shows the two-colour picture of w pixels across filling exactly the rectangle on
// white paper. The probes keep clear of the edges by a few pixels more than one enlarged picture pixel,
// which the rasteriser may blend with its neighbour.
inline QString Check_Placement(const QImage& page, const QRect& r, int w) {
  if (page.isNull()) return QStringLiteral("no raster");
  struct Probe {
    int x, y;
    QRgb colour;
    const char* where;
  };
  const int m = 3 + (r.width() + w - 1) / w;
  const Probe probes[] = {
      {r.left() + m, r.top() + m, qRgb(255, 0, 0), "top-left inside"},
      {r.left() + m, r.bottom() - m, qRgb(255, 0, 0), "bottom-left inside"},
      {r.right() - m, r.top() + m, qRgb(0, 0, 255), "top-right inside"},
      {r.right() - m, r.bottom() - m, qRgb(0, 0, 255), "bottom-right inside"},
      {r.left() + r.width() / 2 - m, r.center().y(), qRgb(255, 0, 0), "left of the middle"},
      {r.left() + r.width() / 2 + m, r.center().y(), qRgb(0, 0, 255), "right of the middle"},
      {r.left() + r.width() / 4, r.center().y(), qRgb(255, 0, 0), "a quarter across"},
      {r.left() + r.width() * 3 / 4, r.center().y(), qRgb(0, 0, 255), "three quarters across"},
      {r.left() - m, r.center().y(), qRgb(255, 255, 255), "left outside"},
      {r.right() + m, r.center().y(), qRgb(255, 255, 255), "right outside"},
      {r.center().x(), r.top() - m, qRgb(255, 255, 255), "above"},
      {r.center().x(), r.bottom() + m, qRgb(255, 255, 255), "below"},
  };
  for (const Probe& p : probes) {
    if (!page.rect().contains(p.x, p.y)) continue;  // an edge of the picture on the paper's edge
    const QRgb c = page.pixel(p.x, p.y);
    if (!Near(c, p.colour))
      return QStringLiteral("%1 (%2, %3) is #%4").arg(QLatin1String(p.where)).arg(p.x).arg(p.y).arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
  }
  return QString();
}

}  // namespace PrintChecks
