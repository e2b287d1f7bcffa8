// The news the service shows with no feed configured or before its feeds
// load: one small RSS 2.0 document per category, written for Sintonia and
// compiled in, read with the same parser as any feed.
#pragma once

#include "news_store.h"

#include <string>
#include <string_view>

namespace station {

// The sample document of a category 1..15; empty outside.
std::string_view sample_feed(int category);

// Puts every category's sample into the store; false with the reason when
// a sample does not parse.
bool load_sample_news(NewsStore &store, std::string &error);

} // namespace station
