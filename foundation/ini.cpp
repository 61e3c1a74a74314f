#include "foundation/ini.h"

#include "foundation/files.h"
#include "foundation/texts.h"

namespace {

constexpr qsizetype kValueRoom = 10239;  // the profile functions' 10240-byte buffer less its terminator
constexpr char kNewLineEnd[] = "\r\n";

bool isBlank(char byte)
{
    return byte == ' ' || byte == '\t';
}

// Index of the first byte equal to wanted at or after from, stepping over
// two-byte characters, or -1.
qsizetype findByte(QByteArrayView text, char wanted, qsizetype from)
{
    for (qsizetype i = from; i < text.size(); i += characterWidth(text, i)) {
        if (text[i] == wanted)
            return i;
    }
    return -1;
}

QByteArrayView trimBlanks(QByteArrayView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.sliced(first, last - first);
}

IniLine classifyLine(IniLine line)
{
    const QByteArrayView body = line.body;
    qsizetype first = 0;
    while (first < body.size() && isBlank(body[first]))
        ++first;
    if (first < body.size() && body[first] == '[') {
        const qsizetype close = findByte(body, ']', first + 1);
        if (close >= 0) {
            line.kind = IniLine::Kind::Header;
            line.name = body.sliced(first + 1, close - first - 1);
            return line;
        }
    }
    const qsizetype equals = findByte(body, '=', first);
    if (equals >= 0) {
        line.kind = IniLine::Kind::Key;
        line.name = trimBlanks(body.sliced(first, equals - first));
        line.value = body.sliced(equals + 1);
    }
    return line;
}

// Names compare with ASCII letters folded to upper case; trail bytes of
// two-byte characters keep their case.
QByteArray foldedName(QByteArrayView name)
{
    return upperCaseText(name.toByteArray());
}

// Callers' paths and names lose leading control bytes and blanks.
QByteArrayView withoutLeadingControls(QByteArrayView text)
{
    qsizetype first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) <= 0x20)
        ++first;
    return text.sliced(first);
}

// A name given by a caller also loses trailing blanks and tabs, which the
// file's own keys never keep either.
QByteArray argumentName(const QByteArray &name)
{
    return trimBlanks(withoutLeadingControls(name)).toByteArray();
}

QByteArray finishedValue(QByteArrayView raw)
{
    QByteArrayView value = trimBlanks(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front()) {
        value = value.sliced(1, value.size() - 2);
    }
    return bytesToText(value.first(qMin(value.size(), kValueRoom)).toByteArray());
}

QByteArray trimmedPath(const QByteArray &path)
{
    return withoutLeadingControls(path).toByteArray();
}

// The reader itself decides whether a written header or key line would be
// read back under the same name: a "]" in a section name, an "=" in a key, a
// key that makes its line a header, or a name ending in a lone lead byte
// that swallows the next byte would all make a write land where no read
// finds it.
bool readsBackAs(const QByteArray &lineText, IniLine::Kind kind, const QByteArray &name)
{
    IniLine line;
    line.body = lineText;
    const IniLine classified = classifyLine(line);
    return classified.kind == kind && classified.name == name;
}

QString refusalReason(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    auto breaksLines = [](const QByteArray &text) {
        return text.contains('\n') || text.contains('\r') || text.contains('\0');
    };
    if (section.isEmpty())
        return QStringLiteral("项目名称为空");
    if (key.isEmpty())
        return QStringLiteral("键名为空");
    if (breaksLines(section) || breaksLines(key) || breaksLines(value))
        return QStringLiteral("名称或值中含有换行符或空字符");
    if (!readsBackAs('[' + section + ']', IniLine::Kind::Header, section))
        return QStringLiteral("项目名称中含有“]”或不完整的字符");
    if (!readsBackAs(key + '=' + value, IniLine::Kind::Key, key))
        return QStringLiteral("键名中含有“=”、以“[”开头或含有不完整的字符");
    return {};
}

// The bytes that end the content's last line before new lines are added
// after it, so that a last line without a line end keeps its own bytes.
QByteArray lineEndToComplete(const QByteArray &content)
{
    if (content.isEmpty() || content.endsWith('\n'))
        return {};
    return content.endsWith('\r') ? QByteArray("\n") : QByteArray(kNewLineEnd);
}

// Where a key of a section is, or where it would go.
struct KeyPlace {
    bool sectionFound = false;
    bool keyFound = false;
    qsizetype keyLineStart = 0;
    qsizetype keyLineBodyEnd = 0;
    QByteArray keySpelling;
    qsizetype insertAt = 0;          // end of the section's last key line (or header)
    bool insertAfterLineFeed = true; // false when that line is the last one, without line feed
};

KeyPlace findKeyPlace(const QByteArray &content, const QByteArray &wantedSection, const QByteArray &wantedKey)
{
    KeyPlace place;
    forEachIniLine(content, [&](const IniLine &line) {
        if (line.kind == IniLine::Kind::Header) {
            if (place.sectionFound)
                return false;
            if (foldedName(line.name) == wantedSection) {
                place.sectionFound = true;
                place.insertAt = line.end;
                place.insertAfterLineFeed = line.endsInLineFeed;
            }
            return true;
        }
        if (place.sectionFound && line.kind == IniLine::Kind::Key) {
            place.insertAt = line.end;
            place.insertAfterLineFeed = line.endsInLineFeed;
            if (foldedName(line.name) == wantedKey) {
                place.keyFound = true;
                place.keyLineStart = line.start;
                place.keyLineBodyEnd = line.bodyEnd;
                place.keySpelling = line.name.toByteArray();
                return false;
            }
        }
        return true;
    });
    return place;
}

QByteArray contentWithValue(const QByteArray &content, const QByteArray &section, const QByteArray &key,
                            const QByteArray &value)
{
    const KeyPlace place = findKeyPlace(content, foldedName(section), foldedName(key));
    if (place.keyFound) {
        return content.left(place.keyLineStart) + place.keySpelling + '=' + value
                + content.mid(place.keyLineBodyEnd);
    }
    const QByteArray keyLine = key + '=' + value + kNewLineEnd;
    if (place.sectionFound) {
        const QByteArray lineEnd =
                place.insertAfterLineFeed ? QByteArray() : lineEndToComplete(content);
        return content.left(place.insertAt) + lineEnd + keyLine + content.mid(place.insertAt);
    }
    return content + lineEndToComplete(content) + '[' + section + ']' + kNewLineEnd + keyLine;
}

} // namespace

void forEachIniLine(QByteArrayView content, const std::function<bool(const IniLine &)> &visit)
{
    qsizetype start = 0;
    while (start < content.size()) {
        IniLine line;
        line.start = start;
        const qsizetype lineFeed = content.indexOf('\n', start);
        line.endsInLineFeed = lineFeed >= 0;
        line.end = line.endsInLineFeed ? lineFeed + 1 : content.size();
        line.bodyEnd = line.endsInLineFeed ? lineFeed : content.size();
        if (line.bodyEnd > start && content[line.bodyEnd - 1] == '\r')
            --line.bodyEnd;
        line.body = content.sliced(start, line.bodyEnd - start);
        if (!visit(classifyLine(line)))
            return;
        start = line.end;
    }
}

QByteArray readIniValue(const QByteArray &path, const QByteArray &section, const QByteArray &key,
                        const QByteArray &defaultValue)
{
    const QByteArray filePath = trimmedPath(path);
    const QByteArray wantedSection = foldedName(argumentName(section));
    // An empty path gives the empty text, like an empty section or key, and
    // not the default: the file is not read at all.
    if (filePath.isEmpty() || wantedSection.isEmpty())
        return {};
    return IniSnapshot::parse(readWholeFile(filePath), &wantedSection).value(section, key, defaultValue);
}

Result writeIniValue(const QByteArray &path, const QByteArray &section, const QByteArray &key,
                     const QByteArray &value)
{
    const QByteArray sectionName = argumentName(section);
    const QByteArray keyName = argumentName(key);
    const QString refusal = refusalReason(sectionName, keyName, value);
    if (!refusal.isEmpty()) {
        return Result::failure(
                QStringLiteral("无法写入文件 %1：%2。").arg(platformPath(path), refusal));
    }
    QByteArray content;
    if (Result read = readFileForRewrite(path, content); !read)
        return read;
    return writeWholeFile(path, {contentWithValue(content, sectionName, keyName, value)});
}

IniSnapshot IniSnapshot::read(const QByteArray &path)
{
    return fromContent(readWholeFile(trimmedPath(path)));
}

IniSnapshot IniSnapshot::fromContent(const QByteArray &content)
{
    return parse(content, nullptr);
}

IniSnapshot IniSnapshot::parse(QByteArrayView content, const QByteArray *onlySection)
{
    IniSnapshot snapshot;
    qsizetype current = -1;
    forEachIniLine(content, [&](const IniLine &line) {
        if (line.kind == IniLine::Kind::Header) {
            const QByteArray name = foldedName(line.name);
            if (onlySection && name != *onlySection) {
                current = -1;
                // The one section wanted has been read whole.
                return snapshot.m_sections.isEmpty();
            }
            if (snapshot.m_sectionIndex.contains(name)) {
                current = -1;  // a later duplicate is never read
            } else {
                current = snapshot.m_sections.size();
                snapshot.m_sectionIndex.insert(name, current);
                snapshot.m_sections.append(Keys());
            }
        } else if (current >= 0 && line.kind == IniLine::Kind::Key) {
            Keys &keys = snapshot.m_sections[current];
            const QByteArray name = foldedName(line.name);
            if (!keys.contains(name))
                keys.insert(name, finishedValue(line.value));
        }
        return true;
    });
    return snapshot;
}

QByteArray IniSnapshot::value(const QByteArray &section, const QByteArray &key,
                              const QByteArray &defaultValue) const
{
    const QByteArray wantedSection = foldedName(argumentName(section));
    const QByteArray wantedKey = foldedName(argumentName(key));
    if (wantedSection.isEmpty() || wantedKey.isEmpty())
        return {};
    const auto index = m_sectionIndex.constFind(wantedSection);
    if (index == m_sectionIndex.cend())
        return defaultValue;
    const Keys &keys = m_sections[*index];
    const auto found = keys.constFind(wantedKey);
    return found == keys.cend() ? defaultValue : *found;
}
