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

// A build's program folder holds its modules; an installed bin folder holds none and finds them
// in ../lib/pictavo, or else below the prefix the program was built for.
TEST(ModuleFolderFor, ProgramFolderWithModulesElseTheInstalledModuleFolder) {
    QTemporaryDir dir;
    const QString tree = dir.path() + "/usr", built = dir.path() + "/opt";
    for (const QString& folder :
         {tree + "/bin", tree + "/lib/pictavo", built + "/bin", built + "/lib/pictavo"})
        ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(ModuleFolderFor(tree + "/bin", built), tree + "/lib/pictavo");
    EXPECT_EQ(ModuleFolderFor(dir.path(), built), built + "/lib/pictavo");
    EXPECT_EQ(ModuleFolderFor(dir.path(), dir.path() + "/missing"), dir.path());

    QFile module(tree + "/bin/UnZip32.so");
    ASSERT_TRUE(module.open(QIODevice::WriteOnly));
    module.close();
    EXPECT_EQ(ModuleFolderFor(tree + "/bin", built), tree + "/bin");
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
