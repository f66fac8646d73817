// The record navigator: which buttons are offered in each state of the table, the delete
// confirmation, and a refused post leaving the record open for correction.
#include "contracts/record_navigator.h"

#include "support/contract_fixture.h"
#include "support/qt_application.h"
#include "support/recording_desktop.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QToolButton>

#include <stdexcept>

using namespace contracts;
using testing_support::contractRow;
using testing_support::MemoryContracts;

namespace {

std::vector<QStringList> threeContracts() {
    return {contractRow(1, "1/26", "Кровля"), contractRow(2, "2/26", "Фасад"), contractRow(3, "3/26", "Сети")};
}

struct NavigatorFixture {
    testing_support::WithQtApplication app;
    MemoryContracts data;
    testing_support::RecordingDesktop desktop;
    RecordNavigator navigator{desktop};
    explicit NavigatorFixture(std::vector<QStringList> rows = threeContracts()) : data(std::move(rows)) {
        navigator.setDataSource(&data.module->ds1);
    }
    ContractTable& t() { return data.table(); }
    QString enabled() const {
        QString s;
        const char* letters = "IDPCR";
        for (int i = 0; i < 5; ++i)
            s += navigator.button(static_cast<NavigatorButton>(i))->isEnabled() ? QChar::fromLatin1(letters[i]) : u'-';
        return s;
    }
};

}  // namespace

// Enabled buttons as letters: Insert, Delete, Post, Cancel, Refresh.
TEST(RecordNavigator, ButtonsFollowEveryStateOfTheTable) {
    struct Case {
        const char* name;
        bool empty;
        bool readOnly;
        std::function<void(ContractTable&)> act;
        const char* expected;
    };
    const Case cases[] = {
        {"browse", false, false, [](ContractTable&) {}, "ID--R"},
        {"empty table", true, false, [](ContractTable&) {}, "I---R"},
        {"edit", false, false, [](ContractTable& t) { t.Edit(); }, "IDPCR"},
        {"insert", false, false, [](ContractTable& t) { t.Insert(); }, "IDPCR"},
        {"insert into an empty table", true, false, [](ContractTable& t) { t.Insert(); }, "IDPCR"},
        {"after post", false, false,
         [](ContractTable& t) { t.Edit(); t.FieldByName("KNomer").setText("9"); t.Post(); }, "ID--R"},
        {"after cancel of a new record in an empty table", true, false,
         [](ContractTable& t) { t.Insert(); t.Cancel(); }, "I---R"},
        {"after deleting the last record", false, false,
         [](ContractTable& t) { t.Delete(); t.Delete(); t.Delete(); }, "I---R"},
        {"read-only file", false, true, [](ContractTable&) {}, "-----"},
    };
    for (const Case& c : cases) {
        NavigatorFixture f(c.empty ? std::vector<QStringList>{} : threeContracts());
        if (c.readOnly) {
            f.data.store->setReadOnly(true);
            f.navigator.setDataSource(nullptr);  // the notice on binding reads the new mode
            f.navigator.setDataSource(&f.data.module->ds1);
        }
        c.act(f.t());
        EXPECT_EQ(f.enabled(), QString::fromLatin1(c.expected)) << c.name;
    }
}

TEST(RecordNavigator, UnboundNavigatorOffersNothingAndPressDoesNothing) {
    testing_support::qtApplication();
    testing_support::RecordingDesktop desktop;
    RecordNavigator navigator(desktop);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(navigator.button(static_cast<NavigatorButton>(i))->isEnabled());
        navigator.press(static_cast<NavigatorButton>(i));
    }
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST(RecordNavigator, FiveButtonsOfEqualWidthWithoutHintsOrFocus) {
    NavigatorFixture f;
    f.navigator.resize(305, 25);
    f.navigator.show();
    for (int i = 0; i < 5; ++i) {
        QToolButton* b = f.navigator.button(static_cast<NavigatorButton>(i));
        EXPECT_EQ(b->width(), 61);
        EXPECT_EQ(b->height(), 25);
        EXPECT_EQ(b->x(), 61 * i);
        EXPECT_TRUE(b->toolTip().isEmpty());
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
        EXPECT_FALSE(b->icon().isNull());
    }
}

TEST(RecordNavigator, DeleteAsksWithTheStockConfirmationAndOnlyOkDeletes) {
    for (const auto answer : {desktop::Answer::Cancel, desktop::Answer::Ok}) {
        NavigatorFixture f;
        f.t().moveTo(1);
        f.desktop.answers.push_back(answer);
        QTest::mouseClick(f.navigator.button(NavigatorButton::Delete), Qt::LeftButton);
        ASSERT_EQ(f.desktop.boxes.size(), 1u);
        const auto& box = f.desktop.boxes[0];
        EXPECT_EQ(box.title, "Confirm");
        EXPECT_EQ(box.text, "Delete record?");
        EXPECT_EQ(box.icon, desktop::Icon::Question);
        EXPECT_EQ(box.buttons, (QList<desktop::Answer>{desktop::Answer::Ok, desktop::Answer::Cancel}));
        EXPECT_EQ(box.defaultButton, desktop::Answer::Ok);
        if (answer == desktop::Answer::Cancel) {
            EXPECT_EQ(f.data.store->rows().size(), 3u);
            EXPECT_EQ(f.t().recNo(), 1);
        } else {
            ASSERT_EQ(f.data.store->rows().size(), 2u);
            EXPECT_EQ(f.data.stored(1, "KNomer"), "3/26");
            EXPECT_EQ(f.t().recNo(), 1);  // the record after it is current
        }
    }
}

TEST(RecordNavigator, DeletingARecordNotYetStoredOnlyDropsIt) {
    NavigatorFixture f;
    f.t().moveTo(1);
    f.navigator.press(NavigatorButton::Insert);
    ASSERT_EQ(f.t().state(), DataState::Insert);
    ASSERT_EQ(f.t().recordCount(), 4);
    f.desktop.answers.push_back(desktop::Answer::Ok);
    f.navigator.press(NavigatorButton::Delete);
    EXPECT_EQ(f.t().state(), DataState::Browse);
    EXPECT_EQ(f.t().recordCount(), 3);
    EXPECT_EQ(f.data.store->rows().size(), 3u);
    EXPECT_EQ(f.t().recNo(), 1);
    EXPECT_EQ(f.t().FieldByName("KNomer").AsString(), "2/26");
}

TEST(RecordNavigator, InsertPostCancelAndRefreshActOnTheTable) {
    NavigatorFixture f;
    f.t().moveTo(2);
    f.navigator.press(NavigatorButton::Insert);
    EXPECT_EQ(f.t().recNo(), 2);  // the new record takes the current row
    f.t().FieldByName("KNomer").setText("4/26");
    f.navigator.press(NavigatorButton::Post);
    EXPECT_EQ(f.t().state(), DataState::Browse);
    ASSERT_EQ(f.data.store->rows().size(), 4u);
    EXPECT_EQ(f.t().FieldByName("KNomer").AsString(), "4/26");

    f.t().Edit();
    f.t().FieldByName("KNomer").setText("изменён");
    f.navigator.press(NavigatorButton::Cancel);
    EXPECT_EQ(f.t().state(), DataState::Browse);
    EXPECT_EQ(f.t().FieldByName("KNomer").AsString(), "4/26");

    // Refresh with a written change stores it first.
    f.t().Edit();
    f.t().FieldByName("KPredmet").setText("Кровля и фасад");
    const int refreshes = f.data.store->refreshCount();
    f.navigator.press(NavigatorButton::Refresh);
    EXPECT_EQ(f.data.store->refreshCount(), refreshes + 1);
    EXPECT_EQ(f.t().state(), DataState::Browse);
    EXPECT_EQ(f.t().FieldByName("KPredmet").AsString(), "Кровля и фасад");

    // Refresh with a record opened but nothing written drops the change.
    f.t().Edit();
    f.navigator.press(NavigatorButton::Refresh);
    EXPECT_EQ(f.t().state(), DataState::Browse);
    EXPECT_EQ(f.data.store->rows().size(), 4u);
}

TEST(RecordNavigator, RefusedPostKeepsTheRecordOpenWithItsValuesAndPostCancelOffered) {
    NavigatorFixture f;
    f.t().Edit();
    f.t().FieldByName("KNomer").setText("1/26-изм");
    f.data.store->setWriteHook([](const char*) { throw std::runtime_error("Таблица «71BKontrakts.db» занята"); });
    EXPECT_THROW(f.navigator.press(NavigatorButton::Post), std::runtime_error);
    EXPECT_EQ(f.t().state(), DataState::Edit);
    EXPECT_TRUE(f.t().Modified());
    EXPECT_EQ(f.t().FieldByName("KNomer").AsString(), "1/26-изм");
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26");
    EXPECT_EQ(f.enabled(), "IDPCR");

    f.data.store->setWriteHook({});  // the lock is gone: post again
    f.navigator.press(NavigatorButton::Post);
    EXPECT_EQ(f.data.stored(0, "KNomer"), "1/26-изм");
    EXPECT_EQ(f.enabled(), "ID--R");
}
