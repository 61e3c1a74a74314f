#pragma once

#include <QByteArray>
#include <QString>

// Conversions between the program's GBK texts (code page 936) and Unicode.
// They happen only at the edges: file paths handed to the platform and texts
// shown in or typed into widgets. Everything in between stays GBK bytes.
//
// The table is that of Windows code page 936: 0x80 is the euro sign, every
// assigned two-byte code round-trips, and so do the user-defined areas.

// GBK bytes to Unicode. Bytes that form no GBK character become U+FFFD.
QString gbkToUnicode(const QByteArray &gbk);

// Unicode to GBK bytes. A character that GBK cannot hold becomes "?".
QByteArray unicodeToGbk(const QString &text);

// True when every character of the text has a GBK code, so that
// gbkToUnicode(unicodeToGbk(text)) == text.
bool isGbkEncodable(const QString &text);

// The GBK bytes of a UTF-8 literal of this source code.
QByteArray gbkFromUtf8(const char *utf8);
