#pragma once

#include "foundation/result.h"

#include <QByteArray>

#include <initializer_list>
#include <memory>

// Operations on files named by GBK paths. The path is turned into the
// platform's Unicode form only when the file is opened.

// The platform separator between folder names in a path.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The Unicode path for the platform, from a GBK path.
QString platformPath(const QByteArray &gbkPath);

// True when some directory entry (file or folder) matches the path; "*" and
// "?" in the last component act as wildcards.
bool fileExists(const QByteArray &path);

// The whole content; empty for an empty path or a file that cannot be read.
QByteArray readWholeFile(const QByteArray &path);

// The whole content of a file that is about to be rewritten: empty for a
// missing file, a failure (with the reason) when the file exists but cannot be
// read, so that a rewrite never replaces content it could not see.
Result readFileForRewrite(const QByteArray &path, QByteArray &content);

// Replaces the whole content of the file with the blocks, one after the other.
// Atomic: the blocks go to a temporary file in the same folder, which is
// flushed to disk and then renamed over the file, so a reader or a crash sees
// either the old or the new content, never a mix. Fails for an empty path.
Result writeWholeFile(const QByteArray &path, std::initializer_list<QByteArray> blocks);

// Appends the bytes at the end of the file in one write and flushes them to
// disk before returning; creates the file when missing. Earlier bytes are
// never touched; on failure the file is cut back to its size before.
Result appendToFile(const QByteArray &path, const QByteArray &bytes);

// An open file read and written as raw bytes, without line-end translation.
// A file that could not be opened does nothing: reads give empty text and
// isAtEndOfFile() is true.
class OpenFile {
public:
    enum class Access { Read, ReadWrite };

    OpenFile();
    ~OpenFile();
    OpenFile(OpenFile &&) noexcept;
    OpenFile &operator=(OpenFile &&) noexcept;

    bool isOpen() const;

    void seekToEnd();
    // Writes the bytes at the position; on failure the position goes back.
    bool writeText(const QByteArray &text);
    // The next line: bytes up to the first line feed (consumed), zero byte or
    // 0x1A (not consumed), or the end; a lead byte is taken with its trail
    // byte; one trailing carriage return is dropped. Empty at the end.
    QByteArray readTextLine();
    // True at or past the end, or on a zero byte or 0x1A; does not move.
    bool isAtEndOfFile();
    void close();

private:
    friend OpenFile openFile(const QByteArray &path, OpenFile::Access access);
    struct Private;
    std::unique_ptr<Private> d;
};

// Opens an existing file (never creates one). Others may read and write it
// meanwhile.
OpenFile openFile(const QByteArray &path, OpenFile::Access access = OpenFile::Access::ReadWrite);
