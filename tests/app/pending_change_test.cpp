// Closing the main page with a contract change pending, and start-up without a table.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <stdexcept>

#include "app/pending_change.h"
#include "app/screen_registry.h"
#include "app/startup.h"
#include "contracts/data_module.h"
#include "contracts/data_source.h"
#include "contracts/memory_record_store.h"
#include "support/recording_desktop.h"
#include "test_app.h"

namespace {

using contracts::DataState;
using desktop::Answer;

// A bound control holding typed text that it has not written yet.
class PendingEdit final : public contracts::DataLink {
public:
    int field = 1;
    QString pending;
    void updateRecord() override
    {
        if (!pending.isEmpty())
            table()->setText(field, pending);
        pending.clear();
    }
    void discardPending() override { pending.clear(); }
    void dataChanged(const contracts::TableChange&) override {}
};

class PendingChange : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::telmaApplication();
        edit.setDataSource(nullptr);  // SetUp runs again per case below
        auto store = std::make_unique<contracts::MemoryRecordStore>(
            std::vector<contracts::FieldDef>{{"KKK", 0, true}, {"KNomer", 20, false}},
            std::vector<QStringList>{{"1", "12/25-П"}, {"2", "0148300012525000031"}});
        memory = store.get();
        dm = std::make_unique<contracts::TfDM15>(std::move(store));
        edit.setDataSource(&dm->ds1);
    }
    bool close() { return app::settlePendingChange(dm->tbl1, desktop, nullptr, QStringLiteral("Telma")); }
    QString stored(int row) { return memory->rows().at(row).at(1); }

    testing_support::RecordingDesktop desktop;
    contracts::MemoryRecordStore* memory = nullptr;
    std::unique_ptr<contracts::TfDM15> dm;
    PendingEdit edit;
};

TEST_F(PendingChange, NothingPendingEndsWithoutAQuestion)
{
    EXPECT_TRUE(close());  // browse
    dm->tbl1.Edit();
    EXPECT_TRUE(close());  // edit, nothing typed
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(stored(0), QStringLiteral("12/25-П"));
}

TEST_F(PendingChange, AnswersDecideBetweenSavingDroppingAndStaying)
{
    const struct { Answer answer; bool ends; const char* storedAfter; DataState stateAfter; } cases[] = {
        {Answer::Yes, true, "12/25-П-изм", DataState::Browse},
        {Answer::No, true, "12/25-П", DataState::Browse},
        {Answer::Cancel, false, "12/25-П", DataState::Edit},
    };
    for (const auto& c : cases) {
        SetUp();
        // The change is only in the control: closing writes it first, then asks.
        dm->tbl1.Edit();
        edit.pending = QStringLiteral("12/25-П-изм");
        desktop.answers = {c.answer};
        EXPECT_EQ(close(), c.ends) << int(c.answer);
        ASSERT_EQ(desktop.boxes.size(), 1u) << int(c.answer);
        EXPECT_EQ(desktop.boxes[0].text, QStringLiteral("Сохранить изменения в контракте?"));
        EXPECT_EQ(desktop.boxes[0].title, QStringLiteral("Telma"));
        EXPECT_EQ(desktop.boxes[0].icon, desktop::Icon::Question);
        EXPECT_EQ(desktop.boxes[0].buttons, (QList<Answer>{Answer::Yes, Answer::No, Answer::Cancel}));
        EXPECT_EQ(stored(0), QString::fromUtf8(c.storedAfter)) << int(c.answer);
        EXPECT_EQ(dm->tbl1.state(), c.stateAfter) << int(c.answer);
        if (c.answer == Answer::Cancel) {
            EXPECT_EQ(dm->tbl1.text(1), QStringLiteral("12/25-П-изм"));  // the typed text is kept
        }
        desktop.boxes.clear();
    }
}

TEST_F(PendingChange, AnInsertedRecordIsSavedOnYes)
{
    dm->tbl1.Append();
    dm->tbl1.setText(1, QStringLiteral("45-СМР"));
    desktop.answers = {Answer::Yes};
    EXPECT_TRUE(close());
    ASSERT_EQ(memory->rows().size(), 3u);
    EXPECT_EQ(stored(2), QStringLiteral("45-СМР"));
}

TEST_F(PendingChange, ARefusedSaveIsShownAndTheProgramStaysOpen)
{
    dm->tbl1.Edit();
    // Longer than the field's twenty characters: the table refuses it at Post.
    dm->tbl1.setText(1, QStringLiteral("0148300012525000031-доп"));
    desktop.answers = {Answer::Yes};
    EXPECT_FALSE(close());
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[1].icon, desktop::Icon::Error);
    EXPECT_EQ(desktop.boxes[1].title, QStringLiteral("Telma"));
    EXPECT_TRUE(desktop.boxes[1].text.contains(QStringLiteral("KNomer"))) << qPrintable(desktop.boxes[1].text);
    EXPECT_EQ(dm->tbl1.state(), DataState::Edit);
    EXPECT_EQ(dm->tbl1.text(1), QStringLiteral("0148300012525000031-доп"));
    EXPECT_EQ(stored(0), QStringLiteral("12/25-П"));
}

TEST(StartupWithoutTable, NamesTheFileAndFolderAndExitsWithOne)
{
    auto& application = testing_support::telmaApplication();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    testing_support::RecordingDesktop desktop;
    const int code = app::runTelma(application, desktop);
    QDir::setCurrent(previous);

    EXPECT_EQ(code, 1);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, QStringLiteral("Application Error"));
    EXPECT_EQ(desktop.boxes[0].icon, desktop::Icon::Error);
    EXPECT_TRUE(desktop.boxes[0].text.contains(QStringLiteral("71BKontrakts.db"))) << qPrintable(desktop.boxes[0].text);
    EXPECT_TRUE(desktop.boxes[0].text.contains(QDir(folder.path()).canonicalPath()) ||
                desktop.boxes[0].text.contains(folder.path()))
        << qPrintable(desktop.boxes[0].text);
    EXPECT_TRUE(desktop.boxes[0].visibleScreens.isEmpty());
}

}  // namespace
