#include "foundation/texts.h"

#include "tests/foundation/case_names.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

namespace {

// A two-byte character whose trail byte is '|' (0x7C), and one whose trail
// byte is 'A' (0x41): a scan that does not step over characters as units
// would find a separator or a letter inside them.
const QByteArray kTrailBar("\x81\x7c");
const QByteArray kTrailA("\x81\x41");

QByteArray bytes(const char *s) { return QByteArray(s); }

struct SliceCase {
    const char *name;
    QByteArray result;
    QByteArray expected;
};

TEST(TextSlicing, CountsBytesWithinLimits)
{
    const QByteArray s = gbk("ab中c"); // a b D6 D0 c
    const SliceCase cases[] = {
        {"left 0", textLeft(s, 0), ""},
        {"left negative", textLeft(s, -3), ""},
        {"left 2", textLeft(s, 2), "ab"},
        {"left cuts a character", textLeft(s, 3), "ab\xd6"},
        {"left beyond length", textLeft(s, 99), s},
        {"right 0", textRight(s, 0), ""},
        {"right 1", textRight(s, 1), "c"},
        {"right cuts a character", textRight(s, 2), "\xd0" "c"},
        {"right beyond length", textRight(s, 99), s},
        {"mid from 1", textMid(s, 1, 2), "ab"},
        {"mid inside", textMid(s, 3, 2), gbk("中")},
        {"mid reaching past end", textMid(s, 4, 10), "\xd0" "c"},
        {"mid position 0", textMid(s, 0, 2), ""},
        {"mid position past end", textMid(s, 6, 1), ""},
        {"mid last byte", textMid(s, 5, 1), "c"},
        {"mid count 0", textMid(s, 1, 0), ""},
        {"mid count negative", textMid(s, 1, -1), ""},
        {"left of empty", textLeft(QByteArray(), 3), ""},
    };
    for (const SliceCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result, c.expected);
    }
    EXPECT_EQ(textLength(s), 5);
    EXPECT_EQ(textLength(QByteArray()), 0);
}

struct FindCase {
    const char *name;
    QByteArray s;
    QByteArray t;
    int start;
    bool ignoreCase;
    int expected;
};

class FindTextTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTextTest, GivesBytePosition)
{
    const FindCase &c = GetParam();
    EXPECT_EQ(findText(c.s, c.t, c.start, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FindTextTest, testing::Values(
    FindCase{"first", bytes("a|b|c"), bytes("|"), 1, false, 2},
    FindCase{"from start", bytes("a|b|c"), bytes("|"), 3, false, 4},
    FindCase{"start on match", bytes("a|b|c"), bytes("|"), 4, false, 4},
    FindCase{"start below 1", bytes("a|b|c"), bytes("|"), -5, false, 2},
    FindCase{"start past end", bytes("a|b|c"), bytes("c"), 6, false, -1},
    FindCase{"start at last byte", bytes("a|b|c"), bytes("c"), 5, false, 5},
    FindCase{"missing", bytes("a|b|c"), bytes("x"), 1, false, -1},
    FindCase{"longer than text", bytes("ab"), bytes("abc"), 1, false, -1},
    FindCase{"empty sought", bytes("ab"), bytes(""), 1, false, -1},
    FindCase{"in empty text", bytes(""), bytes("a"), 1, false, -1},
    FindCase{"case matters", bytes("ABC"), bytes("b"), 1, false, -1},
    FindCase{"ignore case", bytes("ABC"), bytes("b"), 1, true, 2},
    FindCase{"ignore case both ways", bytes("[abc]"), bytes("BC]"), 1, true, 3},
    FindCase{"never on a trail byte", kTrailBar + "|", bytes("|"), 1, false, 3},
    FindCase{"trail byte is not a letter", kTrailA, bytes("A"), 1, false, -1},
    FindCase{"trail byte is not a folded letter", kTrailA, bytes("a"), 1, true, -1},
    FindCase{"trail bytes never fold", kTrailA, bytes("\x81\x61"), 1, true, -1},
    FindCase{"two-byte character found", gbk("空闲中"), gbk("中"), 1, false, 5},
    FindCase{"lone lead byte at end", bytes("ab\x81"), bytes("\x81"), 1, false, 3},
    FindCase{"nothing after lone lead byte", bytes("\x81"), bytes("b"), 1, false, -1},
    FindCase{"CR LF", bytes("a\r\nb\r\n"), bytes("\r\n"), 3, false, 5}),
    caseName<FindCase>);

TEST(FindTextReverse, FindsLastOccurrenceSteppingByCharacter)
{
    EXPECT_EQ(findTextReverse("a|b|c", "|"), 4);
    EXPECT_EQ(findTextReverse("aaa", "aa"), 2);
    EXPECT_EQ(findTextReverse("abc", "x"), -1);
    EXPECT_EQ(findTextReverse("abc", ""), -1);
    EXPECT_EQ(findTextReverse("|" + kTrailBar, "|"), 1);
    EXPECT_EQ(findTextReverse("ABC", "c"), -1);
    EXPECT_EQ(findTextReverse(gbk("中中"), gbk("中")), 3);
}

TEST(ReplaceTextAt, ClampsPositionAndCount)
{
    const SliceCase cases[] = {
        {"example", replaceTextAt("d:h:m", 1, 1, "3"), "3:h:m"},
        {"middle", replaceTextAt("d:h:m", 3, 1, "12"), "d:12:m"},
        {"position below 1", replaceTextAt("abc", -4, 1, "X"), "Xbc"},
        {"position past end appends", replaceTextAt("abc", 9, 2, "X"), "abcX"},
        {"position just past end appends", replaceTextAt("abc", 4, 2, "X"), "abcX"},
        {"count past end", replaceTextAt("abc", 2, 99, "X"), "aX"},
        {"count 0 inserts", replaceTextAt("abc", 2, 0, "X"), "aXbc"},
        {"count negative inserts", replaceTextAt("abc", 2, -1, "X"), "aXbc"},
        {"empty replacement removes", replaceTextAt("abc", 2, 1, ""), "ac"},
        {"into empty text", replaceTextAt("", 1, 1, "X"), "X"},
    };
    for (const SliceCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result, c.expected);
    }
}

TEST(RepeatText, WritesTextNTimes)
{
    EXPECT_EQ(repeatText(3, "ab"), "ababab");
    EXPECT_EQ(repeatText(1, "ab"), "ab");
    EXPECT_EQ(repeatText(0, "ab"), "");
    EXPECT_EQ(repeatText(-2, "ab"), "");
    EXPECT_EQ(repeatText(2, ""), "");
}

struct SplitCase {
    const char *name;
    QByteArray s;
    QByteArray sep;
    QList<QByteArray> expected;
};

class SplitTextTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextTest, GivesPieces)
{
    const SplitCase &c = GetParam();
    EXPECT_EQ(splitText(c.s, c.sep), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SplitTextTest, testing::Values(
    SplitCase{"empty pieces kept", "a|b||c", "|", {"a", "b", "", "c"}},
    SplitCase{"trailing separator adds nothing", "a|b|", "|", {"a", "b"}},
    SplitCase{"empty piece before trailing separator", "a||", "|", {"a", ""}},
    SplitCase{"one separator", "|", "|", {""}},
    SplitCase{"one trailing separator", "a|", "|", {"a"}},
    SplitCase{"leading separator", "|a", "|", {"", "a"}},
    SplitCase{"no separator", "abc", "|", {"abc"}},
    SplitCase{"empty text", "", "|", {}},
    SplitCase{"empty separator", "a|b", "", {"a|b"}},
    SplitCase{"lines", "one\r\ntwo\r\n", "\r\n", {"one", "two"}},
    SplitCase{"lone CR is no line end", "a\rb\r\n", "\r\n", {"a\rb"}},
    SplitCase{"never on a trail byte", kTrailBar + "|x|" + kTrailBar, "|", {kTrailBar, "x", kTrailBar}},
    SplitCase{"two-byte separator", "a@@b@@@c", "@@", {"a", "b", "@c"}},
    SplitCase{"GBK separator", gbk("甲，乙，"), gbk("，"), {gbk("甲"), gbk("乙")}},
    SplitCase{"lone lead byte at end", "a|\x81", "|", {"a", "\x81"}}),
    caseName<SplitCase>);

int sign(int v) { return (v > 0) - (v < 0); }

TEST(CompareText, OrdersByCharacterUnits)
{
    struct Case {
        const char *name;
        QByteArray a;
        QByteArray b;
        bool caseSensitive;
        int expectedSign;
    };
    const Case cases[] = {
        {"equal", "abc", "abc", true, 0},
        {"both empty", "", "", true, 0},
        {"shorter is smaller", "ab", "abc", true, -1},
        {"longer is larger", "[abc]", "[", false, 1},
        {"first difference decides", "abd", "abc", true, 1},
        {"case matters", "a", "B", true, 1},
        {"case ignored", "a", "B", false, -1},
        {"case-insensitive equal", "ItEm", "iTeM", false, 0},
        {"lead byte weighs 256", gbk("啊"), gbk("阿"), true, -1},
        {"two-byte after ASCII", gbk("中"), "z", true, 1},
        {"trail bytes never fold", kTrailA, "\x81\x61", false, -1},
        {"two-byte character is one unit", "\x81\x7f" "a", "\x81\x7f" "b", true, -1},
        {"lone lead byte before its characters", "\x81", "\x81\x40", true, -1},
        {"lone lead byte after lower lead", "\xb0", "\x81\x40", true, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sign(compareText(c.a, c.b, c.caseSensitive)), c.expectedSign);
        EXPECT_EQ(sign(compareText(c.b, c.a, c.caseSensitive)), -c.expectedSign);
    }
}

TEST(UpperCaseText, FoldsOnlySingleByteLetters)
{
    EXPECT_EQ(upperCaseText("abc xyz 09!"), "ABC XYZ 09!");
    EXPECT_EQ(upperCaseText(gbk("a中z")), gbk("A中Z"));
    EXPECT_EQ(upperCaseText("\x81\x61" "a"), "\x81\x61" "A");
    EXPECT_EQ(upperCaseText("a\x81"), "A\x81");
    EXPECT_EQ(upperCaseText(""), "");
}

TEST(BytesToText, StopsAtFirstZeroByte)
{
    EXPECT_EQ(bytesToText(QByteArray("ab\0cd", 5)), "ab");
    EXPECT_EQ(bytesToText(QByteArray("\0ab", 3)), "");
    EXPECT_EQ(bytesToText("abc"), "abc");
    EXPECT_EQ(textToBytes(gbk("中")), QByteArray("\xd6\xd0"));
}

TEST(FoldFullWidth, FoldsTheFullWidthBlockAndFourMarks)
{
    const SliceCase cases[] = {
        {"digits", foldFullWidth(gbk("１２０")), "120"},
        {"first of block", foldFullWidth("\xa3\xa1"), "!"},
        {"last of block", foldFullWidth("\xa3\xfe"), "~"},
        {"colon and slash", foldFullWidth(gbk("：／")), ":/"},
        {"letters", foldFullWidth(gbk("ＡＢｚ")), "ABz"},
        {"ideographic space", foldFullWidth("\xa1\xa1"), " "},
        {"A1AB", foldFullWidth("\xa1\xab"), "~"},
        {"A1EE and A1EF", foldFullWidth("\xa1\xee\xa1\xef"), "**"},
        {"neighbours stay", foldFullWidth("\xa3\xa0\xa1\xaa\xa1\xf0"), "\xa3\xa0\xa1\xaa\xa1\xf0"},
        {"other characters stay", foldFullWidth(gbk("元a")), gbk("元a")},
        {"A3 as a trail byte stays", foldFullWidth("\x81\xa3\xb0"), "\x81\xa3\xb0"},
        {"lone lead byte at end", foldFullWidth("1\xa3"), "1\xa3"},
    };
    for (const SliceCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result, c.expected);
    }
}

} // namespace
