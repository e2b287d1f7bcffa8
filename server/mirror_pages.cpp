// The pages of the six mirrors: access handshake, catalogue and banner.
#include "catalogue_cache.h"
#include "pages.h"

namespace station {

namespace {

constexpr std::int64_t kMaxCode = 999999999;

// The same black as the client's window, so that the access page sits in the
// home pane without a frame.
constexpr std::string_view kDarkStyle =
    "body{background:#000;color:#fff;font-family:Tahoma,Verdana,sans-serif;margin:0;"
    "padding:12px}h1{font-size:18px;margin:0 0 8px}p{font-size:12px;margin:4px 0}"
    "small{color:#999}";

constexpr std::string_view kBannerStyle =
    "body{background:#102040;color:#fff;font-family:Tahoma,Verdana,sans-serif;margin:0;"
    "padding:4px 8px;font-size:12px;white-space:nowrap;overflow:hidden}b{color:#ffd24a}";

} // namespace

Reply access_page(const PageRequest &request, PageContext &) {
  const auto version = version_param(request.params, "versione", 16);
  const auto edition = int_param(request.params, "Personalizzazione", 0, kMaxCode);
  const auto radio = int_param(request.params, "Radio", 0, kMaxCode);
  if (!version || !edition || !radio)
    return bad_request_reply("Parametri di accesso mancanti o non validi.");

  if (request.fault.mode == FaultMode::Title) {
    Reply reply = html_reply(200, "Servizio non disponibile",
                             "<h1>Servizio non disponibile</h1>\r\n"
                             "<p>Il server è momentaneamente fuori servizio.</p>",
                             kDarkStyle);
    reply.note = "title";
    return reply;
  }
  const std::string body =
      "<h1>Benvenuto in Sintonia " + html_escape(*version) +
      "</h1>\r\n<p>Scegli una radio dalle liste a destra: le più cliccate della settimana "
      "e le ultime arrivate.</p>\r\n<p><small>Servizio " +
      html_escape(endpoint_name(request.endpoint)) + " &middot; edizione " +
      std::to_string(*edition) + "</small></p>";
  return html_reply(200, "accessoOK", body, kDarkStyle);
}

Reply catalogue_page(const PageRequest &request, PageContext &context) {
  const auto edition = int_param(request.params, "id", 0, kMaxCode);
  const auto radio = int_param(request.params, "idRadio", 0, kMaxCode);
  if (!edition || !radio)
    return bad_request_reply("Parametri del catalogo mancanti o non validi.");

  const bool garbled = request.fault.mode == FaultMode::Garble;
  Reply reply;
  if (context.catalogue) {
    const auto kept = context.catalogue->body(context.directory, static_cast<int>(*edition),
                                              request.now, request.host, context.sites);
    if (garbled)
      reply.body = "<BR>" + *kept;
    else
      reply.shared_body = kept;
  } else {
    const auto input = load_catalogue(context.directory, static_cast<int>(*edition),
                                      request.now, request.host, context.sites);
    reply.body = catalogue_body(catalogue_lines(input), garbled);
  }
  // The client saves the page from its cache: it must be cacheable.
  reply.cache_control = "private, max-age=60";
  if (garbled)
    reply.note = "garble";
  return reply;
}

Reply banner_page(const PageRequest &request, PageContext &) {
  const auto edition = int_param(request.params, "dettaglio", 0, kMaxCode);
  const auto radio = int_param(request.params, "Radio", 0, kMaxCode);
  if (!edition || !radio)
    return bad_request_reply("Parametri del banner mancanti o non validi.");
  return html_reply(200, "sponsor",
                    "<b>Sintonia</b> &middot; la radio italiana su internet &middot; "
                    "ascolta, registra, scopri nuove emittenti",
                    kBannerStyle);
}

} // namespace station
