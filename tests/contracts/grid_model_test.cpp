// The grid model reads rows on demand: with a hundred thousand records the grid shows the
// first screen, goes to the end and stores an edit there reading only a few rows.
#include "grid_test_fixture.h"

#include "contracts/data_module.h"

#include <gtest/gtest.h>

#include <set>

using namespace contracts;
using grid_testing::GridWindow;
namespace col = grid_testing;

namespace {

// A store that counts the rows read from it.
class CountingStore final : public RecordStore {
public:
    explicit CountingStore(int rows) : inner_(testing_support::contractFieldDefs(), makeRows(rows)) {}

    const std::vector<FieldDef>& fields() const override { return inner_.fields(); }
    std::size_t rowCount() const override { return inner_.rowCount(); }
    QStringList rowTexts(std::size_t row) const override {
        ++reads;
        rowsRead.insert(row);
        return inner_.rowTexts(row);
    }
    std::size_t update(std::size_t row, const QStringList& texts) override { return inner_.update(row, texts); }
    std::size_t insert(const QStringList& texts) override { return inner_.insert(texts); }
    void remove(std::size_t row) override { inner_.remove(row); }
    void checkText(int field, const QString& text) const override { inner_.checkText(field, text); }
    void refresh() override { inner_.refresh(); }
    bool readOnly() const override { return false; }
    QString location() const override { return QStringLiteral("71BKontrakts.db"); }

    void reset() {
        reads = 0;
        rowsRead.clear();
    }
    QString nomer(std::size_t row) { return inner_.rows().at(row).at(1); }

    mutable long long reads = 0;
    mutable std::set<std::size_t> rowsRead;

private:
    static std::vector<QStringList> makeRows(int n) {
        std::vector<QStringList> rows;
        rows.reserve(static_cast<std::size_t>(n));
        for (int i = 1; i <= n; ++i)
            rows.push_back(testing_support::contractRow(i, QStringLiteral("%1/26").arg(i), QStringLiteral("Объект %1").arg(i)));
        return rows;
    }
    MemoryRecordStore inner_;
};

}  // namespace

TEST(GridModel, ReadsOnlyTheRowsItShows) {
    constexpr int kRows = 100000;
    auto owned = std::make_unique<CountingStore>(kRows);
    CountingStore* store = owned.get();
    GridWindow g(std::make_shared<TfDM15>(std::move(owned)));
    store->reset();
    g.show();
    g.view->viewport()->repaint();
    EXPECT_EQ(g.view->model()->rowCount(), kRows);
    EXPECT_GT(store->reads, 0);  // the first screen was drawn from the store
    EXPECT_LT(store->rowsRead.size(), 50u) << "rows read to show the first screen";
    EXPECT_LE(*store->rowsRead.rbegin(), 50u);

    store->reset();
    g.key(Qt::Key_End, Qt::ControlModifier);
    g.view->viewport()->repaint();
    EXPECT_EQ(g.t().recNo(), kRows - 1);
    EXPECT_EQ(g.view->currentIndex().row(), kRows - 1);
    EXPECT_EQ(g.view->rowAt(g.view->visualRect(g.view->currentIndex()).center().y()), kRows - 1);  // scrolled there
    EXPECT_LT(store->rowsRead.size(), 50u) << "rows read to go to the last record";
    EXPECT_GE(*store->rowsRead.begin(), static_cast<std::size_t>(kRows - 50));

    // An edit typed and stored there.
    store->reset();
    g.type("100000/26-А");
    g.key(Qt::Key_Up);
    g.view->viewport()->repaint();
    EXPECT_EQ(store->nomer(kRows - 1), "100000/26-А");
    EXPECT_EQ(g.t().recNo(), kRows - 2);
    EXPECT_LT(store->rowsRead.size(), 50u) << "rows read to store an edit";
    EXPECT_LT(store->reads, 5000);
}
