// The product site's panes of the client: the community board, the news of
// the program and the holiday offers ("Hotel").
#include "pages.h"
#include "site_layout.h"

#include <array>

namespace station {

namespace {

struct Post {
  std::string_view author;
  std::string_view when;
  std::string_view text;
};

// Invented messages of listeners.
constexpr std::array<Post, 6> kBoard = {{
    {"Marta, Lisbona", "oggi",
     "Ogni mattina Radio Città mi porta a casa anche da qui. Il giornale radio delle otto è "
     "il mio caffè."},
    {"Giorgio, Torino", "oggi",
     "Per chi guida consiglio Dolomiti Stereo: tanto rock e poche chiacchiere."},
    {"Elena, Bari", "ieri",
     "La domenica registro l'opera su Lirica Sempre e la riascolto in settimana sul treno."},
    {"Franco, Verona", "ieri",
     "Qualcuno sa a che ora va in onda la rassegna stampa di Radio Libertà? Ho aperto una "
     "discussione nel forum."},
    {"Sara, Cagliari", "2 giorni fa",
     "Tra le ultime arrivate ho scoperto Radio Scirocco: musica da tutto il Mediterraneo."},
    {"Tommaso, Bologna", "3 giorni fa",
     "Con la nuova versione la lista delle più cliccate si aggiorna da sola. Comodissimo!"},
}};

struct Release {
  std::string_view version;
  std::string_view note;
};

// Invented history of the program, newest first.
constexpr std::array<Release, 6> kReleases = {{
    {"4.5", "Notizie scorrevoli per categoria accanto alle liste delle emittenti."},
    {"4.4", "Radio personale: scegli la tua emittente da un elenco con ricerca."},
    {"4.3", "Registrazione a orario e cartella dei file scelta dall'utente."},
    {"4.2", "Ricerca delle emittenti per nome, città o genere."},
    {"4.1", "Finestra di ricerca sul web sempre a portata di mano."},
    {"4.0", "Nuova finestra a schede: Ascolta, Registra, Community e Video."},
}};

struct Offer {
  std::string_view place;
  std::string_view hotel;
  std::string_view deal;
};

struct HolidayPage {
  std::string_view path;
  std::string_view title;
  std::string_view heading;
  std::string_view intro;
  std::array<Offer, 4> offers;
};

constexpr std::string_view kHolidayHome = "/plugin/vacanze/";

// Invented offers; every price is per person.
constexpr std::array<HolidayPage, 3> kHolidays = {{
    {kHolidayHome, "Vacanze - Sintonia", "Hotel e vacanze",
     "Le offerte della settimana scelte per chi ascolta Sintonia.",
     {{{"Lago di Garda", "Hotel Riva Azzurra ***", "3 notti con colazione da 189 €"},
       {"Firenze", "Albergo del Giglio ***", "weekend d'arte con ingresso ai musei da 145 €"},
       {"Matera", "Sassi Dimora ****", "2 notti in camera nella roccia da 160 €"},
       {"Merano", "Terme Villa Flora ****", "4 notti con percorso benessere da 320 €"}}}},
    {"/plugin/vacanze/mare.htm", "Vacanze al mare - Sintonia", "Vacanze al mare",
     "Spiagge e alberghi sul mare, da giugno a settembre.",
     {{{"Riviera Romagnola", "Hotel Conchiglia ***", "7 notti in mezza pensione da 420 €"},
       {"Costiera Amalfitana", "Albergo Belvedere ****", "5 notti con colazione da 540 €"},
       {"Salento", "Masseria degli Ulivi ***", "7 notti con ombrellone incluso da 480 €"},
       {"Sardegna, Golfo di Orosei", "Hotel Cala Serena ****",
        "7 notti in pensione completa da 690 €"}}}},
    {"/plugin/vacanze/montagna.htm", "Vacanze in montagna - Sintonia", "Vacanze in montagna",
     "Neve d'inverno, sentieri d'estate.",
     {{{"Val di Fassa", "Hotel Stella Alpina ***", "7 notti con skipass da 610 €"},
       {"Valle d'Aosta, Cogne", "Chalet del Parco ***", "4 notti in mezza pensione da 290 €"},
       {"Altopiano della Sila", "Rifugio dei Pini **", "weekend con escursione guidata da 120 €"},
       {"Cortina d'Ampezzo", "Albergo Tofane ****", "3 notti con colazione da 390 €"}}}},
}};

std::string link(std::string_view href, std::string_view text) {
  return "<a href=\"" + std::string(href) + "\">" + html_escape(text) + "</a>";
}

} // namespace

Reply community_page(const PageRequest &, PageContext &) {
  std::string body = site_bar() +
                     "<h1>La community di Sintonia</h1>\r\n<p>Gli ascoltatori si consigliano "
                     "le emittenti e si scambiano orari e programmi.</p>\r\n";
  for (const auto &post : kBoard)
    body += "<div class=\"post\"><b>" + html_escape(post.author) + "</b> <small>" +
            html_escape(post.when) + "</small><br>" + html_escape(post.text) + "</div>\r\n";
  body += "<p><b>Unisciti a noi:</b> racconta la tua radio preferita nel " +
          link("/forum", "forum") + " e leggi le " + link("/plugin/news/", "novità del programma") +
          ".</p>";
  return light_page(200, "Community - Sintonia", body);
}

Reply new_software_page(const PageRequest &, PageContext &) {
  std::string body = site_bar() +
                     "<h1>Nuovo software</h1>\r\n<p>Le ultime versioni di Sintonia, la più "
                     "recente in alto.</p>\r\n<ul>\r\n";
  for (const auto &release : kReleases)
    body += "<li><b>Sintonia " + html_escape(release.version) + "</b> &ndash; " +
            html_escape(release.note) + "</li>\r\n";
  body += "</ul>\r\n<p>Commenta le novità nella " + link("/plugin/fb/", "community") +
          ". Vuoi farti conoscere dagli ascoltatori? Leggi come fare " +
          link("/pubblicitasoftware.asp", "pubblicità su Sintonia") + ".</p>";
  return light_page(200, "Nuovo software - Sintonia", body);
}

Reply holiday_page(const PageRequest &request, PageContext &) {
  for (const auto &page : kHolidays) {
    if (page.path != request.path)
      continue;
    std::string body = site_bar() + "<h1>" + html_escape(page.heading) + "</h1>\r\n<p>" +
                       html_escape(page.intro) + "</p>\r\n<ul>\r\n";
    for (const auto &offer : page.offers)
      body += "<li><b>" + html_escape(offer.place) + "</b> &ndash; " + html_escape(offer.hotel) +
              "<br><small>" + html_escape(offer.deal) + "</small></li>\r\n";
    body += "</ul>\r\n<p>";
    for (const auto &other : kHolidays)
      if (other.path != page.path)
        body += link(other.path, other.heading) + " &middot; ";
    body += "<small>Prezzi indicativi, da confermare con l'albergo.</small></p>";
    return light_page(200, page.title, body);
  }
  return not_found_reply();
}

} // namespace station
