#include "news_samples.h"

#include <array>

namespace station {

namespace {

// Invented headlines, one short feed per category, in the order of the
// categories 1..15.
constexpr std::array<std::string_view, kNewsCategoryCount> kSamples = {
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Sintonia: le notizie in diretta arrivano anche sul desktop</title></item>
<item><title>Radio locali, cresce l'ascolto via internet nelle ore serali</title></item>
<item><title>Nuove emittenti in catalogo: jazz, lirica e notizie regionali</title></item>
<item><title>Notizie vere: basta indicare i propri feed al servizio delle stazioni</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - sample news</title>
<item><title>Community radio stations report record online audiences</title></item>
<item><title>Night train timetables to change from next month</title></item>
<item><title>Coastal towns prepare for a busy summer season</title></item>
<item><title>Local libraries extend opening hours during exam weeks</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Maltempo al Nord, migliora da domani su tutta la penisola</title></item>
<item><title>Borghi dell'Appennino: riaprono tre sentieri storici</title></item>
<item><title>Scuola, al via le iscrizioni online per il nuovo anno</title></item>
<item><title>Treni regionali, più corse nei fine settimana d'estate</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Vertice sul clima, accordo di massima sulle energie rinnovabili</title></item>
<item><title>Porti del Mediterraneo, traffico merci in aumento</title></item>
<item><title>Una nuova linea ferroviaria unirà tre capitali del Nord Europa</title></item>
<item><title>Osservatori internazionali alle elezioni in un piccolo arcipelago</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Serie A, il derby finisce in parità dopo un secondo tempo vivace</title></item>
<item><title>Calciomercato: si chiude la sessione estiva senza grandi colpi</title></item>
<item><title>La nazionale under 21 prepara l'amichevole di giovedì</title></item>
<item><title>Stadi più accessibili: nuovi posti per i tifosi con disabilità</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Ciclismo, la tappa di montagna decide la classifica generale</title></item>
<item><title>Pallavolo femminile, vittoria al tie-break nella semifinale</title></item>
<item><title>Nuoto, record italiano nei 400 misti ai campionati primaverili</title></item>
<item><title>Maratona cittadina: quindicimila iscritti per domenica</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Festival della canzone, svelati i nomi dei conduttori</title></item>
<item><title>Teatro, una commedia degli anni Cinquanta torna in scena</title></item>
<item><title>Varietà del sabato sera, ascolti in crescita</title></item>
<item><title>Circo contemporaneo in tournée nelle piazze d'estate</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Musei aperti la sera per tutto il mese di luglio</title></item>
<item><title>Premio letterario, cinque romanzi nella cinquina finale</title></item>
<item><title>Dialetti e radio: un archivio di registrazioni torna online</title></item>
<item><title>Volontariato, più giovani nelle associazioni di quartiere</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Borsa, seduta positiva trainata dai titoli dell'energia</title></item>
<item><title>Inflazione stabile, i prezzi alimentari rallentano</title></item>
<item><title>Piccole imprese: più credito per chi investe nel digitale</title></item>
<item><title>Turismo, prenotazioni estive in linea con l'anno scorso</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Astronomia, una cometa visibile a occhio nudo a fine mese</title></item>
<item><title>Biologia marina: nuova specie di gambero nei fondali sardi</title></item>
<item><title>Batterie al sodio, un prototipo supera mille cicli di carica</title></item>
<item><title>Fisica, esperimento europeo misura il neutrino con più precisione</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Banda larga, altri cento comuni collegati in fibra</title></item>
<item><title>Password: cinque regole semplici per difendersi dal phishing</title></item>
<item><title>Radio in streaming, i formati aperti guadagnano terreno</title></item>
<item><title>Software libero nella pubblica amministrazione, un bilancio</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Settimana della moda, i giovani stilisti aprono le sfilate</title></item>
<item><title>Tessuti riciclati, la nuova frontiera delle collezioni estive</title></item>
<item><title>Sartorie artigiane: tornano gli apprendisti nelle botteghe</title></item>
<item><title>Accessori, il ritorno dei cappelli di paglia</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Classifica dei dischi, un esordiente in vetta per la terza settimana</title></item>
<item><title>Estate di concerti: oltre duecento date nelle piazze</title></item>
<item><title>Jazz, un festival sul lago festeggia quarant'anni</title></item>
<item><title>Il vinile continua a crescere tra i giovani ascoltatori</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Cinema all'aperto, riaprono le arene estive</title></item>
<item><title>Un documentario sulle radio libere apre la rassegna d'autunno</title></item>
<item><title>Box office, la commedia italiana resta in testa</title></item>
<item><title>Restaurato un film muto girato negli anni Venti</title></item>
</channel></rss>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0"><channel><title>Sintonia - notizie di esempio</title>
<item><title>Meteo, alta pressione e cielo sereno per tutto il weekend</title></item>
<item><title>Temporali in arrivo sulle Alpi nel pomeriggio di lunedì</title></item>
<item><title>Temperature in calo di qualche grado al Centro-Sud</title></item>
<item><title>Mare calmo lungo le coste tirreniche, mosso lo Ionio</title></item>
</channel></rss>)",
};

} // namespace

std::string_view sample_feed(int category) {
  if (category < kFirstNewsCategory || category > kLastNewsCategory)
    return {};
  return kSamples[static_cast<std::size_t>(category - kFirstNewsCategory)];
}

bool load_sample_news(NewsStore &store, std::string &error) {
  for (int category = kFirstNewsCategory; category <= kLastNewsCategory; ++category) {
    auto parsed = parse_feed(sample_feed(category));
    if (!parsed.error.empty()) {
      error = "sample news of category " + std::to_string(category) + ": " + parsed.error;
      return false;
    }
    store.set_sample(category, std::move(parsed.headlines));
  }
  return true;
}

} // namespace station
