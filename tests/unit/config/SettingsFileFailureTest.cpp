#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QSize>
#include <QTemporaryDir>
#include <csignal>

#include "SettingsFixtures.h"
#include "config/SettingsFile.h"

namespace pictavo {
namespace {

using namespace testing_support;

class BadSettingsFileTest : public testing::Test {
protected:
    Settings LoadBytes(const QByteArray& bytes) {
        WriteFileBytes(path_, bytes);
        return LoadSettings(path_, QSize(kScreenWidth, kScreenHeight), kProgramFolder);
    }
    QByteArray Resave(const Settings& settings) {
        SaveSettings(settings, path_);
        return ReadFileBytes(path_);
    }

    QTemporaryDir dir_;
    QString path_ = dir_.filePath("pictavo.ini");
};

TEST_F(BadSettingsFileTest, EmptyFileOrAFolderInItsPlaceGivesDefaults) {
    EXPECT_EQ(Resave(LoadBytes("")), ExpectedFile({}));
    const QString folder = dir_.filePath("folder.ini");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(LoadSettings(folder, QSize(kScreenWidth, kScreenHeight), kProgramFolder).DispWindowWidth, 480);
}

TEST_F(BadSettingsFileTest, BinaryBytesGiveDefaults) {
    QByteArray bytes;
    for (int i = 0; i < 20000; ++i) bytes.append(static_cast<char>((i * 40503u >> 7) & 0xFF));
    bytes.replace('[', '.');  // no accidental section header
    EXPECT_EQ(Resave(LoadBytes(bytes)), ExpectedFile({}));
}

TEST_F(BadSettingsFileTest, TruncatedFileKeepsWhatWasWrittenBeforeTheCut) {
    QByteArray bytes = ExpectedFile({{"JumpNumber", "25"}, {"InputPassword", "秘密"}});
    bytes.truncate(bytes.indexOf("秘密") + 4);  // inside the second character
    const Settings settings = LoadBytes(bytes);
    EXPECT_EQ(settings.JumpNumber, 25);
    EXPECT_EQ(settings.InputPassword, QStringLiteral("秘"));
    EXPECT_TRUE(settings.IsShowNowTime);
    EXPECT_EQ(settings.NextKey, 39);
}

TEST_F(BadSettingsFileTest, Cp932FileFromAnOlderVersionIsDecoded) {
    // "InputPassword=パス" with the katakana in Shift-JIS.
    const Settings settings =
        LoadBytes("[System]\r\nInputPassword=\x83\x70\x83\x58\r\nFirstDirectory_SelDir=C:\\\x95\x5c\r\n");
    EXPECT_EQ(settings.InputPassword, QStringLiteral("パス"));
    EXPECT_EQ(settings.FirstDirectory_SelDir, QStringLiteral("C:\\表"));
    EXPECT_EQ(Resave(settings),
              ExpectedFile({{"InputPassword", QStringLiteral("パス")}, {"FirstDirectory_SelDir", "C:\\表"}}));
}

TEST_F(BadSettingsFileTest, LinesWithoutEqualsAndKeysBeforeAnySectionAreIgnored) {
    const Settings settings =
        LoadBytes("JumpNumber=3\nIsFullScreen=0\n[System]\nJumpNumber\nJumpNumber 4\n=5\n");
    EXPECT_EQ(settings.JumpNumber, 10);
    EXPECT_TRUE(settings.IsFullScreen);
}

TEST_F(BadSettingsFileTest, HugeNumbersGiveTheDefault) {
    const Settings settings = LoadBytes(
        "[System]\nJumpNumber=99999999999999999999\nSlideInterval=-2147483649\nFileInfoColor=0x1FFFFFFFF\n"
        "IsFullScreen=4294967296\n");
    EXPECT_EQ(settings.JumpNumber, 10);
    EXPECT_EQ(settings.SlideInterval, 5000);
    EXPECT_EQ(settings.FileInfoColor, 0x00FF00);
    EXPECT_TRUE(settings.IsFullScreen);
}

// Lowers the largest file size this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

TEST_F(BadSettingsFileTest, FullDiskLeavesTheOldFileIntactAndThrows) {
    const QByteArray old = "[System]\r\nJumpNumber=3\r\n";
    WriteFileBytes(path_, old);
    {
        FileSizeLimit limit(200);
        EXPECT_THROW(SaveSettings(Settings{}, path_), ESettingsWrite);
    }
    EXPECT_EQ(ReadFileBytes(path_), old);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"pictavo.ini"});
}

TEST_F(BadSettingsFileTest, ReadOnlyFolderLeavesTheOldFileIntactAndThrows) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const QByteArray old = "[System]\r\nJumpNumber=3\r\n";
    WriteFileBytes(path_, old);
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_THROW(SaveSettings(Settings{}, path_), ESettingsWrite);
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadFileBytes(path_), old);
}

TEST_F(BadSettingsFileTest, SavingCreatesTheMissingFolderButNotThroughAFile) {
    const QString nested = dir_.filePath("config/pictavo/pictavo.ini");
    SaveSettings(Settings{}, nested);
    EXPECT_TRUE(QFile::exists(nested));

    WriteFileBytes(dir_.filePath("plain"), "x");
    EXPECT_THROW(SaveSettings(Settings{}, dir_.filePath("plain/pictavo.ini")), ESettingsWrite);
}

}  // namespace
}  // namespace pictavo
