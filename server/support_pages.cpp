// The pages on supporting the program: donations (the maker's main site in
// the client) and advertising on the program (the product site).
#include "pages.h"
#include "site_layout.h"

#include <array>
#include <span>

namespace station {

namespace {

struct Line {
  std::string_view name;
  std::string_view text;
};

constexpr std::array<Line, 4> kDonations = {{
    {"5 €", "un caffè per chi aggiorna le liste delle emittenti ogni giorno"},
    {"10 €", "un mese del servizio che controlla che le radio trasmettano"},
    {"25 €", "le nuove emittenti di una regione, provate una per una"},
    {"50 €", "una nuova versione del programma, dalla prova alla pubblicazione"},
}};

constexpr std::array<Line, 4> kFormats = {{
    {"Banner", "468 x 60 pixel in cima alla finestra principale, a rotazione con altri tre"},
    {"Box sponsor", "145 x 135 pixel accanto alle liste delle emittenti, uno al giorno"},
    {"Emittente in evidenza", "la tua radio in cima alle ultime arrivate per una settimana"},
    {"Notizia sponsorizzata", "una riga nelle notizie scorrevoli della categoria scelta"},
}};

std::string line_list(std::span<const Line> lines) {
  std::string markup = "<ul>\r\n";
  for (const auto &line : lines)
    markup +=
        "<li><b>" + html_escape(line.name) + "</b> &ndash; " + html_escape(line.text) + "</li>\r\n";
  return markup + "</ul>\r\n";
}

} // namespace

Reply donation_page(const PageRequest &, PageContext &) {
  const std::string body =
      site_bar() +
      "<h1>Sostieni Sintonia</h1>\r\n<p>Sintonia è gratuito e senza abbonamenti. Le "
      "liste delle emittenti, le notizie e gli aggiornamenti del programma vivono del "
      "lavoro di poche persone e delle donazioni di chi ascolta.</p>\r\n"
      "<h2>Cosa fa la tua donazione</h2>\r\n" +
      line_list(kDonations) +
      "<h2>Come donare</h2>\r\n<p>Scrivi a <b>donazioni@sintonia.example</b>: ti "
      "risponderemo con le coordinate per il bonifico. Ogni importo, anche piccolo, è "
      "benvenuto.</p>\r\n<p>Puoi aiutarci anche parlando di Sintonia nella "
      "<a href=\"/plugin/fb/\">community</a> o facendo "
      "<a href=\"/pubblicitasoftware.asp\">pubblicità sul programma</a>.</p>";
  return light_page(200, "Donazioni - Sintonia", body);
}

Reply advertising_page(const PageRequest &, PageContext &) {
  const std::string body =
      site_bar() +
      "<h1>Pubblicità su Sintonia</h1>\r\n<p>Ogni giorno migliaia di ascoltatori aprono "
      "Sintonia per sentire la radio: uno spazio semplice per farsi conoscere da chi ama la "
      "musica e l'informazione.</p>\r\n<h2>Formati</h2>\r\n" +
      line_list(kFormats) +
      "<h2>Contatti</h2>\r\n<p>Per listino e disponibilità scrivi a "
      "<b>pubblicita@sintonia.example</b>, indicando il formato e il periodo che ti "
      "interessano.</p>\r\n<p>Scopri le <a href=\"/plugin/news/\">novità del programma</a> "
      "o passa a <a href=\"/plugin/fb/\">trovare gli ascoltatori</a>.</p>";
  return light_page(200, "Pubblicità - Sintonia", body);
}

} // namespace station
