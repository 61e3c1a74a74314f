#include "history/history_file.h"

#include "foundation/codepage.h"
#include "foundation/files.h"
#include "foundation/storage_paths.h"
#include "foundation/texts.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QByteArray kLineEnd("\r\n");
const QByteArray kFieldSeparator("@");

// A zero byte would end the reading of the whole file there, and a CR or LF
// would split the record: either way later records would be lost or garbled.
bool isSingleLine(const QByteArray &line)
{
    return !line.contains('\0') && !line.contains('\r') && !line.contains('\n');
}

// True when the file has content whose last line is not closed by CR LF.
bool endsInsideALine(const QByteArray &path)
{
    QFile file(platformPath(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    if (file.size() < kLineEnd.size() || !file.seek(file.size() - kLineEnd.size()))
        return true;
    return file.read(kLineEnd.size()) != kLineEnd;
}

} // namespace

QByteArray HistoryRecord::toLine() const
{
    QByteArray line;
    for (qsizetype i = 0; i < qsizetype(fields.size()); ++i) {
        if (i > 0)
            line += kFieldSeparator;
        line += fields[i];
    }
    return line;
}

bool historyFileExists(const QByteArray &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(platformPath(path));
    return info.exists() && !info.isDir();
}

Result appendHistoryLineTo(const QByteArray &path, const QByteArray &line)
{
    const QString shownPath = platformPath(path);
    if (!isSingleLine(line))
        return Result::failure(
                QStringLiteral("历史记录含有换行符或空字符，未写入文件 %1。").arg(shownPath));
    // The folder may have been removed while the program was running.
    const QByteArray folder = directoryOfPath(path);
    if (!folder.isEmpty() && !ensureDirectory(folder))
        return Result::failure(
                QStringLiteral("无法创建历史记录文件夹 %1，记录未写入。").arg(platformPath(folder)));
    const QByteArray bytes = (endsInsideALine(path) ? kLineEnd : QByteArray()) + line + kLineEnd;
    return appendToFile(path, bytes);
}

Result appendHistoryLine(const QByteArray &line)
{
    return appendHistoryLineTo(storagePaths().historyFilePath, line);
}

QList<QList<QByteArray>> readHistoryFile(const QByteArray &path)
{
    const QList<QByteArray> lines = splitText(bytesToText(readWholeFile(path)), kLineEnd);
    QList<QList<QByteArray>> records;
    records.reserve(lines.size());
    for (const QByteArray &line : lines)
        records.append(splitText(line, kFieldSeparator));
    return records;
}
