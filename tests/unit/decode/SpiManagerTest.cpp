// The plug-in manager with real test plug-ins: where it searches, what it loads and skips,
// how it classifies, what it registers and in which order it offers plug-ins.
#include <gtest/gtest.h>

#include <QSettings>

#include "SpiTestSupport.h"
#include "decode/SPIBmp.h"
#include "decode/SPIs.h"

using namespace pictavo;
using spitest::CopyPlugin;

namespace {

QStringList FileNames(const TSPIs& spis) {
    QStringList names;
    for (int i = 0; i < spis.Count(); ++i) names.append(QFileInfo(spis.Items(i).FileName()).fileName());
    return names;
}

class SpiManagerTest : public testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path() + "/config");
        QSettings("Quorvane", "Susie").clear();
        TSPIs::DefaultGraphicClass = std::make_shared<TSPIBitmap>();
    }
    QString Folder(const char* name) const { return dir.path() + "/" + name; }
    SPIFolders Folders() const { return {Folder("app"), Folder("system"), Folder("windows")}; }

    QTemporaryDir dir;
};

TEST_F(SpiManagerTest, SearchFollowsTheOptionsInOrderLoadsEachLibraryOnceAndSkipsBadOnes) {
    CopyPlugin(Folder("susie"), "picture");
    CopyPlugin(Folder("app"), "archive");
    CopyPlugin(Folder("app"), "nopicture");  // lacks GetPicture: skipped, the search goes on
    QFile(Folder("app") + "/broken.spi").open(QIODevice::WriteOnly);
    CopyPlugin(Folder("system"), "xn");
    QSettings("Quorvane", "Susie").setValue("Plug-in/Path", Folder("susie"));
    const QString start = QDir::currentPath();
    QDir::setCurrent(Folder("app"));  // the program folder reached twice

    TSPIs spis(nullptr, Folders());
    spis.SearchOptions = spsSusieDir | spsAppDir | spsCurrentDir | spsSystemDir | spsWindowsDir;
    spis.SearchSPIs("*.spi");
    QDir::setCurrent(start);

    EXPECT_EQ(FileNames(spis), QStringList({"picture.spi", "archive.spi", "xn.spi"}));
    EXPECT_EQ(spis.Items(0).Kind(), SPIKind::In);
    EXPECT_EQ(spis.Items(1).Kind(), SPIKind::Am);
    EXPECT_EQ(spis.Items(2).Kind(), SPIKind::Xn);
    // The second pair lacks its name: only the first pair counts.
    EXPECT_EQ(spis.Items(0).Extensions(), QStringList({"*.pvx;*.PVY"}));
    EXPECT_EQ(spis.IndexOfFileName(Folder("app") + "/ARCHIVE.SPI"), 1);

    // A mask with a folder searches only there; options are not used.
    spis.SearchSPIs(Folder("app") + "/*.spi");
    EXPECT_EQ(spis.Count(), 3);
}

TEST_F(SpiManagerTest, ARegistryPathThatIsNotTextNamesNoFolder) {
    CopyPlugin(Folder("susie"), "picture");
    QSettings("Quorvane", "Susie").setValue("Plug-in/Path", QStringList({Folder("susie"), Folder("susie")}));
    TSPIs spis(nullptr, Folders());
    spis.SearchOptions = spsSusieDir;
    spis.SearchSPIs("*.spi");
    EXPECT_EQ(spis.Count(), 0);
}

TEST_F(SpiManagerTest, PicturePluginsRegisterEveryPatternAndGiveThemBackWhenTheManagerGoes) {
    PictureRegistry registry = PictureRegistry::WithBuiltins();
    {
        TSPIs spis(&registry, Folders());
        spis.Add(CreateSPI(CopyPlugin(Folder("a"), "picture")));
        spis.Add(CreateSPI(CopyPlugin(Folder("a"), "archive")));
        EXPECT_EQ(registry.Find("pvx"), TSPIs::DefaultGraphicClass.get());
        EXPECT_EQ(registry.Find("PVY"), TSPIs::DefaultGraphicClass.get());
        EXPECT_EQ(registry.Description("pvy"), "Pictavo test picture");
        EXPECT_EQ(registry.Find("pva"), nullptr);  // archives register no picture format
        EXPECT_THROW(TSPIs second(&registry), ESPIDupCreateSPIs);
        EXPECT_EQ(TSPIs::Instance(), &spis);
    }
    EXPECT_EQ(registry.Find("pvx"), nullptr);
    EXPECT_EQ(TSPIs::Instance(), nullptr);
}

TEST_F(SpiManagerTest, CollectPutsPluginsDeclaringTheExtensionFirstLatestLoadedFirst) {
    TSPIs spis(nullptr, Folders());
    for (const auto& [kind, suffix] :
         {std::pair{"picture", "1"}, {"macbinary", ""}, {"archive", ""}, {"picture", "2"}})
        spis.Add(CreateSPI(CopyPlugin(Folder("a"), kind, suffix)));
    auto names = [&](const QString& file) {
        QStringList result;
        for (const TSPI* spi : spis.CollectSPIs({SPIKind::In}, file))
            result.append(QFileInfo(spi->FileName()).fileName());
        return result;
    };
    // Only the last pattern of an entry counts: ".PVY", not ".pvx".
    EXPECT_EQ(names("/x.y/photo.pvy"), QStringList({"picture2.spi", "picture1.spi", "macbinary.spi"}));
    EXPECT_EQ(names("photo.pvx"), QStringList({"picture1.spi", "macbinary.spi", "picture2.spi"}));
    EXPECT_EQ(names("photo.PVM"), QStringList({"macbinary.spi", "picture1.spi", "picture2.spi"}));
    EXPECT_EQ(spis.CollectSPIs({SPIKind::Loader}, "none").size(), 4u);
}

TEST_F(SpiManagerTest, LoadErrorsAreNamed) {
    const QString missing = Folder("none.spi");
    EXPECT_THROW(TSPI::Load<TSPI>(missing), ESPIFOpenErrorSPI);
    EXPECT_THROW(TSPI::Load<TInSPI>(CopyPlugin(Folder("a"), "nopicture")), ESPIInvalidAPI);
    EXPECT_EQ(CreateSPI(missing), nullptr);
}

}  // namespace
