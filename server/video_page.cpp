// The video section: channels of video on the web, each with the stations of
// its kind from the directory, so that every link leads to a player page.
#include "pages.h"
#include "site_layout.h"

#include <array>

namespace station {

namespace {

constexpr int kStationsPerChannel = 3;
constexpr std::string_view kPlayerLink = "/Radio/mostraRadio.asp?Id=";

struct Channel {
  std::string_view name;
  std::string_view text;
  std::string_view kind; // searched in the directory (name, caption or genre)
};

// Invented channels.
constexpr std::array<Channel, 7> kChannels = {{
    {"Sintonia TV Musica", "Videoclip italiani e internazionali a tutte le ore.", "Hit"},
    {"Jazz Club Video", "Concerti dal vivo dai club di Roma e Milano.", "Jazz"},
    {"Telegiornale Web", "Il notiziario in video, aggiornato ogni ora.", "Notizie"},
    {"Stadio in Diretta", "Interviste e commenti del dopopartita.", "Sport"},
    {"Cinema Italiano", "Trailer delle prime e colonne sonore dei film.", "Colonne sonore"},
    {"Opera in Scena", "Le prime della stagione lirica, in differita.", "Opera"},
    {"Dance Video Italia", "Le serate dei club, dalla console alla pista.", "Dance"},
}};

std::string channel_markup(const Channel &channel, Directory &directory) {
  std::string markup = "<div class=\"post\"><b>" + html_escape(channel.name) + "</b><br>" +
                       html_escape(channel.text);
  const auto stations = directory.search(std::string(channel.kind), kStationsPerChannel);
  if (!stations.empty()) {
    markup += "<br><small>In radio:</small> ";
    bool first = true;
    for (const auto &station : stations) {
      markup += (first ? "" : ", ") + std::string("<a href=\"") + std::string(kPlayerLink) +
                std::to_string(station.id) + "\">" + html_escape(station.name) + "</a>";
      first = false;
    }
  }
  return markup + "</div>\r\n";
}

} // namespace

Reply video_page(const PageRequest &, PageContext &context) {
  std::string body = "<h1>Sintonia Video</h1>\r\n<p>Canali video dal web e, accanto a "
                     "ciascuno, le radio dello stesso genere da ascoltare subito.</p>\r\n";
  for (const auto &channel : kChannels)
    body += channel_markup(channel, context.directory);
  body += "<p><a href=\"/Radio/elencoAltre.asp\">Tutte le emittenti</a></p>";
  return light_page(200, "Video - Sintonia", body);
}

} // namespace station
