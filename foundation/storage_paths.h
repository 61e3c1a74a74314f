#pragma once

#include "foundation/datetime.h"

#include <QByteArray>

// Where the data files live: the settings file and the current month's history
// file, both GBK paths inside the storage folder (the user's Documents
// folder). Fixed once by startUp before the first window opens and read-only
// afterwards, from any thread.
struct StoragePaths {
    QByteArray settingsFilePath;  // folder + "ROOMSETTING.ini"
    QByteArray historyFilePath;   // folder + "History" + sep + yyyyMM + ".WD.txt"
};

const StoragePaths &storagePaths();

// The user's Documents folder as Qt's standard locations report it, GBK
// (characters GBK cannot hold become "?"), ending in the path separator;
// empty when the platform cannot tell it.
QByteArray documentsFolderPath();

// The folder part of a path, with its trailing separator: a trailing
// separator is dropped first, then everything up to and including the last
// separator is kept; empty when there is none.
QByteArray directoryOfPath(const QByteArray &path);

// Creates the folder and every missing folder above it; true when it exists
// afterwards. Texts shorter than three characters create nothing.
bool ensureDirectory(const QByteArray &folderPath);

// Fixes the storage paths in storageFolder (which ends in the separator, or
// is empty for the working directory) for the month of `now`, empties
// targetItemName and creates the History folder.
void startUpIn(const QByteArray &storageFolder, DateTime now);
// startUpIn(documentsFolderPath(), currentDateTime()).
void startUp();

// The item handed to the checkout window. GUI thread only.
QByteArray &selectedItemName();
// The item handed to the item editor and the switch window; empty means the
// editor adds a new item. GUI thread only.
QByteArray &targetItemName();
