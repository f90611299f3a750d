#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>

#include "platform/SharedLibrary.h"

namespace pictavo {
namespace {

// The test library exports `pictavo_test_answer` (returns 42); its path comes from the build.
const QString kLibraryPath = QStringLiteral(PICTAVO_TEST_LIBRARY);

TEST(SharedLibrary, LoadsByPathFindsExportsAndUnloadsWhenItsOwnerGoes) {
    SharedLibrary library(kLibraryPath);
    ASSERT_TRUE(library.IsLoaded());
    auto answer = library.Function<int (*)()>("pictavo_test_answer");
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(library.Symbol("no_such_export"), nullptr);
    EXPECT_EQ(library.ModulePath(), QFileInfo(kLibraryPath).absoluteFilePath());

    SharedLibrary moved(std::move(library));
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_TRUE(moved.IsLoaded());
    moved.Unload();
    EXPECT_EQ(moved.Symbol("pictavo_test_answer"), nullptr);
    EXPECT_TRUE(moved.ModulePath().isEmpty());
}

TEST(SharedLibrary, ABareNameIsLookedForInTheProgramFolderWithTheDllSuffixReplaced) {
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(kLibraryPath, folder.filePath("Answer32.so")));
    SharedLibrary library(QStringLiteral("Answer32.dll"), folder.path());
    EXPECT_EQ(library.ModulePath(), QFileInfo(folder.filePath("Answer32.so")).absoluteFilePath());
    EXPECT_EQ(NativeLibraryName("UnZip32.DLL"), "UnZip32.so");
    EXPECT_EQ(NativeLibraryName("susie.spi"), "susie.spi");

    EXPECT_THROW(SharedLibrary(QStringLiteral("NoSuchLibrary.dll"), folder.path()), SharedLibrary::LoadError);
    EXPECT_THROW(SharedLibrary(folder.filePath("missing.so")), SharedLibrary::LoadError);
}

}  // namespace
}  // namespace pictavo
