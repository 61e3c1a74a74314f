#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Operations on texts. A text is a sequence of GBK bytes without zero bytes,
// held in a QByteArray. Lengths and positions count bytes; positions start at
// 1; a search that finds nothing gives -1. A byte of 0x80 or more starts a
// two-byte character (lead byte, then trail byte), and every scan that looks
// for a text steps over such a character as one unit, so a match never starts
// on a trail byte.

// True when the byte starts a two-byte character.
inline bool isLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// Width in bytes of the character starting at byte index i (0-based, inside
// the text): a lead byte takes its trail byte with it, except a lone lead
// byte at the very end.
inline qsizetype characterWidth(QByteArrayView s, qsizetype i)
{
    return isLeadByte(s[i]) && i + 1 < s.size() ? 2 : 1;
}

// Number of bytes.
int textLength(const QByteArray &s);

// The first n bytes; empty for n <= 0, all of s when n exceeds its length.
QByteArray textLeft(const QByteArray &s, int n);
// The last n bytes, with the same limits as textLeft.
QByteArray textRight(const QByteArray &s, int n);
// Up to n bytes from byte position p; empty when p < 1, p is past the end or
// n <= 0. Counts bytes only: may cut a two-byte character in half.
QByteArray textMid(const QByteArray &s, int p, int n);

// Position of the first occurrence of t in s at or after byte position start
// (a start below 1 means 1; a start past the end finds nothing), or -1. With
// ignoreCase, ASCII letters match without regard to case; other bytes never
// fold, trail bytes included. An empty t finds nothing.
int findText(const QByteArray &s, const QByteArray &t, int start = 1, bool ignoreCase = false);
// Position of the last occurrence of t in s, with the same stepping,
// case-sensitive, or -1.
int findTextReverse(const QByteArray &s, const QByteArray &t);

// s with n bytes from position p replaced by r. p < 1 counts as 1; p past the
// end appends r; n reaching past the end removes up to the end; n <= 0
// removes nothing.
QByteArray replaceTextAt(const QByteArray &s, int p, int n, const QByteArray &r);
// s written n times; empty for n <= 0.
QByteArray repeatText(int n, const QByteArray &s);

// Pieces of s between occurrences of sep. An empty s gives no pieces, an
// empty sep gives s alone; a trailing separator adds no empty piece.
// 'a|b||c' -> a, b, '', c; 'a|b|' -> a, b; '|' -> one empty piece.
QList<QByteArray> splitText(const QByteArray &s, const QByteArray &sep);

// Compares character by character (a two-byte character is one unit of value
// lead * 256 + trail, a lone lead byte at the end lead * 256); a text that
// ends first is the smaller. Without caseSensitive, ASCII letters compare as
// upper case. Negative, 0 or positive.
int compareText(const QByteArray &a, const QByteArray &b, bool caseSensitive);

// ASCII a..z to A..Z; two-byte characters pass unchanged.
QByteArray upperCaseText(const QByteArray &s);

// The bytes up to the first zero byte, or all of them.
QByteArray bytesToText(const QByteArray &bytes);
// The bytes of the text, without a terminator.
inline QByteArray textToBytes(const QByteArray &text) { return text; }

// Full-width folding used by the number and date-time readers: GBK A3A1..A3FE
// become the ASCII byte trail - 0x80, A1A1 a space, A1AB '~', A1EE and A1EF
// '*'. Other characters stay.
QByteArray foldFullWidth(const QByteArray &s);
