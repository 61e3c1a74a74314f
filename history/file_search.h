#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

// Finds the files (never folders) of the folder whose names match any of the
// wildcard patterns, separated by "|" ("*" any run of characters, "?" one
// character, case-sensitive as the file system is). Names that GBK cannot
// hold are skipped: no GBK path could open them. With withFolder, each name
// has the folder (ending in the separator) in front. With sorted, the list is
// in compareText order, case-sensitive. Without intoSubfolders, result is
// emptied first; with it, the folders below are searched too and everything
// is appended to result. afterEach, when given, runs after each file found
// and each subfolder searched (a window keeps its events flowing there).
// Returns the number of entries in result.
int findFiles(const QByteArray &folder, const QByteArray &patterns, QList<QByteArray> &result,
              bool withFolder, bool sorted, bool intoSubfolders,
              const std::function<void()> &afterEach = {});

// The file name of the path without its folder and without its last
// extension: '.../202507.WD.txt' -> '202507.WD'. A path ending in the
// separator gives empty text.
QByteArray fileBaseName(const QByteArray &path);
