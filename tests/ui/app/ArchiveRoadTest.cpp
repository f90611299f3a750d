// An archive dropped on the launcher: its pictures are listed in order, each one shown is
// extracted into the temporary folder, and leaving the slideshow empties that folder.
#include <QDir>
#include <QtTest>

#include "../../unit/archive/ArchiveMaker.h"
#include "PictureWriters.h"
#include "RecordingHost.h"

namespace pictavo {

namespace {

std::string Bmp(int width) {
    const Bytes bytes = MakeBmp(
        {.width = width, .height = 2, .pixels = PackBmpRows(Colours(width * 2, 0xFF0000), width, 24, false)});
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

class ArchiveRoadTest : public QObject {
    Q_OBJECT
private slots:
    void droppedZipShowsItsPicturesAndLeavesNothingBehind() {
        QTemporaryDir work;
        const QString zip = work.filePath("pictures.zip");
        QVERIFY(test::WriteArchive(
            zip.toStdString(), test::Format::Zip,
            {{"z.bmp", Bmp(3)}, {"b/a.bmp", Bmp(2)}, {"a/B.bmp", Bmp(1)}, {"notes.txt", "-"}}));
        TestProgram program({}, Settings(), PICTAVO_MODULE_DIR);
        AppState& state = program.State();
        state.TempFolder = work.filePath("tmp");
        QDir().mkpath(state.TempFolder + "/stale");  // left by a run that was killed

        program.launcher->OpenDroppedPath(zip);
        QTRY_VERIFY(program.display->isVisible());
        QCOMPARE(state.ImageList, (QStringList{"a/B.bmp", "b/a.bmp", "z.bmp"}));
        QCOMPARE(state.SourceKind, 1);
        QCOMPARE(state.PictureWidth, 1);
        QVERIFY(QFileInfo::exists(state.TempFolder + "/a/B.bmp"));
        QVERIFY(!QFileInfo::exists(state.TempFolder + "/stale"));

        QTest::keyClick(program.display.get(), Qt::Key_Right);
        QTRY_COMPARE(state.PictureWidth, 2);
        QTest::keyClick(program.display.get(), Qt::Key_Escape);
        QTRY_VERIFY(!program.display->isVisible());
        QVERIFY(QDir(state.TempFolder).exists());
        QVERIFY(QDir(state.TempFolder)
                    .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        QVERIFY(program.host.messages.isEmpty());
    }
};

}  // namespace pictavo

QTEST_MAIN(pictavo::ArchiveRoadTest)
#include "ArchiveRoadTest.moc"
