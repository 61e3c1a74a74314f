#include "foundation/texts.h"

#include <algorithm>
#include <cstring>

namespace {

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// Whether t occurs in s at byte index i. t is walked character by
// character so that, when ignoring case, only single-byte letters fold: a
// trail byte that happens to equal a letter must match exactly.
bool matchesAt(const QByteArray &s, qsizetype i, const QByteArray &t, bool ignoreCase)
{
    if (s.size() - i < t.size())
        return false;
    for (qsizetype j = 0; j < t.size();) {
        const qsizetype width = characterWidth(t, j);
        if (width == 2 || !ignoreCase) {
            if (std::memcmp(s.constData() + i + j, t.constData() + j, size_t(width)) != 0)
                return false;
        } else if (asciiUpper(s[i + j]) != asciiUpper(t[j])) {
            return false;
        }
        j += width;
    }
    return true;
}

// Byte index of the first occurrence of t at or after index from, stepping
// over s one character at a time, or -1.
qsizetype indexOfText(const QByteArray &s, const QByteArray &t, qsizetype from, bool ignoreCase)
{
    for (qsizetype i = from; i < s.size(); i += characterWidth(s, i)) {
        if (matchesAt(s, i, t, ignoreCase))
            return i;
    }
    return -1;
}

int positionOf(qsizetype index)
{
    return index < 0 ? -1 : int(index + 1);
}

// Value of the character at byte index i as compareText orders it. A lone
// lead byte at the end counts as if followed by a zero byte, so it still
// sorts among the two-byte characters of its lead byte.
int characterValue(const QByteArray &s, qsizetype i, bool caseSensitive)
{
    const auto byte = static_cast<unsigned char>(s[i]);
    if (!isLeadByte(s[i]))
        return caseSensitive ? byte : static_cast<unsigned char>(asciiUpper(s[i]));
    const int trail = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
    return byte * 256 + trail;
}

} // namespace

int textLength(const QByteArray &s)
{
    return int(s.size());
}

QByteArray textLeft(const QByteArray &s, int n)
{
    return n <= 0 ? QByteArray() : s.left(n);
}

QByteArray textRight(const QByteArray &s, int n)
{
    return n <= 0 ? QByteArray() : s.right(n);
}

QByteArray textMid(const QByteArray &s, int p, int n)
{
    if (p < 1 || p > s.size() || n <= 0)
        return {};
    return s.mid(p - 1, n);
}

int findText(const QByteArray &s, const QByteArray &t, int start, bool ignoreCase)
{
    if (t.isEmpty())
        return -1;
    const qsizetype from = start < 1 ? 0 : qsizetype(start) - 1;
    return positionOf(indexOfText(s, t, from, ignoreCase));
}

int findTextReverse(const QByteArray &s, const QByteArray &t)
{
    if (t.isEmpty())
        return -1;
    qsizetype last = -1;
    for (qsizetype i = indexOfText(s, t, 0, false); i >= 0;
         i = indexOfText(s, t, i + characterWidth(s, i), false)) {
        last = i;
    }
    return positionOf(last);
}

QByteArray replaceTextAt(const QByteArray &s, int p, int n, const QByteArray &r)
{
    const qsizetype index = p < 1 ? 0 : std::min<qsizetype>(qsizetype(p) - 1, s.size());
    const qsizetype count = n <= 0 ? 0 : std::min<qsizetype>(n, s.size() - index);
    return s.left(index) + r + s.mid(index + count);
}

QByteArray repeatText(int n, const QByteArray &s)
{
    return n <= 0 ? QByteArray() : s.repeated(n);
}

QList<QByteArray> splitText(const QByteArray &s, const QByteArray &sep)
{
    if (s.isEmpty())
        return {};
    if (sep.isEmpty())
        return {s};
    QList<QByteArray> pieces;
    qsizetype pieceStart = 0;
    for (qsizetype i = 0; i < s.size();) {
        if (matchesAt(s, i, sep, false)) {
            pieces.append(s.mid(pieceStart, i - pieceStart));
            i += sep.size();
            pieceStart = i;
        } else {
            i += characterWidth(s, i);
        }
    }
    if (pieceStart < s.size())
        pieces.append(s.mid(pieceStart));
    return pieces;
}

int compareText(const QByteArray &a, const QByteArray &b, bool caseSensitive)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const int difference = characterValue(a, i, caseSensitive) - characterValue(b, j, caseSensitive);
        if (difference != 0)
            return difference;
        i += characterWidth(a, i);
        j += characterWidth(b, j);
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

QByteArray upperCaseText(const QByteArray &s)
{
    QByteArray result = s;
    for (qsizetype i = 0; i < result.size(); i += characterWidth(result, i)) {
        if (!isLeadByte(result[i]))
            result[i] = asciiUpper(result[i]);
    }
    return result;
}

QByteArray bytesToText(const QByteArray &bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.left(zero);
}

QByteArray foldFullWidth(const QByteArray &s)
{
    QByteArray result;
    result.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        const qsizetype width = characterWidth(s, i);
        if (width == 1) {
            result.append(s[i]);
            i += 1;
            continue;
        }
        const auto lead = static_cast<unsigned char>(s[i]);
        const auto trail = static_cast<unsigned char>(s[i + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
            result.append(char(trail - 0x80));
        else if (lead == 0xA1 && trail == 0xA1)
            result.append(' ');
        else if (lead == 0xA1 && trail == 0xAB)
            result.append('~');
        else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF))
            result.append('*');
        else
            result.append(s.constData() + i, 2);
        i += 2;
    }
    return result;
}
