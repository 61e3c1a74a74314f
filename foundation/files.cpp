#include "foundation/files.h"

#include "foundation/codepage.h"
#include "foundation/texts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 kLineBlockSize = 512;
constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kEndOfText = '\x1a';

bool isTextStop(char byte)
{
    return byte == '\0' || byte == kEndOfText;
}

QString describeFailure(const QString &what, const QString &path, const QString &reason)
{
    return QStringLiteral("%1 %2：%3").arg(what, QDir::toNativeSeparators(path), reason);
}

// Qt's flush only hands the bytes to the operating system; a power cut can
// still lose them unless they are forced to the disk.
bool syncToDisk(QFileDevice &file)
{
#ifdef Q_OS_WIN
    return _commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

// A rename is only durable once the folder that holds the name is on disk.
void syncFolder(const QString &filePath)
{
#ifndef Q_OS_WIN
    const QByteArray folder = QFile::encodeName(QFileInfo(filePath).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(filePath);
#endif
}

// "*" and "?" as the directory search understands them: "*" any run of
// characters, "?" any one character; nothing else is special.
bool wildcardMatches(QStringView pattern, QStringView name)
{
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starPattern = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starPattern = p++;
            starName = n;
        } else if (starPattern >= 0) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

bool entryExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString platformPath(const QByteArray &gbkPath)
{
    return gbkToUnicode(gbkPath);
}

bool fileExists(const QByteArray &path)
{
    if (path.isEmpty())
        return false;
    const QString fullPath = platformPath(path);
    const qsizetype separator = fullPath.lastIndexOf(QLatin1Char(kPathSeparator));
    const QString pattern = fullPath.mid(separator + 1);
    if (!pattern.contains(QLatin1Char('*')) && !pattern.contains(QLatin1Char('?')))
        return entryExists(fullPath);

    const QDir folder(separator < 0 ? QStringLiteral(".") : fullPath.left(separator + 1));
    const QStringList names =
            folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (wildcardMatches(pattern, name))
            return true;
    }
    return false;
}

Result readFileForRewrite(const QByteArray &path, QByteArray &content)
{
    content.clear();
    if (path.isEmpty())
        return Result::failure(QStringLiteral("无法读取文件：文件路径为空。"));
    QFile file(platformPath(path));
    if (!file.exists())
        return Result::success();
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(
                describeFailure(QStringLiteral("无法读取文件"), file.fileName(), file.errorString()));
    content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Result::failure(
                describeFailure(QStringLiteral("无法读取文件"), file.fileName(), file.errorString()));
    return Result::success();
}

QByteArray readWholeFile(const QByteArray &path)
{
    if (path.isEmpty())
        return {};
    QFile file(platformPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

Result writeWholeFile(const QByteArray &path, std::initializer_list<QByteArray> blocks)
{
    if (path.isEmpty())
        return Result::failure(QStringLiteral("无法写入文件：文件路径为空。"));
    const QString filePath = platformPath(path);
    const QString what = QStringLiteral("无法写入文件");

    // The new content goes to a temporary file beside the old one and only
    // replaces it by a rename once it is complete and on disk; until then the
    // old bytes stay untouched, whatever fails.
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return Result::failure(describeFailure(what, filePath, file.errorString()));
    for (const QByteArray &block : blocks) {
        if (file.write(block) != block.size()) {
            const QString reason = file.errorString();
            file.cancelWriting();
            return Result::failure(describeFailure(what, filePath, reason));
        }
    }
    if (!file.flush() || !syncToDisk(file)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Result::failure(describeFailure(what, filePath, reason));
    }
    if (!file.commit())
        return Result::failure(describeFailure(what, filePath, file.errorString()));
    syncFolder(filePath);
    return Result::success();
}

Result appendToFile(const QByteArray &path, const QByteArray &bytes)
{
    const QString what = QStringLiteral("无法追加到文件");
    if (path.isEmpty())
        return Result::failure(QStringLiteral("无法追加到文件：文件路径为空。"));
    const QString filePath = platformPath(path);

    // Unbuffered, so the bytes go to the file in one write at its end, and a
    // write that falls short is seen as such instead of being retried later.
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return Result::failure(describeFailure(what, filePath, file.errorString()));
    const qint64 sizeBefore = file.size();
    // A write that stops part-way (a full disk) would leave the start of the
    // bytes behind, to be glued to whatever is appended next; cutting the
    // file back keeps it as it was.
    auto failWith = [&](const QString &reason) {
        file.resize(sizeBefore);
        return Result::failure(describeFailure(what, filePath, reason));
    };
    const qint64 written = file.write(bytes);
    if (written != bytes.size())
        return failWith(written < 0 ? file.errorString() : QStringLiteral("只写入了部分内容"));
    if (!file.flush() || !syncToDisk(file))
        return failWith(file.errorString());
    file.close();
    return Result::success();
}

struct OpenFile::Private {
    QFile file;
    qint64 position = 0;

    // One byte at the given place, or nothing past the end.
    std::optional<char> byteAt(qint64 place)
    {
        char byte = 0;
        if (!file.seek(place) || file.read(&byte, 1) != 1)
            return std::nullopt;
        return byte;
    }
};

OpenFile::OpenFile() = default;
OpenFile::~OpenFile() = default;
OpenFile::OpenFile(OpenFile &&) noexcept = default;
OpenFile &OpenFile::operator=(OpenFile &&) noexcept = default;

bool OpenFile::isOpen() const
{
    return d && d->file.isOpen();
}

void OpenFile::seekToEnd()
{
    if (isOpen())
        d->position = d->file.size();
}

bool OpenFile::writeText(const QByteArray &text)
{
    if (!isOpen())
        return false;
    if (!d->file.seek(d->position))
        return false;
    const qint64 written = d->file.write(text);
    if (written != text.size()) {
        d->file.seek(d->position);
        return false;
    }
    d->position += written;
    return true;
}

QByteArray OpenFile::readTextLine()
{
    if (!isOpen() || !d->file.seek(d->position))
        return {};
    QByteArray block;
    qsizetype i = 0;
    bool lineFeedFound = false;
    // The block is refilled whenever the scan reaches its end, also between a
    // lead byte and its trail byte, so block edges never split a character.
    auto haveByte = [&](qsizetype index) {
        while (index >= block.size()) {
            const QByteArray more = d->file.read(kLineBlockSize);
            if (more.isEmpty())
                return false;
            block += more;
        }
        return true;
    };
    while (haveByte(i)) {
        const char byte = block[i];
        if (byte == kLineFeed) {
            lineFeedFound = true;
            break;
        }
        if (isTextStop(byte))
            break;
        i += (isLeadByte(byte) && haveByte(i + 1)) ? 2 : 1;
    }
    QByteArray line = block.left(i);
    d->position += i + (lineFeedFound ? 1 : 0);
    if (line.endsWith(kCarriageReturn))
        line.chop(1);
    return line;
}

bool OpenFile::isAtEndOfFile()
{
    if (!isOpen())
        return true;
    const std::optional<char> byte = d->byteAt(d->position);
    return !byte || isTextStop(*byte);
}

void OpenFile::close()
{
    if (d)
        d->file.close();
}

OpenFile openFile(const QByteArray &path, OpenFile::Access access)
{
    OpenFile opened;
    opened.d = std::make_unique<OpenFile::Private>();
    if (path.isEmpty())
        return opened;
    opened.d->file.setFileName(platformPath(path));
    const QIODevice::OpenMode mode =
            (access == OpenFile::Access::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite)
            | QIODevice::ExistingOnly | QIODevice::Unbuffered;
    opened.d->file.open(mode);
    return opened;
}
