// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/LongListView.h"
#include "ui/widgets/LongTreeView.h"
#include "ui/widgets/ShownRows.h"

#include <QStandardItemModel>
#include <QStringListModel>
#include <QTest>

using namespace quillon;

namespace {

constexpr int kRows = 1000;

QStringList numberedRows() {
    QStringList rows;
    for (int i = 0; i < kRows; ++i)
        rows << QStringLiteral("row %1").arg(i);
    return rows;
}

} // namespace

// The long views pass on only the changed rows they show: the span they
// compute must hold every row on screen, and nothing when hidden.
class LongViewsTest final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void shownPartOfAChange_data();
    void shownPartOfAChange();
    void hiddenViewShowsNone();
    void treeShowsItsScrolledRows();

private:
    QStringListModel m_model{numberedRows()};
    std::unique_ptr<LongListView> m_view;
};

void LongViewsTest::init() {
    m_view = std::make_unique<LongListView>(nullptr);
    m_view->setModel(&m_model);
    m_view->resize(200, 150);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void LongViewsTest::cleanup() {
    m_view.reset();
    m_model.setStringList(numberedRows());
}

void LongViewsTest::shownPartOfAChange_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    // Relative to the rows shown: -1 before the first, +1 past the last.
    QTest::addColumn<bool>("empty");
    QTest::newRow("whole list from the top") << 0 << 0 << kRows - 1 << false;
    QTest::newRow("whole list, scrolled") << 500 << 0 << kRows - 1 << false;
    QTest::newRow("all above the shown rows") << 500 << 0 << 499 << true;
    QTest::newRow("all below the shown rows") << 0 << 900 << kRows - 1 << true;
    QTest::newRow("ends on the first shown row") << 500 << 0 << 500 << false;
    QTest::newRow("starts on the last rows") << 990 << 995 << kRows - 1 << false;
}

void LongViewsTest::shownPartOfAChange() {
    QFETCH(int, top);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(bool, empty);
    m_view->scrollTo(m_model.index(top), QAbstractItemView::PositionAtTop);
    const RowSpan shown = shownRows(*m_view);
    QVERIFY(!shown.empty());
    QCOMPARE(m_view->indexAt(QPoint(0, 0)).row(), shown.first);
    const QModelIndex bottom = m_view->indexAt(QPoint(0, m_view->viewport()->height() - 1));
    QCOMPARE(shown.last, bottom.isValid() ? bottom.row() : kRows - 1);
    const RowSpan part = shownPart(*m_view, first, last);
    QCOMPARE(part.empty(), empty);
    if (!empty) {
        QCOMPARE(part.first, std::max(first, shown.first));
        QCOMPARE(part.last, std::min(last, shown.last));
    }
}

void LongViewsTest::hiddenViewShowsNone() {
    m_view->hide();
    QVERIFY(shownRows(*m_view).empty());
    QVERIFY(shownPart(*m_view, 0, kRows - 1).empty());
}

// The tree's header sits outside its viewport: the rows it shows start
// under it, wherever the list is scrolled to.
void LongViewsTest::treeShowsItsScrolledRows() {
    QStandardItemModel table(kRows, 2);
    LongTreeView tree(nullptr);
    tree.setModel(&table);
    tree.resize(200, 150);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    for (const int top : {0, 600, kRows - 1}) {
        tree.scrollTo(table.index(top, 1), QAbstractItemView::PositionAtTop);
        const RowSpan shown = shownRows(tree);
        QVERIFY(shown.first <= top && shown.last >= top);
        QVERIFY(shown.last - shown.first < 20);
        QVERIFY(shown.last < kRows);
    }
}

QTEST_MAIN(LongViewsTest)
#include "LongViewsTest.moc"
