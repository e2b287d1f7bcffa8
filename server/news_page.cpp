// The news ticker's page: the headlines of one category, one at a time,
// each also set as the page's title; after the last one the title "NO" for
// a while, then the next round. The client slides its ticker in at any other
// title and out at "NO", so the title is all the client reads.
#include "news_store.h"
#include "news_text.h"
#include "pages.h"

#include <algorithm>

namespace station {

namespace {

// The page asks itself for fresh headlines between rounds, at most this often.
constexpr int kReloadMs = 10 * 60 * 1000;

// The client's pane is 250 x 180 pixels.
constexpr std::string_view kTickerStyle =
    "html,body{margin:0;height:100%}body{background:#102040;color:#fff;"
    "font:12px Tahoma,Verdana,sans-serif;overflow:hidden;width:250px;height:180px}"
    "#c{background:#ffd24a;color:#102040;font-weight:bold;padding:3px 6px;white-space:nowrap;"
    "overflow:hidden;text-overflow:ellipsis}"
    "#t{padding:6px 6px 4px;font-size:13px;font-weight:bold;line-height:16px;max-height:128px;"
    "overflow:hidden;overflow-wrap:anywhere}"
    "#s{padding:0 6px;color:#9db3d9;font-size:11px;white-space:nowrap;overflow:hidden;"
    "text-overflow:ellipsis}";

// Shows entry i of the data (text, source line, and the title when it is
// not the text) every `ms`; after
// the last, the title "NO" for as long, and a fresh copy of the data from
// the page itself when the last one is old enough. Text goes in as text,
// never as markup.
constexpr std::string_view kTickerScript = R"(
(function(ms,reload){
var d=JSON.parse(document.getElementById('d').textContent),i=0,
t=document.getElementById('t'),s=document.getElementById('s'),at=Date.now();
function fresh(){
if(Date.now()-at<reload||!window.fetch)return;
at=Date.now();
fetch(location.href,{cache:'no-store'}).then(function(r){return r.ok?r.text():'';})
.then(function(x){var e=new DOMParser().parseFromString(x,'text/html').getElementById('d');
var n=e?JSON.parse(e.textContent):null;if(Array.isArray(n)&&n.length)d=n;})
.catch(function(){});
}
function next(){
if(i<d.length){var h=d[i++];t.textContent=h[0];s.textContent=h[1];document.title=h[2]||h[0];}
else{i=0;document.title='NO';fresh();}
setTimeout(next,ms);
}
next();
}))";

// The line under a headline: its feed and the site it links to, as text.
std::string source_line(const Headline &headline) {
  const std::string host(link_host(headline.link));
  if (headline.source.empty() || host.empty())
    return headline.source.empty() ? host : headline.source;
  return headline.source + " \xC2\xB7 " + host; // ·
}

// The title a headline sets: never one the client reads as "hide".
std::string ticker_title(const std::string &title) {
  std::string upper = title;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  return upper == kNoNewsTitle ? title + "." : title;
}

std::string heading(std::string_view category_name) {
  return "<div id=\"c\">Sintonia News" +
         (category_name.empty() ? std::string() : " &middot; " + html_escape(category_name)) +
         "</div>\r\n";
}

Reply no_category_page() {
  return html_reply(200, kNoNewsTitle,
                    heading({}) + "<div id=\"t\">Categoria di notizie non disponibile.</div>\r\n"
                                  "<div id=\"s\">Scegliere una categoria da 1 a 15.</div>",
                    kTickerStyle);
}

} // namespace

int ticker_seconds(const QueryParams &params) {
  const auto text = text_param(params, "TempoRitardo", 64);
  if (!text || text->empty())
    return kDefaultTickerSeconds;
  std::int64_t value = 0;
  for (const char c : *text) {
    if (c < '0' || c > '9')
      return kDefaultTickerSeconds;
    value = std::min<std::int64_t>(value * 10 + (c - '0'), kMaxTickerSeconds);
  }
  return static_cast<int>(std::clamp<std::int64_t>(value, kMinTickerSeconds, kMaxTickerSeconds));
}

Reply news_page(const PageRequest &request, PageContext &context) {
  const auto category =
      int_param(request.params, "IdNotizia", kFirstNewsCategory, kLastNewsCategory);
  if (!category)
    return no_category_page();
  const int seconds = ticker_seconds(request.params);
  const auto headlines = context.news.headlines(static_cast<int>(*category));

  std::string data = "[";
  for (const auto &headline : *headlines) {
    data += data.size() > 1 ? ",\r\n[" : "\r\n[";
    data += json_string(headline.title) + "," + json_string(source_line(headline));
    if (const auto title = ticker_title(headline.title); title != headline.title)
      data += "," + json_string(title);
    data += "]";
  }
  data += "]";

  std::string body = heading(news_category_name(static_cast<int>(*category)));
  std::string title(kNoNewsTitle);
  if (headlines->empty()) {
    body += "<div id=\"t\">Nessuna notizia al momento.</div>\r\n<div id=\"s\"></div>\r\n";
  } else {
    const auto &first = headlines->front();
    title = ticker_title(first.title);
    body += "<div id=\"t\">" + html_escape(first.title) + "</div>\r\n<div id=\"s\">" +
            html_escape(source_line(first)) + "</div>\r\n";
  }
  body += "<script type=\"application/json\" id=\"d\">" + data + "</script>\r\n<script>" +
          std::string(kTickerScript) + "(" + std::to_string(seconds * 1000) + "," +
          std::to_string(kReloadMs) + ");\r\n</script>";
  return html_reply(200, title, body, kTickerStyle);
}

} // namespace station
