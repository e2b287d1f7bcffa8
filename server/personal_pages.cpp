// The personal-station picker: a search over the directory whose results
// lead to the confirmation page the client reads by line numbers.
#include "catalogue.h"
#include "cp1252.h"
#include "pages.h"

namespace station {

namespace {

constexpr std::int64_t kMaxId = 999999999;
constexpr int kMaxListed = 500;
// Both pages are saved by the client from its cache.
constexpr std::string_view kCacheable = "private, max-age=60";

constexpr std::string_view kPickerStyle =
    "body{background:#fff;color:#222;font-family:Tahoma,Verdana,sans-serif;margin:0;"
    "padding:12px;font-size:13px}h1{font-size:17px;margin:0 0 8px;color:#102040}"
    "ul{padding-left:18px}li{margin:3px 0}small{color:#777}"
    ".scelta{font-size:15px;font-weight:bold;margin:10px 0}";

Reply cacheable(Reply reply) {
  reply.cache_control = kCacheable;
  return reply;
}

} // namespace

Reply personal_picker_page(const PageRequest &request, PageContext &context) {
  const auto text = search_text(request);
  if (!text)
    return bad_request_reply("Il testo di ricerca è troppo lungo.");
  const std::string body =
      "<h1>Scegli la tua radio personale</h1>\r\n<p>Cerca un'emittente e fai clic sul suo "
      "nome, poi premi &laquo;Salva ed esci&raquo;.</p>\r\n" +
      search_form(request.path, *text) + "\r\n" +
      station_links(context.directory.search(*text, kMaxListed),
                    "/Radio/confermaRadioPersonale.asp?Id=");
  return cacheable(html_reply(200, "Selezione radio personale", body, kPickerStyle));
}

std::string personal_confirmation_document(const Station &station) {
  std::vector<std::string> lines = {
      "<!DOCTYPE html>",
      "<html lang=\"it\">",
      "<head>",
      "<meta charset=\"windows-1252\">",
      "<title>" + html_escape(kConfirmationTitle) + "</title>",
      "<style>" + std::string(kPickerStyle) + "</style>",
      "</head>",
      "<body>",
      "<h1>Radio personale</h1>",
      "<p>Hai scelto questa emittente; premi &laquo;Salva ed esci&raquo; per tenerla.</p>",
  };
  // The chosen station on its fixed lines, taken whole by the client: the
  // fields carry no markup and no line break.
  lines.resize(kConfirmationIdLine - 2);
  lines.push_back("<div class=\"scelta\">");
  lines.push_back(std::to_string(station.id));
  lines.push_back("<br>");
  lines.push_back(clean_field(station.name));
  lines.push_back("<br>");
  lines.push_back(clean_field(station.caption));
  lines.push_back("</div>");
  lines.push_back("<p><a href=\"/Radio/radioPersonale.asp\">Scegli un'altra emittente</a></p>");
  lines.push_back("</body>");
  lines.push_back("</html>");

  std::string page;
  for (const auto &line : lines)
    page += line + "\r\n";
  return utf8_to_cp1252(page);
}

Reply personal_confirmation_page(const PageRequest &request, PageContext &context) {
  const auto id = int_param(request.params, "Id", 1, kMaxId);
  const auto station = id ? context.directory.station(*id) : std::nullopt;
  if (!station)
    return html_reply(404, "Emittente non trovata",
                      "<h1>Emittente non trovata</h1>\r\n<p><a href=\"/Radio/radioPersonale.asp\">"
                      "Torna alla scelta</a></p>",
                      kPickerStyle);
  Reply reply;
  reply.body = personal_confirmation_document(*station);
  return cacheable(std::move(reply));
}

} // namespace station
