#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/ProgramPaths.h"

namespace pictavo {
namespace {

TEST(ChooseProgramFile, BesideTheProgramWhenItsFolderIsWritableElseUnderThePerUserFolder) {
    EXPECT_EQ(ChooseProgramFile("/opt/pv", true, "/home/u/.config", "pictavo.ini"), "/opt/pv/pictavo.ini");
    EXPECT_EQ(ChooseProgramFile("/opt/pv", false, "/home/u/.config", "pictavo.ini"),
              "/home/u/.config/pictavo/pictavo.ini");
    EXPECT_EQ(ChooseProgramFile("/opt/pv", false, "/home/u/.cache", "tmp"), "/home/u/.cache/pictavo/tmp");
}

TEST(IsFolderWritable, OnlyExistingFolders) {
    QTemporaryDir dir;
    EXPECT_TRUE(IsFolderWritable(dir.path()));
    EXPECT_FALSE(IsFolderWritable(dir.filePath("missing")));
}

TEST(ProgramFolder, IsTheExecutablesFolderEvenWithoutAnApplicationObject) {
    const QString folder = ProgramFolder();
    EXPECT_FALSE(folder.endsWith('/'));
    EXPECT_TRUE(QFileInfo(folder + "/platform_test").exists()) << folder.toStdString();
}

}  // namespace
}  // namespace pictavo
