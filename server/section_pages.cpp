// The sections of the listening pane (search, all stations, newsletter) and
// the sponsor box of the generic edition.
#include "cp1252.h"
#include "newsletter_gate.h"
#include "pages.h"

#include <algorithm>

namespace station {

namespace {

constexpr int kMaxListed = 500;
constexpr int kMaxSubscribers = 10000;
constexpr std::size_t kMaxAddress = 254;
constexpr std::string_view kPlayerLink = "/Radio/mostraRadio.asp?Id=";

constexpr std::string_view kSectionStyle =
    "body{background:#fff;color:#222;font-family:Tahoma,Verdana,sans-serif;margin:0;"
    "padding:14px;font-size:13px}h1{font-size:18px;margin:0 0 10px;color:#102040}"
    "ul{padding-left:18px}li{margin:3px 0}small{color:#777}.errore{color:#b00020}";

constexpr std::string_view kSponsorStyle =
    "body{background:#102040;color:#fff;font-family:Tahoma,Verdana,sans-serif;margin:0;"
    "padding:6px;font-size:11px;width:133px;height:123px;overflow:hidden}"
    "b{display:block;color:#ffd24a;font-size:13px;margin-bottom:6px}";

std::string newsletter_form(std::string_view address_utf8) {
  return "<form method=\"post\" action=\"/radio/SegnalaIndirizzo.asp\">\r\n"
         "<p>Il tuo indirizzo e-mail:</p>\r\n<input type=\"email\" name=\"email\" maxlength=\"" +
         std::to_string(kMaxAddress) + "\" size=\"40\" value=\"" + html_escape(address_utf8) +
         "\">\r\n<input type=\"submit\" value=\"Iscriviti\">\r\n</form>";
}

// Text from a form, with no control characters left.
std::string printable(std::string text) {
  for (char &c : text)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      c = ' ';
  return text;
}

} // namespace

std::string station_links(const std::vector<Station> &stations, std::string_view link_prefix) {
  if (stations.empty())
    return "<p>Nessuna emittente trovata.</p>";
  std::string markup = "<ul>\r\n";
  for (const auto &s : stations) {
    markup += "<li><a href=\"" + html_escape(link_prefix) + std::to_string(s.id) + "\">" +
              html_escape(s.name) + "</a>";
    if (!s.genre.empty())
      markup += " <small>" + html_escape(s.genre) + "</small>";
    markup += "</li>\r\n";
  }
  return markup + "</ul>";
}

std::string search_form(std::string_view action, std::string_view text_utf8) {
  return "<form method=\"get\" action=\"" + html_escape(action) +
         "\">\r\n<input type=\"text\" name=\"cerca\" maxlength=\"" +
         std::to_string(kMaxSearchText) + "\" value=\"" + html_escape(text_utf8) +
         "\">\r\n<input type=\"submit\" value=\"Cerca\">\r\n</form>";
}

std::optional<std::string> search_text(const PageRequest &request) {
  const auto raw = text_param(request.params, "cerca", kMaxSearchText);
  if (!raw)
    return std::nullopt;
  // The HTTP layer leaves the '+' a browser's form writes for a blank.
  std::string text = *raw;
  std::replace(text.begin(), text.end(), '+', ' ');
  return printable(cp1252_to_utf8(text));
}

Reply search_page(const PageRequest &request, PageContext &context) {
  const auto text = search_text(request);
  if (!text)
    return bad_request_reply("Il testo di ricerca è troppo lungo.");
  std::string body = "<h1>Ricerca radio</h1>\r\n" + search_form(request.path, *text);
  if (!text->empty())
    body += "\r\n<p>Risultati per &laquo;" + html_escape(*text) + "&raquo;:</p>\r\n" +
            station_links(context.directory.search(*text, kMaxListed), kPlayerLink);
  return html_reply(200, "Ricerca radio", body, kSectionStyle);
}

Reply all_stations_page(const PageRequest &, PageContext &context) {
  const auto stations = context.directory.search("", kMaxListed);
  return html_reply(200, "Tutte le emittenti",
                    "<h1>Tutte le emittenti</h1>\r\n<p>" + std::to_string(stations.size()) +
                        " emittenti in elenco.</p>\r\n" + station_links(stations, kPlayerLink),
                    kSectionStyle);
}

Reply newsletter_page(const PageRequest &request, PageContext &context) {
  const std::string heading = "<h1>Iscrizione Newsletter</h1>\r\n";
  if (request.method != "POST")
    return html_reply(200, "Iscrizione Newsletter",
                      heading + "<p>Ricevi ogni settimana le nuove emittenti di Sintonia.</p>\r\n" +
                          newsletter_form(""),
                      kSectionStyle);

  const auto raw = text_param(request.params, "email", kMaxAddress + 1);
  const std::string address = raw ? *raw : std::string();
  const std::string shown = printable(cp1252_to_utf8(address.substr(0, kMaxAddress)));
  if (!valid_email(address))
    return html_reply(400, "Indirizzo non valido",
                      heading + "<p class=\"errore\">L'indirizzo &laquo;" + html_escape(shown) +
                          "&raquo; non è un indirizzo e-mail valido.</p>\r\n" +
                          newsletter_form(shown),
                      kSectionStyle);

  const auto already = html_reply(200, "Iscrizione registrata",
                                  heading + "<p>L'indirizzo " + html_escape(shown) +
                                      " è già iscritto.</p>",
                                  kSectionStyle);
  // An address already there costs nothing; a new one counts against the
  // client's share, so that no client can fill the list.
  if (context.directory.subscribed(address))
    return already;
  if (context.newsletter && !context.newsletter->admit(request.client, request.now)) {
    const auto minutes = (context.newsletter->wait(request.client, request.now) + 59) / 60;
    return html_reply(429, "Troppe iscrizioni",
                      heading + "<p class=\"errore\">Da questo computer sono stati iscritti "
                                "troppi indirizzi in poco tempo. L'indirizzo " +
                          html_escape(shown) + " non è stato iscritto: riprovare tra " +
                          std::to_string(std::max<std::int64_t>(minutes, 1)) + " minuti.</p>",
                      kSectionStyle);
  }
  switch (context.directory.subscribe(address, request.now, kMaxSubscribers)) {
  case Directory::Subscription::ListFull:
    return html_reply(503, "Iscrizioni chiuse",
                      heading + "<p class=\"errore\">La lista della newsletter è al completo: "
                                "l'indirizzo " +
                          html_escape(shown) +
                          " non è stato iscritto. Gli indirizzi già iscritti continuano a "
                          "ricevere la newsletter.</p>",
                      kSectionStyle);
  case Directory::Subscription::AlreadyThere:
    return already;
  case Directory::Subscription::Added:
    break;
  }
  return html_reply(200, "Iscrizione registrata",
                    heading + "<p>Grazie: l'indirizzo " + html_escape(shown) +
                        " riceverà la newsletter di Sintonia.</p>",
                    kSectionStyle);
}

Reply sponsor_page(const PageRequest &, PageContext &) {
  return html_reply(200, "Sponsor",
                    "<b>Spazio sponsor</b>Questo spazio è a disposizione di chi vuole farsi "
                    "conoscere dagli ascoltatori di Sintonia.",
                    kSponsorStyle);
}

} // namespace station
