#include "history/file_search.h"

#include "foundation/codepage.h"
#include "foundation/files.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A temporary folder to search, with helpers that take GBK names.
class SearchFolder {
public:
    SearchFolder() { m_root = unicodeToGbk(m_dir.path()) + kPathSeparator; }

    QByteArray root() const { return m_root; }
    void addFile(const QByteArray &relativePath) const { writeFileBytes(m_root + relativePath, "x"); }
    void addFolder(const QByteArray &relativePath) const
    {
        ASSERT_TRUE(QDir().mkpath(platformPath(m_root + relativePath)));
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_root;
};

QList<QByteArray> withPrefix(const QByteArray &prefix, const QList<QByteArray> &names)
{
    QList<QByteArray> paths;
    for (const QByteArray &name : names)
        paths.append(prefix + name);
    return paths;
}

TEST(FindFiles, ListsTheMonthFilesOldestFirstAndNothingElse)
{
    SearchFolder folder;
    for (const char *name : {"202506.WD.txt", "202412.WD.txt", "202507.WD.txt", "notes.txt",
                             "202507.WD.txt.bak", ".202301.WD.txt"})
        folder.addFile(name);
    folder.addFolder("x.WD.txt");
    folder.addFolder("sub");
    folder.addFile("sub/202401.WD.txt");

    QList<QByteArray> result{"stale entry"};
    const int count = findFiles(folder.root(), "*.WD.txt", result, true, true, false);

    const QList<QByteArray> expected = withPrefix(
            folder.root(), {".202301.WD.txt", "202412.WD.txt", "202506.WD.txt", "202507.WD.txt"});
    EXPECT_EQ(result, expected);
    EXPECT_EQ(count, expected.size());
}

TEST(FindFiles, AddsTheSeparatorToTheFolderAndLeavesItOutWithoutWithFolder)
{
    SearchFolder folder;
    folder.addFile("202507.WD.txt");
    const QByteArray withoutSeparator = folder.root().chopped(1);

    QList<QByteArray> result;
    findFiles(withoutSeparator, "*.WD.txt", result, true, true, false);
    EXPECT_EQ(result, QList<QByteArray>{folder.root() + "202507.WD.txt"});

    findFiles(withoutSeparator, "*.WD.txt", result, false, true, false);
    EXPECT_EQ(result, QList<QByteArray>{"202507.WD.txt"});
}

TEST(FindFiles, SortsByBytesWithCaseAndTwoByteCharactersAsUnits)
{
    SearchFolder folder;
    for (const QByteArray &name : {QByteArray("b.txt"), QByteArray("B.txt"), QByteArray("a.txt"),
                                   gbk("中.txt"), gbk("啊.txt"), QByteArray("~.txt")})
        folder.addFile(name);

    QList<QByteArray> result;
    findFiles(folder.root(), "*.txt", result, false, true, false);
    // 啊 is B0A1, 中 is D6D0: both after every ASCII byte.
    const QList<QByteArray> expected{"B.txt", "a.txt", "b.txt", "~.txt", gbk("啊.txt"),
                                     gbk("中.txt")};
    EXPECT_EQ(result, expected);
}

TEST(FindFiles, TakesEachPatternInTurn)
{
    SearchFolder folder;
    for (const char *name : {"a.ini", "b.ini", "202507.WD.txt", "readme"})
        folder.addFile(name);

    QList<QByteArray> result;
    // A file that matches two patterns is listed for each.
    EXPECT_EQ(findFiles(folder.root(), "*.ini|202507.WD.txt|?.ini", result, false, true, false), 5);
    const QList<QByteArray> expected{"202507.WD.txt", "a.ini", "a.ini", "b.ini", "b.ini"};
    EXPECT_EQ(result, expected);

    findFiles(folder.root(), "*", result, false, true, false);
    EXPECT_EQ(result.size(), 4);
    findFiles(folder.root(), "*.WD.TXT", result, false, true, false);
    EXPECT_TRUE(result.isEmpty());
}

TEST(FindFiles, QuestionMarkTakesOneCharacterOfOneOrTwoBytes)
{
    SearchFolder folder;
    for (const QByteArray &name : {gbk("中.log"), QByteArray("a.log"), QByteArray("ab.log")})
        folder.addFile(name);

    QList<QByteArray> result;
    findFiles(folder.root(), "?.log", result, false, true, false);
    EXPECT_EQ(result, (QList<QByteArray>{"a.log", gbk("中.log")}));
    findFiles(folder.root(), "??.log", result, false, true, false);
    EXPECT_EQ(result, QList<QByteArray>{"ab.log"});
    findFiles(folder.root(), gbk("中*"), result, false, true, false);
    EXPECT_EQ(result, QList<QByteArray>{gbk("中.log")});
}

TEST(FindFiles, IntoSubfoldersAppendsTheFilesOfEveryFolderBelow)
{
    SearchFolder folder;
    folder.addFile("2.WD.txt");
    folder.addFolder("a/deeper");
    folder.addFolder("b");
    folder.addFile("a/1.WD.txt");
    folder.addFile("a/deeper/3.WD.txt");
    folder.addFile("b/0.WD.txt");
    folder.addFile("b/other.txt");
    // A link back to the top must not make the search endless.
    ASSERT_TRUE(QFile::link(platformPath(folder.root()), platformPath(folder.root() + "b/loop")));

    QList<QByteArray> result{"kept"};
    const int count = findFiles(folder.root(), "*.WD.txt", result, true, true, true);

    QList<QByteArray> files =
            withPrefix(folder.root(), {"2.WD.txt", "a/1.WD.txt", "a/deeper/3.WD.txt", "b/0.WD.txt"});
    files.append("kept");
    std::sort(files.begin(), files.end(),
              [](const QByteArray &a, const QByteArray &b) { return a < b; });
    EXPECT_EQ(result, files);
    EXPECT_EQ(count, 5);
}

TEST(FindFiles, RunsTheCallbackAfterEachFileAndSubfolder)
{
    SearchFolder folder;
    for (const char *name : {"1.WD.txt", "2.WD.txt", "3.WD.txt", "other"})
        folder.addFile(name);
    folder.addFolder("sub");

    int calls = 0;
    QList<QByteArray> result;
    findFiles(folder.root(), "*.WD.txt", result, true, true, false, [&calls] { ++calls; });
    EXPECT_EQ(calls, 3);
    calls = 0;
    findFiles(folder.root(), "*.WD.txt", result, true, true, true, [&calls] { ++calls; });
    EXPECT_EQ(calls, 4);
}

TEST(FindFiles, AMissingFolderGivesAnEmptyList)
{
    SearchFolder folder;
    QList<QByteArray> result{"stale"};
    EXPECT_EQ(findFiles(folder.root() + "missing", "*.WD.txt", result, true, true, false), 0);
    EXPECT_TRUE(result.isEmpty());
}

struct BaseNameCase {
    QByteArray path;
    QByteArray baseName;
};

class FileBaseNameTest : public testing::TestWithParam<BaseNameCase> {};

TEST_P(FileBaseNameTest, DropsTheFolderAndTheLastExtension)
{
    EXPECT_EQ(fileBaseName(GetParam().path), GetParam().baseName);
}

INSTANTIATE_TEST_SUITE_P(
        Table, FileBaseNameTest,
        testing::Values(BaseNameCase{"/home/u/Documents/History/202507.WD.txt", "202507.WD"},
                        BaseNameCase{"202507.WD.txt", "202507.WD"},
                        BaseNameCase{"/a.b/c", "c"}, BaseNameCase{"/a/noextension", "noextension"},
                        BaseNameCase{"/a/History/", ""}, BaseNameCase{"/a/.hidden", ""},
                        BaseNameCase{"/a/name.", "name"}, BaseNameCase{"", ""},
                        BaseNameCase{gbk("/文件夹/历史.WD.txt"), gbk("历史.WD")}));

} // namespace
