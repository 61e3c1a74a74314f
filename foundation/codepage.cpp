#include "foundation/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Qt hands "GBK" to ICU, whose table under that name is Windows code page 936
// itself (0x80 the euro sign, 0xFF U+F8F5, the user-defined areas mapped to
// the private use area), so no fix-ups of the table are needed. glibc's iconv
// would not do: its CP936 rejects the user-defined areas.
constexpr char kCodePageName[] = "GBK";

// A converter per call: converters carry state, and the refresh thread
// converts while the window thread does.
QStringDecoder makeDecoder() { return QStringDecoder(kCodePageName); }
QStringEncoder makeEncoder() { return QStringEncoder(kCodePageName); }

// A byte that can never be a trail byte. ICU keeps a lead byte at the end of
// the input waiting for its trail byte and drops it, even with the stateless
// flag; ending the input with this byte makes it report the lead byte as
// U+FFFD like every other broken character.
constexpr char kFlushByte = '\n';

} // namespace

QString gbkToUnicode(const QByteArray &gbk)
{
    QStringDecoder decoder = makeDecoder();
    QString text = decoder.decode(gbk + kFlushByte);
    text.chop(1);
    return text;
}

QByteArray unicodeToGbk(const QString &text)
{
    // ICU substitutes "?" (0x3F) for a character the table lacks, one per
    // character, a surrogate pair included.
    QStringEncoder encoder = makeEncoder();
    return encoder.encode(text);
}

bool isGbkEncodable(const QString &text)
{
    return gbkToUnicode(unicodeToGbk(text)) == text;
}

QByteArray gbkFromUtf8(const char *utf8)
{
    return unicodeToGbk(QString::fromUtf8(utf8));
}
