#pragma once

#include "foundation/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>

#include <functional>

// INI values in the manner of the Windows profile functions, on GBK text files
// whose lines (ended by CR LF) are section headers "[name]" and key lines
// "key=value".
//
// Lines: a line ends at a line feed; one carriage return right before it (or
// at the very end of the file) belongs to the line end, any other carriage
// return is part of the line. Zero bytes and 0x1A are ordinary bytes of a
// line. A header is a line whose first byte after blanks and tabs is "[" and
// that has a "]" after it; its name is the bytes between them, anything after
// the "]" is ignored. A key line is any other line with an "="; its key is the
// text before the first "=" and its value the text after it. Scans step over
// two-byte characters, so a trail byte is never taken for "]" or "=". Lines
// before the first header belong to no section.
//
// Reading: leading bytes <= 0x20 are trimmed from path, section and key (any
// of them empty: empty text, the file is not read); trailing blanks and tabs
// of section and key are ignored. Sections and keys match without regard to
// ASCII case; trail bytes never fold. The first of duplicate sections or keys
// is the one found; keys of a later duplicate section are never seen. The
// value comes back with surrounding blanks and tabs and one enclosing pair of
// quotes (" or ') removed, cut to 10239 bytes and at a zero byte; a missing
// file, section or key gives the default.
//
// Writing: an existing key line becomes "key=value" in place (keeping the
// key's own spelling and the line's own line end); a new key goes after the
// last key line of its section (after its header when it has none); a new
// section goes at the end of the file as its header and key line. New lines
// end in CR LF. Every other byte of the file stays as it was. The file is
// rewritten atomically. A section, key or value that could not be read back
// as written (a line break or zero byte in any of them, "]" in the section,
// "=" in the key, a key beginning with "[", a name ending in a lone lead byte)
// is refused, and so is an empty section or key; the file is then untouched.

// Reads the file afresh on every call.
QByteArray readIniValue(const QByteArray &path, const QByteArray &section, const QByteArray &key,
                        const QByteArray &defaultValue = {});

Result writeIniValue(const QByteArray &path, const QByteArray &section, const QByteArray &key,
                     const QByteArray &value);

// One read of an INI file, answering any number of look-ups by the same rules
// as readIniValue. For operations that need many values at once (a list
// reload, a refresh pass); never kept across operations.
class IniSnapshot {
public:
    // An empty snapshot: every look-up gives its default.
    IniSnapshot() = default;
    // Reads and parses the file once; a missing file gives an empty snapshot.
    static IniSnapshot read(const QByteArray &path);
    // Parses the given content.
    static IniSnapshot fromContent(const QByteArray &content);

    QByteArray value(const QByteArray &section, const QByteArray &key,
                     const QByteArray &defaultValue = {}) const;

private:
    friend QByteArray readIniValue(const QByteArray &, const QByteArray &, const QByteArray &,
                                   const QByteArray &);
    // Parses the content; with onlySection (folded), keeps that section alone
    // and stops reading after it.
    static IniSnapshot parse(QByteArrayView content, const QByteArray *onlySection);

    using Keys = QHash<QByteArray, QByteArray>;  // folded key -> finished value
    QList<Keys> m_sections;                       // in file order, first of each name
    QHash<QByteArray, qsizetype> m_sectionIndex;  // folded name -> index in m_sections
};

// One line of INI content as the reader sees it. Offsets count bytes from the
// start of the content; the views point into it.
struct IniLine {
    enum class Kind { Other, Header, Key };

    qsizetype start = 0;    // first byte of the line
    qsizetype bodyEnd = 0;  // first byte of the line end (or the end of the content)
    qsizetype end = 0;      // first byte after the line end
    Kind kind = Kind::Other;
    QByteArrayView body;    // the line without its line end
    QByteArrayView name;    // Header: the bytes between "[" and "]"; Key: the trimmed key
    QByteArrayView value;   // Key: the bytes after the first "=", untrimmed
    bool endsInLineFeed = false;  // false only for a last line without a line feed
};

// Calls visit for every line of the content in order, until it returns false.
void forEachIniLine(QByteArrayView content, const std::function<bool(const IniLine &)> &visit);
