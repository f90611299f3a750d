#include "sources/FolderScanner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

namespace pictavo {
namespace {

ScanOptions Pictures(bool subFolders = true) {
    ScanOptions options;
    options.IsGetSubDirectory = subFolders;
    options.LoadExtensions = {".jpg", ".jpeg", ".bmp", ".png", ".gif"};
    return options;
}

class FolderScannerTest : public ::testing::Test {
protected:
    QString Root() const { return root_.path(); }
    QString At(const QString& relative) const { return Root() + "/" + relative; }

    void MakeFile(const QString& relative, qint64 size = 0) {
        QDir().mkpath(QFileInfo(At(relative)).path());
        QFile file(At(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size));  // sparse, so even 4 GiB costs nothing
    }
    void MakeLink(const QString& target, const QString& relative) {
        ASSERT_EQ(symlink(QFile::encodeName(target).constData(), QFile::encodeName(At(relative)).constData()),
                  0);
    }

    // Scans and returns the list with the root folder cut off each entry.
    QStringList Scan(const ScanOptions& options, const ScanHooks& hooks = {}) {
        QStringList list;
        count_ = 0;
        FolderScanner(options, hooks).Scan(Root(), list, count_);
        for (QString& path : list) path.remove(0, Root().size());
        return list;
    }

    QTemporaryDir root_;
    std::int32_t count_ = 0;
};

TEST_F(FolderScannerTest, CollectsPicturesOfEveryFolderSortedByFullPath) {
    for (const char* name : {"b.jpg", "A.PNG", "d.jpg", "c/a.gif", "c/e/f.JPEG", "notes.txt", "photo.jpg.txt",
                             "noext", "c/e/readme"})
        MakeFile(name);
    EXPECT_EQ(Scan(Pictures()), (QStringList{"/A.PNG", "/b.jpg", "/c/a.gif", "/c/e/f.JPEG", "/d.jpg"}));
    EXPECT_EQ(count_, 5);
    EXPECT_EQ(Scan(Pictures(false)), (QStringList{"/A.PNG", "/b.jpg", "/d.jpg"}));
}

TEST_F(FolderScannerTest, HiddenEntriesAndLinkedFilesCountButNotOtherKinds) {
    MakeFile(".hidden.jpg");
    MakeFile(".hiddendir/x.jpg");
    MakeFile("elsewhere.dat");
    MakeLink(At("elsewhere.dat"), "linked.jpg");
    MakeLink(At("missing.jpg"), "dangling.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(At("pipe.jpg")).constData(), 0600), 0);  // would block a decoder
    QStringList found = Scan(Pictures());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (QStringList{"/.hidden.jpg", "/.hiddendir/x.jpg", "/linked.jpg"}));
}

TEST_F(FolderScannerTest, SizeFilterIsInclusiveAndUnsigned32Bit) {
    for (int size : {9, 10, 20, 21}) MakeFile(QString("s%1.jpg").arg(size), size);
    MakeFile("huge.jpg", (qint64{1} << 32) + 10);  // its low 32 bits are 10
    Settings settings;
    settings.LoadExtensions = {".jpg"};
    settings.IsUseFileSizeFilter = true;
    settings.LoadCondition_FileSizeMin = 10;
    settings.LoadCondition_FileSizeMax = 20;
    EXPECT_EQ(Scan(ScanOptions::FromSettings(settings)), (QStringList{"/huge.jpg", "/s10.jpg", "/s20.jpg"}));
    settings.LoadCondition_FileSizeMin = settings.LoadCondition_FileSizeMax =
        0;  // defaults: empty files only
    EXPECT_TRUE(Scan(ScanOptions::FromSettings(settings)).isEmpty());
    settings.LoadCondition_FileSizeMax = -1;  // stored signed, meant as 4294967295 bytes
    EXPECT_EQ(Scan(ScanOptions::FromSettings(settings)).size(), 5);
}

TEST_F(FolderScannerTest, CancelInsideASubFolderAlsoStopsEveryParent) {
    // The only pictures lie two levels down, so the cancel is seen there.
    for (const char* name :
         {"a.txt", "b.txt", "c.txt", "d/e.txt", "d/f.txt", "d/g/h.jpg", "d/g/i.jpg", "d/g/j.jpg"})
        MakeFile(name);
    QStringList list;
    int entriesAfterCancel = 0;
    std::vector<std::int32_t> finished;
    ScanHooks hooks;
    hooks.cancelRequested = [&] { return !list.isEmpty(); };
    hooks.betweenEntries = [&] { entriesAfterCancel += list.isEmpty() ? 0 : 1; };
    hooks.folderFinished = [&](std::int32_t count) { finished.push_back(count); };
    FolderScanner(Pictures(), hooks).Scan(Root(), list, count_);
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(entriesAfterCancel, 0);
    EXPECT_EQ(finished, (std::vector<std::int32_t>{1, 1, 1}));  // each level still shows the count
}

TEST_F(FolderScannerTest, LinksBackIntoTheTreeAreEnteredOnce) {
    MakeFile("a.jpg");
    MakeFile("sub/b.jpg");
    MakeLink("..", "sub/up");
    MakeLink(".", "sub/here");
    MakeLink(At("sub"), "alias");
    const QStringList found = Scan(Pictures());
    EXPECT_EQ(found.size(), 2);
    EXPECT_EQ(count_, 2);
    EXPECT_EQ(found.filter("b.jpg").size(), 1);
}

TEST_F(FolderScannerTest, FolderTextIsTrimmedAndEarlierItemsAreSortedWithTheNewOnes) {
    MakeFile("m.jpg");
    QStringList list{Root() + "/z.jpg", Root() + "/a.jpg"};
    std::int32_t count = 0;
    FolderScanner(Pictures(), {}).Scan(" \t" + Root() + "\n ", list, count);
    EXPECT_EQ(list, (QStringList{Root() + "/a.jpg", Root() + "/m.jpg", Root() + "/z.jpg"}));
    EXPECT_EQ(count, 1);

    list.clear();
    FolderScanner(Pictures(), {}).Scan(Root() + "/", list, count);
    EXPECT_EQ(list, QStringList{Root() + "//m.jpg"});  // the folder text is used as given
}

TEST_F(FolderScannerTest, AFolderThatCannotBeReadChangesNothing) {
    MakeFile("file.jpg");
    for (const QString& folder : {At("missing"), At("file.jpg"), QString()}) {
        QStringList list{"z", "a"};
        std::int32_t count = 0;
        ScanHooks hooks;
        hooks.folderFinished = [&](std::int32_t) { ADD_FAILURE() << "nothing to show"; };
        FolderScanner(Pictures(), hooks).Scan(folder, list, count);
        EXPECT_EQ(list, (QStringList{"z", "a"}));  // not even sorted
        EXPECT_EQ(count, 0);
    }
}

// Root reads every folder, so the locked folder is scanned by a child process that has given
// up its rights.
TEST_F(FolderScannerTest, AnUnreadableFolderDeepInTheTreeAddsNothing) {
    for (const char* name :
         {"a.jpg", "open/b.jpg", "open/locked/c.jpg", "open/locked/deeper/d.jpg", "z/e.jpg"})
        MakeFile(name);
    ASSERT_EQ(chmod(QFile::encodeName(Root()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(At("open/locked")).constData(), 0), 0);

    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(channel[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        const QByteArray found = Scan(Pictures()).join(u',').toUtf8();
        const bool written = write(channel[1], found.constData(), found.size()) == found.size();
        _exit(written ? 0 : 3);
    }
    close(channel[1]);
    QByteArray found;
    char buffer[256];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) found.append(buffer, n);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    chmod(QFile::encodeName(At("open/locked")).constData(), 0755);  // so the fixture can clean up
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(found, "/a.jpg,/open/b.jpg,/z/e.jpg");
}

}  // namespace
}  // namespace pictavo
