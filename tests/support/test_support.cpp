#include "test_support.h"

#include "foundation/codepage.h"
#include "foundation/files.h"
#include "foundation/storage_paths.h"

#include <QFile>
#include <QFileInfo>

#include <stdexcept>

QByteArray gbk(const char *utf8)
{
    return gbkFromUtf8(utf8);
}

QByteArray fixtureBytes(const char *name)
{
    QFile file(QStringLiteral(KORAVEL_TEST_DATA_DIR "/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("missing fixture ") + name);
    return file.readAll();
}

QByteArray readFileBytes(const QByteArray &gbkPath)
{
    QFile file(platformPath(gbkPath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFileBytes(const QByteArray &gbkPath, const QByteArray &bytes)
{
    QFile file(platformPath(gbkPath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

ScratchFile::ScratchFile(const char *name)
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    m_path = folder() + kPathSeparator + name;
}

QByteArray ScratchFile::folder() const
{
    return unicodeToGbk(m_dir.path());
}

void ScratchFile::write(const QByteArray &content) const
{
    writeFileBytes(m_path, content);
}

QByteArray ScratchFile::content() const
{
    return readFileBytes(m_path);
}

bool ScratchFile::exists() const
{
    return QFileInfo::exists(platformPath(m_path));
}

TestStorage::TestStorage(DateTime startTime)
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    m_folder = unicodeToGbk(m_dir.path()) + kPathSeparator;
    startUpIn(m_folder, startTime);
}

QByteArray TestStorage::settingsPath() const
{
    return storagePaths().settingsFilePath;
}

QByteArray TestStorage::historyPath() const
{
    return storagePaths().historyFilePath;
}

void TestStorage::writeSettings(const QByteArray &bytes) const
{
    writeFileBytes(settingsPath(), bytes);
}

void TestStorage::copySettingsFixture(const char *name) const
{
    writeSettings(fixtureBytes(name));
}

QByteArray TestStorage::settingsBytes() const
{
    return readFileBytes(settingsPath());
}
