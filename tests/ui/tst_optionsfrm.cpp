#include "core/compile/BatchText.h"
#include "core/settings/MemoryKeyStore.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsOwner.h"
#include "platform/settings/XdgShellAssociation.h"
#include "support/OptionsFixture.h"
#include "ui/settings/EditorFontMatch.h"
#include "ui/settings/OptionsCommands.h"
#include "ui/settings/TCompilPathFrm.h"
#include "ui/settings/TOptionsFrm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QtTest>

using namespace quaredit;

namespace {

template <typename W> W* child(QObject& parent, const char* name) {
    W* widget = parent.findChild<W*>(QLatin1String(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The options fixture, and the folder picker answered as a user would.
struct Fixture : OptionsFixture {
    using OptionsFixture::OptionsFixture;

    // Answers the folder picker by picking `folder`, or cancelling when empty.
    void pickerAnswers(const QString& folder) {
        services.onDialog([folder](QDialog& d) {
            auto& picker = static_cast<TCompilPathFrm&>(d);
            if (folder.isEmpty())
                return int(QDialog::Rejected);
            picker.setFolder(folder);
            QTest::mouseClick(child<QPushButton>(picker, "btOK"), Qt::LeftButton);
            return picker.result();
        });
    }
};

int pressOk(TOptionsFrm& d) {
    QTest::mouseClick(child<QPushButton>(d, "OkBt"), Qt::LeftButton);
    return d.result();
}

} // namespace

class TestOptionsFrm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void okStoresEveryControl() {
        Fixture f;
        f.commands->createDialogs();
        QString chosenFont;
        f.general([&](TOptionsFrm& d) {
            auto* fonts = child<QComboBox>(d, "FontList");
            if (fonts->count() > 0) {
                fonts->setCurrentIndex(fonts->count() - 1);
                chosenFont = fonts->currentText();
            }
            child<QComboBox>(d, "SizeList")->setCurrentText("14");
            child<QCheckBox>(d, "WWrapOpt")->setChecked(true);
            child<QCheckBox>(d, "BAKOpt")->setChecked(false);
            child<QCheckBox>(d, "AssOpt")->setChecked(true);
            child<QCheckBox>(d, "EditExplOpt")->setChecked(true);
            child<QLineEdit>(d, "edDefaultDir")->setText("/home/me/asm");
            child<QComboBox>(d, "lstConfig")->setCurrentIndex(ConfigPlusShell);
            QTest::keyClicks(child<QLineEdit>(d, "edPath"), "/opt/ps/");
            child<QLineEdit>(d, "IncPath")->setText("inc/");
            return pressOk(d);
        });

        // The field typed into follows its current text: the placeholder and
        // the typed folder.
        const QString folder = "[COMPILATOR PATH]/opt/ps/";
        RegKey options(f.store, "Options", false);
        QCOMPARE(options.readInt("UsePredef", -1), 2);
        QCOMPARE(options.readText("CompilatorPath"), folder);
        QCOMPARE(options.readText("IncludePath"), QString("inc/"));
        QCOMPARE(options.readText("LibPath"), QString("lib/"));
        QCOMPARE(options.readInt("WordWrap", -1), 1);
        QCOMPARE(options.readInt("MakeBAK", -1), 0);
        QCOMPARE(options.readInt("Associate", -1), 1);
        QCOMPARE(options.readInt("EditExplorator", -1), 1);
        QCOMPARE(options.readText("DefaultDir"), QString("/home/me/asm"));
        QCOMPARE(options.readInt("EditorFontSize", -1), 14);
        if (!chosenFont.isEmpty())
            QCOMPARE(options.readText("EditorFont"), chosenFont);
        RegKey plusShell(f.store, "Options\\PlusShell", false);
        QCOMPARE(plusShell.readText("CompilPath"), folder);
        QCOMPARE(plusShell.readText("IncludePath"), QString("inc/"));
        RegKey quaro(f.store, "Options\\Quaro2", false);
        QCOMPARE(quaro.readText("CompilPath"), QString("[COMPILATOR PATH]"));

        QCOMPARE(f.applied.size(), 1);
        QVERIFY(f.applied[0].WordWrap);
        QCOMPARE(f.applied[0].EditorFontSize, 14);
        QCOMPARE(f.association.calls, (QList<std::pair<bool, bool>>{{true, true}}));
        QCOMPARE(fileBytes(f.folder() + "compil.bat"),
                 batchBytesFromLines(GenerateBatchText(ConfigPlusShell, folder)));
        QVERIFY(!QFile::exists(f.folder() + "batch.dat"));
        QVERIFY(f.services.messages.isEmpty());
    }

    // "Colour Scheme" on the Editor page shows the stored choice and stores
    // the one picked, applied to the editor with the other options.
    void colourSchemeIsChosenOnTheEditorPage() {
        Fixture f;
        f.settings.ColourScheme = 2;
        f.commands->createDialogs();
        QStringList captions;
        int shown = -1;
        bool onEditorPage = false;
        f.general([&](TOptionsFrm& d) {
            auto* list = child<QComboBox>(d, "SchemeList");
            onEditorPage = child<QWidget>(d, "EditOpt")->isAncestorOf(list);
            for (int i = 0; i < list->count(); ++i)
                captions << list->itemText(i);
            shown = list->currentIndex();
            list->setCurrentIndex(1);
            return pressOk(d);
        });
        QVERIFY(onEditorPage);
        QCOMPARE(captions, (QStringList{"Follow the desktop", "Light", "Dark"}));
        QCOMPARE(shown, 2);
        RegKey options(f.store, "Options", false);
        QCOMPARE(options.readInt("ColourScheme", -1), 1);
        QCOMPARE(f.applied.size(), 1);
        QCOMPARE(f.applied[0].ColourScheme, 1);
    }

    // The flags' check boxes come from the option table: each stands on its
    // page with its caption, shows the stored value and stores its own flag.
    void everyDeclaredCheckBoxStoresItsFlag() {
        const QHash<OptionPlace, QString> pages{{OptionPlace::Compilator, "QuarOpt"},
                                                {OptionPlace::EditorTop, "EditOpt"},
                                                {OptionPlace::Editor, "EditOpt"},
                                                {OptionPlace::Misc, "MISCOpt"}};
        for (const OptionSetting& option : optionSettings()) {
            if (option.place == OptionPlace::None)
                continue;
            QVERIFY2(std::holds_alternative<OptionValue<bool>>(option.value), option.name);
            const auto member = std::get<OptionValue<bool>>(option.value).member;
            Fixture f;
            f.commands->createDialogs();
            const bool before = f.owner.settings().*member;
            f.general([&](TOptionsFrm& d) {
                auto* box = child<QCheckBox>(d, option.objectName);
                [&] {
                    QCOMPARE(box->text(), QString::fromLatin1(option.caption));
                    QVERIFY(d.findChild<QWidget*>(pages[option.place])->isAncestorOf(box));
                    QCOMPARE(box->isChecked(), before);
                }();
                box->setChecked(!before);
                return pressOk(d);
            });
            QCOMPARE(RegKey(f.store, "Options", false).readInt(QLatin1String(option.name), -1),
                     before ? 0 : 1);
            QCOMPARE(f.owner.settings().*member, !before);
        }
    }

    void cancelStoresNothing() {
        Fixture f;
        f.commands->createDialogs();
        const QSet<QString> keysBefore = f.store.keys();
        f.general([](TOptionsFrm& d) {
            child<QLineEdit>(d, "edPath")->setText("/typed/");
            child<QLineEdit>(d, "LibPath")->setText("mylib/");
            child<QCheckBox>(d, "WWrapOpt")->setChecked(true);
            QTest::mouseClick(child<QPushButton>(d, "CancelBt"), Qt::LeftButton);
            return d.result();
        });
        QCOMPARE(f.store.keys(), keysBefore);
        QCOMPARE(RegKey(f.store, "Options\\Quaro2", false).readText("CompilPath"),
                 QString("[COMPILATOR PATH]"));
        QCOMPARE(RegKey(f.store, "Options", false).readInt("WordWrap", -1), 0);
        QVERIFY(!f.settings.WordWrap);
        QVERIFY(f.applied.isEmpty());
        QVERIFY(f.association.calls.isEmpty());
        QVERIFY(!QFile::exists(f.folder() + "compil.bat"));

        // The next showing reads the rows again.
        QString shownPath, shownLib;
        f.general([&](TOptionsFrm& d) {
            shownPath = child<QLineEdit>(d, "edPath")->text();
            shownLib = child<QLineEdit>(d, "LibPath")->text();
            return int(QDialog::Rejected);
        });
        QCOMPARE(shownPath, QString("[COMPILATOR PATH]"));
        QCOMPARE(shownLib, QString("asm/lib/"));
    }

    // Coming back from the picker reloads the check boxes and the
    // configuration choice; the folder fields' edits stay.
    void browseReloadsTheDialogButKeepsPathEdits() {
        Fixture f;
        f.commands->createDialogs();
        QTemporaryDir picked;
        bool wrapAfter = true;
        QString incAfter, defaultDirAfter;
        f.general([&](TOptionsFrm& d) {
            child<QCheckBox>(d, "WWrapOpt")->setChecked(true);
            child<QLineEdit>(d, "IncPath")->setText("my/include/");
            f.pickerAnswers(picked.path());
            QTest::mouseClick(child<QPushButton>(d, "btBrowse3"), Qt::LeftButton);
            wrapAfter = child<QCheckBox>(d, "WWrapOpt")->isChecked();
            incAfter = child<QLineEdit>(d, "IncPath")->text();
            defaultDirAfter = child<QLineEdit>(d, "edDefaultDir")->text();
            return int(QDialog::Rejected);
        });
        QVERIFY(!wrapAfter);
        QCOMPARE(incAfter, QString("my/include/"));
        QCOMPARE(defaultDirAfter, picked.path() + u'/');
        QCOMPARE(f.services.dialogs, QStringList({"OptionsFrm", "CompilPathFrm"}));
        QCOMPARE(f.commands->compilPathFrm()->windowTitle(), QString("Default Directory :"));
    }

    void browsedCompilerFolderGoesToTheStoredConfiguration() {
        Fixture f;
        f.commands->createDialogs();
        QTemporaryDir picked;
        const QString folder = picked.path() + u'/';
        f.general([&](TOptionsFrm& d) {
            child<QComboBox>(d, "lstConfig")->setCurrentIndex(ConfigPlusShell);
            f.pickerAnswers(picked.path());
            QTest::mouseClick(child<QPushButton>(d, "btBrowse2"), Qt::LeftButton);
            [&] {
                QCOMPARE(child<QComboBox>(d, "lstConfig")->currentIndex(), int(ConfigQuaro2));
                QCOMPARE(child<QLineEdit>(d, "edPath")->text(), folder);
                QCOMPARE(child<QPlainTextEdit>(d, "edBAT")->toPlainText(),
                         batchDisplayText(GenerateBatchText(ConfigQuaro2, folder)));
            }();
            return pressOk(d);
        });
        QCOMPARE(f.commands->compilPathFrm()->windowTitle(), QString("Compilator Path :"));
        QCOMPARE(f.settings.CompilatorPath, folder);
        QCOMPARE(RegKey(f.store, "Options\\Quaro2", false).readText("CompilPath"), folder);
        QCOMPARE(RegKey(f.store, "Options\\PlusShell", false).readText("CompilPath"),
                 QString("[COMPILATOR PATH]"));
        QVERIFY(fileBytes(f.folder() + "compil.bat").contains("SET QUARO=" + folder.toLatin1()));
    }

    void cancelledPickerLeavesTheField() {
        Fixture f;
        f.commands->createDialogs();
        QString after;
        f.general([&](TOptionsFrm& d) {
            child<QLineEdit>(d, "edPath")->setText("/kept/");
            f.pickerAnswers(QString());
            QTest::mouseClick(child<QPushButton>(d, "btBrowse2"), Qt::LeftButton);
            after = child<QLineEdit>(d, "edPath")->text();
            return int(QDialog::Rejected);
        });
        QCOMPARE(after, QString("/kept/"));
    }

    void pickerKeepsItsFolderAndAppendsOneSlash() {
        TCompilPathFrm picker;
        QTemporaryDir dir;
        QVERIFY(picker.driveList()->findText("/") >= 0);
        auto pick = [&picker](const QString& folder) {
            picker.show();
            picker.setFolder(folder);
            QTest::mouseClick(picker.findChild<QPushButton*>("btOK"), Qt::LeftButton);
            return picker.pickedFolder();
        };
        QCOMPARE(pick(dir.path()), dir.path() + u'/');
        QCOMPARE(pick("/"), QString("/"));
        // Not a folder: the tree stays where it was.
        picker.setFolder(dir.path());
        picker.setFolder(dir.path() + "/no such folder");
        QCOMPARE(picker.selectedFolder(), dir.path());
        // Cancel keeps the folder picked before.
        picker.show();
        QTest::mouseClick(picker.findChild<QPushButton*>("btCancel"), Qt::LeftButton);
        QCOMPARE(picker.result(), int(QDialog::Rejected));
        QCOMPARE(picker.pickedFolder(), QString("/"));
    }

    void userBatchIsEditableOnlyForNone() {
        Fixture f;
        f.commands->createDialogs();
        QVERIFY(QFile(f.folder() + "batch.dat").open(QIODevice::WriteOnly));
        f.general([&](TOptionsFrm& d) {
            auto* batch = child<QPlainTextEdit>(d, "edBAT");
            [&] { QVERIFY(batch->isReadOnly()); }();
            child<QComboBox>(d, "lstConfig")->setCurrentIndex(ConfigNone);
            [&] { QVERIFY(!batch->isReadOnly()); }();
            batch->setFocus();
            QTest::keyClicks(batch, "tasm %1");
            QTest::keyClick(batch, Qt::Key_Return);
            QTest::keyClicks(batch, "pause");
            return pressOk(d);
        });
        QCOMPARE(fileBytes(f.folder() + "batch.dat"), QByteArray("tasm %1\r\npause\r\n"));
        QCOMPARE(fileBytes(f.folder() + "compil.bat"), QByteArray("tasm %1\r\npause\r\n"));
        QCOMPARE(f.settings.UsePredef, 0);
    }

    void missingUserBatchIsReported() {
        Fixture f;
        f.commands->createDialogs();
        f.general([](TOptionsFrm& d) {
            child<QComboBox>(d, "lstConfig")->setCurrentIndex(ConfigNone);
            return int(QDialog::Rejected);
        });
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].caption, QString("File Error"));
        QCOMPARE(f.services.messages[0].icon, MsgIcon::Error);
        QVERIFY(f.services.messages[0].text.contains(f.folder() + "batch.dat"));
    }

    void unwritableCompileBatchIsReportedAndTheOptionsStored() {
        Fixture f;
        f.commands->createDialogs();
        QVERIFY(QDir().mkpath(f.folder() + "compil.bat"));
        f.general([](TOptionsFrm& d) {
            child<QCheckBox>(d, "BAKOpt")->setChecked(false);
            return pressOk(d);
        });
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.messages[0].text.contains(f.folder() + "compil.bat"));
        QCOMPARE(RegKey(f.store, "Options", false).readInt("MakeBAK", -1), 0);
    }

    void associationFailureIsReportedAfterStoring() {
        Fixture f;
        f.commands->createDialogs();
        f.association.succeeds = false;
        f.general([](TOptionsFrm& d) {
            child<QCheckBox>(d, "AssOpt")->setChecked(true);
            return pressOk(d);
        });
        QCOMPARE(f.services.messages, (QList<FakeWindowServices::Message>{
                                          {"Error while trying to save into the registry base",
                                           "Error", MsgIcon::Error, MsgButtons::Ok}}));
        QCOMPARE(RegKey(f.store, "Options", false).readInt("Associate", -1), 1);
        QCOMPARE(f.applied.size(), 1);
    }

    // Options that cannot be stored are not taken either: the user is told,
    // and the editor and the desktop stay as they were.
    void unstorableOptionsChangeNothing() {
        Fixture f;
        f.commands->createDialogs();
        QVERIFY(f.store.deleteKey("Options"));
        f.general([](TOptionsFrm& d) {
            child<QCheckBox>(d, "WWrapOpt")->setChecked(true);
            child<QCheckBox>(d, "AssOpt")->setChecked(true);
            return pressOk(d);
        });
        QCOMPARE(f.services.messages, (QList<FakeWindowServices::Message>{
                                          {"Error while trying to save into the registry base",
                                           "Error", MsgIcon::Error, MsgButtons::Ok}}));
        QVERIFY(!f.settings.WordWrap);
        QVERIFY(!f.settings.Associate);
        QVERIFY(f.applied.isEmpty());
        QVERIFY(f.association.calls.isEmpty());

        // The next showing starts from the live settings again.
        bool wrapShown = true;
        f.general([&](TOptionsFrm& d) {
            wrapShown = child<QCheckBox>(d, "WWrapOpt")->isChecked();
            return int(QDialog::Rejected);
        });
        QVERIFY(!wrapShown);
    }

    // The real desktop integration, in the test-mode XDG folders of a
    // temporary home.
    void associationFilesFollowTheCheckBoxes() {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        Fixture f(false);
        qputenv("HOME", oldHome);
        const QString entry = home.path() + "/.qttest/share/applications/quaredit.desktop";
        const QString mimeApps = home.path() + "/.qttest/config/mimeapps.list";
        f.commands->createDialogs();

        auto setBoxes = [&f](bool associate, bool offer) {
            f.general([=](TOptionsFrm& d) {
                child<QCheckBox>(d, "AssOpt")->setChecked(associate);
                child<QCheckBox>(d, "EditExplOpt")->setChecked(offer);
                return pressOk(d);
            });
        };
        setBoxes(true, true);
        QVERIFY(fileBytes(entry).contains("Exec=\"" +
                                          QCoreApplication::applicationFilePath().toUtf8()));
        QCOMPARE(fileBytes(mimeApps), QByteArray("[Default Applications]\n"
                                                 "text/x-asm=quaredit.desktop;\n\n"
                                                 "[Added Associations]\n"
                                                 "text/x-asm=quaredit.desktop;\n"));
        setBoxes(false, false);
        QVERIFY(!fileBytes(mimeApps).contains("quaredit.desktop"));
        QVERIFY(f.services.messages.isEmpty());
    }

    void unknownFontAndSizeAreReadBackSoundly() {
        Fixture f;
        f.settings.EditorFont = "No Such Font Family Here";
        f.settings.EditorFontSize = 11;
        f.commands->createDialogs();
        QString sizeShown;
        f.general([&](TOptionsFrm& d) {
            sizeShown = child<QComboBox>(d, "SizeList")->currentText();
            return pressOk(d);
        });
        QCOMPARE(sizeShown, QString("9"));
        QCOMPARE(f.settings.EditorFont, QString("No Such Font Family Here"));
        QCOMPARE(f.settings.EditorFontSize, 9);
    }

    void missingStoredFontShowsAnInstalledFixedPitchFamily() {
        Fixture f;
        f.settings.EditorFont = "Courier New";
        if (QFontDatabase::hasFamily("Courier New"))
            f.settings.EditorFont = "No Such Typewriter Font";
        const QString stored = f.settings.EditorFont;
        f.commands->createDialogs();
        QString shown;
        QStringList families;
        f.general([&](TOptionsFrm& d) {
            auto* fonts = child<QComboBox>(d, "FontList");
            shown = fonts->currentText();
            for (int i = 0; i < fonts->count(); ++i)
                families << fonts->itemText(i);
            return pressOk(d);
        });
        if (families.isEmpty())
            QSKIP("no fonts installed");
        QVERIFY(!shown.isEmpty());
        QVERIFY(measuresFixedPitch(QFont(shown)));
        // Each family once, without its foundry.
        QCOMPARE(families.filter(QRegularExpression("\\[.*\\]$")), QStringList{});
        QCOMPARE(QSet<QString>(families.begin(), families.end()).size(), families.size());
        // OK without choosing a font keeps the stored name.
        QCOMPARE(f.settings.EditorFont, stored);
    }

    void fontListIsSortedAndPreviewFollowsIt() {
        Fixture f;
        f.commands->createDialogs();
        QStringList families;
        QFont preview;
        f.general([&](TOptionsFrm& d) {
            auto* fonts = child<QComboBox>(d, "FontList");
            for (int i = 0; i < fonts->count(); ++i)
                families << fonts->itemText(i);
            if (fonts->count() > 0)
                fonts->setCurrentIndex(0);
            child<QComboBox>(d, "SizeList")->setCurrentText("16");
            preview = child<QLabel>(d, "ExLbl")->font();
            return int(QDialog::Rejected);
        });
        if (families.isEmpty())
            QSKIP("no fonts installed");
        QStringList sorted = families;
        std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(families, sorted);
        QCOMPARE(preview.family(), families[0].left(31));
        QCOMPARE(preview.pointSize(), 16);
        QVERIFY(f.applied.isEmpty());
    }
};

QTEST_MAIN(TestOptionsFrm)
#include "tst_optionsfrm.moc"
