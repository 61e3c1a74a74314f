// Reads arbitrary bytes as a settings file and checks that the INI reader's
// two ways of looking up a value agree, that a written value reads back while
// the other values stay, and that removing a section cuts one piece out of
// the file and keeps every other byte.

#include "foundation/files.h"
#include "foundation/ini.h"
#include "foundation/item_store.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// In memory where the system offers it: every write flushes to disk, which a
// real disk makes a hundred times slower than the checks themselves.
QString temporaryFolderTemplate()
{
    const QString memory = QStringLiteral("/dev/shm");
    return QFileInfo(memory).isDir() && QFileInfo(memory).isWritable()
            ? memory + QStringLiteral("/fuzz_ini-XXXXXX")
            : QString();
}

const QByteArray &settingsPath()
{
    static const QTemporaryDir dir = temporaryFolderTemplate().isEmpty()
            ? QTemporaryDir()
            : QTemporaryDir(temporaryFolderTemplate());
    static const QByteArray path = QFile::encodeName(dir.path()) + "/ROOMSETTING.ini";
    return path;
}

void putContent(const QByteArray &content)
{
    QFile file(QFile::decodeName(settingsPath()));
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(content) == content.size());
}

// Section and key names as the file itself spells them, a bounded number.
QList<std::pair<QByteArray, QByteArray>> namesInFile(const QByteArray &content)
{
    QList<std::pair<QByteArray, QByteArray>> names;
    QByteArray section;
    forEachIniLine(content, [&](const IniLine &line) {
        if (line.kind == IniLine::Kind::Header)
            section = line.name.toByteArray();
        else if (line.kind == IniLine::Kind::Key)
            names.append({section, line.name.toByteArray()});
        return names.size() < 32;
    });
    return names;
}

void checkLookupsAgree(const QByteArray &content, const QList<std::pair<QByteArray, QByteArray>> &names)
{
    const IniSnapshot snapshot = IniSnapshot::fromContent(content);
    for (const auto &[section, key] : names) {
        const QByteArray value = snapshot.value(section, key, "\x01");
        require(value == readIniValue(settingsPath(), section, key, "\x01"));
        require(value.size() <= 10239 && !value.contains('\0'));
    }
}

void checkWriteReadsBack(const QByteArray &content, const QList<std::pair<QByteArray, QByteArray>> &names,
                         const uint8_t *data, size_t size)
{
    const QByteArray section = "W" + QByteArray::number(size % 5);
    const QByteArray key = "k" + QByteArray::number(size ? data[0] % 4 : 0);
    const QByteArray value = "v" + QByteArray::number(quint64(size));
    const IniSnapshot before = IniSnapshot::fromContent(content);
    require(writeIniValue(settingsPath(), section, key, value).ok());
    require(readIniValue(settingsPath(), section, key) == value);
    const IniSnapshot after = IniSnapshot::read(settingsPath());
    require(after.value(section, key) == value);
    // Every other value stays; the reader itself tells which names address
    // the written key.
    const IniSnapshot written = IniSnapshot::fromContent("[" + section + "]\r\n" + key + "=x\r\n");
    for (const auto &[otherSection, otherKey] : names) {
        if (written.value(otherSection, otherKey) != "x")
            require(after.value(otherSection, otherKey, "\x01") == before.value(otherSection, otherKey, "\x01"));
    }
}

void checkRemovalCutsOnePiece(const QByteArray &content)
{
    putContent(content);
    const QList<QByteArray> names = listSectionNames(settingsPath());
    if (names.isEmpty())
        return;
    require(removeSection(settingsPath(), names.first()).ok());
    const QByteArray after = readWholeFile(settingsPath());
    require(after.size() < content.size());
    qsizetype same = 0;
    while (same < after.size() && after[same] == content[same])
        ++same;
    require(content.endsWith(after.mid(same)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<std::pair<QByteArray, QByteArray>> names = namesInFile(content);
    putContent(content);
    checkLookupsAgree(content, names);
    checkWriteReadsBack(content, names, data, size);
    checkRemovalCutsOnePiece(content);
    return 0;
}
