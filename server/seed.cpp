#include "seed.h"

#include <array>
#include <random>
#include <string_view>

namespace station {

namespace {

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kWeek = 7 * kDay;

struct DemoStation {
  std::string_view name;
  std::string_view caption;
  std::string_view genre;
  int age_days;      // created this many days before the seed
  int week_clicks;   // clicks in the last seven days
  int older_clicks;  // clicks between eight and sixty days back
};

// Invented names. Accented letters, the euro sign, the en dash and curly
// quotes all exist in Windows-1252 and test the page encoding.
constexpr std::array<DemoStation, 45> kStations = {{
    {"Radio Città", "Radio Città", "Pop", 720, 41, 160},
    {"Onda Più", "Onda Più", "Hit", 690, 37, 210},
    {"Caffè Swing", "Caffè Swing", "Jazz", 655, 12, 95},
    {"Perché No FM", "Perché No FM", "Varietà", 640, 29, 40},
    {"Sì Radio", "Sì Radio", "Pop", 610, 8, 130},
    {"Virtù Classica", "Virtù Classica", "Classica", 590, 15, 60},
    {"Radio Libertà", "Radio Libertà", "Notizie", 575, 33, 120},
    {"Onde del Golfo", "Onde del Golfo", "Locale", 560, 6, 22},
    {"Radio Vesuvio Blu", "Vesuvio Blu", "Pop", 540, 19, 75},
    {"Laguna Sound", "Laguna Sound", "Dance", 520, 24, 88},
    {"Radio Trullo", "Radio Trullo", "Folk", 505, 3, 18},
    {"Dolomiti Stereo", "Dolomiti Stereo", "Rock", 490, 27, 66},
    {"Radio Gelato", "Radio Gelato", "Bambini", 470, 9, 35},
    {"Notturno Italiano", "Notturno", "Lounge", 455, 14, 51},
    {"Radio Piazza Grande", "Piazza Grande", "Cantautori", 430, 22, 140},
    {"Tramontana FM", "Tramontana FM", "Rock", 415, 5, 30},
    {"Radio Lungomare", "Lungomare", "Estate", 400, 31, 12},
    {"Sanremo Sempre", "Sanremo Sempre", "Festival", 380, 45, 55},
    {"Radio Bottega", "Radio Bottega", "Talk", 360, 2, 14},
    {"Maestrale 101", "Maestrale 101", "Hit", 345, 17, 99},
    {"Radio Barocca", "Radio Barocca", "Classica", 330, 4, 27},
    {"Radio Ventiquattro – Notizie", "Ventiquattro", "Notizie", 310, 26, 70},
    {"€uro Dance Italia", "€uro Dance", "Dance", 290, 20, 44},
    {"Radio Università", "Università", "Giovani", 275, 11, 38},
    {"Canzoni d'Autore", "Canzoni d'Autore", "Cantautori", 260, 18, 81},
    {"Radio Scirocco", "Radio Scirocco", "World", 240, 7, 25},
    {"Stazione Liberty", "Liberty", "Swing", 220, 1, 9},
    {"Radio Nebbia Padana", "Nebbia Padana", "Blues", 205, 13, 47},
    {"Radio Etna Viva", "Etna Viva", "Rock", 190, 23, 20},
    {"Mandolino Web", "Mandolino Web", "Folk", 170, 0, 16},
    {"Radio Pausa Caffè", "Pausa Caffè", "Varietà", 150, 35, 64},
    {"Radio Sole Mio", "Sole Mio", "Classici", 135, 10, 58},
    {"Radio Gondola", "Radio Gondola", "Lounge", 120, 16, 21},
    {"Appennino Rock", "Appennino Rock", "Rock", 100, 28, 33},
    {"Radio Tarantella", "Tarantella", "Folk", 85, 6, 11},
    {"Radio Cinecittà", "Cinecittà", "Colonne sonore", 70, 21, 19},
    {"Radio Calcio Totale", "Calcio Totale", "Sport", 56, 39, 15},
    {"Radio Semaforo", "Radio Semaforo", "Traffico", 44, 0, 4},
    {"Radio Ciclamino", "Ciclamino", "Pop", 33, 12, 6},
    {"Lirica Sempre", "Lirica Sempre", "Opera", 25, 9, 3},
    {"Radio Forno a Legna", "Forno a Legna", "Talk", 18, 4, 2},
    {"Radio Faro “Il Porto”", "Radio Faro", "Locale", 12, 14, 1},
    {"Radio Bella Età", "Bella Età", "Anni '60", 8, 25, 0},
    {"Radio Più Bassi", "Più Bassi", "Hip hop", 5, 30, 0},
    {"Ritmo Tricolore", "Ritmo Tricolore", "Dance", 2, 18, 0},
}};

// std::mt19937's sequence is fixed by the C++ standard, unlike the
// distributions; offsets are taken from its raw output.
std::int64_t offset_below(std::mt19937 &random, std::int64_t range) {
  return static_cast<std::int64_t>(random() % static_cast<std::uint32_t>(range));
}

void add_week_clicks(std::vector<Click> &clicks, std::mt19937 &random, std::int64_t now) {
  for (std::size_t i = 0; i < kStations.size(); ++i)
    for (int k = 0; k < kStations[i].week_clicks; ++k)
      clicks.push_back({static_cast<std::int64_t>(i) + 1, now - offset_below(random, kWeek)});
}

} // namespace

BulkLoad demo_directory(std::int64_t now) {
  BulkLoad bulk;
  std::mt19937 random(20240517u);
  for (std::size_t i = 0; i < kStations.size(); ++i) {
    const auto &demo = kStations[i];
    const std::int64_t created = now - demo.age_days * kDay - offset_below(random, kDay / 2);
    bulk.stations.push_back({static_cast<std::int64_t>(i) + 1, std::string(demo.name),
                             std::string(demo.caption), std::string(demo.genre), created});
    for (int k = 0; k < demo.older_clicks; ++k)
      bulk.clicks.push_back({static_cast<std::int64_t>(i) + 1,
                             now - kWeek - kDay - offset_below(random, 52 * kDay)});
  }
  add_week_clicks(bulk.clicks, random, now);
  bulk.editions.push_back({0, Trailer{}});
  bulk.editions.push_back({kPartnerEdition, Trailer{"Onde Italiane", "", "", ""}});
  bulk.meta.push_back({"demo_seeded_at", std::to_string(now)});
  return bulk;
}

bool seed_if_new(Directory &directory, std::int64_t now) {
  if (directory.station_count() == 0) {
    directory.load(demo_directory(now));
    return true;
  }
  if (directory.meta("demo_seeded_at") && directory.click_count(0, now - kWeek, now) == 0) {
    std::vector<Click> clicks;
    std::mt19937 random(static_cast<std::uint32_t>(now));
    add_week_clicks(clicks, random, now);
    std::erase_if(clicks, [&](const Click &c) { return !directory.station(c.station_id); });
    directory.add_clicks(clicks);
  }
  return false;
}

} // namespace station
