// GenerateLetter over a template folder in a fresh current directory, with a recording desktop.
#include "fake_fields.h"

#include "../platform/docx/docx_fixture.h"
#include "merge/generate_letter.h"
#include "platform/desktop.h"
#include "platform/docx/package.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

using merge_test::FakeFields;
using namespace docx_test;

namespace {

class RecordingDesktop : public desktop::Desktop {
public:
    void message(QWidget*, const QString&, const QString& text, desktop::Icon icon) override
    {
        messages << text;
        icons << icon;
    }
    desktop::Answer ask(QWidget*, const QString&, const QString&, desktop::Icon, const QList<desktop::Answer>&,
                        desktop::Answer d) override
    {
        return d;
    }
    bool openUrl(const QUrl&) override { return true; }
    bool openFile(const QString& path) override
    {
        opened << path;
        return openSucceeds;
    }
    QStringList messages;
    QList<desktop::Icon> icons;
    QStringList opened;
    bool openSucceeds = true;
};

class GenerateLetterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QDir().mkdir("PTemplates");
    }
    void TearDown() override { QDir::setCurrent(previous); }

    void writeTemplate(const QString& name, const std::string& body)
    {
        QFile f("PTemplates/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const std::string bytes = makeDocx(body);
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    static std::string textOf(const QString& path)
    {
        return docx::Package::open(path.toStdString()).text();
    }
    QString inFolder(const QString& name) const { return QDir::toNativeSeparators(dir.path() + "/PTemplates/" + name); }

    QTemporaryDir dir;
    QString previous;
    RecordingDesktop desk;
};

TEST_F(GenerateLetterTest, MissingTemplateGivesThePlainMessageOnly)
{
    QDir().mkdir("PTemplates/1Razdmt.docx");  // a folder of that name is no template
    QFile old("PTemplates/2.docx");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier letter");
    old.close();
    FakeFields fields(merge_test::contractFieldNames(), {});
    for (const char* name : {"1Uvednachalerabot.docx", "1Razdmt.docx"}) {
        desk.messages.clear();
        EXPECT_EQ(merge::GenerateLetter(name, "2.docx", fields, desk), QString());
        EXPECT_EQ(desk.messages, QStringList{QStringLiteral("Нет шаблона \"%1\"!").arg(name)});
        EXPECT_EQ(desk.icons.last(), desktop::Icon::None);
    }
    EXPECT_TRUE(desk.opened.isEmpty());
    EXPECT_EQ(fields.passes, 0);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "earlier letter");  // the working copy is left alone

    QDir::setCurrent(dir.path() + "/PTemplates");  // a directory without a PTemplates folder
    desk.messages.clear();
    merge::GenerateLetter("1Uvednachalerabot.docx", "2.docx", fields, desk);
    EXPECT_EQ(desk.messages, QStringList{"Нет шаблона \"1Uvednachalerabot.docx\"!"});
}

TEST_F(GenerateLetterTest, WritesTheMergedWorkingCopyAndOpensIt)
{
    writeTemplate("1Uvednachalerabot.docx",
                  para(run("Контракт № &lt;KNo") + run("mer&gt; от &lt;KDate&gt;, &lt;KNomer&gt;.")) +
                      para(run("&lt;KZakaz&gt; &lt;Неизвестно&gt; &lt;KInfo&gt;")));
    QFile old("PTemplates/2.docx");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("stale letter of another type");
    old.close();
    FakeFields fields(merge_test::contractFieldNames(),
                      {{"KNomer", "17/4"}, {"KDate", "01.02.2026"}, {"KZakaz", "ООО «Заказ» & <Ко>"}});
    const QString written = merge::GenerateLetter("1Uvednachalerabot.docx", "2.docx", fields, desk);
    EXPECT_EQ(written, inFolder("2.docx"));
    EXPECT_EQ(desk.opened, QStringList{written});
    EXPECT_TRUE(desk.messages.isEmpty());
    EXPECT_EQ(fields.passes, 17);
    EXPECT_EQ(textOf(written), "Контракт № 17/4 от 01.02.2026, 17/4.\nООО «Заказ» & <Ко> <Неизвестно> \n");
    EXPECT_EQ(QDir("PTemplates").entryList(QDir::Files).size(), 2);  // template and letter, no temporary
}

TEST_F(GenerateLetterTest, PassesRunInFieldOrder)
{
    writeTemplate("1T.docx", para(run("[&lt;A&gt;][&lt;B&gt;][&lt;C&gt;]")));
    struct Case {
        QMap<QString, QString> values;
        std::string expected;
    };
    const Case cases[] = {
        // A later field's placeholder inside an earlier value is replaced again...
        {{{"A", "a<B>"}, {"B", "b"}, {"C", ""}}, "[ab][b][]\n"},
        // ...an earlier one inside a later value stays.
        {{{"A", "a"}, {"B", "b<A>"}, {"C", "<B>"}}, "[a][b<A>][<B>]\n"},
        // An empty table: every field gives the empty text.
        {{}, "[][][]\n"},
    };
    for (const Case& c : cases) {
        FakeFields fields({"A", "B", "C"}, c.values);
        const QString written = merge::GenerateLetter("1T.docx", "2.docx", fields, desk);
        EXPECT_EQ(textOf(written), c.expected);
    }
}

TEST_F(GenerateLetterTest, WorkingCopyHeldOpenGoesToTheFirstFreeName)
{
    writeTemplate("1T.docx", para(run("&lt;A&gt;")));
    FakeFields fields({"A"}, {{"A", "новое"}});
    struct Case {
        QStringList present;  // files lying in the folder
        QString expected;
    };
    const Case cases[] = {
        {{"2.docx", "~$2.docx"}, "2 (1).docx"},
        {{"2.docx", ".~lock.2.docx#"}, "2 (1).docx"},
        {{"2.docx", "~$2.docx", "2 (1).docx"}, "2 (2).docx"},
        {{"2.docx", "~$2.docx", "2 (1).docx", "2 (2).docx", ".~lock.2 (3).docx#"}, "2 (4).docx"},
        {{"2.docx", "~$2.docx", "~$(1).docx"}, "2 (2).docx"},
        {{"2.docx"}, "2.docx"},
    };
    for (const Case& c : cases) {
        for (const QString& name : QDir("PTemplates").entryList({"2*", "~*", ".~*"}, QDir::Files | QDir::Hidden))
            QFile::remove("PTemplates/" + name);
        for (const QString& name : c.present) {
            QFile f("PTemplates/" + name);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        desk.opened.clear();
        const QString written = merge::GenerateLetter("1T.docx", "2.docx", fields, desk);
        EXPECT_EQ(written, inFolder(c.expected));
        EXPECT_EQ(desk.opened, QStringList{written});
        EXPECT_EQ(textOf(written), "новое\n");
        if (c.expected != "2.docx") {
            QFile kept("PTemplates/2.docx");
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), "old");  // the open letter is not touched
        }
    }
}

TEST_F(GenerateLetterTest, NoWorkingCopyPossibleIsAnErrorNamingTheFolder)
{
    writeTemplate("1T.docx", para(run("&lt;A&gt;")));
    FakeFields fields({"A"}, {});
    // Every name taken by a folder: nothing can be written.
    QDir().mkdir("PTemplates/2.docx");
    for (int i = 1; i <= 20; ++i)
        QDir().mkdir(QStringLiteral("PTemplates/2 (%1).docx").arg(i));
    try {
        merge::GenerateLetter("1T.docx", "2.docx", fields, desk);
        FAIL() << "no error";
    } catch (const merge::MergeError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QDir::toNativeSeparators(dir.path() + "/PTemplates")))
            << e.what();
    }
    EXPECT_TRUE(desk.opened.isEmpty());
}

TEST_F(GenerateLetterTest, ReadOnlyFolderIsAnErrorNamingTheFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    writeTemplate("1T.docx", para(run("&lt;A&gt;")));
    QFile::setPermissions("PTemplates", QFile::ReadOwner | QFile::ExeOwner);
    FakeFields fields({"A"}, {});
    EXPECT_THROW(merge::GenerateLetter("1T.docx", "2.docx", fields, desk), merge::MergeError);
    QFile::setPermissions("PTemplates", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(desk.opened.isEmpty());
    EXPECT_FALSE(QFile::exists("PTemplates/2.docx"));
}

TEST_F(GenerateLetterTest, FailuresAreErrorsThatNameTheThing)
{
    writeTemplate("1T.docx", para(run("&lt;A&gt;")));
    {
        FakeFields fields({"A"}, {});
        desk.openSucceeds = false;
        try {
            merge::GenerateLetter("1T.docx", "2.docx", fields, desk);
            FAIL() << "no error";
        } catch (const merge::MergeError& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(inFolder("2.docx"))) << e.what();
        }
        desk.openSucceeds = true;
    }
    {
        // A corrupt template: an error naming it, no letter written or opened.
        QFile f("PTemplates/1Bad.docx");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("PK\x03\x04 broken");
        f.close();
        QFile::remove("PTemplates/2.docx");
        desk.opened.clear();
        FakeFields fields({"A"}, {});
        try {
            merge::GenerateLetter("1Bad.docx", "2.docx", fields, desk);
            FAIL() << "no error";
        } catch (const merge::MergeError& e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains("1Bad.docx")) << e.what();
        }
        EXPECT_FALSE(QFile::exists("PTemplates/2.docx"));
        EXPECT_TRUE(desk.opened.isEmpty());
    }
}

TEST(LetterPaths, BuiltFromTheCurrentDirectoryUnchanged)
{
    const QString sep = QDir::separator();
    const merge::LetterPaths atRoot = merge::letterPaths(sep, "1T.docx", "2.docx");
    EXPECT_EQ(atRoot.templatePath, sep + sep + "PTemplates" + sep + "1T.docx");
    EXPECT_EQ(atRoot.workingCopyPath, sep + sep + "PTemplates" + sep + "2.docx");
    EXPECT_EQ(merge::letterPaths("/home/u", "1T.docx", "2.docx").templatePath, "/home/u" + sep + "PTemplates" + sep + "1T.docx");
    EXPECT_EQ(merge::candidateName("2.docx", 0), "2.docx");
    EXPECT_EQ(merge::candidateName("2.docx", 3), "2 (3).docx");
}

}  // namespace
