#include "printing/PageSetup.h"

#include <QHash>
#include <QLocale>
#include <QPrinter>
#include <QStringList>
#include <cmath>
#include <optional>

namespace {
constexpr double kDefaultMargin = 18;      // a quarter of an inch, in points
constexpr double kLargestPage = 100000;    // points; some 35 metres, beyond any paper
constexpr int32_t kMostDotsPerInch = 100000;

std::optional<double> Number(const QString& text, double lowest, double highest) {
  bool ok = false;
  const double v = text.toDouble(&ok);
  if (!ok || !std::isfinite(v) || v < lowest || v > highest) return std::nullopt;
  return v;
}

std::optional<int32_t> Dots(const QString& text) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < 1 || v > kMostDotsPerInch) return std::nullopt;
  return int32_t(v);
}

QString Points(double v) { return QString::number(v, 'g', 10); }

// The standard page size with this key and about this size, else a custom size.
QPageSize Page_Size(const QString& key, double width, double height) {
  for (int i = 0; i <= int(QPageSize::LastPageSize); ++i) {
    const auto id = QPageSize::PageSizeId(i);
    if (id == QPageSize::Custom || QPageSize::key(id) != key) continue;
    const QSizeF size = QPageSize::size(id, QPageSize::Point);
    if (std::fabs(size.width() - width) < 1 && std::fabs(size.height() - height) < 1) return QPageSize(id);
  }
  return QPageSize(QSizeF(width, height), QPageSize::Point, QString(), QPageSize::ExactMatch);
}
}  // namespace

QPageLayout PageSetup::DefaultLayout() {
  const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
  return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(kDefaultMargin, kDefaultMargin, kDefaultMargin, kDefaultMargin), QPageLayout::Point);
}

PageSetup::PageSetup() : layout_(DefaultLayout()) {}

void PageSetup::SetLandscape(bool landscape) {
  layout_.setOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void PageSetup::SetMaxHorizontalResolution(int32_t dpi) {
  if (dpi >= 1) horizontal_ = dpi;
}

void PageSetup::SetMaxVerticalResolution(int32_t dpi) {
  if (dpi >= 1) vertical_ = dpi;
}

QString PageSetup::SetupString() const {
  const QSizeF size = layout_.pageSize().size(QPageSize::Point);
  const QMarginsF m = layout_.margins(QPageLayout::Point);
  return QStringLiteral("PageSize=%1;Width=%2;Height=%3;Orientation=%4;Margins=%5,%6,%7,%8;"
                        "HorizontalResolution=%9;VerticalResolution=%10")
      .arg(layout_.pageSize().key(), Points(size.width()), Points(size.height()),
           Landscape() ? QStringLiteral("Landscape") : QStringLiteral("Portrait"), Points(m.left()), Points(m.top()),
           Points(m.right()), Points(m.bottom()))
      .arg(horizontal_)
      .arg(vertical_);
}

bool PageSetup::SetSetupString(const QString& text) {
  *this = PageSetup();
  QHash<QString, QString> values;
  for (const QString& item : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const qsizetype eq = item.indexOf(QLatin1Char('='));
    if (eq <= 0) return false;
    values.insert(item.left(eq).trimmed(), item.mid(eq + 1).trimmed());
  }
  const auto width = Number(values.value(QStringLiteral("Width")), 1, kLargestPage);
  const auto height = Number(values.value(QStringLiteral("Height")), 1, kLargestPage);
  const QString orientation = values.value(QStringLiteral("Orientation"));
  const QStringList margin = values.value(QStringLiteral("Margins")).split(QLatin1Char(','));
  const auto h = Dots(values.value(QStringLiteral("HorizontalResolution")));
  const auto v = Dots(values.value(QStringLiteral("VerticalResolution")));
  if (!width || !height || !h || !v || margin.size() != 4) return false;
  if (orientation != QLatin1String("Portrait") && orientation != QLatin1String("Landscape")) return false;
  const bool landscape = orientation == QLatin1String("Landscape");
  std::optional<double> m[4];
  for (int i = 0; i < 4; ++i)
    if (!(m[i] = Number(margin[i], 0, kLargestPage))) return false;
  // The margins belong to the turned page: they must leave some of it to print on.
  const double across = landscape ? *height : *width;
  const double down = landscape ? *width : *height;
  if (*m[0] + *m[2] >= across || *m[1] + *m[3] >= down) return false;

  const QPageLayout layout(Page_Size(values.value(QStringLiteral("PageSize")), *width, *height),
                           landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(*m[0], *m[1], *m[2], *m[3]), QPageLayout::Point);
  if (!layout.isValid()) return false;
  layout_ = layout;
  horizontal_ = *h;
  vertical_ = *v;
  return true;
}

void PageSetup::ApplyLayoutTo(QPrinter& printer) const {
  if (!printer.setPageLayout(layout_)) {
    // The printer cannot print as near the edge as asked: its own margins stand.
    printer.setPageSize(layout_.pageSize());
    printer.setPageOrientation(layout_.orientation());
  }
}

void PageSetup::TakeLayoutFrom(const QPrinter& printer) {
  const QPageLayout l = printer.pageLayout();
  const QPageLayout layout(l.pageSize(), l.orientation(), l.margins(QPageLayout::Point), QPageLayout::Point);
  if (layout.isValid()) layout_ = layout;
}
