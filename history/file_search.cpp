#include "history/file_search.h"

#include "foundation/codepage.h"
#include "foundation/files.h"
#include "foundation/texts.h"

#include <QDir>

#include <algorithm>

namespace {

bool sameCharacter(const QByteArray &a, qsizetype atA, const QByteArray &b, qsizetype atB, qsizetype size)
{
    return characterWidth(b, atB) == size && a.mid(atA, size) == b.mid(atB, size);
}

// Wildcard match by characters, so "?" takes a whole two-byte character and a
// trail byte never matches a pattern byte on its own. Greedy with one
// backtrack point, which is enough for "*" and "?" only.
bool matchesWildcard(const QByteArray &name, const QByteArray &pattern)
{
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starPattern = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        const qsizetype nameSize = characterWidth(name, n);
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += nameSize;
        } else if (p < pattern.size() && sameCharacter(name, n, pattern, p, nameSize)) {
            p += nameSize;
            n += nameSize;
        } else if (starPattern >= 0) {
            p = starPattern;
            starName += characterWidth(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

// The entry names of the folder as GBK, in the order the file system gives
// them. Names GBK cannot hold are left out: no GBK path could reach them.
QList<QByteArray> entryNames(const QByteArray &folder, QDir::Filters filters)
{
    QList<QByteArray> names;
    const QStringList entries = QDir(platformPath(folder)).entryList(filters, QDir::NoSort);
    for (const QString &entry : entries) {
        if (isGbkEncodable(entry))
            names.append(unicodeToGbk(entry));
    }
    return names;
}

void runAfterEach(const std::function<void()> &afterEach)
{
    if (afterEach)
        afterEach();
}

} // namespace

int findFiles(const QByteArray &folder, const QByteArray &patterns, QList<QByteArray> &result,
              bool withFolder, bool sorted, bool intoSubfolders,
              const std::function<void()> &afterEach)
{
    if (!intoSubfolders)
        result.clear();
    const QByteArray base = folder.endsWith(kPathSeparator) ? folder : folder + kPathSeparator;

    const QList<QByteArray> files = entryNames(base, QDir::Files | QDir::Hidden | QDir::System);
    for (const QByteArray &pattern : splitText(patterns, QByteArrayLiteral("|"))) {
        for (const QByteArray &name : files) {
            if (!matchesWildcard(name, pattern))
                continue;
            result.append(withFolder ? base + name : name);
            runAfterEach(afterEach);
        }
    }
    if (sorted) {
        std::stable_sort(result.begin(), result.end(), [](const QByteArray &a, const QByteArray &b) {
            return compareText(a, b, true) < 0;
        });
    }
    if (intoSubfolders) {
        // Linked folders are not followed: a link to a folder above would
        // never end the search.
        const QDir::Filters folders = QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden
                | QDir::System | QDir::NoSymLinks;
        for (const QByteArray &name : entryNames(base, folders)) {
            findFiles(base + name, patterns, result, withFolder, sorted, intoSubfolders, afterEach);
            runAfterEach(afterEach);
        }
    }
    return int(result.size());
}

QByteArray fileBaseName(const QByteArray &path)
{
    // Stepping by characters: a separator or "." inside a two-byte character
    // is no separator and no extension.
    qsizetype nameStart = 0;
    qsizetype lastDot = -1;
    for (qsizetype i = 0; i < path.size(); i += characterWidth(path, i)) {
        if (path[i] == kPathSeparator) {
            nameStart = i + 1;
            lastDot = -1;
        } else if (path[i] == '.') {
            lastDot = i;
        }
    }
    const qsizetype nameEnd = lastDot >= 0 ? lastDot : path.size();
    return path.mid(nameStart, nameEnd - nameStart);
}
