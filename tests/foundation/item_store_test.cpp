#include "foundation/files.h"
#include "foundation/item_store.h"

#include "tests/foundation/case_names.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray bytes(const char *s, qsizetype size) { return QByteArray(s, size); }

using SettingsFile = ScratchFile;

// ---- listSectionNames ------------------------------------------------------

struct ListCase {
    const char *name;
    QByteArray content;
    QList<QByteArray> expected;
};

class SectionListing : public testing::TestWithParam<ListCase> {};

TEST_P(SectionListing, ListsHeaderNamesInFileOrder)
{
    const ListCase &c = GetParam();
    SettingsFile file;
    file.write(c.content);
    EXPECT_EQ(listSectionNames(file.path()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, SectionListing, testing::Values(
    ListCase{"three sections", "[S1]\r\na=1\r\n[S2]\r\na=2\r\n[S3]\r\na=3\r\n", {"S1", "S2", "S3"}},
    ListCase{"reference file", fixtureBytes("ROOMSETTING.ini"), {"A01", gbk("大厅1号"), gbk("包间-豪华")}},
    ListCase{"blank before bracket not listed", "[A]\r\n [D]\r\n\t[E]\r\n", {"A"}},
    ListCase{"bar is part of the name", "[x|y]\r\n", {"x|y"}},
    ListCase{"empty names skipped", "[]\r\n[A]\r\n[]\r\n[B]\r\n[]\r\n", {"A", "B"}},
    ListCase{"duplicates listed twice", "[A]\r\n[B]\r\n[A]\r\n", {"A", "B", "A"}},
    ListCase{"text after bracket ignored", "[A01]x\r\n", {"A01"}},
    ListCase{"name up to the first bracket", "[a]b]\r\n", {"a"}},
    ListCase{"trail byte equal to bracket", "[\x81]x]\r\n", {"\x81]x"}},
    ListCase{"lone bracket is no header", "[\r\n[A\r\nk=[B]\r\n", {}},
    ListCase{"empty file", "", {}},
    ListCase{"key lines only", "a=1\r\nb=2\r\n", {}},
    ListCase{"line feeds alone and no final line end", "[A]\n[B]", {"A", "B"}},
    ListCase{"lone carriage return does not split", "[A]\r[B]\r\n", {"A"}},
    ListCase{"sections after a zero byte", bytes("[A]\r\n\0\r\n[B]\r\n", 13), {"A", "B"}},
    ListCase{"sections after an end-of-text byte", "[A]\r\n\x1a\r\n[B]\r\n", {"A", "B"}}),
    caseName<ListCase>);

TEST(SectionListing, MissingFileGivesAnEmptyList)
{
    SettingsFile file;
    EXPECT_TRUE(listSectionNames(file.path()).isEmpty());
    EXPECT_FALSE(file.exists());
    EXPECT_TRUE(listSectionNames("").isEmpty());
}

TEST(SectionListing, SnapshotListsAndAnswersFromTheSameRead)
{
    SettingsFile file;
    file.write(fixtureBytes("ROOMSETTING.ini") + " [indented]\r\nk=v\r\n");
    const SettingsSnapshot snapshot = readSettingsSnapshot(file.path());
    EXPECT_EQ(snapshot.itemNames, listSectionNames(file.path()));
    EXPECT_EQ(snapshot.itemNames, (QList<QByteArray>{"A01", gbk("大厅1号"), gbk("包间-豪华")}));
    EXPECT_EQ(snapshot.values.value(gbk("包间-豪华"), gbk("超时单价")), "40");
    // The reader finds an indented header that the list leaves out.
    EXPECT_EQ(snapshot.values.value("indented", "k"), "v");
    EXPECT_TRUE(readSettingsSnapshot(file.path() + ".missing").itemNames.isEmpty());
}

// ---- removeSection ---------------------------------------------------------

struct RemoveCase {
    const char *name;
    QByteArray before;
    QByteArray section;
    QByteArray after;
};

class SectionRemoval : public testing::TestWithParam<RemoveCase> {};

TEST_P(SectionRemoval, CutsExactlyTheFirstSection)
{
    const RemoveCase &c = GetParam();
    SettingsFile file;
    file.write(c.before);
    const Result removed = removeSection(file.path(), c.section);
    ASSERT_TRUE(removed.ok()) << removed.message().toStdString();
    EXPECT_EQ(file.content(), c.after);
}

const QByteArray kThree = "[S1]\r\na=1\r\n[S2]\r\na=2\r\nb=2\r\n[S3]\r\na=3\r\n";

INSTANTIATE_TEST_SUITE_P(Rules, SectionRemoval, testing::Values(
    RemoveCase{"middle", kThree, "S2", "[S1]\r\na=1\r\n[S3]\r\na=3\r\n"},
    RemoveCase{"first", kThree, "S1", "[S2]\r\na=2\r\nb=2\r\n[S3]\r\na=3\r\n"},
    RemoveCase{"last to the end of the file", kThree + "\r\n; tail\r\n", "S3",
               "[S1]\r\na=1\r\n[S2]\r\na=2\r\nb=2\r\n"},
    RemoveCase{"only section", "[S]\r\na=1\r\n", "S", ""},
    RemoveCase{"name not found", kThree, "S4", kThree},
    RemoveCase{"case matters", kThree, "s2", kThree},
    RemoveCase{"only the first of two", "[A]\r\na=1\r\n[B]\r\n[A]\r\na=2\r\n", "A", "[B]\r\n[A]\r\na=2\r\n"},
    RemoveCase{"bracket in a value does not end the cut", "[S1]\r\nnote=see [S3]\r\nb=[x\r\n[S2]\r\n", "S1",
               "[S2]\r\n"},
    RemoveCase{"header text inside a line does not start the cut", "[S1]\r\nnote=[S2]\r\n[S2]\r\na=2\r\n", "S2",
               "[S1]\r\nnote=[S2]\r\n"},
    RemoveCase{"indented header is not the one removed", " [S2]\r\na=1\r\n[S2]\r\na=2\r\n", "S2", " [S2]\r\na=1\r\n"},
    RemoveCase{"indented header ends the cut", "[S1]\r\na=1\r\n  [S2]\r\na=2\r\n", "S1", "  [S2]\r\na=2\r\n"},
    RemoveCase{"header line with text after the bracket", "[S1] old\r\na=1\r\n[S2]\r\n", "S1", "[S2]\r\n"},
    RemoveCase{"longer name is another section", "[S10]\r\na=1\r\n[S1]\r\na=2\r\n", "S1", "[S10]\r\na=1\r\n"},
    RemoveCase{"bytes after a zero byte kept", bytes("[S1]\r\na=\0x\r\n[S2]\r\nb=\0y\r\n", 24), "S1",
               bytes("[S2]\r\nb=\0y\r\n", 12)},
    RemoveCase{"zero byte before the section", bytes("x\0y\r\n[S1]\r\na=1\r\n[S2]\r\n", 22), "S1",
               bytes("x\0y\r\n[S2]\r\n", 11)},
    RemoveCase{"line feeds alone", "[S1]\na=1\n[S2]\nb=2\n", "S1", "[S2]\nb=2\n"},
    RemoveCase{"gbk name", gbk("[大厅1号]\r\n状态=空闲中\r\n[包间]\r\n"), gbk("大厅1号"), gbk("[包间]\r\n")},
    RemoveCase{"reference file item", fixtureBytes("ROOMSETTING.ini"), "A01",
               fixtureBytes("ROOMSETTING.ini").mid(fixtureBytes("ROOMSETTING.ini").indexOf("\n[") + 1)}),
    caseName<RemoveCase>);

TEST(SectionRemoval, MissingFileStaysMissing)
{
    SettingsFile file;
    EXPECT_TRUE(removeSection(file.path(), "S").ok());
    EXPECT_FALSE(file.exists());
}

TEST(SectionRemoval, UnreadableFileIsReportedAndKept)
{
    SettingsFile file;
    ASSERT_TRUE(QDir().mkpath(platformPath(file.path())));
    const Result removed = removeSection(file.path(), "S");
    EXPECT_FALSE(removed.ok());
    EXPECT_TRUE(removed.message().contains(platformPath(file.path()))) << removed.message().toStdString();
    EXPECT_TRUE(QFileInfo(platformPath(file.path())).isDir());
}

// ---- Tariffs -----------------------------------------------------------------

TEST(Tariffs, ReadWithoutDefaults)
{
    const IniSnapshot settings = IniSnapshot::fromContent(
            fixtureBytes("ROOMSETTING.ini") + "[odd]\r\n" + gbk("初始时段") + "=abc\r\n" + gbk("超时单价")
            + "= 12 \r\n");
    EXPECT_EQ(readTariff(settings, "A01"), kDefaultTariff);
    EXPECT_EQ(readTariff(settings, gbk("包间-豪华")), (Tariff{120, 50, 15, 40}));
    EXPECT_EQ(readTariff(settings, "missing"), Tariff{});
    EXPECT_EQ(readTariff(settings, "odd"), (Tariff{0, 0, 0, 12}));
}

} // namespace
