#include "history/history_file.h"

#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/files.h"
#include "foundation/storage_paths.h"
#include "tests/support/test_support.h"

#include <QDir>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

namespace {

using Records = QList<QList<QByteArray>>;

HistoryRecord exampleRecord()
{
    HistoryRecord record;
    record.fields = {"A01",
                     "2025/07/04 14:03:09",
                     "2025/07/04 19:25:40",
                     gbk("5 时 22 分 31 秒"),
                     gbk("4 小时 0 分"),
                     gbk("1 时 22 分"),
                     gbk("30 分钟"),
                     gbk("20 元 / 小时"),
                     gbk("70 元"),
                     gbk("30 元"),
                     gbk("￥100 元")};
    return record;
}

void removeFolder(const QByteArray &gbkPath)
{
    ASSERT_TRUE(QDir(platformPath(gbkPath)).removeRecursively());
}

TEST(AppendHistoryLine, FirstCheckoutOfTheMonthCreatesTheFileWithExactlyTheRecordLine)
{
    TestStorage storage;  // started in July 2025
    ASSERT_TRUE(storage.historyPath().endsWith("202507.WD.txt"));
    ASSERT_FALSE(historyFileExists(storage.historyPath()));

    const Result result = appendHistoryLine(exampleRecord().toLine());
    ASSERT_TRUE(result.ok()) << result.message().toStdString();
    EXPECT_EQ(readFileBytes(storage.historyPath()), fixtureBytes("202507.WD.txt"));
}

TEST(AppendHistoryLine, AddsAtTheEndAndNeverTouchesEarlierLines)
{
    TestStorage storage;
    const QByteArray first = fixtureBytes("202507.WD.txt");
    writeFileBytes(storage.historyPath(), first);

    HistoryRecord second = exampleRecord();
    second.fields[HistoryRecord::ItemName] = gbk("大厅1号");
    ASSERT_TRUE(appendHistoryLine(second.toLine()).ok());
    ASSERT_TRUE(appendHistoryLine("x").ok());

    EXPECT_EQ(readFileBytes(storage.historyPath()), first + second.toLine() + "\r\nx\r\n");
}

TEST(AppendHistoryLine, KeepsWritingToTheMonthOfStartUp)
{
    const DateTime july31 = *dateTimeFromFields({2025, 7, 31, 23, 59, 0});
    const DateTime august1 = *dateTimeFromFields({2025, 8, 1, 0, 1, 0});
    TestStorage storage(july31);
    setFixedCurrentDateTime(august1);
    const Result result = appendHistoryLine("A01@x");
    setFixedCurrentDateTime(std::nullopt);

    ASSERT_TRUE(result.ok());
    const QByteArray folder = directoryOfPath(storage.historyPath());
    EXPECT_EQ(readFileBytes(folder + "202507.WD.txt"), "A01@x\r\n");
    EXPECT_FALSE(historyFileExists(folder + "202508.WD.txt"));
}

TEST(AppendHistoryLine, RecreatesTheHistoryFolderRemovedSinceStartUp)
{
    TestStorage storage;
    removeFolder(directoryOfPath(storage.historyPath()));

    ASSERT_TRUE(appendHistoryLine("A01@x").ok());
    EXPECT_EQ(readFileBytes(storage.historyPath()), "A01@x\r\n");
}

TEST(AppendHistoryLine, PutsTheRecordOnALineOfItsOwnAfterALineCutShort)
{
    TestStorage storage;
    const QByteArray earlier = "a@b\r\nc@d";
    writeFileBytes(storage.historyPath(), earlier);

    ASSERT_TRUE(appendHistoryLine("e@f").ok());
    EXPECT_EQ(readFileBytes(storage.historyPath()), earlier + "\r\ne@f\r\n");

    // A lone CR at the end is no line end either.
    writeFileBytes(storage.historyPath(), "a\r");
    ASSERT_TRUE(appendHistoryLine("b").ok());
    EXPECT_EQ(readFileBytes(storage.historyPath()), "a\r\r\nb\r\n");
}

TEST(AppendHistoryLine, RefusesALineThatWouldNotReadBackAsOneRecord)
{
    TestStorage storage;
    const QByteArray earlier = fixtureBytes("202507.WD.txt");
    writeFileBytes(storage.historyPath(), earlier);

    for (const QByteArray &line : {QByteArray("a\r\nb"), QByteArray("a\nb"), QByteArray("a\rb"),
                                   QByteArray("a\0b", 3)}) {
        const Result result = appendHistoryLine(line);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.message().contains(platformPath(storage.historyPath())))
                << result.message().toStdString();
    }
    EXPECT_EQ(readFileBytes(storage.historyPath()), earlier);
}

TEST(AppendHistoryLine, ReportsAFileThatCannotBeWritten)
{
    TestStorage storage;
    // A folder bearing the month file's name.
    ASSERT_TRUE(QDir().mkpath(platformPath(storage.historyPath())));

    const Result result = appendHistoryLine("A01@x");
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.message().isEmpty());
    EXPECT_TRUE(QFileInfo(platformPath(storage.historyPath())).isDir());
}

// The file size limit makes the write stop part-way, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedSignal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedSignal);
    }

private:
    rlimit m_saved{};
    void (*m_savedSignal)(int) = nullptr;
};

TEST(AppendHistoryLine, LeavesNoPartOfALineThatCouldNotBeWrittenWhole)
{
    TestStorage storage;
    const QByteArray earlier = fixtureBytes("202507.WD.txt");
    writeFileBytes(storage.historyPath(), earlier);
    const QByteArray line = exampleRecord().toLine();

    Result result = Result::success();
    {
        const FileSizeLimit limit(rlim_t(earlier.size() + 20));
        result = appendHistoryLine(line);
    }
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.message().isEmpty());
    EXPECT_EQ(readFileBytes(storage.historyPath()), earlier);

    // The next append, with room again, stands on a line of its own.
    ASSERT_TRUE(appendHistoryLine(line).ok());
    EXPECT_EQ(readHistoryFile(storage.historyPath()).size(), 2);
}

TEST(AppendHistoryLine, ReportsAHistoryFolderThatCannotBeCreated)
{
    TestStorage storage;
    const QByteArray folder = directoryOfPath(storage.historyPath());
    removeFolder(folder);
    // A file where the folder should be.
    writeFileBytes(folder.chopped(1), "not a folder");

    const Result result = appendHistoryLine("A01@x");
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.message().isEmpty());
    EXPECT_EQ(readFileBytes(folder.chopped(1)), "not a folder");
}

TEST(HistoryFileExists, IsTrueForFilesOnly)
{
    TestStorage storage;
    const QByteArray folder = directoryOfPath(storage.historyPath());
    EXPECT_FALSE(historyFileExists(storage.historyPath()));
    EXPECT_FALSE(historyFileExists(QByteArray()));
    EXPECT_FALSE(historyFileExists(folder));
    EXPECT_FALSE(historyFileExists(folder.chopped(1)));

    writeFileBytes(storage.historyPath(), {});
    EXPECT_TRUE(historyFileExists(storage.historyPath()));

    const QByteArray chineseName = folder + gbk("历史.WD.txt");
    writeFileBytes(chineseName, "x");
    EXPECT_TRUE(historyFileExists(chineseName));
}

struct ReadCase {
    const char *name;
    QByteArray content;
    Records records;
};

void PrintTo(const ReadCase &c, std::ostream *os) { *os << c.name; }

class ReadHistoryFileTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadHistoryFileTest, SplitsLinesAndFieldsByTheReadingRules)
{
    const ReadCase c = GetParam();
    TestStorage storage;
    writeFileBytes(storage.historyPath(), c.content);
    EXPECT_EQ(readHistoryFile(storage.historyPath()), c.records);
}

INSTANTIATE_TEST_SUITE_P(
        Table, ReadHistoryFileTest,
        testing::Values(
                ReadCase{"empty file", "", {}},
                ReadCase{"one line", "a@b\r\n", {{"a", "b"}}},
                ReadCase{"last line without line end", "a@b\r\nc@d", {{"a", "b"}, {"c", "d"}}},
                ReadCase{"empty line is a record without fields", "a\r\n\r\nb\r\n",
                         {{"a"}, {}, {"b"}}},
                ReadCase{"only line ends", "\r\n\r\n", {{}, {}}},
                ReadCase{"empty last field dropped", "a@b@\r\n", {{"a", "b"}}},
                ReadCase{"empty fields before the last kept", "a@@b@@\r\n", {{"a", "", "b", ""}}},
                ReadCase{"a separator alone", "@\r\n", {{""}}},
                ReadCase{"at sign in a name gives twelve fields", "A@01@2@3@4@5@6@7@8@9@10@11\r\n",
                         {{"A", "01", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}}},
                ReadCase{"zero byte ends the text",
                         QByteArray("a\r\nb\0c\r\nd\r\n", 11), {{"a"}, {"b"}}},
                ReadCase{"zero byte first", QByteArray("\0a\r\n", 4), {}},
                ReadCase{"lone line feed and carriage return stay", "a\nb\rc\r\n",
                         {{"a\nb\rc"}}},
                ReadCase{"trail byte at sign is no separator", "\x81@x@y\r\n",
                         {{"\x81@x", "y"}}},
                ReadCase{"two-byte characters", gbk("大厅1号@￥100 元\r\n"),
                         {{gbk("大厅1号"), gbk("￥100 元")}}},
                // A lead byte takes the CR as its trail byte, so that CR LF
                // ends no line.
                ReadCase{"lead byte before CR LF", "x\x81\r\ny\r\n", {{"x\x81\r\ny"}}}));

TEST(ReadHistoryFile, ReadsTheFixtureAsOneRecordOfElevenFields)
{
    TestStorage storage;
    writeFileBytes(storage.historyPath(), fixtureBytes("202507.WD.txt"));
    const Records records = readHistoryFile(storage.historyPath());
    const HistoryRecord expected = exampleRecord();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0], QList<QByteArray>(expected.fields.begin(), expected.fields.end()));
}

TEST(ReadHistoryFile, AMissingFileOrAFolderGivesNoRecords)
{
    TestStorage storage;
    EXPECT_TRUE(readHistoryFile(storage.historyPath()).isEmpty());
    EXPECT_TRUE(readHistoryFile(directoryOfPath(storage.historyPath())).isEmpty());
    EXPECT_TRUE(readHistoryFile(QByteArray()).isEmpty());
}

TEST(ReadHistoryFile, ReadsBackEveryAppendedRecord)
{
    TestStorage storage;
    QList<QByteArray> names;
    for (int i = 0; i < 50; ++i) {
        HistoryRecord record = exampleRecord();
        record.fields[HistoryRecord::ItemName] = gbk("包间") + QByteArray::number(i);
        names.append(record.fields[HistoryRecord::ItemName]);
        ASSERT_TRUE(appendHistoryLine(record.toLine()).ok());
    }
    const Records records = readHistoryFile(storage.historyPath());
    ASSERT_EQ(records.size(), names.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        ASSERT_EQ(records[i].size(), HistoryRecord::FieldCount);
        EXPECT_EQ(records[i][HistoryRecord::ItemName], names[i]);
    }
}

} // namespace
