#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "../RecordingDialogs.h"
#include "config/Form_setup.h"
#include "config/KeyNames.h"
#include "config/SettingsFile.h"

namespace pictavo {

class Form_setupTest : public QObject {
    Q_OBJECT

    struct Dialog {
        explicit Dialog(const Settings& stored = Settings())
            : settings(stored), form(settings, supported, dialogs) {
            form.show();
        }
        template <typename T>
        T* Find(const char* name) const {
            return form.findChild<T*>(name);
        }
        void Click(const char* button) const { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
        QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }
        QComboBox* Key(int command) const { return Find<QComboBox>(Commands()[command].comboBox); }

        Settings settings;
        QStringList supported{".bmp", ".gif", ".jpeg", ".jpg", ".png"};
        RecordingDialogs dialogs;
        Form_setup form;
    };

    static QStringList Lines(const Settings& settings) { return SettingsToIni(settings).ToLines(); }

private slots:
    // Filled from the unusual settings and stored into a fresh record: a control that Fill or
    // Store misses leaves a default behind. The key buttons then touch the keys alone.
    void fillAndStoreRoundTripOverAllTabsAndTheKeyButtons() {
        Settings s;  // every setting the dialog edits, away from its default
        for (bool Settings::*flag : {&Settings::IsGetSubDirectory,   &Settings::IsUseFileSizeFilter,
                                     &Settings::IsAutoSlide,         &Settings::IsAutoRandom,
                                     &Settings::IsHideTaskBar,       &Settings::IsShowKeyResult,
                                     &Settings::IsPicAnimation,      &Settings::IsShowNowTime,
                                     &Settings::IsFullScreen,        &Settings::IsEndExe_Arg,
                                     &Settings::IsAutoInputPassword, &Settings::ES2PS_Is2PageSpread,
                                     &Settings::ES2PS_IsPageLtoR,    &Settings::IsUseSPI,
                                     &Settings::SearchSusieDir,      &Settings::SearchWindowsDir,
                                     &Settings::SearchSystemDir,     &Settings::SearchAppDir,
                                     &Settings::SearchSelDir,        &Settings::IsLoadArcDLL_ZIP,
                                     &Settings::IsLoadArcDLL_RAR,    &Settings::IsLoadArcDLL_YZ1})
            s.*flag = !(s.*flag);
        s.LoadCondition_FileSizeMax = 3000 << 10;
        s.LoadCondition_FileSizeMin = 2 << 10;
        s.SlideInterval = 250;
        s.JumpNumber = 7;
        s.ImageResizeType = 3;
        s.InputPassword = "ひみつ";
        s.BackGroundColor = 0x102030;
        s.FileInfoColor = 0x405060;
        s.ESIProc_BrightPower = 200;
        s.ESIProc_BlurPower = 9;
        s.StretchAlgorithm = 3;
        s.SearchSelDirPath = "/opt/spi";
        s.LoadExtensions = {".gif", ".png"};
        for (int i = 0; i < kCommandCount; ++i) s.*Commands()[i].field = KeyCodeFromIndex(100 + i);
        Dialog dialog(s);
        QCOMPARE(dialog.Key(0)->itemText(47), QString("ﾏｳｽ左"));
        QCOMPARE(dialog.Key(1)->itemText(47), QString("マウス左"));
        dialog.settings = Settings();
        dialog.form.Store();
        QCOMPARE(Lines(dialog.settings), Lines(s));

        dialog.Find<QCheckBox>("CheckBox_isautoslide")->setChecked(false);
        dialog.Click("Button_default");
        QCOMPARE(dialog.Key(0)->currentText(), QString("→"));
        QCOMPARE(dialog.Key(27)->currentText(), QString("F10"));
        dialog.Click("Button_undo");
        QCOMPARE(dialog.Key(0)->currentIndex(), 100);
        QVERIFY(!dialog.Find<QCheckBox>("CheckBox_isautoslide")->isChecked());
        dialog.Click("Button_undoall");
        QVERIFY(dialog.Find<QCheckBox>("CheckBox_isautoslide")->isChecked());
        dialog.Key(2)->setEditText("f5");  // typed names count in any case
        dialog.form.Store();
        QCOMPARE(dialog.settings.PrevKey, 116);
    }

    // Cancel keeps the stored settings and the dialog shows them again when reopened. Each
    // failed check of OK shows its message, stores nothing and leaves the dialog open.
    void cancelAndTheChecksThatBlockOkUntilFixed() {
        Settings stored;
        stored.LoadCondition_FileSizeMin = 1500;
        Dialog dialog(stored);
        QSignalSpy closed(&dialog.form, &Form_setup::Closed);
        dialog.Find<QCheckBox>("CheckBox_isautoslide")->setChecked(true);
        dialog.Key(0)->setCurrentIndex(5);
        dialog.Find<QScrollBar>("ScrollBar_bg_r")->setValue(99);
        QCOMPARE(dialog.Find<QLabel>("Label_bg_r")->text(), QString("99"));
        dialog.Click("Button_cansel");
        QVERIFY(!dialog.form.isVisible());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(Lines(dialog.settings), Lines(stored));
        dialog.form.show();
        QVERIFY(!dialog.Find<QCheckBox>("CheckBox_isautoslide")->isChecked());
        QCOMPARE(dialog.Key(0)->currentText(), QString("→"));
        QCOMPARE(dialog.Find<QScrollBar>("ScrollBar_bg_r")->value(), 0);

        QCOMPARE(dialog.Edit("Edit_lc_fs_min")->text(), QString("1"));
        dialog.Key(1)->setCurrentIndex(dialog.Key(0)->currentIndex());
        dialog.Edit("Edit_slideinterval")->setText("50");
        dialog.Click("Button_ok");
        QCOMPARE(dialog.dialogs.errors, QStringList{"キー設定で重複しているものがあります。"});
        QVERIFY(dialog.form.isVisible());
        QCOMPARE(dialog.settings.SlideInterval, 5000);

        dialog.Click("Button_default");
        dialog.Click("Button_ok");
        QCOMPARE(dialog.dialogs.errors.value(1),
                 QString("読み込む画像の最低ファイルサイズ・最高ファイルサイズがおかしいです。"));
        QVERIFY(dialog.form.isVisible());

        dialog.Edit("Edit_lc_fs_min")->setText("0");  // 0 to 0 passes
        dialog.Click("Button_ok");
        QVERIFY(!dialog.form.isVisible());
        QCOMPARE(dialog.settings.SlideInterval, 100);
        QCOMPARE(dialog.settings.LoadCondition_FileSizeMin, 0);
    }

    // Letters vanish silently, a digit past the length beeps, an emptied field becomes "0".
    void numericFieldsAndPluginControls() {
        Dialog dialog;
        dialog.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog.form));
        QLineEdit* jump = dialog.Edit("Edit_jumpnum");
        jump->setFocus();
        jump->clear();
        QTest::keyClicks(jump, "12a-3");
        QCOMPARE(jump->text(), QString("123"));
        QTest::keyClicks(jump, "45");
        QCOMPARE(jump->text(), QString("1234"));
        QCOMPARE(dialog.dialogs.beeps, 1);
        QTest::keyClick(jump, Qt::Key_Backspace);
        QCOMPARE(jump->text(), QString("123"));
        jump->clear();
        dialog.Edit("Edit_password")->setFocus();
        QCOMPARE(jump->text(), QString("0"));

        // The plug-in controls, the folder choice and the extension list.
        auto* usespi = dialog.Find<QCheckBox>("CheckBox_isusespi");
        QVERIFY(!dialog.Find<QCheckBox>("CheckBox_spi_sys")->isEnabled());
        QVERIFY(!dialog.Find<QPushButton>("Button_spi_sel")->isEnabled());
        QTest::mouseClick(usespi, Qt::LeftButton, {}, QPoint(5, usespi->height() / 2));
        QVERIFY(dialog.Find<QCheckBox>("CheckBox_spi_sys")->isEnabled());
        QVERIFY(dialog.Edit("Edit_spi_sel")->isEnabled());

        dialog.dialogs.folder = "/opt/plugins";
        dialog.Click("Button_spi_sel");
        QCOMPARE(dialog.Edit("Edit_spi_sel")->text(), QString("/opt/plugins"));
        dialog.dialogs.folder = QString("");
        dialog.Click("Button_spi_sel");
        QCOMPARE(dialog.dialogs.errors, QStringList{"失敗しました"});
        QCOMPARE(dialog.Edit("Edit_spi_sel")->text(), QString("/opt/plugins"));

        auto* list = dialog.Find<QListWidget>("ListBox_lielist");
        QCOMPARE(list->selectedItems().size(), 5);
        dialog.Click("Button_spi_alldechk");
        list->item(1)->setSelected(true);
        dialog.Click("Button_spi_allrev");
        dialog.form.Store();
        QCOMPARE(dialog.settings.LoadExtensions, (QStringList{".bmp", ".jpeg", ".jpg", ".png"}));
        dialog.Click("Button_spi_allchk");
        QCOMPARE(list->selectedItems().size(), 5);
    }
};

}  // namespace pictavo

QTEST_MAIN(pictavo::Form_setupTest)
#include "Form_setupTest.moc"
