#include "app/languagetable.h"

#include <cstddef>
#include <iterator>

namespace {

// One key of the table with its text in each language. The texts are written as
// Unicode but use only characters of Windows-1252, the code page of the data files.
// Invisible characters are spelled out: \u00A0 is a no-break space, \r a carriage
// return. A key whose Italian text is empty is empty in every language.
struct Entry {
    int key;
    const char16_t *it;
    const char16_t *en;
    const char16_t *fr;
    const char16_t *es;
};

// Keys 47, 48 and 95 name the maker's web site; they are shown nowhere.
// Keys 126 to 128 keep the Italian text in French and Spanish.
constexpr Entry kTexts[] = {
    {1, u"File", u"File", u"Fichier", u"Archivo"},
    {2, u"Esci", u"Exit", u"Quitter", u"Salir"},
    {3, u"Lingua", u"Language", u"Langue", u"Idioma"},
    {4, u"Italiano", u"Italian", u"Italien", u"Italiano"},
    {5, u"Francese", u"French", u"Français", u"Francés"},
    {6, u"Inglese", u"English", u"Anglais", u"Inglés"},
    {7, u"Visualizza", u"View", u"Affiche", u"Ver"},
    {8, u"Rimpicciolisci in alto", u"Minimize Up", u"Réduire en haut", u"Redimensionar en alto"},
    {9, u"Ripristina", u"Restore", u"Rétablir", u"Repristinar"},
    {10, u"Riduci a icona", u"Reduce", u"Réduit à icone", u"Reducir a Icono"},
    {11, u"A tutto schermo", u"Full Screen", u"Plein Ecran", u"A todo escritorio"},
    {12, u"Link utili", u"Useful Links", u"Liens utiles", u"Enlaces útiles"},
    {13, u"Sostieni Sintonia", u"Support Sintonia", u"Soutien Sintonia", u"Sostener Sintonia"},
    {14, u"Opzioni", u"Options", u"Options", u"Opciones"},
    {15, u"Gestione Opzioni", u"Options Management", u"Gestion des options", u"Gestión de opciones"},
    {16, u"Gestione proxy", u"Proxy Settings", u"Gestion du proxy", u"Gestión del proxy"},
    {17, u"News e Meteo", u"News and Weather", u"Actualités et météo", u"Noticias y tiempo"},
    {18, u"Radio", u"Radio", u"Radio", u"Radio"},
    {19, u"Visualizza tutte le emittenti", u"Show All Stations", u"Afficher toutes les stations",
     u"Ver todas las emisoras"},
    {20, u"Ricerca Radio", u"Search Radio", u"Recherche radio", u"Buscar radio"},
    {21, u"Radio o sito Web Personale", u"Personal Radio or Web Site", u"Radio ou site web personnel",
     u"Radio o sitio web personal"},
    {22, u"Inserire l'indirizzo del sito web da visualizzare",
     u"Enter the address of the web site to show",
     u"Saisir l'adresse du site web à afficher",
     u"Introducir la dirección del sitio web que se quiere ver"},
    {23, u"Sito Web", u"Web Site", u"Site web", u"Sitio web"},
    {24, u"Opzioni", u"Options", u"Options", u"Opciones"},
    {25, u"Opzioni di avvio", u"Startup Options", u"Options de démarrage", u"Opciones de inicio"},
    {26, u"Esecuzione automatica \"avvia in automatico il software Sintonia\"",
     u"Startup \"start on automatic the Sintonia software\"",
     u"Exécution automatique \"démarrage automatique du programme Sintonia\"",
     u"Ejecucion Automatica de Sintonia"},
    {27, u"Esegui la mia radio preferita in automatico",
     u"Play my favourite radio automatically",
     u"Lancer automatiquement ma radio préférée",
     u"Reproducir automáticamente mi radio favorita"},
    {28, u"Visualizza Googlesearch all'avvio", u"Show Googlesearch at startup",
     u"Afficher Googlesearch au démarrage", u"Mostrar Googlesearch al iniciar"},
    {29, u"Attiva plug-in per la musica di MSN Messenger",
     u"Attive music plug-in for MSN Messenger",
     u"Activer le plug-in pour la musique de MSN Messenger",
     u"Accionar Plug-in para la musica en MSN Messenger"},
    {30, u"Radio Personali", u"Personal Radios", u"Radios personnelles", u"Radios personales"},
    {31, u"Cancella", u"Delete", u"Supprimer", u"Borrar"},
    {32, u"Cambia", u"Change", u"Changer", u"Cambiar"},
    {33, u"Radio in Playlist", u"Radio Playlist", u"Radios en playlist",
     u"Radios en lista de reproducción"},
    {34, u"Attiva timer", u"Enable timer", u"Activer le minuteur", u"Activar temporizador"},
    {35, u"Ora", u"Time", u"Heure", u"Hora"},
    {36, u"Emittente", u"Station", u"Station", u"Emisora"},
    {37, u"Cancella emittente", u"Delete station", u"Supprimer la station", u"Borrar emisora"},
    {38, u"Aggiungi emittente", u"Add station", u"Ajouter une station", u"Añadir emisora"},
    {39, u"Esci senza salvare", u"Exit without saving", u"Quitter sans enregistrer", u"Salir sin guardar"},
    {40, u"Salva ed esci", u"Save and exit", u"Enregistrer et quitter", u"Guardar y salir"},
    {41, u"", u"", u"", u""},
    {42, u"Ricerca Radio", u"Search Radio", u"Recherche radio", u"Buscar radio"},
    {43, u"Visualizza tutte", u"Show All", u"Tout afficher", u"Ver todas"},
    {44, u"Spagnolo", u"Spanish", u"Espagnol", u"Español"},
    {45, u"Torna alla pagina precedente", u"Back to the previous page", u"Revenir à la page précédente",
     u"Volver a la página anterior"},
    {46, u"Vai alla pagina successiva", u"Go to the next page", u"Aller à la page suivante",
     u"Ir a la página siguiente"},
    {47, u"Visualizza il sito www.ventaglio.com", u"Show the site www.ventaglio.com",
     u"Afficher le site www.ventaglio.com", u"Ver el sitio www.ventaglio.com"},
    {48, u"Vai al sito www.ventaglio.com", u"Go to the site www.ventaglio.com",
     u"Aller au site www.ventaglio.com", u"Ir al sitio www.ventaglio.com"},
    // Followed by a blank and a station name.
    {49, u"Clicca per ascoltare", u"Click to listen to", u"Clique pour écouter", u"Haz clic para escuchar"},
    {50, u"", u"", u"", u""},
    {51, u"Le radio più cliccate", u"Most Clicked Radios", u"Les radios les plus cliquées",
     u"Las radios con más clics"},
    {52, u"Le 10 radio più cliccate della settimana", u"The 10 most clicked radios of the week",
     u"Les 10 radios les plus cliquées de la semaine", u"Las 10 radios con más clics de la semana"},
    {53, u"Le radio preferite", u"Favourite Radios", u"Les radios préférées", u"Las radios favoritas"},
    {54, u"Le radio personalizzate dell'utente", u"The user's personal radios",
     u"Les radios personnalisées de l'utilisateur", u"Las radios personalizadas del usuario"},
    {55, u"", u"", u"", u""},
    {56, u"Visualizza l'elenco completo delle radio e delle tv disponibili",
     u"Show the full list of available radio and TV stations",
     u"Afficher la liste complète des radios et des télés disponibles",
     u"Ver la lista completa de las radios y televisiones disponibles"},
    {57, u"Ricerca radio/tv", u"Search radio/TV", u"Recherche radio/télé", u"Buscar radio/TV"},
    {58, u"", u"", u"", u""},
    {59, u"Clicca per accedere alla sezione:", u"Click to open the section:",
     u"Clique pour accéder à la section:", u"Haz clic para acceder a la sección:"},
    {60, u"Caricamento in corso", u"Loading", u"Chargement en cours", u"Cargando..."},
    {61, u"Altre Radio", u"Other Radio", u"Autre Radio", u"Otras Radios"},
    {62, u"Radio personale", u"Personal Radio", u"Radio personnelle", u"Radio Personal"},
    {63, u"Stai ascoltando", u"You are listening", u"Tu écoutes", u"Estas escuchando"},
    {64, u"Clicca per ascoltare", u"Click to listen to", u"Clique pour écouter", u"Haz clic para escuchar"},
    // Followed by ": " and a station name.
    {65, u"Clicca per accedere", u"Click to open", u"Clique pour accéder", u"Haz clic para acceder"},
    {66, u"Clicca per accedere alla sezione", u"Click to open the section",
     u"Clique pour accéder à la section", u"Haz clic para acceder a la sección"},
    {67, u"Caricamento in corso", u"Loading", u"Chargement en cours", u"Cargando..."},
    {68, u"", u"", u"", u""},
    {69, u"Indirizzo Ip server Proxy già\u00A0 presente.Si desidera annullare il precedente inserimento?",
     u"A proxy server IP address is already set. Do you want to clear the previous entry?",
     u"Une adresse IP de serveur proxy est déjà présente. Veux-tu effacer la saisie précédente?",
     u"Ya hay una dirección IP de servidor proxy. ¿Quieres borrar la entrada anterior?"},
    {70, u"Conferma", u"Confirm", u"Confirmation", u"Confirmación"},
    {71, u"", u"", u"", u""},
    {72, u"Inserire l'indirizzo del server proxy", u"Enter the proxy server address",
     u"Saisir l'adresse du serveur proxy", u"Introducir la dirección del servidor proxy"},
    {73, u"Indirizzo", u"Address", u"Adresse", u"Dirección"},
    {74, u"", u"", u"", u""},
    {75, u"Porta server Proxy già\u00A0 presente.Si desidera annullare il precedente inserimento?",
     u"A proxy server port is already set. Do you want to clear the previous entry?",
     u"Un port de serveur proxy est déjà présent. Veux-tu effacer la saisie précédente?",
     u"Ya hay un puerto de servidor proxy. ¿Quieres borrar la entrada anterior?"},
    {76, u"Conferma", u"Confirm", u"Confirmation", u"Confirmación"},
    {77, u"", u"", u"", u""},
    {78, u"Inserire la porta del server proxy", u"Enter the proxy server port",
     u"Saisir le port du serveur proxy", u"Introducir el puerto del servidor proxy"},
    {79, u"Porta", u"Port", u"Porte", u"Puerta  "},
    {80, u"", u"", u"", u""},
    {81,
     u"Nessun proxy settato!\rUsare le impostazioni predefinite di Internet Explorer?\r"
     u"Cliccare NO per uscire direttamente senza proxy!",
     u"Nobody proxy setting! Use the default settings of Internet Explorer? "
     u"Click NO to direct exit without proxy!",
     u"Aucun serveur proxy choisi!\r! Utiliser les critères prédéfinis d'Internet Explorer?\r"
     u"Cliquer NON pour sortir directement sans proxy!",
     u"No has elegido ningun proxy!\rUsar impostaciones predefinidas de Internet explorer?\r"
     u"cliquear NO para salir sin PROXY"},
    {82, u"Conferma", u"Confirm", u"Confirmation", u"Confirmación"},
    {83, u"", u"", u"", u""},
    {84, u"Sicuri di voler chiudere l'applicativo?", u"Are you sure you want to close the program?",
     u"Es-tu sûr de vouloir fermer le programme?", u"¿Seguro que quieres cerrar el programa?"},
    {85, u"", u"", u"", u""},
    {86, u"Riduci a icona il programma", u"Minimize the program to an icon",
     u"Réduire le programme en icône", u"Minimizar el programa a un icono"},
    {87, u"Ricerca Radio/Tv", u"Search Radio/TV", u"Recherche radio/télé", u"Buscar radio/TV"},
    {88, u"Visualizza l'elenco completo delle radio e tv disponibili",
     u"Show the full list of available radio and TV stations",
     u"Afficher la liste complète des radios et télés disponibles",
     u"Ver la lista completa de radios y televisiones disponibles"},
    {89, u"Gestione server proxy", u"Proxy Server Settings", u"Gestion du serveur proxy",
     u"Gestión del servidor proxy"},
    {90, u"Iscriviti alla newsletter", u"Register on newsletter", u"Inscrit toi à la newsletter",
     u"Registrarse al boletín de noticias"},
    {91, u"Mostra le news fornite dalla società\u00A0 ANSA e il meteo di 3B meteo",
     u"Shows the news supplied by ANSA and the weather forecast by 3B meteo",
     u"Affiche les actualités fournies par l'agence ANSA et la météo de 3B meteo",
     u"Muestra las noticias de la agencia ANSA y el tiempo de 3B meteo"},
    {92, u"Gestione delle opzioni", u"Options management", u"Gestion des options",
     u"Gestión de las opciones"},
    {93, u"Torna alla pagina precedente", u"Back to the previous page", u"Revenir à la page précédente",
     u"Volver a la página anterior"},
    {94, u"Vai alla pagina successiva", u"Go to the next page", u"Aller à la page suivante",
     u"Ir a la página siguiente"},
    {95, u"Visualizza il sito www.ventaglio.com", u"Show the site www.ventaglio.com",
     u"Afficher le site www.ventaglio.com", u"Ver el sitio www.ventaglio.com"},
    {96, u"About e info sul programma", u"About and program information",
     u"À propos et informations sur le programme", u"Acerca de e información sobre el programa"},
    {97, u"", u"", u"", u""},
    {98, u"Ricerca struttura alberghiera", u"Search for accommodation", u"Rechercher un hébergement",
     u"Buscar alojamiento"},
    {99, u"", u"", u"", u""},
    {100, u"Altre Radio", u"Other Radio", u"Autre Radio", u"Otras Radios"},
    {101, u"Radio personale", u"Personal Radio", u"Radio personnelle", u"Radio Personal"},
    {102, u"Inserire l'indirizzo del sito web da visitare", u"Enter the address of the web site to visit",
     u"Saisir l'adresse du site web à visiter",
     u"Introducir la dirección del sitio web que se quiere visitar"},
    {103, u"Sito Web", u"Web Site", u"Site web", u"Sitio web"},
    {104, u"", u"", u"", u""},
    {105, u"Nessuna radio selezionata", u"No radio selected", u"Aucune radio sélectionnée",
     u"Ninguna radio seleccionada"},
    {106, u"Errore nella selezione", u"Selection error", u"Erreur de sélection", u"Error en la selección"},
    {107, u"Ora", u"Time", u"Heure", u"Hora"},
    {108, u"Emittente", u"Station", u"Station", u"Emisora"},
    {109, u"", u"", u"", u""},
    {110, u"Orario di attivazione", u"Start time", u"Heure d'activation", u"Hora de activación"},
    {111, u"Inserire l'orario in cui attivare l'emittente",
     u"Enter the time at which the station should start",
     u"Saisir l'heure à laquelle la station doit démarrer",
     u"Introducir la hora en que debe empezar la emisora"},
    {112, u"Operazione annullata", u"Operation cancelled", u"Opération annulée", u"Operación cancelada"},
    {113, u"Errore nel formato dell'ora inserito", u"The time entered is in a wrong format",
     u"Erreur dans le format de l'heure saisie", u"Error en el formato de la hora introducida"},
    {114, u"", u"", u"", u""},
    {115, u"Si è deciso di modificare il tempo di visualizzazione delle news. Confermare?",
     u"You have chosen to change how long the news is shown. Confirm?",
     u"Tu as choisi de modifier la durée d'affichage des actualités. Confirmer?",
     u"Has decidido cambiar el tiempo de visualización de las noticias. ¿Confirmar?"},
    {116, u"Conferma", u"Confirm", u"Confirmation", u"Confirmación"},
    {117, u"Nuova partita", u"New Game", u"Nouveau jeu", u"Nuevo patido"},
    {118, u"Completa per me!!!", u"Complete for me!!!", u"Complète pour moi!!!", u"Completo para mi!!!"},
    {119, u"Controllo dinamico errori", u"Dynamic errors", u"Dynamic erreurs", u"Dinámica de los errores"},
    {120, u"Livello", u"Level", u"Niveau", u"Nivel"},
    {121, u"Elementare", u"Beginner", u"Élémentaire", u"Elementary"},
    {122, u"Facile", u"Easy", u"Facile", u"Fácil"},
    {123, u"Medio", u"Medium", u"Moyenne", u"Medio"},
    {124, u"Difficile", u"Difficult", u"Difficile", u"Difícil"},
    {125, u"Esperto", u"Expert", u"Expert", u"Expertos"},
    {126, u"Caricamento emittenti in corso", u"Loading radio", u"Caricamento emittenti in corso",
     u"Caricamento emittenti in corso"},
    {127, u"Nessuna emittente personale impostata", u"No personal radio",
     u"Nessuna emittente personale impostata", u"Nessuna emittente personale impostata"},
    {128, u"Caricamento emittenti in corso", u"Loading radio", u"Caricamento emittenti in corso",
     u"Caricamento emittenti in corso"},
};

constexpr bool keysInOrder()
{
    for (std::size_t i = 0; i < std::size(kTexts); ++i) {
        if (kTexts[i].key != static_cast<int>(i) + 1)
            return false;
    }
    return true;
}

static_assert(std::size(kTexts) == TTraduzione::Keys, "one entry per key");
static_assert(keysInOrder(), "entries are listed by key, 1 to 128, without gaps");

} // namespace

void TTraduzione::fill()
{
    for (const Entry &e : kTexts) {
        const auto k = static_cast<std::size_t>(e.key - 1);
        m_texts[LanguageRow::Italian - 1][k] = QString::fromUtf16(e.it);
        m_texts[LanguageRow::English - 1][k] = QString::fromUtf16(e.en);
        m_texts[LanguageRow::French - 1][k] = QString::fromUtf16(e.fr);
        m_texts[LanguageRow::Spanish - 1][k] = QString::fromUtf16(e.es);
    }
}

QString TTraduzione::text(int row, int key) const
{
    if (row < 1 || row > Rows || key < 1 || key > Keys)
        return {};
    return m_texts[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(key - 1)];
}
