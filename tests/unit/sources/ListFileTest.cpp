#include "sources/ListFile.h"

#include <gtest/gtest.h>
#include <time.h>

#include <QTemporaryDir>
#include <chrono>

#include "../platform/FileBytes.h"
#include "sources/Extensions.h"

namespace pictavo {
namespace {

using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

class ListFileTest : public ::testing::Test {
protected:
    QString Path(const char* name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(ListFileTest, RoundTripKeepsOrderEmptyItemsAndJapaneseNames) {
    const QStringList items{"/p/b.jpg", "", "/写真/a.png", "", "/p/b.jpg"};
    WriteListFile(Path("list.lst"), items);
    EXPECT_EQ(ReadFileBytes(Path("list.lst")), QByteArray("/p/b.jpg\r\n\r\n/写真/a.png\r\n\r\n/p/b.jpg\r\n"));
    EXPECT_EQ(ReadListFile(Path("list.lst")), items);
    const QStringList marked{QString(QChar(0xFEFF)) + "/p/odd name.jpg"};  // the reader drops one mark
    WriteListFile(Path("marked.lst"), marked);
    EXPECT_EQ(ReadListFile(Path("marked.lst")), marked);
    WriteListFile(Path("empty.lst"), {});
    EXPECT_EQ(ReadListFile(Path("empty.lst")), QStringList());
}

// The line splitting and the decoding are the platform's; here only that lists use them.
TEST_F(ListFileTest, LfOnlyFilesAndTheOldCodePage) {
    WriteFileBytes(Path("lf.lst"), "/a.jpg\n/b.jpg\n");
    EXPECT_EQ(ReadListFile(Path("lf.lst")), (QStringList{"/a.jpg", "/b.jpg"}));
    WriteFileBytes(Path("cp932.lst"), "/\x8e\xca\x90\x5e.jpg\r\n");  // "写真" in Shift-JIS
    EXPECT_EQ(ReadListFile(Path("cp932.lst")), QStringList{"/写真.jpg"});
}

// Refusing FIFOs, folders and failed writes is the platform's, reporting them the window's.
TEST_F(ListFileTest, AListAboveTheLimitIsAListFileError) {
    WriteFileBytes(Path("big.lst"), QByteArray(101, 'x'));
    EXPECT_THROW(ReadListFile(Path("big.lst"), 100), EListFileRead);
    EXPECT_EQ(ReadListFile(Path("big.lst"), 101).size(), 1);
}

TEST_F(ListFileTest, AMillionLinesLoadInUnderASecond) {
    QByteArray bytes;
    bytes.reserve(40'000'000);
    for (int i = 0; i < 1'000'000; ++i) bytes += "/home/user/pictures/" + QByteArray::number(i) + ".jpg\n";
    WriteFileBytes(Path("huge.lst"), bytes);
    // Processor time of this thread, so that a busy machine does not fail the test.
    const auto cpuNow = [] {
        timespec t{};
        ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
    };
    const auto start = cpuNow();
    const QStringList items = ReadListFile(Path("huge.lst"));
    EXPECT_LT(cpuNow() - start, std::chrono::seconds(1));
    ASSERT_EQ(items.size(), 1'000'000);
    EXPECT_EQ(items.last(), "/home/user/pictures/999999.jpg");
}

TEST(ListFileNameTest, LstIsAppendedUnlessTheNameEndsInIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"/d/list", "/d/list.lst"},   {"/d/a.lst", "/d/a.lst"},           {"/d/a.LST", "/d/a.LST.lst"},
        {"/d/a.txt", "/d/a.txt.lst"}, {"/d.lst/list", "/d.lst/list.lst"}, {"/d/.lst", "/d/.lst"}};
    for (auto [chosen, saved] : cases) EXPECT_EQ(ListFileName(chosen), saved) << chosen;
}

TEST(PictureDialogFilterTest, OneEntryForTheLoadExtensionsThenAllFiles) {
    EXPECT_EQ(PictureDialogFilter({".bmp", ".jpg"}), "対応形式(*.bmp,*.jpg)|*.bmp;*.jpg|全てのファイル|*");
    EXPECT_EQ(PictureDialogFilter({".png"}), "対応形式(*.png)|*.png|全てのファイル|*");
    EXPECT_EQ(PictureDialogFilter({}), "全てのファイル|*");
}

}  // namespace
}  // namespace pictavo
