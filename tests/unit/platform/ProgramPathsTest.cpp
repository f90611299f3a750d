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
}

// An installed bin folder finds ../lib/pictavo whatever it holds (/usr/bin has ld.so); a
// build's or a self-contained copy's folder holds its modules; a lone executable falls back to
// the prefix it was built for.
TEST(ModuleFolderFor, InstalledTreeThenModulesBesideTheProgramThenTheBuiltPrefixAndWritableFolders) {
    QTemporaryDir dir;
    const QString tree = dir.path() + "/usr", built = dir.path() + "/opt", copy = dir.path() + "/copy";
    for (const QString& folder : {tree + "/bin", tree + "/lib/pictavo", built + "/lib/pictavo", copy})
        ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& module : {tree + "/bin/ld.so", copy + "/UnZip32.so"}) {
        QFile file(module);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(ModuleFolderFor(tree + "/bin", built), tree + "/lib/pictavo");
    EXPECT_EQ(ModuleFolderFor(copy, built), copy);
    EXPECT_EQ(ModuleFolderFor(built, built), built + "/lib/pictavo");
    EXPECT_EQ(ModuleFolderFor(built, dir.path() + "/missing"), built);
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
