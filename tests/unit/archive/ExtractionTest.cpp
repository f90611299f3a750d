// The command lines given to the modules, what a show leaves in the temporary folder, and
// the emptying of that folder.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "ArchiveTestSupport.h"

namespace pictavo::test {

// A = a.zip, D = /t/, P = "p w" (passed unquoted, so it reaches the module as two words).
TEST(ExtractCommand, IsBuiltByteForByte) {
    struct LineCase {
        std::int32_t kind;
        bool password;
        const char* expected;
    };
    const LineCase cases[] = {
        {0, false, R"(-x --i -n -qq "a.zip" "/t/" "d/x\[1\].jpg")"},
        {0, true, R"(-x --i -n -qq -Pp w "a.zip" "/t/" "d/x\[1\].jpg")"},
        {1, false, R"(x -n -gm -u3 "a.zip" "/t/" "d/x[1].jpg")"},
        {2, false, R"(x "a.zip" -aos -hide "-o/t/" "d/x[1].jpg")"},
        {2, true, R"(x "a.zip" -aos -hide -pp w "-o/t/" "d/x[1].jpg")"},
        {3, true, R"(-x -n -i "a.zip" "/t/" "d/x[1].jpg")"},
        {4, false, R"(ex -sx0 -xx1 "a.zip" "/t/" "d/x[1].jpg")"},
        {5, false, R"(x -i+ -u+ -y "a.zip" "/t/" "d/x[1].jpg")"},
        {6, false, R"(-x -y -u "a.zip" "/t/" "d/x[1].jpg")"},
        {6, true, R"(-x -u -pp w "a.zip" "/t/" "d/x[1].jpg")"},
        {7, false, R"(x -a -i -n "a.zip" "/t/" "d/x[1].jpg")"},
        {8, true, R"(-x --display-dialog=0 "a.zip" "/t/" "d/x[1].jpg")"},
        {11, false, R"(x -i2 -x1 "a.zip" "/t/" "d/x[1].jpg")"},
        {9, false, ""},
        {-1, true, ""},
    };
    for (const LineCase& c : cases) {
        const QString line =
            c.password ? BuildExtractCommandWithPassword(c.kind, "a.zip", "/t/", "d/x[1].jpg", "p w")
                       : BuildExtractCommand(c.kind, "a.zip", "/t/", "d/x[1].jpg");
        EXPECT_EQ(line, QString::fromUtf8(c.expected)) << c.kind << " " << c.password;
    }
    EXPECT_EQ(BuildExtractCommandWithPassword(0, "a", "d", "m", ""), R"(-x --i -n -qq -P "a" "d" "m")");
}

// "-n" and "-aos" leave the copy from the first show alone; tar extracts again each time.
TEST_F(ArchiveTest, RepeatedShowDoesNotExtractAgain) {
    for (const auto& [format, name] : {std::pair{Format::Zip, "r.zip"}, std::pair{Format::SevenZip, "r.7z"},
                                       std::pair{Format::Tar, "r.tar"}}) {
        const std::string archive = Path(name);
        ASSERT_TRUE(WriteArchive(archive, format, {{"x[1].jpg", "first"}}));
        ASSERT_TRUE(List(archive));
        ASSERT_EQ(Show("x[1].jpg"), "first");
        ASSERT_TRUE(WriteArchive(archive, format, {{"x[1].jpg", "second"}}));
        EXPECT_EQ(Show("x[1].jpg"), format == Format::Tar ? "second" : "first") << name;
        ClearTempFolder(state.TempFolder);
    }
}

TEST_F(ArchiveTest, PasswordZipNeedsItsPassword) {
    const std::string archive = Path("secret.zip");
    ASSERT_TRUE(WriteArchive(archive, Format::Zip, {{"s.jpg", "secret"}}, "zip:encryption=zipcrypt", "pass"));
    ASSERT_TRUE(List(archive));
    ASSERT_EQ(state.ImageList, QStringList{"s.jpg"});
    EXPECT_EQ(Show("s.jpg"), "-");
    state.settings.IsAutoInputPassword = true;
    state.settings.InputPassword = "wrong";
    EXPECT_EQ(Show("s.jpg"), "-");
    state.settings.InputPassword = "pass";
    EXPECT_EQ(Show("s.jpg"), "secret");
    EXPECT_EQ(QDir(state.TempFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"s.jpg"});  // the failed tries left nothing behind
}

// Names of old Japanese archives are code page 932; marked UTF-8 names stay as they are.
TEST_F(ArchiveTest, Cp932NamesAreListedAndExtractedAsUtf8) {
    const std::string archive = Path("japanese.zip");
    ASSERT_TRUE(WriteArchive(archive, Format::Zip, {{"XXXX/XXXX.jpg", "old"}, {"新しい.jpg", "new"}}));
    PatchFile(archive, "XXXX", "\x8e\xca\x90\x5e");  // 写真 in code page 932
    ASSERT_TRUE(List(archive));
    ASSERT_EQ(state.ImageList, (QStringList{"写真/写真.jpg", "新しい.jpg"}));
    EXPECT_EQ(Show("写真/写真.jpg"), "old");
    EXPECT_EQ(Show("新しい.jpg"), "new");
}

// Sub-folders, read-only files and folders, and a link to something outside: the folder
// stays, everything in it goes, the link's target is untouched.
TEST_F(ArchiveTest, ClearTempFolderEmptiesOnlyTheFolder) {
    const QString tmp = state.TempFolder;
    QDir().mkpath(tmp + "/a/b");
    std::ofstream((tmp + "/a/b/c.jpg").toStdString()) << "c";
    std::ofstream((tmp + "/top.jpg").toStdString()) << "t";
    std::ofstream(Path("outside.jpg")) << "keep";
    QDir().mkpath(work.filePath("outside"));
    std::ofstream(Path("outside/in.jpg")) << "keep";
    ASSERT_EQ(symlink(Path("outside.jpg").c_str(), (tmp + "/link.jpg").toUtf8()), 0);
    ASSERT_EQ(symlink(Path("outside").c_str(), (tmp + "/a/dirlink").toUtf8()), 0);
    chmod((tmp + "/top.jpg").toUtf8(), 0444);
    chmod((tmp + "/a/b").toUtf8(), 0555);

    ClearTempFolder(tmp);
    EXPECT_TRUE(QFileInfo(tmp).isDir());
    EXPECT_TRUE(QDir(tmp).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    EXPECT_EQ(ReadFile(Path("outside.jpg")), "keep");
    EXPECT_EQ(ReadFile(Path("outside/in.jpg")), "keep");
    ClearTempFolder(work.filePath("missing"));
    EXPECT_FALSE(QFileInfo::exists(work.filePath("missing")));
}

}  // namespace pictavo::test
