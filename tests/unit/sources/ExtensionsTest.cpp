#include "sources/Extensions.h"

#include <gtest/gtest.h>

#include <QFile>

namespace pictavo {
namespace {

const QStringList kPictures{".jpg", ".jpeg", ".bmp", ".png", ".gif"};

struct ExtensionCase {
    const char* path;
    bool collected;
};

class HasLoadExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

// Both forms of the test (the text one, and the byte one the scan runs) must agree.
TEST_P(HasLoadExtensionTest, JudgesByTheLastExtensionOfTheName) {
    const ExtensionCase& c = GetParam();
    const QString path = QString::fromUtf8(c.path);
    EXPECT_EQ(HasLoadExtension(path, kPictures), c.collected) << c.path;
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    EXPECT_EQ(ExtensionMatcher(kPictures).MatchesName(QFile::encodeName(name).toStdString()), c.collected)
        << c.path;
}

INSTANTIATE_TEST_SUITE_P(
    Names, HasLoadExtensionTest,
    ::testing::Values(ExtensionCase{"/p/IMG.JPG", true}, ExtensionCase{"/p/a.Jpeg", true},
                      ExtensionCase{"/p/photo.jpg.txt", false}, ExtensionCase{"/p/archive.txt.png", true},
                      ExtensionCase{"/p/jpg", false}, ExtensionCase{"/p/README", false},
                      ExtensionCase{"/p/.jpg", true}, ExtensionCase{"/p/trailing.", false},
                      ExtensionCase{"/folder.jpg/noext", false}, ExtensionCase{"/p/写真.GIF", true},
                      ExtensionCase{"/p/a.jp", false}, ExtensionCase{"/p/b.ＪＰＧ", false},
                      ExtensionCase{"/p/a.jpgx", false}));

TEST(BuildSupportedExtensionsTest, PluginPatternsAreSplitLoweredAndDeduplicated) {
    const QStringList list =
        BuildSupportedExtensions({{"*.PIC;*.MAG"}, {}, {"*.pic", "*.A;*.B;*.C", "*.JPG", ""}, {"*.Pi"}});
    EXPECT_EQ(list, (QStringList{".a", ".b", ".bmp", ".c", ".gif", ".jpeg", ".jpg", ".mag", ".pi", ".pic",
                                 ".png"}));
}

TEST(CheckLoadExtensionsTest, AnUnknownItemResetsTheWholeList) {
    QStringList known{".PNG", ".jpg"};
    EXPECT_FALSE(CheckLoadExtensions(known, BuildSupportedExtensions({})));
    EXPECT_EQ(known, (QStringList{".PNG", ".jpg"}));

    QStringList load{".jpg", ".pic", ".png"};
    EXPECT_TRUE(CheckLoadExtensions(load, BuildSupportedExtensions({})));
    EXPECT_EQ(load, (QStringList{".jpg", ".jpeg", ".bmp", ".png", ".gif"}));

    QStringList withPlugin{".pic"};
    EXPECT_FALSE(CheckLoadExtensions(withPlugin, BuildSupportedExtensions({{"*.PIC"}})));
}

}  // namespace
}  // namespace pictavo
