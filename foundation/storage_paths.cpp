#include "foundation/storage_paths.h"

#include "foundation/codepage.h"
#include "foundation/datetime_format.h"
#include "foundation/files.h"
#include "foundation/texts.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

StoragePaths &mutableStoragePaths()
{
    static StoragePaths paths;
    return paths;
}

// Byte index where the last character of the text starts, stepping over
// two-byte characters so that a trail byte is never taken for a separator.
qsizetype lastCharacterStart(const QByteArray &text)
{
    qsizetype start = -1;
    for (qsizetype i = 0; i < text.size(); i += characterWidth(text, i))
        start = i;
    return start;
}

void createFolder(const QString &path)
{
    // A folder that exists already, or cannot be made, is not an error here:
    // the caller only asks whether the folder exists in the end.
    QDir().mkdir(path);
}

} // namespace

const StoragePaths &storagePaths()
{
    return mutableStoragePaths();
}

QByteArray documentsFolderPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        return {};
    if (!folder.endsWith(QLatin1Char(kPathSeparator)))
        folder += QLatin1Char(kPathSeparator);
    return unicodeToGbk(folder);
}

QByteArray directoryOfPath(const QByteArray &path)
{
    QByteArray text = path;
    const qsizetype last = lastCharacterStart(text);
    if (last >= 0 && text[last] == kPathSeparator)
        text.truncate(last);
    const int separator = findTextReverse(text, QByteArray(1, kPathSeparator));
    return separator < 0 ? QByteArray() : text.left(separator);
}

bool ensureDirectory(const QByteArray &folderPath)
{
    const QString path = platformPath(folderPath);
    if (path.size() >= 3) {
        // Every folder above is made first, from the top down. The prefix
        // before a leading separator is the root itself, which never needs
        // making (and on Windows-style paths the drive cannot be made).
        for (qsizetype i = 1; i < path.size(); ++i) {
            if (path[i] == QLatin1Char(kPathSeparator))
                createFolder(path.left(i));
        }
        createFolder(path);
    }
    return QFileInfo(path).isDir();
}

void startUpIn(const QByteArray &storageFolder, DateTime now)
{
    StoragePaths &paths = mutableStoragePaths();
    paths.settingsFilePath = storageFolder + "ROOMSETTING.ini";
    paths.historyFilePath = storageFolder + "History" + kPathSeparator + formatDateTime(now, "yyyyMM")
            + ".WD.txt";
    targetItemName().clear();
    ensureDirectory(directoryOfPath(paths.historyFilePath));
}

void startUp()
{
    startUpIn(documentsFolderPath(), currentDateTime());
}

QByteArray &selectedItemName()
{
    static QByteArray name;
    return name;
}

QByteArray &targetItemName()
{
    static QByteArray name;
    return name;
}
