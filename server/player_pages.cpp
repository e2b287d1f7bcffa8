// The player page of a station and the tone it plays.
#include "audio_stream.h"
#include "click_gate.h"
#include "numbers.h"
#include "pages.h"
#include "stream_player_page.h"

#include <memory>

namespace station {

namespace {

constexpr std::int64_t kMaxId = 999999999;

constexpr std::string_view kPlayerStyle =
    "body{background:#000;color:#fff;font-family:Tahoma,Verdana,sans-serif;margin:0;"
    "padding:16px}h1{font-size:20px;margin:0 0 6px}p{font-size:12px;margin:4px 0}"
    "small{color:#999}audio{margin-top:12px;width:320px}";

std::string stream_path(std::int64_t id) { return "/stream/" + std::to_string(id) + ".wav"; }

Reply station_not_found() {
  return html_reply(404, "Emittente non trovata",
                    "<h1>Emittente non trovata</h1>\r\n<p>Questa emittente non esiste o non "
                    "trasmette più.</p>",
                    kPlayerStyle);
}

Reply player_reply(std::string_view title, std::string_view heading, std::string_view line,
                   std::int64_t id) {
  const std::string body =
      "<h1>" + html_escape(heading) + "</h1>\r\n<p>" + html_escape(line) +
      "</p>\r\n<audio autoplay controls src=\"" + stream_path(id) +
      "\"></audio>\r\n<p><small>Tono di " + std::to_string(tone_frequency(id)) +
      " Hz</small></p>";
  Reply reply = html_reply(200, title, body, kPlayerStyle);
  reply.cache_control = "no-store";
  return reply;
}

// Stays on its loading title and never plays: the client reloads such a page.
Reply loading_page() {
  Reply reply = html_reply(200, "caricamento", "<p>Caricamento in corso&hellip;</p>", kPlayerStyle);
  reply.cache_control = "no-store";
  return reply;
}

} // namespace

Reply player_page(const PageRequest &request, PageContext &context) {
  const auto id = int_param(request.params, "Id", 1, kMaxId);
  if (!id)
    return station_not_found();
  if (*id == kLoadingPageId)
    return loading_page();
  if (*id == kAnnouncingPageId)
    return player_reply("RADIO:-" + std::string(kAnnouncedName), kAnnouncedName,
                        "Una pagina che annuncia il proprio nome", *id);

  const auto station = context.directory.station(*id);
  if (!station)
    return station_not_found();
  if (request.method == "GET" && !request.from_elsewhere &&
      (!context.clicks || context.clicks->admit(request.client, *id, request.now))) {
    const Click click{*id, request.now};
    context.directory.add_clicks({&click, 1});
  }
  if (const auto stream = context.directory.stream(*id))
    return stream_player_page(*station, *stream, request.now);
  return player_reply(station->name, station->name,
                      station->genre.empty() ? station->caption
                                             : station->caption + " \xC2\xB7 " + station->genre,
                      *id);
}

Reply stream_page(const PageRequest &request, PageContext &) {
  // "/stream/<id>.wav"
  std::string_view name = request.path;
  name.remove_prefix(std::string_view("/stream/").size());
  if (!name.ends_with(".wav"))
    return not_found_reply();
  name.remove_suffix(4);
  const auto id = parse_decimal(name, 1, kMaxId);
  if (!id)
    return not_found_reply();

  auto tone = std::make_shared<const ToneWav>(tone_frequency(*id), kToneRate, kToneSeconds);
  Reply reply;
  reply.content_type = "audio/wav";
  reply.cache_control = "no-store";
  reply.generated = GeneratedBody{
      tone->size(), [tone](std::uint64_t offset, std::size_t length, char *out) {
        return tone->read(offset, length, out);
      }};
  return reply;
}

} // namespace station
