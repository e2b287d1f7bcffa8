// ApplyLanguage on the real windows: what follows the language and what keeps its design text.
#include "app/frm_sintonia.h"
#include "app/languagetable.h"
#include "app/windows.h"
#include "windowrig.h"
#include "platform/fakes/fakeplatform.h"
#include "platform/fakes/fakewebpane.h"
#include "platform/textfile.h"
#include "settings/optionsfile.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

struct Rig : WindowRig
{
    Rig() { table.fill(); }
    TTraduzione table;
};

// The caption a user sees on a control, whatever its kind; `hint` reads its tooltip.
QString shown(QWidget *window, const QString &name, bool hint = false)
{
    if (window->objectName() == name)
        return window->windowTitle();
    QObject *control = window->findChild<QObject *>(name);
    if (!control)
        return QStringLiteral("<missing %1>").arg(name);
    if (hint)
        return static_cast<QWidget *>(control)->toolTip();
    if (auto *a = qobject_cast<QAction *>(control))
        return a->text();
    if (auto *m = qobject_cast<QMenu *>(control))
        return m->title();
    if (auto *l = qobject_cast<QLabel *>(control))
        return l->text();
    if (auto *b = qobject_cast<QAbstractButton *>(control))
        return b->text();
    if (auto *g = qobject_cast<QGroupBox *>(control))
        return g->title();
    auto *page = static_cast<QWidget *>(control);
    auto *pages = qobject_cast<QTabWidget *>(page->parentWidget()->parentWidget());
    return pages ? pages->tabText(pages->indexOf(page)) : QStringLiteral("<no caption>");
}

} // namespace

class TestLanguageApply : public QObject
{
    Q_OBJECT

private slots:
    void applyRewritesTheMap_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("hint");
        const QList<std::tuple<const char *, const char *, int, bool>> rows{
            {"Frm_Sintonia", "File1", 1, false}, {"Frm_Sintonia", "Esci2", 2, false},
            {"Frm_Sintonia", "Lingua1", 3, false}, {"Frm_Sintonia", "Lbl_SostieniSintonia", 13, false},
            {"Frm_Sintonia", "Visualizza1", 7, false}, {"Frm_Sintonia", "Rimpicciolisciinalto1", 8, false},
            {"Frm_Sintonia", "Ripristina1", 9, false}, {"Frm_Sintonia", "Riduciaicona1", 10, false},
            {"Frm_Sintonia", "Atuttoschermo1", 11, false}, {"Frm_Sintonia", "Linkutili1", 12, false},
            {"Frm_Sintonia", "SostieniSintonia1", 13, false}, {"Frm_Sintonia", "Opzioni1", 14, false},
            {"Frm_Sintonia", "Opzionidiavvio1", 25, false}, {"Frm_Sintonia", "Radiopersonali1", 30, false},
            {"Frm_Sintonia", "Radioinplaylist1", 33, false}, {"Frm_Sintonia", "Gestioneproxy1", 16, false},
            {"Frm_Sintonia", "NewseMeteo1", 17, false}, {"Frm_Sintonia", "RadioMenu", 18, false},
            {"Frm_Sintonia", "Visualizzatutteleemittenti1", 19, false}, {"Frm_Sintonia", "Ricercaradio1", 20, false},
            {"Frm_Sintonia", "Radioositowebpersonale1", 21, false}, {"Frm_Sintonia", "Newsletter1", 90, false},
            {"Frm_RadioProgrammata", "Frm_RadioProgrammata", 30, false},
            {"Frm_RadioProgrammata", "BitBtn1", 39, false}, {"Frm_RadioProgrammata", "BitBtn2", 40, false},
            {"Frm_GestioneOpzioni", "TabSheet1", 25, false}, {"Frm_GestioneOpzioni", "TabSheet2", 30, false},
            {"Frm_GestioneOpzioni", "TabSheet3", 33, false}, {"Frm_GestioneOpzioni", "Lbl_AvvioAutomatico", 26, false},
            {"Frm_GestioneOpzioni", "Lbl_EsecuzioneRadio", 27, false}, {"Frm_GestioneOpzioni", "Lbl_Google", 28, false},
            {"Frm_GestioneOpzioni", "Lbl_Msn", 29, false}, {"Frm_GestioneOpzioni", "Lbl_Emittenti", 34, false},
            {"Frm_GestioneOpzioni", "SpeedButton1", 32, false}, {"Frm_GestioneOpzioni", "BitBtn13", 37, false},
            {"Frm_GestioneOpzioni", "BitBtn14", 38, false}, {"Frm_GestioneOpzioni", "BitBtn1", 39, false},
            {"Frm_GestioneOpzioni", "BitBtn2", 40, false}, {"Frm_GestioneOpzioni", "BitBtn3", 32, false},
            {"Frm_GestioneOpzioni", "BitBtn7", 32, false}, {"Frm_GestioneOpzioni", "BitBtn8", 31, false},
            {"Frm_GestioneOpzioni", "BitBtn12", 31, false},
            {"Frm_Sintonia", "Label2", 42, false}, {"Frm_Sintonia", "Label3", 43, false},
            {"Frm_Sintonia", "ImgIndietro", 45, true}, {"Frm_Sintonia", "ImgAvanti", 46, true},
            {"Frm_Sintonia", "Leradiopicliccate1", 51, false}, {"Frm_Sintonia", "Lemieradiopreferite1", 53, false},
            {"Frm_Sintonia", "esci1", 2, false}, {"Frm_Sintonia", "CambiaRadio1", 32, false},
            {"Frm_Sintonia", "TabSheet1", 51, false}, {"Frm_Sintonia", "TabSheet2", 53, false},
            {"Frm_Sintonia", "Btn_NewGame", 117, false}, {"Frm_Sintonia", "Btn_Complete4Me", 118, false},
            {"Frm_Sintonia", "Chk_ControlloErrori", 119, false}, {"Frm_Sintonia", "Rg_SudokuLevel", 120, false},
            {"Frm_Sintonia", "Rg_SudokuLevel_0", 121, false}, {"Frm_Sintonia", "Rg_SudokuLevel_1", 122, false},
            {"Frm_Sintonia", "Rg_SudokuLevel_2", 123, false}, {"Frm_Sintonia", "Rg_SudokuLevel_3", 124, false},
            {"Frm_Sintonia", "Rg_SudokuLevel_4", 125, false},
            {"Frm_Sintonia", "Lbl_CaricamentoClassifica", 126, false},
            {"Frm_Sintonia", "Lbl_EmittentiPersonali", 127, false},
            {"Frm_Sintonia", "Lbl_CaricamentoNews", 128, false},
        };
        for (const auto &[window, control, key, hint] : rows)
            QTest::newRow(control) << window << control << key << hint;
    }

    void applyRewritesTheMap()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(bool, hint);
        Rig rig;
        QWidget *w = rig.window(window);
        QVERIFY(w);
        for (int language : {2, 3, 4, 1}) {
            rig.windows->main()->ApplyLanguage(language);
            QCOMPARE(shown(w, control, hint), rig.table.text(language, key));
        }
    }

    void telling_texts_reach_the_window()
    {
        Rig rig;
        TFrm_Sintonia *main = rig.windows->main();
        main->ApplyLanguage(2);
        QCOMPARE(shown(main, QStringLiteral("Esci2")), QStringLiteral("Exit"));
        QCOMPARE(shown(main, QStringLiteral("Newsletter1")), QStringLiteral("Register on newsletter"));
        QCOMPARE(shown(rig.window(QStringLiteral("Frm_GestioneOpzioni")), QStringLiteral("Lbl_Msn")),
                 QStringLiteral("Attive music plug-in for MSN Messenger"));
        main->ApplyLanguage(4);
        QCOMPARE(shown(main, QStringLiteral("Ripristina1")), QStringLiteral("Repristinar"));
        QCOMPARE(main->languageText().LanguageText(79), QStringLiteral("Puerta  "));
    }

    void textsOutsideTheMapKeepTheirDesign()
    {
        Rig rig;
        TFrm_Sintonia *main = rig.windows->main();
        main->ApplyLanguage(2);
        QTabWidget *pages = main->Pnl_Ascolta();
        QCOMPARE(pages->tabText(0), QStringLiteral("Radio - Web Site"));
        QCOMPARE(pages->tabText(1), QStringLiteral("Audio Recording"));
        QCOMPARE(pages->tabText(8), QStringLiteral("Sudoku"));
        QCOMPARE(shown(main, QStringLiteral("New1")), QStringLiteral("New"));
        QCOMPARE(shown(main, QStringLiteral("TabSheet5")), QStringLiteral("New"));
        QCOMPARE(shown(main, QStringLiteral("Italiano1")), QStringLiteral("Italiano"));
        QCOMPARE(shown(main, QStringLiteral("Francese1")), QStringLiteral("English"));
        QCOMPARE(shown(main, QStringLiteral("Inglese1")), QString::fromUtf8("Français"));
        QCOMPARE(shown(main, QStringLiteral("Spagnolo1")), QString::fromUtf8("Español"));
        QCOMPARE(shown(main, QStringLiteral("Help1")), QStringLiteral("?"));
        QCOMPARE(shown(main, QStringLiteral("About2")), QStringLiteral("About"));
        QCOMPARE(shown(main, QStringLiteral("Grafologa1")), QStringLiteral("Grafologia"));
        QCOMPARE(main->windowTitle(), QStringLiteral("Sintonia by Ventaglio"));
    }

    void dialogsKeepTheirDesignTextsUntilTheNextApply()
    {
        // At start-up the main window applies the language before the dialogs exist. With
        // English stored, the dialogs' Italian design texts differ from what English gives.
        Rig rig;
        OptionsFile::Record options;
        options.language = 2;
        QCOMPARE(TextFile::writeLines(rig.settingsFile(OptionsFile::FileName), OptionsFile::compose(options)),
                 QString());
        rig.restart();
        QCOMPARE(rig.main()->CurrentLanguage(), 2);
        QCOMPARE(shown(rig.main(), QStringLiteral("Esci2")), QStringLiteral("Exit"));
        const QString saveAndExit = rig.table.text(2, 40);
        QVERIFY(saveAndExit != QStringLiteral("Salva ed esci"));
        for (const char *dialog : {"Frm_GestioneOpzioni", "Frm_RadioProgrammata"}) {
            QWidget *window = rig.window(QLatin1String(dialog));
            QVERIFY2(window, dialog);
            QCOMPARE(shown(window, QStringLiteral("BitBtn2")), QStringLiteral("Salva ed esci"));
        }
        QCOMPARE(shown(rig.window(QStringLiteral("Frm_GestioneOpzioni")), QStringLiteral("Lbl_Msn")),
                 QStringLiteral("Attiva plug-in per la musica di MSN Messenger"));
        QCOMPARE(shown(rig.windows->main(), QStringLiteral("ImgIndietro"), true), rig.table.text(2, 45));

        // The next apply reaches them.
        rig.main()->ApplyLanguage(2);
        for (const char *dialog : {"Frm_GestioneOpzioni", "Frm_RadioProgrammata"})
            QCOMPARE(shown(rig.window(QLatin1String(dialog)), QStringLiteral("BitBtn2")), saveAndExit);
    }

    void languageMenuAppliesItsTag()
    {
        Rig rig;
        TFrm_Sintonia *main = rig.windows->main();
        main->findChild<QAction *>(QStringLiteral("Inglese1"))->trigger();
        QCOMPARE(main->CurrentLanguage(), 3);
        QCOMPARE(shown(main, QStringLiteral("Esci2")), QStringLiteral("Quitter"));
        main->findChild<QAction *>(QStringLiteral("Francese1"))->trigger();
        QCOMPARE(main->CurrentLanguage(), 2);
        QCOMPARE(shown(main, QStringLiteral("Esci2")), QStringLiteral("Exit"));
    }

    void languageOutsideTheTableCountsAsItalian()
    {
        Rig rig;
        TFrm_Sintonia *main = rig.windows->main();
        main->ApplyLanguage(2);
        for (int bad : {0, 5, -1, 1000}) {
            main->ApplyLanguage(bad);
            QCOMPARE(main->CurrentLanguage(), 1);
            QCOMPARE(shown(main, QStringLiteral("Esci2")), QStringLiteral("Esci"));
        }
    }
};

QTEST_MAIN(TestLanguageApply)
#include "test_language_apply.moc"
