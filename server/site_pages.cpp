// The pages of the four sites: the product web site and the maker's sites.
#include "pages.h"

#include <array>

namespace station {

namespace {

constexpr std::array<std::string_view, kSiteCount> kTitles = {
    "Sintonia - il sito del programma",
    "Onde Digitali - sito principale",
    "Onde Digitali - secondo sito",
    "Radio in Rete - sito gemello",
};

constexpr std::string_view kSiteStyle =
    "body{font-family:Tahoma,Verdana,sans-serif;margin:24px;color:#222}"
    "h1{font-size:22px}";

constexpr std::string_view kBoxStyle =
    "body{background:#3b5998;color:#fff;font-family:Tahoma,Verdana,sans-serif;margin:0;"
    "padding:6px;font-size:11px;width:133px;height:123px;overflow:hidden}"
    "b{display:block;font-size:13px;margin-bottom:4px}i{display:block;margin-top:6px;color:#dde}";

// Invented messages of the listeners' community.
constexpr std::array<std::string_view, 6> kCommunityNotes = {
    "«Con Sintonia ascolto la radio del mio paese anche dall'estero.» – Marta",
    "«La lista delle più cliccate è il mio telegiornale musicale.» – Paolo",
    "«Registro il concerto della domenica e lo riascolto in treno.» – Giulia",
    "«Trovo sempre una radio nuova tra le ultime arrivate.» – Luca",
    "«Il Sudoku tra una canzone e l'altra!» – Anna",
    "«Ho segnalato la radio della mia città: ora c'è.» – Davide",
};

bool product_site(const PageRequest &request) { return request.endpoint.number == 1; }

} // namespace

std::string_view site_title(int site) {
  return kTitles.at(static_cast<std::size_t>(site - 1));
}

Reply site_home_page(const PageRequest &request, PageContext &) {
  const auto title = site_title(request.endpoint.number);
  return html_reply(200, title,
                    "<h1>" + html_escape(title) +
                        "</h1>\r\n<p>Benvenuti. Le pagine di questo sito sono in "
                        "preparazione.</p>",
                    kSiteStyle);
}

} // namespace station

namespace station {

Reply community_box_page(const PageRequest &request, PageContext &) {
  if (!product_site(request))
    return not_found_reply();
  // A different listener every few seconds.
  const auto note = kCommunityNotes[static_cast<std::size_t>(request.now / 7) %
                                    kCommunityNotes.size()];
  return html_reply(200, "Comunità Sintonia",
                    "<b>La comunità</b>" + html_escape(note) +
                        "<i>Unisciti agli ascoltatori di Sintonia.</i>",
                    kBoxStyle);
}

Reply recorder_install_page(const PageRequest &request, PageContext &) {
  if (!product_site(request))
    return not_found_reply();
  return html_reply(
      200, "Componente di registrazione",
      "<h1>Il componente di registrazione di Sintonia</h1>\r\n"
      "<p>Su Linux il registratore non si scarica: è un modulo che si compila insieme al "
      "programma.</p>\r\n<ol>\r\n"
      "<li>Dalla cartella del progetto eseguire <code>bash scripts/run.sh</code>: compila "
      "Sintonia e il componente.</li>\r\n"
      "<li>Il componente, il modulo <code>sintonia-audioctl</code>, viene installato come file "
      "<code>libsintonia-audioctl.so</code> accanto al programma. Finché manca, la pagina di registrazione mostra il pannello di "
      "installazione.</li>\r\n"
      "<li>Tornare al programma e premere &laquo;Ok&raquo;.</li>\r\n</ol>",
      kSiteStyle);
}

} // namespace station
