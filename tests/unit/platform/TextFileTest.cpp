#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/TextFile.h"

namespace pictavo {
namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct SplitCase {
    const char* text;
    QStringList lines;
};

class SplitLinesTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, BreaksAtCrLfLoneCrAndLoneLf) {
    EXPECT_EQ(SplitLines(QString::fromUtf8(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(LineEnds, SplitLinesTest,
                         testing::Values(SplitCase{"", {}}, SplitCase{"a", {"a"}}, SplitCase{"a\r\n", {"a"}},
                                         SplitCase{"a\r\nb", {"a", "b"}}, SplitCase{"a\nb\n", {"a", "b"}},
                                         SplitCase{"a\rb\r", {"a", "b"}},
                                         SplitCase{"a\r\n\r\nb", {"a", "", "b"}},
                                         SplitCase{"a\n\rb", {"a", "", "b"}}, SplitCase{"\r\n", {""}}));

TEST(JoinLinesCrLf, EndsEveryLineWithCrLfInUtf8) {
    EXPECT_EQ(JoinLinesCrLf({"[System]", "名=値", ""}),
              QByteArray("[System]\r\n") + QStringLiteral("名=値").toUtf8() + "\r\n\r\n");
    EXPECT_EQ(JoinLinesCrLf({}), QByteArray());
}

TEST(ReadTextFile, RefusesWhatIsNotAReadableFile) {
    QTemporaryDir dir;
    EXPECT_THROW(ReadTextFile(dir.filePath("missing.ini")), ETextFileRead);
    EXPECT_THROW(ReadTextFile(dir.path()), ETextFileRead);
}

TEST(ReadTextFile, RefusesFilesAboveTheLimitBeforeReadingThem) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.lst");
    WriteBytes(path, QByteArray(101, 'x'));
    EXPECT_THROW(ReadTextFile(path, 100), ETextFileRead);
    EXPECT_EQ(ReadTextFile(path, 101).size(), 101);
}

TEST(WriteFileAtomically, ReplacesTheOldFileAndLeavesNothingElse) {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.lst");
    WriteBytes(path, "old contents that are longer than the new ones");
    WriteFileAtomically(path, "new\r\n");
    EXPECT_EQ(ReadBytes(path), QByteArray("new\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.lst"});
}

TEST(WriteFileAtomically, FailureThrowsAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing-folder/list.lst");
    EXPECT_THROW(WriteFileAtomically(path, "x"), ETextFileWrite);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(WriteFileAtomically, KeepsThePermissionsOfTheOldFileAndFollowsALink) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pictavo.ini");
    WriteBytes(path, "old");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QString link = dir.filePath("link.ini");
    ASSERT_TRUE(QFile::link(path, link));
    WriteFileAtomically(link, "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBytes(path), QByteArray("new"));
    EXPECT_EQ(QFile::permissions(path) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace
}  // namespace pictavo
