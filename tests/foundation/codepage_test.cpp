#include "foundation/codepage.h"
#include "foundation/stored_texts.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

QByteArray twoBytes(int code)
{
    const char bytes[] = {char(code >> 8), char(code & 0xff)};
    return QByteArray(bytes, 2);
}

QString character(char32_t codePoint)
{
    return QString::fromUcs4(&codePoint, 1);
}

struct KnownCode {
    QByteArray gbk;
    char32_t unicode;
};

TEST(CodePage936, MapsKnownCodesBothWays)
{
    const KnownCode cases[] = {
        {"A", U'A'},
        {"\x7f", U'\x7f'},
        {"\x80", U'€'},
        {"\xff", 0xF8F5},
        {twoBytes(0x8140), U'丂'},
        {twoBytes(0xB0A1), U'啊'},
        {twoBytes(0xD6D0), U'中'},
        {twoBytes(0xA1A1), 0x3000},
        {twoBytes(0xA1A4), 0x00B7},
        {twoBytes(0xA1AA), 0x2014},
        {twoBytes(0xA3A1), 0xFF01},
        {twoBytes(0xA3FE), 0xFFE3},
        // The three user-defined areas, first and last codes.
        {twoBytes(0xAAA1), 0xE000},
        {twoBytes(0xAFFE), 0xE233},
        {twoBytes(0xF8A1), 0xE234},
        {twoBytes(0xFEFE), 0xE4C5},
        {twoBytes(0xA140), 0xE4C6},
        {twoBytes(0xA7A0), 0xE765},
    };
    for (const KnownCode &c : cases) {
        SCOPED_TRACE(c.gbk.toHex().constData());
        EXPECT_EQ(gbkToUnicode(c.gbk), character(c.unicode));
        EXPECT_EQ(unicodeToGbk(character(c.unicode)), c.gbk);
    }
}

// Every code of the two-byte grid (lead 81..FE, trail 40..7E and 80..FE) is
// assigned in code page 936, each to a character of its own.
TEST(CodePage936, EveryTwoByteCodeRoundTrips)
{
    QSet<QString> seen;
    for (int lead = 0x81; lead <= 0xfe; ++lead) {
        for (int trail = 0x40; trail <= 0xfe; ++trail) {
            if (trail == 0x7f)
                continue;
            const QByteArray code = twoBytes(lead << 8 | trail);
            const QString text = gbkToUnicode(code);
            ASSERT_EQ(text.size(), 1) << code.toHex().constData();
            ASSERT_NE(text.at(0), QChar::ReplacementCharacter) << code.toHex().constData();
            ASSERT_EQ(unicodeToGbk(text), code) << code.toHex().constData();
            seen.insert(text);
        }
    }
    EXPECT_EQ(seen.size(), 126 * 190);
}

// The user-defined areas fill the private use area from U+E000 row by row:
// AAA1..AFFE, then F8A1..FEFE (trail A1..FE), then A140..A7A0 (trail 40..A0
// without 7F).
TEST(CodePage936, UserDefinedAreasFollowEachOther)
{
    char16_t expected = 0xE000;
    const auto check = [&](int firstLead, int lastLead, int firstTrail, int lastTrail) {
        for (int lead = firstLead; lead <= lastLead; ++lead) {
            for (int trail = firstTrail; trail <= lastTrail; ++trail) {
                if (trail == 0x7f)
                    continue;
                const QByteArray code = twoBytes(lead << 8 | trail);
                ASSERT_EQ(gbkToUnicode(code), QString(QChar(expected))) << code.toHex().constData();
                ++expected;
            }
        }
    };
    check(0xaa, 0xaf, 0xa1, 0xfe);
    check(0xf8, 0xfe, 0xa1, 0xfe);
    check(0xa1, 0xa7, 0x40, 0xa0);
    EXPECT_EQ(expected, 0xE766);
}

TEST(CodePage936, SingleBytesDecodeToThemselvesOrTheirOwnCharacter)
{
    for (int byte = 1; byte <= 0x7f; ++byte) {
        const QByteArray code(1, char(byte));
        ASSERT_EQ(gbkToUnicode(code), QString(QChar(byte))) << byte;
        ASSERT_EQ(unicodeToGbk(QString(QChar(byte))), code) << byte;
    }
}

TEST(CodePage936, BrokenBytesBecomeReplacementCharacters)
{
    const QString replacement(QChar::ReplacementCharacter);
    struct Case {
        const char *name;
        QByteArray gbk;
        QString expected;
    };
    const Case cases[] = {
        {"lone lead byte at end", "a\x81", QStringLiteral("a") + replacement},
        {"only a lead byte", "\xd6", replacement},
        {"blank is no trail byte", "\x81 b", replacement + QStringLiteral(" b")},
        {"DEL is no trail byte", "\x81\x7f", replacement + QChar(0x7f)},
        {"line end is no trail byte", "\xd6\r\n", replacement + QStringLiteral("\r\n")},
        {"trail byte that looks like a bar", "\x81\x7c|", QString(QChar(0x4E85)) + QStringLiteral("|")},
        {"trail byte that looks like a letter", "\x81\x41" "A", character(U'丄') + QStringLiteral("A")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gbkToUnicode(c.gbk), c.expected);
    }
}

TEST(CodePage936, CharactersOutsideTheTableBecomeQuestionMarks)
{
    EXPECT_EQ(unicodeToGbk(QStringLiteral("a\u0E01b")), "a?b");
    EXPECT_EQ(unicodeToGbk(QStringLiteral("\uAC00")), "?");
    EXPECT_EQ(unicodeToGbk(character(0x1F600)), "?");
    EXPECT_EQ(unicodeToGbk(QString()), "");
    EXPECT_TRUE(isGbkEncodable(QStringLiteral("中文€ ?")));
    EXPECT_FALSE(isGbkEncodable(QStringLiteral("\u0E01")));
    EXPECT_FALSE(isGbkEncodable(character(0x1F600)));
}

TEST(StoredTexts, AreTheGbkBytesOfTheirChineseTexts)
{
    struct Case {
        const char *constant;
        const char *utf8;
    };
    const Case cases[] = {
        {storedtext::kIdle, "空闲中"},
        {storedtext::kInUse, "使用中"},
        {storedtext::kNone, "无"},
        {storedtext::kInitialPeriodKey, "初始时段"},
        {storedtext::kInitialFeeKey, "初始费用"},
        {storedtext::kMinimumUnitKey, "最小单位"},
        {storedtext::kOvertimePriceKey, "超时单价"},
        {storedtext::kStatusKey, "状态"},
        {storedtext::kStartTimeKey, "开始时间"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(QByteArray(c.constant), gbkFromUtf8(c.utf8));
    }
}

} // namespace
