#pragma once

#include "foundation/datetime.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Helpers shared by the tests.

// GBK bytes of a UTF-8 literal: gbk("空闲中").
QByteArray gbk(const char *utf8);

// The bytes of a file in tests/data.
QByteArray fixtureBytes(const char *name);

// Raw file access for checking what the program wrote.
QByteArray readFileBytes(const QByteArray &gbkPath);
void writeFileBytes(const QByteArray &gbkPath, const QByteArray &bytes);

// A file of the test's own, in a temporary folder deleted with the object;
// the file itself does not exist until written.
class ScratchFile {
public:
    explicit ScratchFile(const char *name = "ROOMSETTING.ini");

    // GBK paths of the file and of its folder (without a trailing separator).
    const QByteArray &path() const { return m_path; }
    QByteArray folder() const;

    void write(const QByteArray &content) const;
    QByteArray content() const;
    bool exists() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

// A storage folder of the test's own, deleted with the object. The
// constructor runs startUpIn on it, so storagePaths() points inside it.
class TestStorage {
public:
    explicit TestStorage(DateTime startTime = 45842.0 /* 2025-07-04 */);

    // GBK path of the folder, ending in the separator.
    QByteArray folder() const { return m_folder; }
    QByteArray settingsPath() const;
    QByteArray historyPath() const;

    // Puts bytes into the settings file; a fixture by name.
    void writeSettings(const QByteArray &bytes) const;
    void copySettingsFixture(const char *name = "ROOMSETTING.ini") const;
    QByteArray settingsBytes() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_folder;
};
