#include "app/languagetable.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <climits>
#include <set>

using namespace Qt::StringLiterals;

namespace {

// Keys whose text the program shows somewhere; the others only keep their place.
const std::set<int> kShownKeys = {
    1,  2,  3,  7,  8,  9,  10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22, 23, 25,
    26, 27, 28, 29, 30, 31, 32, 33, 34, 37, 38, 39, 40, 42, 43, 45, 46, 49, 51, 53,
    60, 61, 62, 63, 65, 67, 69, 70, 72, 73, 75, 76, 78, 79, 81, 82, 87, 88, 90, 93,
    94, 100, 101, 117, 118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 128};

// Keys that are empty in every language.
const std::set<int> kEmptyKeys = {41, 50, 55, 58, 68, 71, 74, 77, 80, 83, 85, 97, 99, 104, 109, 114};

const char *languageName(int row)
{
    static const char *const names[] = {"it", "en", "fr", "es"};
    return names[row - 1];
}

TTraduzione filledTable()
{
    TTraduzione table;
    table.fill();
    return table;
}

} // namespace

class TestLanguageTable : public QObject {
    Q_OBJECT

private slots:
    void fixedTexts_data();
    void fixedTexts();
    void shownKeysHaveText_data();
    void shownKeysHaveText();
    void onlyTheEmptyKeysAreEmpty_data();
    void onlyTheEmptyKeysAreEmpty();
    void rowFiveIsEmpty();
    void outOfRangeGivesEmptyText_data();
    void outOfRangeGivesEmptyText();
    void textsFitTheAnsiCodePage();
    void normalisedLanguage_data();
    void normalisedLanguage();

private:
    const TTraduzione m_table = filledTable();
};

void TestLanguageTable::fixedTexts_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected");

    const auto add = [](int row, int key, const QString &expected) {
        QTest::addRow("%s %d", languageName(row), key) << row << key << expected;
    };
    using namespace LanguageRow;

    // Letters outside ASCII are spelled as escapes here, so a wrong reading of the
    // table's source encoding shows up as a mismatch.

    // Italian: the design texts, invisible characters included.
    add(Italian, 1, u"File"_s);
    add(Italian, 2, u"Esci"_s);
    add(Italian, 8, u"Rimpicciolisci in alto"_s);
    add(Italian, 13, u"Sostieni Sintonia"_s);
    add(Italian, 26, u"Esecuzione automatica \"avvia in automatico il software Sintonia\""_s);
    add(Italian, 32, u"Cambia"_s);
    add(Italian, 51, u"Le radio pi\u00F9 cliccate"_s);
    add(Italian, 69,
        u"Indirizzo Ip server Proxy gi\u00E0\u00A0 presente.Si desidera annullare il precedente inserimento?"_s);
    add(Italian, 75, u"Porta server Proxy gi\u00E0\u00A0 presente.Si desidera annullare il precedente inserimento?"_s);
    add(Italian, 79, u"Porta"_s);
    add(Italian, 81,
        u"Nessun proxy settato!\rUsare le impostazioni predefinite di Internet Explorer?\r"
        u"Cliccare NO per uscire direttamente senza proxy!"_s);
    add(Italian, 91, u"Mostra le news fornite dalla societ\u00E0\u00A0 ANSA e il meteo di 3B meteo"_s);
    add(Italian, 115, u"Si \u00E8 deciso di modificare il tempo di visualizzazione delle news. Confermare?"_s);
    add(Italian, 118, u"Completa per me!!!"_s);
    add(Italian, 126, u"Caricamento emittenti in corso"_s);
    add(Italian, 127, u"Nessuna emittente personale impostata"_s);
    add(Italian, 128, u"Caricamento emittenti in corso"_s);

    // The rows of the other languages that are fixed as they stand.
    struct Telling {
        int key;
        const char16_t *en, *fr, *es;
    };
    const Telling telling[] = {
        {1, u"File", u"Fichier", u"Archivo"},
        {2, u"Exit", u"Quitter", u"Salir"},
        {3, u"Language", u"Langue", u"Idioma"},
        {7, u"View", u"Affiche", u"Ver"},
        {9, u"Restore", u"R\u00E9tablir", u"Repristinar"},
        {10, u"Reduce", u"R\u00E9duit \u00E0 icone", u"Reducir a Icono"},
        {11, u"Full Screen", u"Plein Ecran", u"A todo escritorio"},
        {13, u"Support Sintonia", u"Soutien Sintonia", u"Sostener Sintonia"},
        {26, u"Startup \"start on automatic the Sintonia software\"",
         u"Ex\u00E9cution automatique \"d\u00E9marrage automatique du programme Sintonia\"",
         u"Ejecucion Automatica de Sintonia"},
        {29, u"Attive music plug-in for MSN Messenger", u"Activer le plug-in pour la musique de MSN Messenger",
         u"Accionar Plug-in para la musica en MSN Messenger"},
        {32, u"Change", u"Changer", u"Cambiar"},
        {60, u"Loading", u"Chargement en cours", u"Cargando..."},
        {63, u"You are listening", u"Tu \u00E9coutes", u"Estas escuchando"},
        {79, u"Port", u"Porte", u"Puerta  "},
        {81,
         u"Nobody proxy setting! Use the default settings of Internet Explorer? "
         u"Click NO to direct exit without proxy!",
         u"Aucun serveur proxy choisi!\r! Utiliser les crit\u00E8res pr\u00E9d\u00E9finis d'Internet Explorer?\r"
         u"Cliquer NON pour sortir directement sans proxy!",
         u"No has elegido ningun proxy!\rUsar impostaciones predefinidas de Internet explorer?\r"
         u"cliquear NO para salir sin PROXY"},
        {90, u"Register on newsletter", u"Inscrit toi \u00E0 la newsletter",
         u"Registrarse al bolet\u00EDn de noticias"},
        {100, u"Other Radio", u"Autre Radio", u"Otras Radios"},
        {101, u"Personal Radio", u"Radio personnelle", u"Radio Personal"},
        {117, u"New Game", u"Nouveau jeu", u"Nuevo patido"},
        {118, u"Complete for me!!!", u"Compl\u00E8te pour moi!!!", u"Completo para mi!!!"},
        {119, u"Dynamic errors", u"Dynamic erreurs", u"Din\u00E1mica de los errores"},
        {121, u"Beginner", u"\u00C9l\u00E9mentaire", u"Elementary"},
        {122, u"Easy", u"Facile", u"F\u00E1cil"},
        {123, u"Medium", u"Moyenne", u"Medio"},
        {124, u"Difficult", u"Difficile", u"Dif\u00EDcil"},
        {125, u"Expert", u"Expert", u"Expertos"},
        // French and Spanish keep the Italian loading and empty-list labels.
        {126, u"Loading radio", u"Caricamento emittenti in corso", u"Caricamento emittenti in corso"},
        {127, u"No personal radio", u"Nessuna emittente personale impostata",
         u"Nessuna emittente personale impostata"},
        {128, u"Loading radio", u"Caricamento emittenti in corso", u"Caricamento emittenti in corso"},
    };
    for (const Telling &t : telling) {
        add(English, t.key, QString::fromUtf16(t.en));
        add(French, t.key, QString::fromUtf16(t.fr));
        add(Spanish, t.key, QString::fromUtf16(t.es));
    }

    add(English, 8, u"Minimize Up"_s);
    add(Spanish, 8, u"Redimensionar en alto"_s);
}

void TestLanguageTable::fixedTexts()
{
    QFETCH(int, row);
    QFETCH(int, key);
    QFETCH(QString, expected);

    QCOMPARE(m_table.text(row, key), expected);
}

void TestLanguageTable::shownKeysHaveText_data()
{
    QTest::addColumn<int>("row");
    for (int row = 1; row <= LanguageRow::Count; ++row)
        QTest::newRow(languageName(row)) << row;
}

void TestLanguageTable::shownKeysHaveText()
{
    QFETCH(int, row);

    for (int key : kShownKeys) {
        if (m_table.text(row, key).trimmed().isEmpty())
            QFAIL(qPrintable(u"key %1 has no text"_s.arg(key)));
    }
}

void TestLanguageTable::onlyTheEmptyKeysAreEmpty_data()
{
    shownKeysHaveText_data();
}

// A key empty in Italian is empty in every language, and no other key is.
void TestLanguageTable::onlyTheEmptyKeysAreEmpty()
{
    QFETCH(int, row);

    for (int key = 1; key <= TTraduzione::Keys; ++key) {
        const bool empty = m_table.text(row, key).isEmpty();
        if (empty != kEmptyKeys.contains(key))
            QFAIL(qPrintable(u"key %1: empty is %2"_s.arg(key).arg(empty)));
    }
}

void TestLanguageTable::rowFiveIsEmpty()
{
    for (int key = 1; key <= TTraduzione::Keys; ++key)
        QVERIFY2(m_table.text(TTraduzione::Rows, key).isEmpty(), qPrintable(QString::number(key)));
}

void TestLanguageTable::outOfRangeGivesEmptyText_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("key");

    QTest::newRow("row 0") << 0 << 1;
    QTest::newRow("row 6") << 6 << 1;
    QTest::newRow("row -1") << -1 << 1;
    QTest::newRow("row INT_MIN") << INT_MIN << 1;
    QTest::newRow("row INT_MAX") << INT_MAX << 1;
    QTest::newRow("key 0") << 1 << 0;
    QTest::newRow("key 129") << 1 << 129;
    QTest::newRow("key -1") << 2 << -1;
    QTest::newRow("key INT_MIN") << 3 << INT_MIN;
    QTest::newRow("key INT_MAX") << 4 << INT_MAX;
    QTest::newRow("both out") << 0 << 0;
}

void TestLanguageTable::outOfRangeGivesEmptyText()
{
    QFETCH(int, row);
    QFETCH(int, key);

    QVERIFY(m_table.text(row, key).isEmpty());
}

// Every text must survive the trip through the code page of the data files.
void TestLanguageTable::textsFitTheAnsiCodePage()
{
    QStringEncoder encoder("windows-1252");
    QStringDecoder decoder("windows-1252");
    QVERIFY(encoder.isValid() && decoder.isValid());

    for (int row = 1; row <= LanguageRow::Count; ++row) {
        for (int key = 1; key <= TTraduzione::Keys; ++key) {
            const QString text = m_table.text(row, key);
            const QByteArray bytes = encoder.encode(text);
            const QString back = decoder.decode(bytes);
            QVERIFY2(!encoder.hasError() && back == text,
                     qPrintable(u"row %1, key %2: %3"_s.arg(row).arg(key).arg(text)));
        }
    }
}

void TestLanguageTable::normalisedLanguage_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("expected");

    QTest::newRow("Italian") << 1 << 1;
    QTest::newRow("English") << 2 << 2;
    QTest::newRow("French") << 3 << 3;
    QTest::newRow("Spanish") << 4 << 4;
    QTest::newRow("0") << 0 << 1;
    QTest::newRow("5, the empty row") << 5 << 1;
    QTest::newRow("-3") << -3 << 1;
    QTest::newRow("INT_MIN") << INT_MIN << 1;
    QTest::newRow("INT_MAX") << INT_MAX << 1;
}

void TestLanguageTable::normalisedLanguage()
{
    QFETCH(int, row);
    QFETCH(int, expected);

    QCOMPARE(::normalisedLanguage(row), expected);
}

QTEST_APPLESS_MAIN(TestLanguageTable)
#include "test_languagetable.moc"
