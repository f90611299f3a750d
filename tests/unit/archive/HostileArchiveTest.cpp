// Archives made to do harm: nothing they hold may touch anything outside the temporary
// folder, and a member that cannot be extracted exactly leaves nothing behind.
#include <sys/stat.h>
#include <unistd.h>

#include <QDirIterator>
#include <fstream>
#include <map>

#include "ArchiveTestSupport.h"
#include "CommandLine.h"
#include "SafeExtract.h"
#include "archive/MemberPath.h"

namespace pictavo::test {

namespace {

// Every entry below `folder` with its content (or link target).
std::map<QString, std::string> Snapshot(const QString& folder) {
    std::map<QString, std::string> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries[info.filePath()] = info.isSymLink() ? info.symLinkTarget().toStdString()
                                   : info.isFile()  ? ReadFile(info.filePath().toStdString())
                                                    : "folder";
    }
    return entries;
}

class HostileTest : public ArchiveTest {
protected:
    void SetUp() override {
        ArchiveTest::SetUp();
        QDir().mkpath(work.filePath("outside"));
        std::ofstream(Path("outside/secret.jpg")) << "secret";
        before = Snapshot(work.filePath("outside"));
    }
    // A folder beside the temporary folder is found unchanged after each test.
    void TearDown() override { EXPECT_TRUE(Snapshot(work.filePath("outside")) == before); }
    // Files in the temporary folder, links included, hidden ones too.
    QStringList TempEntries() const {
        QStringList names;
        QDirIterator it(state.TempFolder, QDir::Files | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) names.append(it.next().mid(state.TempFolder.size() + 1));
        return names;
    }

    std::map<QString, std::string> before;
};

}  // namespace

TEST(MemberPathRule, RefusesPathsThatLeaveTheFolder) {
    for (const char* bad :
         {"", "/abs.jpg", "\\abs.jpg", "../x.jpg", "a/../../x.jpg", "a\\..\\x.jpg", "..", "C:x.jpg"})
        EXPECT_FALSE(IsSafeMemberPath(bad)) << bad;
    for (const char* good : {"x.jpg", "./a/b.jpg", "a..b/..c.jpg", "a/.../x.jpg", "写真.jpg"})
        EXPECT_TRUE(IsSafeMemberPath(good)) << good;
    EXPECT_FALSE(IsSafeMemberPath(std::string(514, 'a')));
    EXPECT_EQ(MemberPathComponents("./a//b/c.jpg"), (std::vector<std::string>{"a", "b", "c.jpg"}));
}

// A line that cannot be read exactly (quotes inside a name, extra names, repeated or missing
// parts, a password with a blank, another command) extracts nothing.
TEST(ModuleCommandLine, IsReadExactlyOrNotAtAll) {
    using archiver::Kind;
    for (const auto& [kind, line] : std::vector<std::pair<Kind, const char*>>{
             {Kind::Zip, R"(-x --i -n -qq "a.zip" "/t/" "q"uote.jpg")"},
             {Kind::Zip, R"(-x --i -n -qq "a.zip" "/t/" "x" "/etc/")"},
             {Kind::Zip, R"(-x --i -n -qq -Pp w "a.zip" "/t/" "m.jpg")"},
             {Kind::Zip, R"(x "a.zip" "/t/" "m.jpg")"},
             {Kind::Tar, R"(-x "a.tar" "/t/)"},
             {Kind::SevenZip, R"(x "a.7z" -aos -hide "-o/t/" "-o/etc/" "m.jpg")"},
             {Kind::SevenZip, R"(x "a.7z" -aos -hide "m.jpg")"}})
        EXPECT_FALSE(archiver::ParseExtractCommand(kind, line)) << line;

    const auto zip =
        archiver::ParseExtractCommand(Kind::Zip, R"(-x --i -n -qq -Ppw "a b.zip" "/t/" "x\[1\].jpg")");
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip->archive + "|" + zip->destination + "|" + zip->member + "|" + zip->password,
              "a b.zip|/t/|x[1].jpg|pw");
    EXPECT_TRUE(zip->keepExisting);
    const auto sevenZip =
        archiver::ParseExtractCommand(Kind::SevenZip, R"(x "a.7z" -aos -hide "-o/t/" "m.jpg")");
    ASSERT_TRUE(sevenZip);
    EXPECT_EQ(sevenZip->destination + "|" + sevenZip->member, "/t/|m.jpg");
    EXPECT_FALSE(archiver::ParseExtractCommand(Kind::Rar, R"(-x -y -u "a" "d" "m")")->keepExisting);
}

// "..", absolute paths, links (also a link folder with a member below it) and hard links are
// not listed; asked for by name they are not extracted either.
TEST_F(HostileTest, EscapingMembersAreNeitherListedNorExtracted) {
    const std::string archive = Path("evil.tar");
    const std::string secret = Path("outside/secret.jpg");
    ASSERT_TRUE(WriteArchive(archive, Format::Tar,
                             {{"../up.jpg", "x"},
                              {"/abs.jpg", "x"},
                              {"a/../../x.jpg", "x"},
                              {"link.jpg", "", Member::Symlink, secret},
                              {"dir", "", Member::Symlink, Path("outside")},
                              {"dir/in.jpg", "x"},
                              {"hard.jpg", "", Member::Hardlink, secret},
                              {"ok.jpg", "ok"}}));
    ASSERT_TRUE(List(archive));
    EXPECT_EQ(state.ImageList, (QStringList{"dir/in.jpg", "ok.jpg"}));
    for (const char* name : {"../up.jpg", "/abs.jpg", "a/../../x.jpg", "link.jpg", "hard.jpg"}) {
        EXPECT_EQ(Show(name), "-") << name;
        const QString line =
            BuildExtractCommand(8, QString::fromStdString(archive), state.TempFolder + "/", name);
        EXPECT_EQ(Manager().RunCommand(8, nullptr, line, nullptr, 0), 1) << name;
    }
    EXPECT_EQ(Show("dir/in.jpg"), "x");  // a real folder in the temporary folder, not the link
    EXPECT_EQ(TempEntries(), QStringList{"dir/in.jpg"});
}

// Links left in the temporary folder are never followed: a linked folder stops the
// extraction, a linked file is replaced by the member itself.
TEST_F(HostileTest, PlantedLinksAreNotFollowed) {
    QDir().mkpath(state.TempFolder);
    ASSERT_EQ(symlink(Path("outside").c_str(), (state.TempFolder + "/a").toUtf8()), 0);
    ASSERT_EQ(symlink(Path("outside/secret.jpg").c_str(), (state.TempFolder + "/x.jpg").toUtf8()), 0);
    const std::string archive = Path("plain.zip");
    ASSERT_TRUE(WriteArchive(archive, Format::Zip, {{"a/secret.jpg", "overwritten"}, {"x.jpg", "member"}}));
    ASSERT_TRUE(List(archive));
    EXPECT_EQ(Show("a/secret.jpg"), "secret");  // read through the link: the member was not written
    EXPECT_EQ(Show("x.jpg"), "member");
    EXPECT_FALSE(QFileInfo(state.TempFolder + "/x.jpg").isSymLink());
}

// More data than declared, a declared size beyond the picture limit, a name the command line
// cannot carry, a FIFO, a cut archive, a lone file without a declared size past the limit, and a
// nearly full disk: nothing is left at the member's path, nor any temporary file.
TEST_F(HostileTest, BombsAndUncarriableNamesLeaveNothing) {
    const std::string bomb = Path("bomb.zip");
    ASSERT_TRUE(WriteArchive(bomb, Format::Zip, {{"big.jpg", std::string(1 << 20, '\0')}}));
    ASSERT_TRUE(List(bomb));
    SetZipDeclaredSize(bomb, 1000);
    EXPECT_EQ(Show("big.jpg"), "-");
    SetZipDeclaredSize(bomb, 0x50000000);
    EXPECT_EQ(Show("big.jpg"), "-");

    ASSERT_EQ(mkfifo(Path("pipe.zip").c_str(), 0600), 0);  // refused without waiting for a writer
    EXPECT_EQ(DetectArchiver(Manager(), QString::fromStdString(Path("pipe.zip"))), -1);

    const std::string quoted = Path("quoted.zip");
    ASSERT_TRUE(WriteArchive(quoted, Format::Zip, {{"q\"uote.jpg", "q"}, {"q", "other"}}));
    ASSERT_TRUE(List(quoted));
    EXPECT_EQ(state.ImageList, QStringList{"q\"uote.jpg"});
    EXPECT_EQ(Show("q\"uote.jpg"), "-");

    const std::string cut = Path("cut.tar");
    ASSERT_TRUE(WriteArchive(cut, Format::Tar, {{"cut.jpg", std::string(100000, 'c')}}));
    ASSERT_EQ(truncate(cut.c_str(), 20000), 0);
    ASSERT_TRUE(List(cut));
    EXPECT_EQ(Show("cut.jpg"), "-");

    const std::string lone = Path("p.jpg.gz");
    ASSERT_TRUE(WriteArchive(lone, Format::LoneGz, {{"data", std::string(5000, 'p')}}));
    archiver::ExtractRequest request{lone, state.TempFolder.toStdString(), "p.jpg", "", false};
    EXPECT_EQ(archiver::ExtractMember(archiver::Kind::Tar, request, {4096, 0}),
              archiver::ExtractResult::Failed);
    EXPECT_EQ(archiver::ExtractMember(archiver::Kind::Tar, request, {1 << 20, ~0ull >> 1}),
              archiver::ExtractResult::Failed);
    EXPECT_TRUE(TempEntries().isEmpty()) << TempEntries().join(",").toStdString();
    state.TempFolder.clear();  // never "/" in its place
    EXPECT_EQ(ExtractMembers(Manager(), state, {"q"}, nullptr), QStringList{QString()});
    EXPECT_EQ(archiver::ExtractMember(archiver::Kind::Tar, request), archiver::ExtractResult::Extracted);
}

TEST_F(ArchiveTest, TenThousandMembersAreListed) {
    std::vector<Member> members;
    for (int i = 0; i < 10000; ++i) members.emplace_back("p/" + std::to_string(i) + ".jpg", "");
    const std::string archive = Path("many.zip");
    ASSERT_TRUE(WriteArchive(archive, Format::Zip, members));
    ASSERT_TRUE(List(archive));
    EXPECT_EQ(state.ImageCount, 10000);
    EXPECT_EQ(state.ImageList.front(), "p/0.jpg");
}

}  // namespace pictavo::test
