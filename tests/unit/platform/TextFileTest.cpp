#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "FileBytes.h"
#include "platform/TextFile.h"

namespace pictavo {
namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

class SplitLinesTest : public testing::TestWithParam<std::pair<const char*, QStringList>> {};

TEST_P(SplitLinesTest, BreaksAtCrLfLoneCrAndLoneLf) {
    EXPECT_EQ(SplitLines(QString::fromUtf8(GetParam().first)), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, SplitLinesTest,
                         testing::Values(std::pair{"", QStringList{}}, std::pair{"a", QStringList{"a"}},
                                         std::pair{"a\nb\n", QStringList{"a", "b"}},
                                         std::pair{"a\rb\r", QStringList{"a", "b"}},
                                         std::pair{"a\r\n\r\nb", QStringList{"a", "", "b"}},
                                         std::pair{"a\n\rb", QStringList{"a", "", "b"}},
                                         std::pair{"\r\n", QStringList{""}}));

// Files in a fresh folder; `file_` holds kOld at the start.
class TextFileTest : public testing::Test {
protected:
    static constexpr char kOld[] = "old contents that are longer than the new ones";
    void SetUp() override { WriteFileBytes(file_, kOld); }

    QTemporaryDir dir_;
    QString file_ = dir_.filePath("pictavo.ini");
};

TEST_F(TextFileTest, ReadingRefusesMissingFoldersAndFilesAboveTheLimitBeforeReadingThem) {
    EXPECT_THROW(ReadTextFile(dir_.filePath("missing.ini")), ETextFileRead);
    EXPECT_THROW(ReadTextFile(dir_.path()), ETextFileRead);
    EXPECT_THROW(ReadTextFile(file_, sizeof kOld - 2), ETextFileRead);
    EXPECT_EQ(ReadTextFile(file_, sizeof kOld - 1), kOld);
    // A FIFO is refused without waiting for a writer; a reader that waits is killed by the alarm.
    ASSERT_EQ(mkfifo(QFile::encodeName(dir_.filePath("fifo.lst")).constData(), 0600), 0);
    alarm(10);
    EXPECT_THROW(ReadTextFile(dir_.filePath("fifo.lst")), ETextFileRead);
    alarm(0);
}

TEST_F(TextFileTest, WritingReplacesTheOldFileKeepsItsPermissionsAndFollowsALink) {
    WriteFileAtomically(file_, "new\r\n");
    EXPECT_EQ(ReadFileBytes(file_), QByteArray("new\r\n"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"pictavo.ini"});
    // No temporary file can be made, or a folder stands where the file would go.
    EXPECT_THROW(WriteFileAtomically(dir_.filePath("missing-folder/list.lst"), "x"), ETextFileWrite);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("sub"));
    EXPECT_THROW(WriteFileAtomically(dir_.filePath("sub"), "x"), ETextFileWrite);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"pictavo.ini"});
    // The permissions of the old file stay, and a link is followed.
    QFile::setPermissions(file_, QFile::ReadOwner | QFile::WriteOwner);
    const QString link = dir_.filePath("link.ini");
    ASSERT_TRUE(QFile::link(file_, link));
    WriteFileAtomically(link, "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFileBytes(file_), QByteArray("new"));
    EXPECT_EQ(QFile::permissions(file_) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace
}  // namespace pictavo
