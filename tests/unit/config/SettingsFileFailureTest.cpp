#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <csignal>
#include <random>

#include "SettingsFixtures.h"

namespace pictavo {
namespace {

using namespace testing_support;

using BadSettingsFileTest = SettingsFileTest;

TEST_F(BadSettingsFileTest, EmptyOrBinaryFileOrAFolderInItsPlaceGivesDefaults) {
    EXPECT_EQ(SaveAndRead(LoadText("")), ExpectedFile());
    QByteArray bytes;
    for (int i = 0; i < 20000; ++i) bytes.append(static_cast<char>((i * 40503u >> 7) & 0xFF));
    bytes.replace('[', '.');  // no accidental section header
    EXPECT_EQ(SaveAndRead(LoadText(bytes)), ExpectedFile());
    const QString folder = dir_.filePath("folder.ini");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(LoadSettings(folder, QSize(kScreenWidth, kScreenHeight), kProgramFolder).DispWindowWidth, 480);
}

TEST_F(BadSettingsFileTest, TruncatedFileKeepsWhatWasWrittenBeforeTheCut) {
    QByteArray bytes = ExpectedFile(QStringLiteral("JumpNumber=25 InputPassword=秘密"));
    bytes.truncate(bytes.indexOf("秘密") + 4);  // inside the second character
    const Settings settings = LoadText(bytes);
    EXPECT_EQ(settings.JumpNumber, 25);
    EXPECT_EQ(settings.InputPassword, QStringLiteral("秘"));
    EXPECT_TRUE(settings.IsShowNowTime);
    EXPECT_EQ(settings.NextKey, 39);
}

TEST_F(BadSettingsFileTest, Cp932FileFromAnOlderVersionIsDecoded) {
    // "InputPassword=パス" with the katakana in Shift-JIS.
    const Settings settings =
        LoadText("[System]\r\nInputPassword=\x83\x70\x83\x58\r\nFirstDirectory_SelDir=C:\\\x95\x5c\r\n");
    EXPECT_EQ(settings.InputPassword, QStringLiteral("パス"));
    EXPECT_EQ(settings.FirstDirectory_SelDir, QStringLiteral("C:\\表"));
    EXPECT_EQ(SaveAndRead(settings),
              ExpectedFile(QStringLiteral("InputPassword=パス FirstDirectory_SelDir=C:\\表")));
}

TEST_F(BadSettingsFileTest, FullDiskLeavesTheOldFileIntactAndThrows) {
    const QByteArray old = "[System]\r\nJumpNumber=3\r\n";
    WriteFileBytes(path_, old);
    // A limit on the size of the files this process writes acts as a full disk.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 200;
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_THROW(SaveSettings(Settings{}, path_), ESettingsWrite);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(ReadFileBytes(path_), old);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"pictavo.ini"});
}

TEST_F(BadSettingsFileTest, SavingCreatesTheMissingFolderButNotThroughAFile) {
    const QString nested = dir_.filePath("config/pictavo/pictavo.ini");
    SaveSettings(Settings{}, nested);
    EXPECT_TRUE(QFile::exists(nested));
    WriteFileBytes(dir_.filePath("plain"), "x");
    EXPECT_THROW(SaveSettings(Settings{}, dir_.filePath("plain/pictavo.ini")), ESettingsWrite);
}

// A process killed at any moment while it saves leaves the complete old or the complete new
// file. The folder is on tmpfs where there is one: syncing is free there, and what is tested
// is that the file is never seen half written.
TEST(SettingsFileKill, SavesKilledAtRandomMomentsLeaveTheOldOrTheNewFile) {
    QTemporaryDir dir(QDir("/dev/shm").exists() ? "/dev/shm/pictavo-kill-XXXXXX" : "");
    const QString path = dir.filePath("pictavo.ini");
    Settings settings[2];
    settings[1].InputPassword = QString(30000, u'秘');  // a file of 90 KB, written in pieces
    QByteArray contents[2];
    for (int i : {1, 0}) {
        SaveSettings(settings[i], path);
        contents[i] = ReadFileBytes(path);
    }
    std::mt19937 random(20261207);
    for (int round = 0; round < 200; ++round) {
        int saving[2];
        ASSERT_EQ(pipe(saving), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 1;; i ^= 1) {  // new, old, new, ... telling the parent before each save
                if (write(saving[1], "s", 1) != 1) _exit(1);
                SaveSettings(settings[i], path);
            }
        }
        close(saving[1]);
        char started;
        for (int saves = random() % 4 + 1; saves > 0 && read(saving[0], &started, 1) == 1; --saves) {
        }
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(saving[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process stopped by itself";
        const QByteArray now = ReadFileBytes(path);
        ASSERT_TRUE(now == contents[0] || now == contents[1])
            << "round " << round << ": " << now.size() << " bytes";
    }
}

}  // namespace
}  // namespace pictavo
