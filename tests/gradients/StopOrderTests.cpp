// The order in which the stops are sorted: by position, with stops at equal positions in the order an
// exchange sort leaves them (for each i, every later j with a smaller position swaps with i), and fast
// for any number of stops.
#include <QElapsedTimer>
#include <QTest>
#include <random>

#include "gradients/modGRADIENT.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "GradientHelpers.h"

using namespace GradientHelpers;

namespace {
// The exchange sort itself, step by step, on (position, name) pairs.
std::vector<int> ExchangeSorted(const std::vector<int32_t>& positions) {
  std::vector<int> order(positions.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
  for (size_t i = 0; i + 1 < order.size(); ++i)
    for (size_t j = i + 1; j < order.size(); ++j)
      if (positions[size_t(order[j])] < positions[size_t(order[i])]) std::swap(order[i], order[j]);
  return order;
}
}  // namespace

class StopOrderTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Worked by hand through the exchange sort; the colours name the stops.
  void sortsAsTheExchangeSortDoes_data() {
    QTest::addColumn<QString>("stops");
    QTest::addColumn<QString>("sorted");
    QTest::newRow("no stops") << "" << "";
    QTest::newRow("one stop") << "40:00000A" << "40:00000A";
    QTest::newRow("distinct") << "30:00000A,10:00000B,20:00000C" << "10:00000B,20:00000C,30:00000A";
    // A at 5 goes where C was and B stays: C, B, A.
    QTest::newRow("two equal, one smaller after") << "5:00000A,5:00000B,3:00000C" << "3:00000C,5:00000B,5:00000A";
    // A takes D's place and D then E's; in the next pass B takes D's new place: E, D, C, A, B.
    QTest::newRow("three equal, two smaller after")
        << "5:00000A,5:00000B,5:00000C,3:00000D,1:00000E" << "1:00000E,3:00000D,5:00000C,5:00000A,5:00000B";
    QTest::newRow("equal ones among smaller ones")
        << "50:00000A,10:00000B,50:00000C,20:00000D,50:00000E" << "10:00000B,20:00000D,50:00000C,50:00000A,50:00000E";
    QTest::newRow("equal and in order stay") << "0:00000A,50:00000B,50:00000C,100:00000D"
                                             << "0:00000A,50:00000B,50:00000C,100:00000D";
    QTest::newRow("outside 0 to 100") << "-5:00000A,200:00000B,-5:00000C" << "-5:00000A,-5:00000C,200:00000B";
  }
  void sortsAsTheExchangeSortDoes() {
    QFETCH(QString, stops);
    QFETCH(QString, sorted);
    SetStops(stops);
    modGRADIENT::Sort_Gradient();
    QCOMPARE(Stops(), sorted);
  }

  // Lists of every length up to 14 with few positions (so many are equal) come out as the exchange
  // sort leaves them.
  void randomListsMatchTheExchangeSort() {
    std::mt19937 random(2024);
    for (int round = 0; round < 4000; ++round) {
      const int n = int(random() % 15);
      const int spread = 1 + int(random() % 5);
      std::vector<int32_t> positions;
      for (int i = 0; i < n; ++i) positions.push_back(int32_t(random() % uint32_t(spread)) * 10);
      const std::vector<int> expected = ExchangeSorted(positions), got = modGRADIENT::Sorted_Stop_Order(positions);
      if (got != expected) {
        QStringList list;
        for (int32_t p : positions) list << QString::number(p);
        QFAIL(qPrintable(QStringLiteral("positions ") + list.join(QLatin1Char(','))));
      }
    }
  }

  // 200,000 stops at one position followed by one smaller stop: only the first and the last swap.
  // The sort takes a moment, not minutes.
  void manyStopsSortQuickly() {
    const int n = 200000;
    modGRADIENT::Gradient.clear();
    for (int i = 0; i < n; ++i) modGRADIENT::Add_ColorStop(50, Platform::Color(i));
    modGRADIENT::Add_ColorStop(10, Platform::Color(n));
    QElapsedTimer clock;
    clock.start();
    modGRADIENT::Sort_Gradient();
    const qint64 ms = clock.elapsed();
    QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
    QCOMPARE(modGRADIENT::Gradient.size(), size_t(n + 1));
    QCOMPARE(modGRADIENT::Gradient[0]->gColor, Platform::Color(n));
    for (int i = 1; i < n; ++i)
      if (modGRADIENT::Gradient[i]->gColor != Platform::Color(i)) QFAIL(qPrintable(QString::number(i)));
    QCOMPARE(modGRADIENT::Gradient[n]->gColor, Platform::Color(0));
  }
};

PIXMURA_TEST_CLASS(StopOrderTests)
#include "StopOrderTests.moc"
