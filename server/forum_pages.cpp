// The forum: the list of its discussions and a page for each. The client
// opens it as "/Forum" and as "/forum"; each page links within the spelling
// it was asked under, so its history stays on one of them.
#include "forum_topics.h"
#include "pages.h"
#include "site_layout.h"

namespace station {

namespace {

// An unknown id is shown back when it is this short.
constexpr std::size_t kMaxShownId = 20;

std::string_view forum_root(const PageRequest &request) {
  return request.path.starts_with("/Forum") ? "/Forum" : "/forum";
}

std::string topic_link(std::string_view root, int id, std::string_view text) {
  return "<a href=\"" + std::string(root) + "/topic?id=" + std::to_string(id) + "\">" +
         html_escape(text) + "</a>";
}

std::string back_link(std::string_view root) {
  return "<a href=\"" + std::string(root) + "\">Tutte le discussioni</a>";
}

std::string post_markup(const ForumPost &post) {
  return "<div class=\"post\"><b>" + html_escape(post.author) + "</b><br>" +
         html_escape(post.text) + "</div>\r\n";
}

Reply topic_not_found(std::string_view root, const QueryParams &params) {
  const auto raw = text_param(params, "id", kMaxShownId);
  const std::string shown =
      raw && !raw->empty() ? " &laquo;" + shown_text(*raw, kMaxShownId) + "&raquo;" : "";
  return light_page(404, "Discussione non trovata - Forum - Sintonia",
                    site_bar() + "<h1>Discussione non trovata</h1>\r\n<p>La discussione" + shown +
                        " non esiste o è stata chiusa. Le discussioni aperte sono numerate da 1 "
                        "a " +
                        std::to_string(kForumTopicCount) + ".</p>\r\n<p>" + back_link(root) +
                        "</p>");
}

} // namespace

Reply forum_page(const PageRequest &request, PageContext &) {
  const auto root = forum_root(request);
  std::string body = site_bar() +
                     "<h1>Forum di Sintonia</h1>\r\n<p>Domande, consigli e segnalazioni degli "
                     "ascoltatori. Scegli una discussione.</p>\r\n<ul>\r\n";
  int id = 0;
  for (const auto &topic : forum_topics()) {
    const int replies = topic.reply_count();
    body += "<li>" + topic_link(root, ++id, topic.title) + " <small>di " +
            html_escape(topic.opening.author) + " &middot; " + std::to_string(replies) +
            (replies == 1 ? " risposta" : " risposte") + "</small></li>\r\n";
  }
  body += "</ul>";
  return light_page(200, "Forum - Sintonia", body);
}

Reply forum_topic_page(const PageRequest &request, PageContext &) {
  const auto root = forum_root(request);
  const auto id = int_param(request.params, "id", 1, kForumTopicCount);
  if (!id)
    return topic_not_found(root, request.params);
  const int n = static_cast<int>(*id);
  const auto &topic = forum_topics()[static_cast<std::size_t>(n - 1)];

  std::string body =
      site_bar() + "<h1>" + html_escape(topic.title) + "</h1>\r\n" + post_markup(topic.opening);
  for (const auto &reply : topic.replies)
    if (!reply.author.empty())
      body += post_markup(reply);
  body += "<p>";
  if (n > 1)
    body += topic_link(root, n - 1, "« Discussione precedente") + " &middot; ";
  body += back_link(root);
  if (n < kForumTopicCount)
    body += " &middot; " + topic_link(root, n + 1, "Discussione successiva »");
  body += "</p>";
  return light_page(200, std::string(topic.title) + " - Forum - Sintonia", body);
}

} // namespace station
