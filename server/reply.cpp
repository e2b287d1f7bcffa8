#include "reply.h"

#include "cp1252.h"

namespace station {

std::string html_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
    case '&': out += "&amp;"; break;
    case '<': out += "&lt;"; break;
    case '>': out += "&gt;"; break;
    case '"': out += "&quot;"; break;
    case '\'': out += "&#39;"; break;
    default: out += c;
    }
  }
  return out;
}

std::string html_document(std::string_view title, std::string_view body_markup,
                          std::string_view style) {
  std::string page = "<!DOCTYPE html>\r\n<html lang=\"it\">\r\n<head>\r\n"
                     "<meta charset=\"windows-1252\">\r\n<title>";
  page += html_escape(title);
  page += "</title>\r\n";
  if (!style.empty()) {
    page += "<style>";
    page += style;
    page += "</style>\r\n";
  }
  page += "</head>\r\n<body>\r\n";
  page += body_markup;
  page += "\r\n</body>\r\n</html>\r\n";
  return utf8_to_cp1252(page);
}

Reply html_reply(int status, std::string_view title, std::string_view body_markup,
                 std::string_view style) {
  Reply reply;
  reply.status = status;
  reply.body = html_document(title, body_markup, style);
  return reply;
}

Reply not_found_reply() {
  return html_reply(404, "Pagina non trovata",
                    "<h1>Pagina non trovata</h1>\r\n<p>L'indirizzo richiesto non esiste.</p>");
}

Reply bad_request_reply(std::string_view reason) {
  return html_reply(400, "Richiesta non valida",
                    "<h1>Richiesta non valida</h1>\r\n<p>" + html_escape(reason) + "</p>");
}

Reply server_error_reply() {
  return html_reply(500, "Errore del servizio",
                    "<h1>Errore del servizio</h1>\r\n<p>Riprovare più tardi.</p>");
}

} // namespace station
