#pragma once
// The archive manager over the modules the build put in the program folder, and a scratch
// folder per test with its own temporary folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "ArchiveMaker.h"
#include "archive/ArchiveListing.h"
#include "archive/MemberExtraction.h"
#include "archive/TArchiveFunction.h"

namespace pictavo::test {

class ArchiveTest : public ::testing::Test {
protected:
    static const TArchiveFunction& Manager() {
        static const std::array<bool, 12> all{true, true, true, true, true, true,
                                              true, true, true, true, true, true};
        static const TArchiveFunction manager(all, PICTAVO_MODULE_DIR);
        return manager;
    }
    void SetUp() override {
        state.settings.LoadExtensions = {".jpg", ".png"};
        state.TempFolder = work.filePath("tmp");
    }
    std::string Path(const QString& name) const { return work.filePath(name).toStdString(); }
    // Lists `archive` as the launcher does; the kind that claims it becomes CurrentArchiver.
    bool List(const std::string& archive) {
        state.CurrentArchiver = DetectArchiver(Manager(), QString::fromStdString(archive));
        state.ImageList.clear();
        state.ImageCount = 0;
        return ListArchive(Manager(), QString::fromStdString(archive), state);
    }
    // Extracts `member` of ArchivePath and returns what lies at its path ("-" when nothing).
    std::string Show(const QString& member) {
        const QString path = ExtractMembers(Manager(), state, {member}, nullptr).value(0);
        return !path.isEmpty() && QFileInfo(path).isFile() ? ReadFile(path.toStdString()) : "-";
    }

    QTemporaryDir work;
    AppState state;
};

}  // namespace pictavo::test
