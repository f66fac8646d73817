// The contract table over a real Paradox file: what is posted is in the file, another
// program's change appears on Refresh, a read-only file offers no changes.
#include "contracts/data_module.h"
#include "contracts/paradox_record_store.h"
#include "platform/paradox/table.h"
#include "tools/contract_schema.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <filesystem>

using namespace contracts;
namespace fs = std::filesystem;

namespace {

struct FileFixture {
    QTemporaryDir dir;
    fs::path file;
    FileFixture() {
        file = fs::path(dir.path().toStdString()) / "71BKontrakts.db";
        auto t = paradox::Table::create(file, telma::contractFields(), telma::kContractKeyFields);
        std::vector<std::optional<std::string>> row(17);
        row[1] = "12/2026";
        row[2] = "Капитальный ремонт кровли";
        t.insert(row);
        row[1] = "13/2026";
        t.insert(row);
    }
    paradox::Table reopen() const { return paradox::Table::open(file); }
};

}  // namespace

TEST(ContractFile, PostedEditAndNewRecordAreInTheFile) {
    FileFixture f;
    TfDM15 dm(f.file);
    ContractTable& t = dm.tbl1;
    ASSERT_EQ(t.recordCount(), 2);
    t.Edit();
    t.FieldByName("KSumma").setText(QStringLiteral("1500000.00"));
    t.Post();
    t.Append();
    t.FieldByName("KNomer").setText(QStringLiteral("14/2026"));
    t.Post();

    paradox::Table check = f.reopen();
    ASSERT_EQ(check.recordCount(), 3u);
    EXPECT_EQ(check.text(0, check.fieldIndex("KSumma")), "1500000.00");
    EXPECT_EQ(check.text(2, check.fieldIndex("KNomer")), "14/2026");
    EXPECT_EQ(check.text(2, check.fieldIndex("KKK")), "3");  // the next autoincrement value
    EXPECT_EQ(check.text(2, check.fieldIndex("KMetka")), "");
    EXPECT_TRUE(check.check().empty());
}

TEST(ContractFile, TooLongTextIsRefusedNamingTheFieldAndNothingIsWritten) {
    FileFixture f;
    TfDM15 dm(f.file);
    ContractTable& t = dm.tbl1;
    t.Edit();
    t.FieldByName("KNomer").setText(QString(61, QChar(u'Ж')));
    try {
        t.Post();
        FAIL() << "a 61-character number was stored in a 60-character field";
    } catch (const paradox::Error& e) {
        EXPECT_NE(std::string(e.what()).find("KNomer"), std::string::npos) << e.what();
    }
    EXPECT_EQ(t.state(), DataState::Edit);
    EXPECT_EQ(t.text(1), QString(61, QChar(u'Ж')));
    EXPECT_EQ(f.reopen().text(0, 1), "12/2026");
}

TEST(ContractFile, RefreshShowsAnotherProgramsChange) {
    FileFixture f;
    TfDM15 dm(f.file);
    {
        paradox::Table other = f.reopen();
        std::vector<std::optional<std::string>> row = other.rowTexts(1);
        row[1] = "изменён другой программой";
        other.update(1, row);
    }
    dm.tbl1.moveTo(1);
    dm.tbl1.Refresh();
    EXPECT_EQ(dm.tbl1.FieldByName("KNomer").AsString(), QStringLiteral("изменён другой программой"));
    EXPECT_EQ(dm.tbl1.recNo(), 1);
}

TEST(ContractFile, ReadOnlyFileOpensForReadingOnly) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes to read-only files";
    FileFixture f;
    fs::permissions(f.file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::path px = f.file;
    px.replace_extension(".px");
    if (fs::exists(px)) fs::permissions(px, fs::perms::owner_read);
    TfDM15 dm(f.file);
    EXPECT_FALSE(dm.tbl1.canModify());
    EXPECT_EQ(dm.tbl1.FieldByName("KNomer").AsString(), QStringLiteral("12/2026"));
    EXPECT_THROW(dm.tbl1.Edit(), TableError);
}

TEST(ContractFile, TableOpenedReadOnlyRefusesEveryChange) {
    FileFixture f;
    paradox::OpenOptions options;
    options.readOnly = true;
    TfDM15 dm(std::make_unique<ParadoxRecordStore>(paradox::Table::open(f.file, options)));
    EXPECT_FALSE(dm.tbl1.canModify());
    EXPECT_FALSE(dm.ds1.edit());
    EXPECT_THROW(dm.tbl1.Insert(), TableError);
    EXPECT_THROW(dm.tbl1.Delete(), TableError);
    EXPECT_EQ(f.reopen().recordCount(), 2u);
}

TEST(ContractFile, MissingFileNamesTheFileAndTheFolder) {
    QTemporaryDir dir;
    const fs::path file = fs::path(dir.path().toStdString()) / "71BKontrakts.db";
    try {
        TfDM15 dm(file);
        FAIL() << "a missing table opened";
    } catch (const std::exception& e) {
        const QString msg = QString::fromUtf8(e.what());
        EXPECT_TRUE(msg.contains(QStringLiteral("71BKontrakts.db"))) << e.what();
        EXPECT_TRUE(msg.contains(dir.path())) << e.what();
    }
}
