#include "foundation/files.h"

#include "tests/foundation/case_names.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray bytes(const char *s, qsizetype size) { return QByteArray(s, size); }

class Folder {
public:
    QByteArray path(const char *name) const { return QFile::encodeName(m_dir.path()) + '/' + name; }
    QByteArray root() const { return QFile::encodeName(m_dir.path()); }
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private:
    QTemporaryDir m_dir;
};

// ---- readTextLine ----------------------------------------------------------

struct LineCase {
    const char *name;
    QByteArray content;
    QList<QByteArray> lines;  // read while isAtEndOfFile() is false
};

class TextLines : public testing::TestWithParam<LineCase> {};

TEST_P(TextLines, ReadsLinesUntilTheEnd)
{
    const LineCase &c = GetParam();
    Folder folder;
    writeFileBytes(folder.path("f.txt"), c.content);
    OpenFile file = openFile(folder.path("f.txt"), OpenFile::Access::Read);
    ASSERT_TRUE(file.isOpen());
    QList<QByteArray> lines;
    while (!file.isAtEndOfFile() && lines.size() <= c.lines.size())
        lines.append(file.readTextLine());
    EXPECT_EQ(lines, c.lines);
    EXPECT_TRUE(file.isAtEndOfFile());
}

const QByteArray k511(511, 'a');

INSTANTIATE_TEST_SUITE_P(Rules, TextLines, testing::Values(
    LineCase{"crlf lines", "a\r\nbc\r\n", {"a", "bc"}},
    LineCase{"last line without line end", "a\r\nbc", {"a", "bc"}},
    LineCase{"line feeds alone", "a\n\nb\n", {"a", "", "b"}},
    LineCase{"one carriage return dropped", "a\r\r\n", {"a\r"}},
    LineCase{"lone carriage return inside", "a\rb\r\n", {"a\rb"}},
    LineCase{"carriage return at the end", "a\r", {"a"}},
    LineCase{"zero byte stops", bytes("ab\0cd\r\nx\r\n", 10), {"ab"}},
    LineCase{"zero byte first", bytes("\0ab\r\n", 5), {}},
    LineCase{"end-of-text byte stops", "ab\x1a" "cd\r\n", {"ab"}},
    LineCase{"lead byte takes a line feed", "\x81\nx\ny\n", {"\x81\nx", "y"}},
    LineCase{"lead byte takes a zero byte", bytes("\x81\0x\n", 4), {bytes("\x81\0x", 3)}},
    LineCase{"lead byte takes an end-of-text byte", "\x81\x1ax\n", {"\x81\x1ax"}},
    LineCase{"lead byte at the end", "ab\x81", {"ab\x81"}},
    LineCase{"gbk text", gbk("大厅\r\n包间\r\n"), {gbk("大厅"), gbk("包间")}},
    LineCase{"lead byte across a block edge", k511 + "\x81\nz\n", {k511 + "\x81\nz"}},
    LineCase{"line feed at a block edge", k511 + "\n" + "z", {k511, "z"}},
    LineCase{"line longer than blocks", QByteArray(2000, 'x') + "\r\ny", {QByteArray(2000, 'x'), "y"}},
    LineCase{"empty file", "", {}}),
    caseName<LineCase>);

TEST(TextLines, EndTestDoesNotMoveAndWritesGoAtTheEnd)
{
    Folder folder;
    writeFileBytes(folder.path("f.txt"), "ab\r\n");
    OpenFile file = openFile(folder.path("f.txt"));
    ASSERT_TRUE(file.isOpen());
    EXPECT_FALSE(file.isAtEndOfFile());
    EXPECT_FALSE(file.isAtEndOfFile());
    file.seekToEnd();
    EXPECT_TRUE(file.isAtEndOfFile());
    EXPECT_TRUE(file.writeText("cd"));
    EXPECT_TRUE(file.writeText(""));
    file.close();
    EXPECT_EQ(readFileBytes(folder.path("f.txt")), "ab\r\ncd");
}

TEST(TextLines, MissingFileIsNeitherCreatedNorRead)
{
    Folder folder;
    for (OpenFile::Access access : {OpenFile::Access::Read, OpenFile::Access::ReadWrite}) {
        OpenFile file = openFile(folder.path("missing.txt"), access);
        EXPECT_FALSE(file.isOpen());
        EXPECT_TRUE(file.isAtEndOfFile());
        EXPECT_EQ(file.readTextLine(), "");
        EXPECT_FALSE(file.writeText("x"));
    }
    EXPECT_FALSE(QFileInfo::exists(platformPath(folder.path("missing.txt"))));
    EXPECT_TRUE(openFile("").isAtEndOfFile());
    EXPECT_TRUE(OpenFile().isAtEndOfFile());
}

// ---- fileExists ----------------------------------------------------------------

struct ExistsCase {
    const char *name;
    const char *path;  // inside a folder holding 202507.WD.txt, 202508.WD.txt, a[1].txt and sub/
    bool expected;
};

class FileExistence : public testing::TestWithParam<ExistsCase> {};

TEST_P(FileExistence, MatchesEntriesWithWildcards)
{
    const ExistsCase &c = GetParam();
    Folder folder;
    writeFileBytes(folder.path("202507.WD.txt"), "x");
    writeFileBytes(folder.path("202508.WD.txt"), "");
    writeFileBytes(folder.path("a[1].txt"), "");
    ASSERT_TRUE(QDir().mkpath(platformPath(folder.path("sub"))));
    EXPECT_EQ(fileExists(folder.path(c.path)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, FileExistence, testing::Values(
    ExistsCase{"file", "202507.WD.txt", true},
    ExistsCase{"empty file", "202508.WD.txt", true},
    ExistsCase{"folder", "sub", true},
    ExistsCase{"missing", "202509.WD.txt", false},
    ExistsCase{"star", "*.WD.txt", true},
    ExistsCase{"star alone", "*", true},
    ExistsCase{"star matches nothing", "*.TXT", false},
    ExistsCase{"question marks", "2025??.WD.txt", true},
    ExistsCase{"question mark needs a character", "2025???.WD.txt", false},
    ExistsCase{"brackets are literal", "a[1].txt", true},
    ExistsCase{"brackets with a wildcard", "a[1]*", true},
    ExistsCase{"brackets are no class", "a1*", false},
    ExistsCase{"wildcard in a missing folder", "none/*", false},
    ExistsCase{"wildcard inside a folder", "sub/*", false}),
    caseName<ExistsCase>);

TEST(FileExistence, EmptyPathIsNoFile)
{
    EXPECT_FALSE(fileExists(""));
}

// ---- Whole files -----------------------------------------------------------------

TEST(WholeFiles, WriteJoinsBlocksAndReplacesTheContent)
{
    Folder folder;
    const QByteArray path = folder.path("f.txt");
    ASSERT_TRUE(writeWholeFile(path, {"ab", "", gbk("中文"), bytes("\0z", 2)}).ok());
    EXPECT_EQ(readWholeFile(path), "ab" + gbk("中文") + bytes("\0z", 2));
    ASSERT_TRUE(writeWholeFile(path, {""}).ok());
    EXPECT_TRUE(QFileInfo::exists(platformPath(path)));
    EXPECT_EQ(readWholeFile(path), "");
    ASSERT_TRUE(writeWholeFile(folder.path("new.txt"), {""}).ok());
    EXPECT_TRUE(QFileInfo::exists(platformPath(folder.path("new.txt"))));
    EXPECT_EQ(folder.entries(), (QStringList{QStringLiteral("f.txt"), QStringLiteral("new.txt")}))
            << "no temporary file stays behind";
}

TEST(WholeFiles, FailedWritesAreReportedWithTheFile)
{
    Folder folder;
    EXPECT_FALSE(writeWholeFile("", {"x"}).ok());

    const QByteArray inMissingFolder = folder.path("none/f.txt");
    const Result missing = writeWholeFile(inMissingFolder, {"x"});
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.message().contains(QDir::toNativeSeparators(platformPath(inMissingFolder))))
            << missing.message().toStdString();

    ASSERT_TRUE(QDir().mkpath(platformPath(folder.path("dir"))));
    EXPECT_FALSE(writeWholeFile(folder.path("dir"), {"x"}).ok());
    EXPECT_TRUE(QFileInfo(platformPath(folder.path("dir"))).isDir());
}

TEST(WholeFiles, UnreadableFilesReadAsEmpty)
{
    Folder folder;
    EXPECT_EQ(readWholeFile(""), "");
    EXPECT_EQ(readWholeFile(folder.path("missing")), "");
}

TEST(WholeFiles, ContentForRewriteTellsMissingFromUnreadable)
{
    Folder folder;
    QByteArray content = "stale";
    EXPECT_TRUE(readFileForRewrite(folder.path("missing"), content).ok());
    EXPECT_EQ(content, "");
    writeFileBytes(folder.path("f"), "abc");
    EXPECT_TRUE(readFileForRewrite(folder.path("f"), content).ok());
    EXPECT_EQ(content, "abc");
    ASSERT_TRUE(QDir().mkpath(platformPath(folder.path("dir"))));
    EXPECT_FALSE(readFileForRewrite(folder.path("dir"), content).ok());
    EXPECT_FALSE(readFileForRewrite("", content).ok());
}

// ---- Appending ---------------------------------------------------------------------

TEST(Appending, CreatesThenAddsAtTheEnd)
{
    Folder folder;
    const QByteArray path = folder.path("h.txt");
    ASSERT_TRUE(appendToFile(path, "one\r\n").ok());
    ASSERT_TRUE(appendToFile(path, "").ok());
    ASSERT_TRUE(appendToFile(path, bytes("tw\0o\r\n", 6)).ok());
    EXPECT_EQ(readFileBytes(path), "one\r\n" + bytes("tw\0o\r\n", 6));
}

TEST(Appending, FailureNamesTheFile)
{
    Folder folder;
    const QByteArray path = folder.path("none/h.txt");
    const Result appended = appendToFile(path, "x");
    EXPECT_FALSE(appended.ok());
    EXPECT_TRUE(appended.message().contains(QDir::toNativeSeparators(platformPath(path))));
    EXPECT_FALSE(appendToFile("", "x").ok());
}

TEST(Paths, GbkPathsBecomeUnicode)
{
    EXPECT_EQ(platformPath(gbk("/文档/ROOMSETTING.ini")), QStringLiteral("/文档/ROOMSETTING.ini"));
    Folder folder;
    ASSERT_TRUE(writeWholeFile(folder.path("") + gbk("包间.txt"), {"x"}).ok());
    EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("包间.txt")});
}

} // namespace
