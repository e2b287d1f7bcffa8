// The discussions of the forum: invented, fixed, numbered from 1.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace station {

inline constexpr int kForumTopicCount = 20;

struct ForumPost {
  std::string_view author; // empty: no post
  std::string_view text;
};

struct ForumTopic {
  std::string_view title;
  ForumPost opening;
  std::array<ForumPost, 2> replies;

  int reply_count() const { return !replies[0].author.empty() + !replies[1].author.empty(); }
};

// Topic n is element n - 1.
std::span<const ForumTopic, kForumTopicCount> forum_topics();

} // namespace station
