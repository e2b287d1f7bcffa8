#include "stream_player_page.h"

#include "web_assets.h"

#include <string_view>

namespace station {

namespace {

constexpr std::string_view kStyle =
    "body{background:#000;color:#fff;font-family:Tahoma,Verdana,sans-serif;margin:0;"
    "padding:16px}h1{font-size:20px;margin:0 0 6px}p{font-size:12px;margin:4px 0}"
    "small{color:#999}a{color:#9cf}audio{margin-top:12px;width:320px}"
    ".avviso{color:#fc6;font-weight:bold}";

// Shown in place of silence when the player gives up on the stream.
constexpr std::string_view kErrorScript =
    "<script>\r\n"
    "document.getElementById('flusso').addEventListener('error', function (e) {\r\n"
    "  var code = e.target.error ? e.target.error.code : 0;\r\n"
    "  var text = code === 4\r\n"
    "    ? 'Questo flusso \\u00e8 in un formato che il programma non riproduce "
    "(per esempio Ogg Vorbis).'\r\n"
    "    : code === 3 ? 'Il flusso non si riesce a decodificare.'\r\n"
    "    : 'Il flusso non risponde: l\\u2019emittente forse non trasmette in questo momento.';\r\n"
    "  var box = document.getElementById('avviso');\r\n"
    "  box.textContent = text;\r\n"
    "  box.hidden = false;\r\n"
    "});\r\n"
    "</script>";

// An HLS stream plays through hls.js (Media Source Extensions), or natively where the
// engine can; a fatal error of the player gets its message.
constexpr std::string_view kHlsScript =
    "<script>\r\n"
    "(function () {\r\n"
    "  var audio = document.getElementById('flusso');\r\n"
    "  var source = audio.getAttribute('data-hls');\r\n"
    "  function fail(text) {\r\n"
    "    var box = document.getElementById('avviso');\r\n"
    "    box.textContent = text;\r\n"
    "    box.hidden = false;\r\n"
    "  }\r\n"
    "  if (window.Hls && Hls.isSupported()) {\r\n"
    "    var player = new Hls();\r\n"
    "    player.on(Hls.Events.ERROR, function (event, data) {\r\n"
    "      if (data.fatal) {\r\n"
    "        player.destroy();\r\n"
    "        fail('Il flusso HLS non si riesce a riprodurre: l\\u2019emittente forse non "
    "trasmette in questo momento.');\r\n"
    "      }\r\n"
    "    });\r\n"
    "    player.loadSource(source);\r\n"
    "    player.attachMedia(audio);\r\n"
    "    player.on(Hls.Events.MANIFEST_PARSED, function () { audio.play().catch(function () {}); });\r\n"
    "  } else if (audio.canPlayType('application/vnd.apple.mpegurl')) {\r\n"
    "    audio.src = source;\r\n"
    "  } else {\r\n"
    "    fail('Questa emittente trasmette in HLS (a segmenti), un formato che il programma non "
    "riproduce.');\r\n"
    "  }\r\n"
    "})();\r\n"
    "</script>";

std::string upper(std::string_view text) {
  std::string out(text);
  for (char &c : out)
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 32);
  return out;
}

// Known before trying: what this player cannot play.
std::string unplayable_reason(const StationStream &stream, const ResolvedStream &resolved,
                              bool hls_player) {
  if (resolved.kind == StreamKind::Hls && !hls_player)
    return "Questa emittente trasmette in HLS (a segmenti), un formato che il programma non "
           "riproduce.";
  if (resolved.kind == StreamKind::Unresolved)
    return "La playlist dell\xE2\x80\x99" "emittente non porta a un flusso ascoltabile (" +
           resolved.note + ").";
  // "OGG" alone is tried: Ogg Opus plays, and Ogg Vorbis fails with an error
  // that the page's script turns into its message.
  if (upper(stream.codec).find("VORBIS") != std::string::npos)
    return "Questa emittente trasmette in Ogg Vorbis, un formato che il programma non riproduce.";
  return {};
}

std::string details(const Station &station, const StationStream &stream) {
  std::string line;
  auto add = [&line](const std::string &part) {
    if (part.empty())
      return;
    if (!line.empty())
      line += " \xC2\xB7 ";
    line += part;
  };
  add(station.genre);
  add(stream.country.empty() ? std::string() : "Paese: " + stream.country);
  add(stream.codec);
  add(stream.bitrate > 0 ? std::to_string(stream.bitrate) + " kbit/s" : std::string());
  return line;
}

} // namespace

Reply stream_player_reply(const Station &station, const StationStream &stream,
                          const ResolvedStream &resolved,
                          bool hls_player) {
  std::string body = "<h1>" + html_escape(station.name) + "</h1>\r\n";
  if (const std::string line = details(station, stream); !line.empty())
    body += "<p>" + html_escape(line) + "</p>\r\n";
  if (!stream.homepage.empty())
    body += "<p><a id=\"sito\" href=\"" + html_escape(stream.homepage) +
            "\">Sito dell\xE2\x80\x99" "emittente</a></p>\r\n";

  if (const std::string reason = unplayable_reason(stream, resolved, hls_player); !reason.empty()) {
    body += "<p id=\"avviso\" class=\"avviso\">" + html_escape(reason) + "</p>";
  } else if (resolved.kind == StreamKind::Hls) {
    body += "<audio id=\"flusso\" autoplay controls data-hls=\"" + html_escape(resolved.address) +
            "\"></audio>\r\n<p id=\"avviso\" class=\"avviso\" hidden></p>\r\n";
    body += "<script src=\"" + std::string(kHlsPlayerPath) + "\"></script>\r\n";
    body += kHlsScript;
  } else {
    body += "<audio id=\"flusso\" autoplay controls src=\"" + html_escape(resolved.address) +
            "\"></audio>\r\n<p id=\"avviso\" class=\"avviso\" hidden></p>\r\n";
    body += kErrorScript;
  }
  Reply reply = html_reply(200, station.name, body, kStyle);
  reply.cache_control = "no-store";
  return reply;
}

Reply stream_player_page(const Station &station, const StationStream &stream, std::int64_t now) {
  return stream_player_reply(station, stream, player_streams().resolve(stream.stream, now),
                             hls_player_script() != nullptr);
}

} // namespace station
