#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include "../platform/FileBytes.h"
#include "display/FileInfoText.h"

using namespace pictavo;

TEST(FileInfoText, LinesGrowWithTheStateAndSpreadsFollowTheDisplayedOrder) {
    const PageFacts page{4, QStringLiteral("/pics/猫.jpg"), 640, 480, 1024};
    EXPECT_TRUE(SingleInfoLines(page, 120, 0).isEmpty());
    const QStringList all = SingleInfoLines(page, 120, 4);
    EXPECT_EQ(all, (QStringList{QStringLiteral("5 / 120"), QStringLiteral("/pics/猫.jpg"),
                                QStringLiteral("640 × 480"), QStringLiteral("1024 Byte")}));
    EXPECT_EQ(SingleInfoLines(page, 120, 2), all.mid(0, 2));
    EXPECT_EQ(SingleInfoLines(page, 120, 9), all);
    // Spreads list both pages in the displayed order.
    const PageFacts p3{3, QStringLiteral("a.png"), 100, 200, 0};
    const PageFacts p4{4, QStringLiteral("b.png"), 300, 100, 128};
    EXPECT_EQ(SpreadInfoLines(p3, p4, 120, 4),
              (QStringList{QStringLiteral("4 & 5 / 120"), QStringLiteral("a.png & b.png"),
                           QStringLiteral("100 × 200 & 300 × 100"), QStringLiteral("0 Byte & 128 Byte")}));
    // Read right to left, the higher index is the left page.
    EXPECT_EQ(SpreadInfoLines(p4, p3, 120, 1), QStringList{QStringLiteral("5 & 4 / 120")});
}

TEST(FileInfoText, SizeIsRoundedDownTo128AndOnlyReadForTheFourthLine) {
    EXPECT_FALSE(ShowsSizeLine(3));
    EXPECT_TRUE(ShowsSizeLine(4));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    testing_support::WriteFileBytes(dir.filePath("a"), QByteArray(1100, 'x'));
    EXPECT_EQ(RoundedFileSize(dir.filePath("a")), 1024);
    testing_support::WriteFileBytes(dir.filePath("c"), QByteArray(256, 'x'));
    EXPECT_EQ(RoundedFileSize(dir.filePath("c")), 256);
    // A file that has gone away reads as 0 rather than stopping the show.
    EXPECT_EQ(RoundedFileSize(dir.filePath(QStringLiteral("missing"))), 0);
    // A pipe named like a picture reads as 0 at once instead of waiting for a writer for ever.
    const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("pipe.jpg")));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    ::alarm(10);
    EXPECT_EQ(RoundedFileSize(QFile::decodeName(fifo)), 0);
    ::alarm(0);
}
