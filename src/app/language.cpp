#include "app/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

enum class Target { Caption, Hint, WindowTitle };

struct Entry
{
    const char *name;
    int key;
    Target target = Target::Caption;
};

// The main window's menus, in the order they are rewritten.
constexpr Entry MainMenus[] = {
    {"File1", 1}, {"Esci2", 2}, {"Lingua1", 3}, {"Lbl_SostieniSintonia", 13}, {"Visualizza1", 7},
    {"Rimpicciolisciinalto1", 8}, {"Ripristina1", 9}, {"Riduciaicona1", 10}, {"Atuttoschermo1", 11},
    {"Linkutili1", 12}, {"SostieniSintonia1", 13}, {"Opzioni1", 14}, {"Opzionidiavvio1", 25},
    {"Radiopersonali1", 30}, {"Radioinplaylist1", 33}, {"Gestioneproxy1", 16}, {"NewseMeteo1", 17},
    {"RadioMenu", 18}, {"Visualizzatutteleemittenti1", 19}, {"Ricercaradio1", 20},
    {"Radioositowebpersonale1", 21}, {"Newsletter1", 90},
};

constexpr Entry PickerTexts[] = {
    {"Frm_RadioProgrammata", 30, Target::WindowTitle}, {"BitBtn1", 39}, {"BitBtn2", 40},
};

constexpr Entry OptionsTexts[] = {
    {"TabSheet1", 25}, {"TabSheet2", 30}, {"TabSheet3", 33}, {"Lbl_AvvioAutomatico", 26},
    {"Lbl_EsecuzioneRadio", 27}, {"Lbl_Google", 28}, {"Lbl_Msn", 29}, {"Lbl_Emittenti", 34},
    {"SpeedButton1", 32}, {"BitBtn13", 37}, {"BitBtn14", 38}, {"BitBtn1", 39}, {"BitBtn2", 40},
    {"BitBtn3", 32}, {"BitBtn4", 32}, {"BitBtn5", 32}, {"BitBtn6", 32}, {"BitBtn7", 32},
    {"BitBtn8", 31}, {"BitBtn9", 31}, {"BitBtn10", 31}, {"BitBtn11", 31}, {"BitBtn12", 31},
    // Rows 6 to 15 of the personal stations speak the same language as rows 1 to 5.
    {"BitBtn15", 32}, {"BitBtn17", 32}, {"BitBtn19", 32}, {"BitBtn21", 32}, {"BitBtn23", 32},
    {"BitBtn25", 32}, {"BitBtn27", 32}, {"BitBtn29", 32}, {"BitBtn31", 32}, {"BitBtn33", 32},
    {"BitBtn16", 31}, {"BitBtn18", 31}, {"BitBtn20", 31}, {"BitBtn22", 31}, {"BitBtn24", 31},
    {"BitBtn26", 31}, {"BitBtn28", 31}, {"BitBtn30", 31}, {"BitBtn32", 31}, {"BitBtn34", 31},
};

constexpr Entry MainTexts[] = {
    {"Label2", 42}, {"Label3", 43}, {"ImgIndietro", 45, Target::Hint}, {"ImgAvanti", 46, Target::Hint},
    {"TabSheet1", 51}, {"TabSheet2", 53}, {"Leradiopicliccate1", 51}, {"Lemieradiopreferite1", 53},
    {"esci1", 2}, {"CambiaRadio1", 32}, {"Btn_NewGame", 117}, {"Btn_Complete4Me", 118},
    {"Chk_ControlloErrori", 119}, {"Rg_SudokuLevel", 120}, {"Lbl_CaricamentoClassifica", 126},
    {"Lbl_EmittentiPersonali", 127}, {"Lbl_CaricamentoNews", 128},
};

// Gives a control its caption, whatever kind of control it is.
void setCaption(QObject *object, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(object))
        action->setText(text);
    else if (auto *menu = qobject_cast<QMenu *>(object))
        menu->setTitle(text);
    else if (auto *label = qobject_cast<QLabel *>(object))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(object))
        button->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(object))
        group->setTitle(text);
    else if (auto *widget = qobject_cast<QWidget *>(object)) {
        // A page of a page control carries its caption on its tab.
        auto *stack = qobject_cast<QStackedWidget *>(widget->parentWidget());
        auto *pages = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
        if (pages && pages->indexOf(widget) >= 0)
            pages->setTabText(pages->indexOf(widget), text);
        else if (widget->isWindow())
            widget->setWindowTitle(text);
    }
}

void setHint(QObject *object, const QString &text)
{
    if (auto *widget = qobject_cast<QWidget *>(object))
        widget->setToolTip(text);
    else if (auto *action = qobject_cast<QAction *>(object))
        action->setToolTip(text);
}

template <size_t N>
void apply(const Entry (&entries)[N], QWidget *window, const Language &language)
{
    for (const Entry &entry : entries) {
        const QString name = QLatin1String(entry.name);
        QObject *control = window->objectName() == name ? window : window->findChild<QObject *>(name);
        if (!control)
            continue; // a control that is not there is left alone
        const QString text = language.LanguageText(entry.key);
        switch (entry.target) {
        case Target::Caption: setCaption(control, text); break;
        case Target::Hint: setHint(control, text); break;
        case Target::WindowTitle: static_cast<QWidget *>(control)->setWindowTitle(text); break;
        }
    }
}

QWidget *existingWindow(const char *name)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->objectName() == QLatin1String(name))
            return window;
    }
    return nullptr;
}

} // namespace

void Language::ApplyLanguage(int n, QWidget *mainWindow)
{
    setCurrentLanguage(n);
    apply(MainMenus, mainWindow, *this);
    if (QWidget *picker = existingWindow("Frm_RadioProgrammata"))
        apply(PickerTexts, picker, *this);
    if (QWidget *options = existingWindow("Frm_GestioneOpzioni"))
        apply(OptionsTexts, options, *this);
    apply(MainTexts, mainWindow, *this);
    // The five Sudoku levels take keys 121 to 125.
    if (auto *levels = mainWindow->findChild<QGroupBox *>(QStringLiteral("Rg_SudokuLevel"))) {
        const QList<QRadioButton *> items = levels->findChildren<QRadioButton *>();
        for (int i = 0; i < items.size() && i < 5; ++i)
            items[i]->setText(LanguageText(121 + i));
    }
}
