#include "station_json_reader.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace station {

namespace {

using Json = nlohmann::json;

enum class Field { None, Name, Url, Resolved, Homepage, Country, Codec, Tags, Bitrate };

Field field_of(std::string_view key) {
  if (key == "name") return Field::Name;
  if (key == "url") return Field::Url;
  if (key == "url_resolved") return Field::Resolved;
  if (key == "homepage") return Field::Homepage;
  if (key == "countrycode") return Field::Country;
  if (key == "codec") return Field::Codec;
  if (key == "tags") return Field::Tags;
  if (key == "bitrate") return Field::Bitrate;
  return Field::None;
}

// Depth 1 is the list, depth 2 a station; what lies deeper is skipped.
class StationEvents : public nlohmann::json_sax<Json> {
public:
  StationEvents(ReadSink &sink, const ReadLimits &limits) : sink_(sink), limits_(limits) {}

  bool stopped_early() const { return stopped_early_; }
  std::string &error() { return error_; }

  bool null() override { return scalar(); }
  bool boolean(bool) override { return scalar(); }
  bool number_integer(number_integer_t value) override { return number(static_cast<double>(value)); }
  bool number_unsigned(number_unsigned_t value) override { return number(static_cast<double>(value)); }
  bool number_float(number_float_t value, const string_t &) override { return number(value); }
  bool binary(binary_t &) override { return scalar(); }

  bool string(string_t &value) override {
    if (depth_ == 2 && in_station_) {
      if (value.size() > limits_.max_field)
        value.resize(limits_.max_field);
      switch (field_) {
      case Field::Name: station_.name = std::move(value); break;
      case Field::Url: station_.address = std::move(value); break;
      case Field::Resolved: station_.resolved = std::move(value); break;
      case Field::Homepage: station_.homepage = std::move(value); break;
      case Field::Country: station_.country = std::move(value); break;
      case Field::Codec: station_.codec = std::move(value); break;
      case Field::Tags: station_.tags = std::move(value); break;
      default: break;
      }
    }
    return scalar();
  }

  bool start_object(std::size_t) override {
    if (!descend())
      return false;
    if (depth_ == 1)
      return fail("expected a JSON array of stations, found an object");
    if (depth_ == 2) {
      if (!next_station())
        return false;
      station_ = {};
      station_.where = where();
      in_station_ = true;
    }
    field_ = Field::None;
    return true;
  }

  bool end_object() override {
    if (depth_ == 2 && in_station_) {
      in_station_ = false;
      sink_.entry(std::move(station_));
      station_ = {};
    }
    --depth_;
    field_ = Field::None;
    return true;
  }

  bool start_array(std::size_t) override {
    if (!descend())
      return false;
    if (depth_ == 2) {
      if (!next_station())
        return false;
      refuse("not a station object");
    }
    field_ = Field::None;
    return true;
  }

  bool end_array() override {
    --depth_;
    field_ = Field::None;
    return true;
  }

  bool key(string_t &name) override {
    field_ = depth_ == 2 ? field_of(name) : Field::None;
    return true;
  }

  bool parse_error(std::size_t position, const std::string &,
                   const nlohmann::detail::exception &) override {
    return fail("not valid JSON at byte " + std::to_string(position));
  }

private:
  bool descend() {
    if (++depth_ > limits_.max_depth)
      return fail("nested deeper than " + std::to_string(limits_.max_depth) + " levels");
    return true;
  }

  bool scalar() {
    if (depth_ == 0)
      return fail("expected a JSON array of stations");
    if (depth_ == 1) {
      if (!next_station())
        return false;
      refuse("not a station object");
    }
    field_ = Field::None;
    return true;
  }

  bool number(double value) {
    if (depth_ == 2 && in_station_ && field_ == Field::Bitrate && std::isfinite(value) &&
        value >= 0 && value <= 100000)
      station_.bitrate = static_cast<std::int64_t>(value);
    return scalar();
  }

  // Counts one more element of the list; false once there are too many.
  bool next_station() {
    ++count_;
    if (count_ > limits_.max_entries) {
      sink_.refused({where(), "more than " + std::to_string(limits_.max_entries) +
                                  " stations: the rest is left out"});
      stopped_early_ = true;
      return false;
    }
    return true;
  }

  void refuse(std::string reason) { sink_.refused({where(), std::move(reason)}); }

  bool fail(std::string reason) {
    if (error_.empty())
      error_ = std::move(reason);
    return false;
  }

  std::string where() const { return "station " + std::to_string(count_); }

  ReadSink &sink_;
  const ReadLimits &limits_;
  std::string error_;
  int depth_ = 0;
  std::size_t count_ = 0;
  bool in_station_ = false;
  bool stopped_early_ = false;
  Field field_ = Field::None;
  ImportEntry station_;
};

} // namespace

std::string read_station_json(std::string_view text, const ReadLimits &limits, ReadSink &sink) {
  StationEvents events(sink, limits);
  bool complete = false;
  try {
    complete = Json::sax_parse(text.begin(), text.end(), &events, Json::input_format_t::json,
                               true, false);
  } catch (const std::exception &e) {
    if (events.error().empty())
      events.error() = std::string("not valid JSON: ") + e.what();
  }
  if (!complete && !events.stopped_early() && events.error().empty())
    events.error() = "not valid JSON";
  return events.error();
}

ReadResult read_station_json(std::string_view text, const ReadLimits &limits) {
  ReadResult result;
  ReadCollector collector(result);
  result.error = read_station_json(text, limits, collector);
  if (!result.error.empty()) {
    // An unusable file gives no stations at all.
    result.entries.clear();
    result.refused.clear();
  }
  return result;
}

} // namespace station
