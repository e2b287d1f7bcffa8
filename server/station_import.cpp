#include "station_import.h"

#include "import_text.h"
#include "import_transaction.h"
#include "news_fetch.h"
#include "seed.h"
#include "stream_address.h"

#include <algorithm>
#include <unordered_map>

namespace station {

namespace {

constexpr std::size_t kMaxCodecChars = 16;
constexpr std::int64_t kMaxBitrate = 100000;

std::string fold_case(std::string_view text) {
  std::string out(text);
  for (char &c : out)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + 32);
  return out;
}

std::string country_code(std::string_view text) {
  if (text.size() != 2)
    return {};
  std::string code;
  for (char c : text) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 32);
    if (c < 'A' || c > 'Z')
      return {};
    code += c;
  }
  return code;
}

std::string codec_name(std::string_view text) {
  std::string codec;
  for (const char c : text) {
    const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' ||
                         c == '/' || c == ' ';
    if (allowed)
      codec += c;
  }
  return clean_text(codec, kMaxCodecChars);
}

// The host of a checked address, for a station that has no name.
std::string host_name(const std::string &address) {
  const auto url = parse_feed_url(address);
  const std::string host = url ? clean_text(url->host, kMaxNameChars) : std::string();
  return host.empty() ? std::string("Radio") : host;
}

// The player page is titled with the station's name, and the client reads two
// titles as signals: "caricamento" (still loading: reload the page) and
// "RADIO:-" followed by a name (the page announces what it plays). A name
// that reads as either is changed a little.
std::string page_safe_name(std::string name) {
  const std::string folded = fold_case(name);
  if (folded == "caricamento")
    return "Radio " + name;
  if (folded.starts_with("radio:-"))
    name.insert(6, " ");
  return name;
}

// The number of "line 12", "station 3".
std::size_t place(const Refusal &refusal) {
  std::size_t number = 0;
  const auto digits = refusal.where.find_first_of("0123456789");
  for (std::size_t i = digits; i < refusal.where.size(); ++i) {
    const char c = refusal.where[i];
    if (c < '0' || c > '9' || number > 1'000'000'000)
      break;
    number = number * 10 + static_cast<std::size_t>(c - '0');
  }
  return number;
}

void note_refusal(ImportReport &report, Refusal refusal) {
  ++report.refused;
  if (report.refusals.size() < kMaxListedRefusals)
    report.refusals.push_back(std::move(refusal));
}

// A distinct stream address of the file.
struct FileAddress {
  std::string first_where;
  std::int64_t station_id = 0; // the imported station it matches, once written
  bool written = false;        // the second pass has written it
};

using FileAddresses = std::unordered_map<std::string, FileAddress>;

// First pass: the distinct addresses of the file.
class AddressScan : public ReadSink {
public:
  explicit AddressScan(FileAddresses &addresses) : addresses_(addresses) {}

  void entry(ImportEntry &&entry) override {
    AddressCheck check = check_address(entry.address);
    if (!check.error.empty())
      return;
    const auto [found, fresh] = addresses_.try_emplace(std::move(check.address));
    if (fresh)
      found->second.first_where = std::move(entry.where);
  }
  void refused(Refusal &&) override {}

private:
  FileAddresses &addresses_;
};

// Second pass, inside the transaction: every entry written or refused.
class StationWriter : public ReadSink {
public:
  StationWriter(ImportTransaction &transaction, FileAddresses &addresses, ImportReport &report,
                std::int64_t now, bool holds_demo)
      : transaction_(transaction), addresses_(addresses), report_(report), now_(now),
        holds_demo_(holds_demo) {}

  void entry(ImportEntry &&entry) override {
    const AddressCheck check = check_address(entry.address);
    if (!check.error.empty()) {
      note_refusal(report_, {std::move(entry.where), check.error});
      return;
    }
    const auto found = addresses_.find(check.address);
    if (found == addresses_.end())
      throw DirectoryError("the import file changed while it was read");
    FileAddress &file = found->second;
    if (file.written) {
      note_refusal(report_, {std::move(entry.where), "the same stream address as " + file.first_where});
      return;
    }
    file.written = true;
    const auto old = transaction_.imported(check.address);
    if (old)
      file.station_id = old->station.id;

    Station station;
    StationStream stream;
    stream.address = check.address;
    stream.stream = check.address;
    if (!entry.resolved.empty())
      if (const AddressCheck resolved = check_address(entry.resolved); resolved.error.empty())
        stream.stream = resolved.address;
    if (const AddressCheck home = check_address(entry.homepage); home.error.empty())
      stream.homepage = home.address;
    stream.country = country_code(entry.country);
    stream.codec = codec_name(entry.codec);
    stream.bitrate = entry.bitrate > 0 && entry.bitrate <= kMaxBitrate ? entry.bitrate : 0;

    std::string name = clean_text(entry.name, kMaxNameChars);
    if (name.empty())
      name = host_name(check.address);
    station.name = free_name(clean_text(page_safe_name(name), kMaxNameChars), file.station_id);
    station.caption = fit_caption(station.name);
    station.genre = genre_from_tags(entry.tags);

    if (!old) {
      // A directory that still holds the demo has no imported station, so
      // the first station written is a new one: the demo goes before it.
      if (holds_demo_) {
        transaction_.drop_demo();
        holds_demo_ = false;
      }
      station.created_at = now_;
      transaction_.add(station, stream);
      ++report_.added;
      return;
    }
    station.id = old->station.id;
    station.created_at = old->station.created_at;
    if (station.name == old->station.name && station.caption == old->station.caption &&
        station.genre == old->station.genre && stream == old->stream) {
      ++report_.unchanged;
      return;
    }
    transaction_.update(station, stream);
    ++report_.updated;
  }

  void refused(Refusal &&refusal) override { note_refusal(report_, std::move(refusal)); }

private:
  // Whether a station other than `owner` keeps `name`. A station this file
  // names but that is not written yet keeps nothing: it is named again when
  // its turn comes.
  bool taken(const std::string &name, std::int64_t owner) {
    for (const auto &[id, address] : transaction_.holders_of(name)) {
      if (owner != 0 && id == owner)
        continue;
      const auto in_file = address.empty() ? addresses_.end() : addresses_.find(address);
      if (in_file == addresses_.end() || in_file->second.written)
        return true;
    }
    return false;
  }

  // `wanted`, or with the first free " (n)". A name once kept stays kept
  // for the rest of the import, so the search for a name goes on from where
  // it stopped the time before.
  std::string free_name(const std::string &wanted, std::int64_t owner) {
    if (!taken(wanted, owner))
      return wanted;
    std::size_t &n = next_suffix_[fold_case(wanted)];
    for (n = std::max<std::size_t>(n, 2);; ++n) {
      const std::string suffix = " (" + std::to_string(n) + ")";
      const std::string name = clean_text(wanted, kMaxNameChars - suffix.size()) + suffix;
      if (!taken(name, owner))
        return name;
    }
  }

  ImportTransaction &transaction_;
  FileAddresses &addresses_;
  ImportReport &report_;
  std::int64_t now_;
  bool holds_demo_;
  std::unordered_map<std::string, std::size_t> next_suffix_;
};

} // namespace

ImportReport import_text(Directory &directory, std::string_view text, std::int64_t now,
                         const ReadLimits &limits) {
  ImportReport report;
  FileAddresses addresses;
  AddressScan scan(addresses);
  report.error = read_import_text(text, limits, scan);
  if (!report.error.empty())
    return report;

  seed_if_new(directory, now);
  const bool holds_demo = directory.holds_demo();
  directory.import_transaction([&](ImportTransaction &transaction) {
    StationWriter writer(transaction, addresses, report, now, holds_demo);
    if (const std::string error = read_import_text(text, limits, writer); !error.empty())
      throw DirectoryError(error);
  });
  std::stable_sort(report.refusals.begin(), report.refusals.end(),
                   [](const Refusal &a, const Refusal &b) { return place(a) < place(b); });
  return report;
}

ImportReport import_file(Directory &directory, const std::string &path, std::int64_t now,
                         const ReadLimits &limits, std::size_t max_bytes) {
  ImportReport report;
  const auto text = read_import_bytes(path, report.error, max_bytes);
  return text ? import_text(directory, *text, now, limits) : report;
}

std::string report_text(const std::string &path, const ImportReport &report) {
  if (!report.error.empty())
    return path + ": nothing imported: " + report.error + "\n";
  std::string text = path + ": " + std::to_string(report.added) + " added, " +
                     std::to_string(report.updated) + " updated, " +
                     std::to_string(report.unchanged) + " unchanged, " +
                     std::to_string(report.refused) + " refused\n";
  for (const auto &refusal : report.refusals)
    text += "  refused " + refusal.where + ": " + refusal.reason + "\n";
  if (report.refused > report.refusals.size())
    text += "  and " + std::to_string(report.refused - report.refusals.size()) +
            " more refused\n";
  return text;
}

} // namespace station
