#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/files.h"
#include "foundation/storage_paths.h"

#include "tests/foundation/case_names.h"
#include "tests/support/test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

DateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return *dateTimeFromFields({year, month, day, hour, minute, second});
}

struct FolderCase {
    const char *name;
    QByteArray path;
    QByteArray folder;
};

class FolderOfPath : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderOfPath, KeepsUpToTheLastSeparator)
{
    EXPECT_EQ(directoryOfPath(GetParam().path), GetParam().folder);
}

INSTANTIATE_TEST_SUITE_P(Rules, FolderOfPath, testing::Values(
    FolderCase{"file", "/home/me/Documents/History/202507.WD.txt", "/home/me/Documents/History/"},
    FolderCase{"trailing separator dropped first", "/a/b/", "/a/"},
    FolderCase{"only one trailing separator dropped", "/a/b//", "/a/b/"},
    FolderCase{"root file", "/x", "/"},
    FolderCase{"root", "/", ""},
    FolderCase{"no separator", "ROOMSETTING.ini", ""},
    FolderCase{"relative", "History/202507.WD.txt", "History/"},
    FolderCase{"empty", "", ""},
    FolderCase{"gbk names", gbk("/文档/历史/202507.WD.txt"), gbk("/文档/历史/")}),
    caseName<FolderCase>);

TEST(EnsureDirectory, CreatesEveryMissingFolder)
{
    QTemporaryDir dir;
    const QByteArray root = QFile::encodeName(dir.path());
    const QByteArray deep = root + gbk("/一/b/c/");
    EXPECT_TRUE(ensureDirectory(deep));
    EXPECT_TRUE(QFileInfo(platformPath(deep)).isDir());
    EXPECT_TRUE(ensureDirectory(deep)) << "an existing folder is fine";
    EXPECT_TRUE(ensureDirectory(root + "/x/y")) << "without a trailing separator";
    EXPECT_TRUE(QFileInfo(platformPath(root + "/x/y")).isDir());

    writeFileBytes(root + "/file", "x");
    EXPECT_FALSE(ensureDirectory(root + "/file/sub/"));
    EXPECT_FALSE(ensureDirectory(root + "/file"));
}

TEST(EnsureDirectory, ShortTextsCreateNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_FALSE(ensureDirectory("a/"));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("a")));
    EXPECT_TRUE(ensureDirectory("/"));
    EXPECT_FALSE(ensureDirectory(""));
    EXPECT_TRUE(ensureDirectory("History/"));
    EXPECT_TRUE(QFileInfo(QStringLiteral("History")).isDir());
    EXPECT_TRUE(ensureDirectory("r/s/t/")) << "relative folders are made from the top";
}

TEST(StartUp, FixesThePathsForTheMonthOfStart)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    targetItemName() = "left over";
    startUpIn(folder, at(2025, 7, 31, 23, 59, 59));
    EXPECT_EQ(storagePaths().settingsFilePath, folder + "ROOMSETTING.ini");
    EXPECT_EQ(storagePaths().historyFilePath, folder + "History/202507.WD.txt");
    EXPECT_TRUE(targetItemName().isEmpty());
    EXPECT_TRUE(QFileInfo(platformPath(folder + "History")).isDir());
    EXPECT_FALSE(QFileInfo::exists(platformPath(storagePaths().settingsFilePath)))
            << "start-up creates no settings file";

    startUpIn(folder, at(2026, 1, 1));
    EXPECT_EQ(storagePaths().historyFilePath, folder + "History/202601.WD.txt");
}

TEST(StartUp, EmptyFolderMeansTheWorkingDirectory)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    startUpIn("", at(2025, 7, 4));
    EXPECT_EQ(storagePaths().settingsFilePath, "ROOMSETTING.ini");
    EXPECT_EQ(storagePaths().historyFilePath, "History/202507.WD.txt");
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/History")).isDir());
}

// The Documents folder comes from the user's XDG folder settings.
class DocumentsFolder : public testing::Test {
protected:
    // Makes the platform report the folder; "$CONFIG" stands for the
    // temporary configuration folder.
    QString reportDocumentsAs(const QString &folder)
    {
        const QString documents = QString(folder).replace(QStringLiteral("$CONFIG"), m_config.path());
        QFile dirs(m_config.path() + QStringLiteral("/user-dirs.dirs"));
        if (!dirs.open(QIODevice::WriteOnly | QIODevice::Truncate))
            ADD_FAILURE() << "cannot write user-dirs.dirs";
        dirs.write("XDG_DOCUMENTS_DIR=\"" + documents.toUtf8() + "\"\n");
        return documents;
    }
    void SetUp() override { qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path())); }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_oldConfig); }

    QTemporaryDir m_config;
    QByteArray m_oldConfig = qgetenv("XDG_CONFIG_HOME");
};

// A name GBK cannot hold keeps its place as question marks; exactly one
// separator ends the folder.
TEST_F(DocumentsFolder, EndsInOneSeparatorAndIsGbk)
{
    const QByteArray config = unicodeToGbk(m_config.path());
    const struct {
        const char *name;
        QString reported;
        QByteArray expected;
    } cases[] = {
        {"unencodable characters", QStringLiteral("$CONFIG/文档😀x"), config + gbk("/文档?x/")},
        {"plain", QStringLiteral("$CONFIG/Documents"), config + "/Documents/"},
        {"root already ends in the separator", QStringLiteral("/"), "/"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString documents = reportDocumentsAs(c.reported);
        EXPECT_EQ(documentsFolderPath(), c.expected);
        EXPECT_EQ(QFileInfo::exists(documents), documents == QStringLiteral("/"))
                << "the folder is only asked for, not made";
    }
}

TEST_F(DocumentsFolder, StartUpUsesIt)
{
    reportDocumentsAs(QStringLiteral("$CONFIG/Documents"));
    startUp();
    EXPECT_EQ(storagePaths().settingsFilePath, documentsFolderPath() + "ROOMSETTING.ini");
    EXPECT_TRUE(storagePaths().historyFilePath.startsWith(documentsFolderPath() + "History/"));
    EXPECT_TRUE(documentsFolderPath().endsWith('/'));
}

} // namespace
