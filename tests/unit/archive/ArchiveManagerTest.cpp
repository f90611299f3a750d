// Which module claims which archive, what the listing keeps, and each format's round trip from
// a listed member to the file the display reads.
#include "ArchiveTestSupport.h"
#include "archive/ArchiverTable.h"

namespace pictavo::test {

namespace {

struct FormatCase {
    Format format;
    const char* fileName;
    std::int32_t kind;
    const char* shown;  // the member shown; a lone compressed file is named after the archive
};

class FormatTest : public ArchiveTest, public ::testing::WithParamInterface<FormatCase> {};

}  // namespace

// Capitals, probing for names without an entry (.cbz, and .jar alike), a wrong extension, a
// lone compressed file, and each file claimed by its own module only.
TEST_P(FormatTest, OnlyItsModuleClaimsItAndTheMembersComeBack) {
    const FormatCase& c = GetParam();
    const std::string archive = Path(c.fileName);
    if (!WriteArchive(archive, c.format, {{"b/x.jpg", "picture x"}, {"a.png", "a"}, {"notes.txt", "text"}}))
        GTEST_SKIP() << "no tool writes this format here";
    for (const ArchiverTableRow& row : ArchiverTable())
        EXPECT_EQ(Manager().CheckArchive(row.kind, QString::fromStdString(archive), 1), row.kind == c.kind)
            << "kind " << row.kind;
    ASSERT_TRUE(List(archive));
    EXPECT_EQ(state.CurrentArchiver, c.kind);
    const QStringList expected =
        c.format == Format::LoneGz ? QStringList{c.shown} : QStringList{"a.png", c.shown};
    ASSERT_EQ(state.ImageList, expected);
    EXPECT_EQ(state.ImageCount, expected.size());
    EXPECT_EQ(Show(c.shown), "picture x");
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatTest,
                         ::testing::Values(FormatCase{Format::Zip, "pics.ZIP", 0, "b/x.jpg"},
                                           FormatCase{Format::Zip, "comic.cbz", 0, "b/x.jpg"},
                                           FormatCase{Format::Zip, "misnamed.7z", 0, "b/x.jpg"},
                                           FormatCase{Format::SevenZip, "pics.7z", 2, "b/x.jpg"},
                                           FormatCase{Format::Tar, "pics.tar", 8, "b/x.jpg"},
                                           FormatCase{Format::TarGz, "pics.tar.gz", 8, "b/x.jpg"},
                                           FormatCase{Format::Cpio, "pics.cpio", 8, "b/x.jpg"},
                                           FormatCase{Format::LoneGz, "photo.jpg.gz", 8, "photo.jpg"},
                                           FormatCase{Format::Lha, "pics.lzh", 1, "b/x.jpg"},
                                           FormatCase{Format::Cab, "pics.cab", 3, "b/x.jpg"},
                                           FormatCase{Format::Rar, "pics.rar", 6, "b/x.jpg"}));

// Kinds without a module answer with fixed results and never reach a module.
TEST_F(ArchiveTest, KindsWithoutAModuleGiveTheFixedAnswers) {
    for (const std::int32_t kind : {4, 5, 7, 9, 10, 11, -1, 12}) {
        EXPECT_FALSE(Manager().IsLoaded(kind) || Manager().IsReady(kind)) << kind;
        EXPECT_FALSE(Manager().CheckArchive(kind, "x", 1));
        EXPECT_EQ(Manager().OpenArchive(kind, nullptr, "x", 0), nullptr);
        EXPECT_EQ(Manager().CloseArchive(kind, nullptr), 1);
        EXPECT_EQ(Manager().FindFirst(kind, nullptr, "*", nullptr), 2);
        EXPECT_EQ(Manager().FindNext(kind, nullptr, nullptr), 2);
        EXPECT_EQ(Manager().RunCommand(kind, nullptr, "x", nullptr, 0), 1);
    }
    for (const std::int32_t kind : {0, 1, 2, 3, 6, 8}) EXPECT_TRUE(Manager().IsReady(kind)) << kind;
    // The open dialog's filter: every ready kind's patterns, then each kind, then all files.
    EXPECT_EQ(RestrictArchiveFilter(TArchiveFunction({}, PICTAVO_MODULE_DIR)), QString(kAllFilesFilter));
    std::array<bool, 12> cabOnly{};
    cabOnly[3] = true;
    const TArchiveFunction cab(cabOnly, PICTAVO_MODULE_DIR);
    EXPECT_EQ(RestrictArchiveFilter(cab),
              "対応している圧縮形式|*.cab;|Cab32.dll系(*.cab)|*.cab|全てのファイル|*");
    std::ofstream(Path("plain.gz")) << "not compressed";  // no archive of any kind
    EXPECT_EQ(DetectArchiver(Manager(), QString::fromStdString(Path("plain.gz"))), kNoArchiver);
    const std::string archive = Path("pics.cab");
    if (!WriteArchive(archive, Format::Cab, {{"a.png", "a"}})) GTEST_SKIP() << "gcab is missing";
    EXPECT_EQ(ProbeArchivers(cab, QString::fromStdString(archive)), 3);
}

// The extension and size filters (both bounds included), the sort with folders compared too,
// cancelling, and an archive its module turns down.
TEST_F(ArchiveTest, ListingKeepsPicturesWithinTheFiltersSorted) {
    const std::string archive = Path("mixed.zip");
    ASSERT_TRUE(WriteArchive(archive, Format::Zip,
                             {{"z.jpg", std::string(10, 'z')},
                              {"b/a.jpg", std::string(30, 'a')},
                              {"a/B.JPG", std::string(20, 'b')},
                              {"d/", "", Member::Folder},
                              {"c.txt", "text"},
                              {"e.png", std::string(5, 'e')}}));
    ASSERT_TRUE(List(archive));
    EXPECT_EQ(state.ImageList, (QStringList{"a/B.JPG", "b/a.jpg", "e.png", "z.jpg"}));

    state.settings.IsUseFileSizeFilter = true;
    state.settings.LoadCondition_FileSizeMin = 10;
    state.settings.LoadCondition_FileSizeMax = 20;
    ASSERT_TRUE(List(archive));
    EXPECT_EQ(state.ImageList, (QStringList{"a/B.JPG", "z.jpg"}));

    state.settings.IsUseFileSizeFilter = false;
    state.CancelRequested = true;
    ASSERT_TRUE(List(archive));
    EXPECT_EQ(state.ImageCount, 1);

    std::ofstream(Path("broken.zip")) << "PK but nothing else";
    state.ImageList = {"kept"};
    state.CurrentArchiver = 0;
    EXPECT_FALSE(ListArchive(Manager(), QString::fromStdString(Path("broken.zip")), state));
    EXPECT_EQ(state.ImageList, QStringList{"kept"});
    EXPECT_EQ(state.ArchivePath.toStdString(), Path("broken.zip"));
}

}  // namespace pictavo::test
