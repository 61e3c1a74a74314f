#pragma once

#include "foundation/result.h"

#include <QByteArray>
#include <QList>

// INI values in the manner of the Windows profile functions, on GBK text files
// whose lines (ended by CR LF) are section headers "[name]" and key lines
// "key=value".
//
// Reading: leading bytes <= 0x20 are trimmed from path, section and key (any
// of them empty: empty text, the file is not read). Sections and keys match
// without regard to ASCII case; trail bytes never fold. The first of duplicate
// sections or keys is the one found. The value comes back with surrounding
// blanks and tabs and one enclosing pair of quotes removed, cut to 10239
// bytes; a missing section or key gives the default.
//
// Writing: an existing key line becomes "key=value" in place (keeping the
// key's own spelling); a new key goes after the last key line of its section;
// a new section goes at the end of the file as its header and key line. Every
// other byte of the file stays as it was. The file is rewritten atomically.

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
    struct Entry {
        QByteArray key;
        QByteArray value;
    };
    struct Section {
        QByteArray name;
        QList<Entry> entries;
    };
    QList<Section> m_sections;
    friend struct IniParser;
};
