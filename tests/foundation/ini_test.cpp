#include "foundation/files.h"
#include "foundation/ini.h"
#include "foundation/item_store.h"

#include "tests/foundation/case_names.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QHash>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

QByteArray bytes(const char *s, qsizetype size = -1)
{
    return size < 0 ? QByteArray(s) : QByteArray(s, size);
}

// A settings file of the test's own.
class IniFile : public ScratchFile {
public:
    IniFile() : ScratchFile("settings.ini") {}
};

// ---- Reading -------------------------------------------------------------

struct ReadCase {
    const char *name;
    QByteArray content;
    QByteArray section;
    QByteArray key;
    QByteArray defaultValue;
    QByteArray expected;
};

class IniReading : public testing::TestWithParam<ReadCase> {};

// Every row is read both ways: afresh from the file and from a snapshot of
// it, which must never disagree.
TEST_P(IniReading, FindsTheValueByTheProfileRules)
{
    const ReadCase &c = GetParam();
    IniFile file;
    file.write(c.content);
    EXPECT_EQ(readIniValue(file.path(), c.section, c.key, c.defaultValue), c.expected);
    EXPECT_EQ(IniSnapshot::fromContent(c.content).value(c.section, c.key, c.defaultValue), c.expected);
    EXPECT_EQ(IniSnapshot::read(file.path()).value(c.section, c.key, c.defaultValue), c.expected);
}

const QByteArray kLongValue(20000, 'v');

INSTANTIATE_TEST_SUITE_P(Rules, IniReading, testing::Values(
    ReadCase{"plain", "[S]\r\nk=1\r\n", "S", "k", "d", "1"},
    ReadCase{"ascii case folds", "[Abc]\r\nKey=1\r\n", "aBC", "kEY", "d", "1"},
    ReadCase{"trail bytes never fold", "[\x81\x41]\r\nk=1\r\n", "\x81\x61", "k", "d", "d"},
    ReadCase{"trail byte equal to bracket", "[\x81]]\r\nk=1\r\n", "\x81]", "k", "d", "1"},
    ReadCase{"gbk names", gbk("[大厅1号]\r\n状态=空闲中\r\n"), gbk("大厅1号"), gbk("状态"), "", gbk("空闲中")},
    ReadCase{"blanks before header", " \t[S]\r\nk=1\r\n", "S", "k", "d", "1"},
    ReadCase{"text after bracket ignored", "[S] note\r\nk=1\r\n", "S", "k", "d", "1"},
    ReadCase{"blanks inside brackets kept", "[ S ]\r\nk=1\r\n", "S", "k", "d", "d"},
    ReadCase{"header without closing bracket", "[S\r\nk=1\r\n", "S", "k", "d", "d"},
    ReadCase{"blanks and tabs around key and value", "[S]\r\n \tk \t= \tv v\t \r\n", "S", "k", "d", "v v"},
    ReadCase{"double quotes removed", "[S]\r\nk=\"v\"\r\n", "S", "k", "", "v"},
    ReadCase{"single quotes removed", "[S]\r\nk='v'\r\n", "S", "k", "", "v"},
    ReadCase{"blanks inside quotes kept", "[S]\r\nk= \" v \" \r\n", "S", "k", "", " v "},
    ReadCase{"only one pair removed", "[S]\r\nk=\"\"v\"\"\r\n", "S", "k", "", "\"v\""},
    ReadCase{"unmatched quotes kept", "[S]\r\nk=\"v'\r\n", "S", "k", "", "\"v'"},
    ReadCase{"lone quote kept", "[S]\r\nk=\"\r\n", "S", "k", "", "\""},
    ReadCase{"empty quotes", "[S]\r\nk=\"\"\r\n", "S", "k", "d", ""},
    ReadCase{"empty value is no default", "[S]\r\nk=\r\n", "S", "k", "d", ""},
    ReadCase{"value keeps later equals", "[S]\r\nk=a=b\r\n", "S", "k", "", "a=b"},
    ReadCase{"missing key gives default", "[S]\r\nk=1\r\n", "S", "j", "d", "d"},
    ReadCase{"missing key without default", "[S]\r\nk=1\r\n", "S", "j", "", ""},
    ReadCase{"missing section gives default", "[S]\r\nk=1\r\n", "T", "k", "d", "d"},
    ReadCase{"line without equals is no key", "[S]\r\nk\r\n", "S", "k", "d", "d"},
    ReadCase{"empty section argument", "[S]\r\nk=1\r\n", "", "k", "d", ""},
    ReadCase{"blank section argument", "[S]\r\nk=1\r\n", " \t", "k", "d", ""},
    ReadCase{"empty key argument", "[S]\r\nk=1\r\n", "S", "", "d", ""},
    ReadCase{"control bytes before arguments trimmed", "[S]\r\nk=1\r\n", "\x01\t S", "\x1f k", "d", "1"},
    ReadCase{"trailing blanks of arguments ignored", "[S]\r\nk=1\r\n", "S \t", "k ", "d", "1"},
    ReadCase{"value of 10239 bytes whole", "[S]\r\nk=" + QByteArray(10239, 'v') + "\r\n", "S", "k", "", QByteArray(10239, 'v')},
    ReadCase{"value of 10240 bytes cut", "[S]\r\nk=" + QByteArray(10240, 'v') + "\r\n", "S", "k", "", QByteArray(10239, 'v')},
    ReadCase{"long value cut", "[S]\r\nk=" + kLongValue + "\r\n", "S", "k", "", QByteArray(10239, 'v')},
    ReadCase{"first duplicate section wins", "[S]\r\nk=1\r\n[s]\r\nk=2\r\nj=3\r\n", "S", "k", "d", "1"},
    ReadCase{"later duplicate section unseen", "[S]\r\nk=1\r\n[S]\r\nj=3\r\n", "S", "j", "d", "d"},
    ReadCase{"first duplicate key wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "d", "1"},
    ReadCase{"keys before first header belong nowhere", "k=0\r\n[S]\r\n", "S", "k", "d", "d"},
    ReadCase{"keys before first header ignored", "k=0\r\n[S]\r\nk=1\r\n", "S", "k", "d", "1"},
    ReadCase{"line feeds alone", "[S]\nk=1\nj=2\n", "S", "j", "d", "2"},
    ReadCase{"lone carriage return inside a line", "[S]\r\nk=a\rb\r\n", "S", "k", "", "a\rb"},
    ReadCase{"second carriage return kept", "[S]\r\nk=a\r\r\n", "S", "k", "", "a\r"},
    ReadCase{"no final line end", "[S]\r\nk=1", "S", "k", "d", "1"},
    ReadCase{"final carriage return", "[S]\r\nk=1\r", "S", "k", "d", "1"},
    ReadCase{"lone carriage returns do not split", "[S]\rk=1\r", "S", "k", "d", "d"},
    ReadCase{"value cut at a zero byte", bytes("[S]\r\nk=ab\0cd\r\n", 14), "S", "k", "", "ab"},
    ReadCase{"zero byte line before a section", bytes("x\0y\r\n[S]\r\nk=1\r\n", 16), "S", "k", "d", "1"},
    ReadCase{"end-of-text byte is ordinary", "\x1a\r\n[S]\r\nk=\x1a" "1\r\n", "S", "k", "d", "\x1a" "1"},
    ReadCase{"invalid lead byte swallows bracket", "[S\x81]\r\nk=1\r\n", "S\x81", "k", "d", "d"},
    ReadCase{"lead byte at end of file", "[S]\r\nk=\x81", "S", "k", "d", "\x81"},
    ReadCase{"empty file", "", "S", "k", "d", "d"}),
    caseName<ReadCase>);

TEST(IniReading, MissingFileOrPathGivesTheDefault)
{
    IniFile file;
    EXPECT_EQ(readIniValue(file.path(), "S", "k", "d"), "d");
    EXPECT_EQ(IniSnapshot::read(file.path()).value("S", "k", "d"), "d");
    EXPECT_EQ(readIniValue("", "S", "k", "d"), "");
    EXPECT_EQ(readIniValue(" \t", "S", "k", "d"), "");
    EXPECT_EQ(IniSnapshot().value("S", "k", "d"), "d");
}

TEST(IniReading, LeadingBlanksOfThePathAreTrimmed)
{
    IniFile file;
    file.write("[S]\r\nk=1\r\n");
    EXPECT_EQ(readIniValue(" \t" + file.path(), "S", "k"), "1");
}

// ---- Writing -------------------------------------------------------------

struct WriteCase {
    const char *name;
    std::optional<QByteArray> before;  // nullopt: no file
    QByteArray section;
    QByteArray key;
    QByteArray value;
    QByteArray after;
};

class IniWriting : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWriting, ChangesOnlyTheKeyLine)
{
    const WriteCase &c = GetParam();
    IniFile file;
    if (c.before)
        file.write(*c.before);
    const Result written = writeIniValue(file.path(), c.section, c.key, c.value);
    ASSERT_TRUE(written.ok()) << written.message().toStdString();
    EXPECT_EQ(file.content(), c.after);
    EXPECT_EQ(QDir(platformPath(file.folder())).entryList(QDir::Files), QStringList{QStringLiteral("settings.ini")})
            << "no temporary file stays behind";
}

INSTANTIATE_TEST_SUITE_P(Rules, IniWriting, testing::Values(
    WriteCase{"missing file created", std::nullopt, "S", "k", "v", "[S]\r\nk=v\r\n"},
    WriteCase{"empty file", QByteArray(), "S", "k", "v", "[S]\r\nk=v\r\n"},
    WriteCase{"replaced in place", "[S]\r\nk=1\r\nj=2\r\n", "S", "k", "9", "[S]\r\nk=9\r\nj=2\r\n"},
    WriteCase{"key keeps its spelling", "[S]\r\nKey=1\r\n", "s", "KEY", "9", "[S]\r\nKey=9\r\n"},
    WriteCase{"blanks around key and value go", "[S]\r\n \tk  =  1 \r\n", "S", "k", "9", "[S]\r\nk=9\r\n"},
    WriteCase{"line feed alone kept", "[S]\nk=1\nj=2\n", "S", "k", "9", "[S]\nk=9\nj=2\n"},
    WriteCase{"empty value keeps the key", "[S]\r\nk=1\r\n", "S", "k", "", "[S]\r\nk=\r\n"},
    WriteCase{"value written as given", "[S]\r\n", "S", "k", " \"v\" ", "[S]\r\nk= \"v\" \r\n"},
    WriteCase{"new key after last key line", "[S]\r\na=1\r\n\r\n; note\r\n[T]\r\nb=2\r\n", "S", "c", "3",
              "[S]\r\na=1\r\nc=3\r\n\r\n; note\r\n[T]\r\nb=2\r\n"},
    WriteCase{"new key in a section without keys", "[S]\r\n[T]\r\n", "S", "k", "v", "[S]\r\nk=v\r\n[T]\r\n"},
    WriteCase{"new key after a header without line end", "[S]", "S", "k", "v", "[S]\r\nk=v\r\n"},
    WriteCase{"new key after a last line without line end", "[S]\r\na=1", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n"},
    WriteCase{"new key after a final carriage return", "[S]\r\na=1\r", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n"},
    WriteCase{"new key in a line-feed file", "[S]\na=1\n", "S", "b", "2", "[S]\na=1\nb=2\r\n"},
    WriteCase{"new section at the end", "[S]\r\na=1\r\n", "T", "k", "v", "[S]\r\na=1\r\n[T]\r\nk=v\r\n"},
    WriteCase{"new section after a last line without line end", "[S]\r\na=1", "T", "k", "v",
              "[S]\r\na=1\r\n[T]\r\nk=v\r\n"},
    WriteCase{"new section after blank lines", "[S]\r\na=1\r\n\r\n", "T", "k", "v", "[S]\r\na=1\r\n\r\n[T]\r\nk=v\r\n"},
    WriteCase{"section matched regardless of case", "[abc]\r\n", "ABC", "k", "v", "[abc]\r\nk=v\r\n"},
    WriteCase{"trail bytes do not fold", "[\x81\x41]\r\n", "\x81\x61", "k", "v", "[\x81\x41]\r\n[\x81\x61]\r\nk=v\r\n"},
    WriteCase{"header with blanks and a note", "  [S] note\r\nk=1\r\n", "S", "k", "2", "  [S] note\r\nk=2\r\n"},
    WriteCase{"first duplicate section written", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "9", "[S]\r\nk=9\r\n[S]\r\nk=2\r\n"},
    WriteCase{"new key goes to first duplicate", "[S]\r\nk=1\r\n[S]\r\nj=2\r\n", "S", "j", "9",
              "[S]\r\nk=1\r\nj=9\r\n[S]\r\nj=2\r\n"},
    WriteCase{"first duplicate key written", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "9", "[S]\r\nk=9\r\nK=2\r\n"},
    WriteCase{"keys before first header untouched", "k=0\r\n[S]\r\n", "S", "k", "1", "k=0\r\n[S]\r\nk=1\r\n"},
    WriteCase{"bytes after a zero byte kept", bytes("[S]\r\nk=1\r\nx\0y\r\n", 16), "S", "k", "2",
              bytes("[S]\r\nk=2\r\nx\0y\r\n", 16)},
    WriteCase{"section appended after a zero byte", bytes("[S]\r\nx\0y", 8), "T", "k", "v",
              bytes("[S]\r\nx\0y\r\n[T]\r\nk=v\r\n", 20)},
    WriteCase{"invalid and odd bytes kept", "\x81\r\n[S]\r\n\x1a\x80\xff\r\nk=1\r\n", "S", "k", "2",
              "\x81\r\n[S]\r\n\x1a\x80\xff\r\nk=2\r\n"},
    WriteCase{"leading control bytes of names trimmed", std::nullopt, "\t S", " \x01k", "v", "[S]\r\nk=v\r\n"}),
    caseName<WriteCase>);

struct RefusedCase {
    const char *name;
    QByteArray section;
    QByteArray key;
    QByteArray value;
};

class IniRefusedWrites : public testing::TestWithParam<RefusedCase> {};

// Each of these would write lines that read back as something else: another
// section, another key, or a value cut short.
TEST_P(IniRefusedWrites, LeaveTheFileUntouched)
{
    const RefusedCase &c = GetParam();
    IniFile file;
    const QByteArray before = "[S]\r\nk=1\r\n";
    file.write(before);
    const Result written = writeIniValue(file.path(), c.section, c.key, c.value);
    EXPECT_FALSE(written.ok());
    EXPECT_TRUE(written.message().contains(platformPath(file.path()))) << written.message().toStdString();
    EXPECT_EQ(file.content(), before);
}

INSTANTIATE_TEST_SUITE_P(Rules, IniRefusedWrites, testing::Values(
    RefusedCase{"empty section", "", "k", "v"},
    RefusedCase{"blank section", " \t", "k", "v"},
    RefusedCase{"empty key", "S", "", "v"},
    RefusedCase{"line break in value", "S", "k", "v\r\n[X]\r\nk=2"},
    RefusedCase{"line feed in value", "S", "k", "a\nb"},
    RefusedCase{"carriage return in value", "S", "k", "a\rb"},
    RefusedCase{"zero byte in value", "S", "k", bytes("a\0b", 3)},
    RefusedCase{"line feed in section", "S\nT", "k", "v"},
    RefusedCase{"closing bracket in section", "a]b", "k", "v"},
    RefusedCase{"equals in key", "S", "a=b", "v"},
    RefusedCase{"key like a header", "S", "[T]", "v"},
    RefusedCase{"line feed in key", "S", "a\nb", "v"},
    RefusedCase{"section ending in a lone lead byte", "S\x81", "k", "v"},
    RefusedCase{"key ending in a lone lead byte", "S", "k\x81", "v"}),
    caseName<RefusedCase>);

TEST(IniWriting, GbkTrailByteEqualToBracketIsNoBracket)
{
    IniFile file;
    ASSERT_TRUE(writeIniValue(file.path(), "\x81]", "k", "v").ok());
    EXPECT_EQ(readIniValue(file.path(), "\x81]", "k"), "v");
}

TEST(IniWriting, FailureNamesTheFileAndKeepsIt)
{
    IniFile file;
    const QByteArray missingFolder = file.folder() + "/missing/settings.ini";
    const Result intoMissingFolder = writeIniValue(missingFolder, "S", "k", "v");
    EXPECT_FALSE(intoMissingFolder.ok());
    EXPECT_TRUE(intoMissingFolder.message().contains(platformPath(missingFolder)));

    // A folder where the file should be: nothing readable, so nothing is
    // replaced.
    ASSERT_TRUE(QDir().mkpath(platformPath(file.path())));
    EXPECT_FALSE(writeIniValue(file.path(), "S", "k", "v").ok());
    EXPECT_TRUE(QFileInfo(platformPath(file.path())).isDir());
}

// Written key by key in the item editor's order into a missing file, the
// three items give exactly the bytes of the reference file.
TEST(IniWriting, EditorKeysReproduceTheReferenceFile)
{
    IniFile file;
    const QByteArray keys[] = {gbk("初始时段"), gbk("初始费用"), gbk("最小单位"),
                               gbk("超时单价"), gbk("状态"), gbk("开始时间")};
    const struct {
        const char *name;
        const char *values[6];
    } items[] = {
        {"A01", {"240", "70", "30", "20", "使用中", "2025/07/04 14:03:09"}},
        {"大厅1号", {"240", "70", "30", "20", "空闲中", "无"}},
        {"包间-豪华", {"120", "50", "15", "40", "空闲中", "无"}},
    };
    for (const auto &item : items) {
        for (int k = 0; k < 6; ++k)
            ASSERT_TRUE(writeIniValue(file.path(), gbk(item.name), keys[k], gbk(item.values[k])).ok());
    }
    EXPECT_EQ(file.content(), fixtureBytes("ROOMSETTING.ini"));

    const IniSnapshot snapshot = IniSnapshot::fromContent(fixtureBytes("ROOMSETTING.ini"));
    for (const auto &item : items) {
        for (int k = 0; k < 6; ++k) {
            SCOPED_TRACE(item.values[k]);
            EXPECT_EQ(readIniValue(file.path(), gbk(item.name), keys[k], "?"), gbk(item.values[k]));
            EXPECT_EQ(snapshot.value(gbk(item.name), keys[k], "?"), gbk(item.values[k]));
        }
    }
}

TEST(IniWriting, RewritingAValueLeavesTheRestOfTheReferenceFile)
{
    IniFile file;
    file.write(fixtureBytes("ROOMSETTING.ini"));
    const QByteArray original = file.content();
    ASSERT_TRUE(writeIniValue(file.path(), gbk("大厅1号"), gbk("状态"), gbk("使用中")).ok());
    ASSERT_TRUE(writeIniValue(file.path(), gbk("大厅1号"), gbk("状态"), gbk("空闲中")).ok());
    EXPECT_EQ(file.content(), original);
}

// ---- Bad input -----------------------------------------------------------

// Values that were written are read back whatever surrounds them.
void expectWriteThenRead(const QByteArray &before)
{
    IniFile file;
    file.write(before);
    ASSERT_TRUE(writeIniValue(file.path(), "Fresh", "key", "value").ok());
    ASSERT_TRUE(writeIniValue(file.path(), "Fresh", "other", "second").ok());
    EXPECT_EQ(readIniValue(file.path(), "fresh", "KEY"), "value");
    EXPECT_EQ(IniSnapshot::read(file.path()).value("FRESH", "other"), "second");
    const QByteArray after = file.content();
    EXPECT_TRUE(after.startsWith(before)) << "earlier bytes changed";
}

TEST(IniBadInput, RandomBytesNeitherCrashNorBreakTheRules)
{
    // Ten megabytes of noise, made only of bytes that never form a header
    // "[Fresh]", so the written section must be a new one at the end.
    QByteArray noise(10 * 1024 * 1024, Qt::Uninitialized);
    quint32 state = 12345;
    for (char &byte : noise) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    const QByteArray fresh = QByteArrayLiteral("Fresh");
    EXPECT_FALSE(noise.contains("[" + fresh + "]"));
    expectWriteThenRead(noise);
}

TEST(IniBadInput, OddFilesKeepTheRules)
{
    const QByteArray megabyteLine(1024 * 1024, 'x');
    const QByteArray files[] = {
        megabyteLine,
        "[S]\r\nk=" + megabyteLine + "\r\n",
        QByteArray(1024 * 1024, '\r'),
        QByteArray(1024 * 1024, '\0'),
        QByteArray(1024 * 1024, '\x81'),
        QByteArray(100000, '['),
        "k=1\r\nj=2\r\n",
        "[Fresh\r\n[fresh\r\n",
        "\x81[Fresh]\r\n",
    };
    for (const QByteArray &before : files) {
        SCOPED_TRACE(before.left(20).toStdString());
        expectWriteThenRead(before);
    }
}

// A reader never sees a partly written file while another thread rewrites it.
TEST(IniAtomicity, ReaderSeesOnlyWholeContents)
{
    IniFile file;
    const QByteArray small = "[S]\r\nk=small\r\n";
    const QByteArray large = "[S]\r\nk=large\r\n" + QByteArray(200000, 'x') + "\r\n";
    file.write(small);
    std::atomic<bool> done = false;
    std::atomic<int> mixed = 0;
    std::atomic<int> reads = 0;
    std::thread reader([&] {
        while (!done) {
            const QByteArray seen = readWholeFile(file.path());
            if (seen != small && seen != large)
                ++mixed;
            const QByteArray value = readIniValue(file.path(), "S", "k", "missing");
            if (value != "small" && value != "large")
                ++mixed;
            ++reads;
        }
    });
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(writeWholeFile(file.path(), {i % 2 ? large : small}).ok());
    done = true;
    reader.join();
    EXPECT_EQ(mixed, 0);
    EXPECT_GT(reads, 0);
}

#ifdef Q_OS_UNIX
// The settings file a killed writer leaves must be one of the contents it
// meant to write: every item with all its keys, each value one that was
// written, the last line complete.
void expectWholeSettings(const QByteArray &content)
{
    ASSERT_TRUE(content.endsWith("\r\n")) << "cut short";
    QList<QByteArray> sections;
    QHash<QByteArray, int> keyCount;
    QByteArray current;
    for (const QByteArray &line : content.chopped(1).split('\n')) {
        ASSERT_TRUE(line.endsWith('\r')) << line.toStdString();
        const QByteArray body = line.chopped(1);
        if (body.startsWith('[')) {
            current = body.mid(1, body.size() - 2);
            sections.append(current);
            continue;
        }
        const qsizetype equals = body.indexOf('=');
        ASSERT_GT(equals, 0) << body.toStdString();
        const QByteArray value = body.mid(equals + 1);
        const bool written = value == "init" || (value.startsWith('v') && value.mid(1).toInt() > 0);
        EXPECT_TRUE(written) << body.toStdString();
        ++keyCount[current + '/' + body.left(equals)];
    }
    EXPECT_EQ(sections.mid(0, 3), (QList<QByteArray>{"S0", "S1", "S2"}));
    EXPECT_LE(sections.size(), 4);
    for (const char *section : {"S0", "S1", "S2"}) {
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(keyCount.value(section + QByteArray("/k") + QByteArray::number(k)), 1);
    }
}

[[noreturn]] void writeForever(const QByteArray &path, unsigned seed)
{
    for (unsigned i = seed;; ++i) {
        const QByteArray value = 'v' + QByteArray::number(i % 100000 + 1);
        switch (i % 4) {
        case 0:
            (void)writeIniValue(path, "T", "a", value);
            break;
        case 1:
            (void)removeSection(path, "T");
            break;
        default:
            (void)writeIniValue(path, 'S' + QByteArray::number(i % 3), 'k' + QByteArray::number(i % 6),
                                value);
        }
    }
}

// A writer killed at any moment, as by a crash, never leaves a truncated or
// mixed settings file behind.
TEST(IniAtomicity, KilledWriterLeavesAWholeFile)
{
    IniFile file;
    for (int s = 0; s < 3; ++s) {
        for (int k = 0; k < 6; ++k) {
            ASSERT_TRUE(writeIniValue(file.path(), 'S' + QByteArray::number(s), 'k' + QByteArray::number(k),
                                      "init").ok());
        }
    }
    quint32 random = 2024;
    for (int round = 0; round < 200; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writeForever(file.path(), unsigned(round) * 7919u);
        random = random * 1664525u + 1013904223u;
        std::this_thread::sleep_for(std::chrono::microseconds(500 + (random >> 8) % 12000));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        SCOPED_TRACE(round);
        expectWholeSettings(file.content());
        if (testing::Test::HasFailure())
            return;
    }
    // A writer killed between naming its temporary file and the rename may
    // leave that file beside the settings file; nothing else appears.
    const QStringList files = QDir(platformPath(file.folder())).entryList(QDir::Files);
    EXPECT_TRUE(files.contains(QStringLiteral("settings.ini")));
    for (const QString &name : files)
        EXPECT_TRUE(name.startsWith(QStringLiteral("settings.ini"))) << name.toStdString();
}
#endif

} // namespace
