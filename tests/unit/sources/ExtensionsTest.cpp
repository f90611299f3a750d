#include "sources/Extensions.h"

#include <gtest/gtest.h>

#include <QFile>

namespace pictavo {
namespace {

const QStringList kPictures{".jpg", ".jpeg", ".bmp", ".png", ".gif"};

// Both forms of the test (the text one, and the byte one the scan runs) must agree.
TEST(HasLoadExtensionTest, JudgesByTheLastExtensionOfTheName) {
    const std::pair<const char*, bool> cases[] = {
        {"/p/IMG.JPG", true},  {"/p/a.Jpeg", true},          {"/p/photo.jpg.txt", false},
        {"/p/jpg", false},     {"/p/archive.txt.png", true}, {"/p/README", false},
        {"/p/.jpg", true},     {"/p/trailing.", false},      {"/folder.jpg/noext", false},
        {"/p/写真.GIF", true}, {"/p/a.jp", false},           {"/p/b.ＪＰＧ", false},
        {"/p/a.jpgx", false}};
    for (auto [text, collected] : cases) {
        const QString path = QString::fromUtf8(text);
        EXPECT_EQ(HasLoadExtension(path, kPictures), collected) << text;
        const QString name = path.mid(path.lastIndexOf(u'/') + 1);
        EXPECT_EQ(ExtensionMatcher(kPictures).MatchesName(QFile::encodeName(name).toStdString()), collected)
            << text;
    }
}

TEST(BuildSupportedExtensionsTest, PluginPatternsAreSplitLoweredAndDeduplicated) {
    const QStringList list =
        BuildSupportedExtensions({{"*.PIC;*.MAG"}, {}, {"*.pic", "*.A;*.B;*.C", "*.JPG", ""}, {"*.Pi"}});
    EXPECT_EQ(list, (QStringList{".a", ".b", ".bmp", ".c", ".gif", ".jpeg", ".jpg", ".mag", ".pi", ".pic",
                                 ".png"}));
}

TEST(CheckLoadExtensionsTest, KnownItemsInAnyCaseKeepTheList) {
    QStringList known{".PNG", ".jpg"};
    EXPECT_FALSE(CheckLoadExtensions(known, BuildSupportedExtensions({})));
    EXPECT_EQ(known, (QStringList{".PNG", ".jpg"}));

    QStringList withPlugin{".pic"};
    EXPECT_FALSE(CheckLoadExtensions(withPlugin, BuildSupportedExtensions({{"*.PIC"}})));
}

}  // namespace
}  // namespace pictavo
