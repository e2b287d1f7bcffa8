#include "forum_topics.h"

namespace station {

namespace {

constexpr std::array<ForumTopic, kForumTopicCount> kTopics = {{
    {"Benvenuti nel forum di Sintonia",
     {"Staff Sintonia", "Qui si parla del programma, delle emittenti e di come ascoltarle al "
                        "meglio. Siate gentili e restate in tema."},
     {{{"Marta", "Grazie, finalmente un posto dove scambiarsi le radio!"}, {}}}},
    {"Come registrare un programma a un'ora precisa",
     {"Giorgio", "Vorrei registrare il concerto della domenica sera senza restare sveglio. Si "
                 "può?"},
     {{{"Staff Sintonia", "Sì: nella scheda Registra imposti inizio e fine, il resto lo fa il "
                          "programma."},
       {"Giorgio", "Provato stasera, funziona. Grazie!"}}}},
    {"La radio si interrompe ogni pochi minuti",
     {"Luca", "Da qualche giorno l'ascolto si ferma spesso. Con altre radio va tutto bene."},
     {{{"Paolo", "Succede quando l'emittente ha troppi ascoltatori. Riprova più tardi."}, {}}}},
    {"Radio locali della Puglia: quali ascoltate?",
     {"Elena", "Cerco emittenti pugliesi, meglio se con musica popolare."},
     {{{"Davide", "Radio Trullo è la mia preferita, la trovi tra le emittenti folk."}, {}}}},
    {"Proposta: una lista di radio solo jazz",
     {"Anna", "Sarebbe bello avere una scheda con le sole radio jazz e swing."},
     {{{"Marco", "Intanto la ricerca per genere «jazz» le trova quasi tutte."},
       {"Anna", "Vero, non ci avevo pensato."}}}},
    {"Notiziari del mattino: il vostro preferito?",
     {"Franco", "Ascolto il giornale radio delle otto in macchina. Voi quale seguite?"},
     {{{"Giulia", "Radio Libertà, breve e chiaro."}, {}}}},
    {"Dove finiscono i file registrati?",
     {"Carla", "Ho registrato una trasmissione ma non trovo il file."},
     {{{"Staff Sintonia", "Nella cartella scelta nelle opzioni di registrazione; il percorso è "
                          "scritto sotto il pulsante Registra."},
       {}}}},
    {"Sintonia su due computer di casa",
     {"Roberto", "Posso installare il programma sia sul fisso sia sul portatile?"},
     {{{"Staff Sintonia", "Certo, Sintonia è gratuito: installalo dove vuoi."}, {}}}},
    {"Segnalazione: un'emittente non si sente più",
     {"Silvia", "La mia radio di quartiere da ieri non parte. Chi può controllare?"},
     {{{"Staff Sintonia", "Grazie della segnalazione, verifichiamo con l'emittente."}, {}}}},
    {"Le più cliccate della settimana",
     {"Tommaso", "Ogni lunedì guardo chi è salito in classifica. Questa settimana sorprese?"},
     {{{"Marta", "Il calcio della domenica spinge sempre in alto le radio sportive."},
       {"Luca", "E Sanremo non scende mai!"}}}},
    {"Musica classica per studiare",
     {"Chiara", "Mi servono radio tranquille per lo studio, senza pubblicità se possibile."},
     {{{"Paolo", "Virtù Classica e Radio Barocca, da provare."}, {}}}},
    {"Come funziona la radio personale",
     {"Beppe", "Ho scelto la mia radio personale ma non capisco dove compare."},
     {{{"Staff Sintonia", "Compare in cima alle liste e parte con un clic sul pulsante "
                          "dedicato."},
       {}}}},
    {"Sudoku tra una canzone e l'altra",
     {"Anna", "Qualcuno ha finito lo schema difficile di ieri?"},
     {{{"Roberto", "Io ci ho messo un'ora e tre canzoni di Sinatra."}, {}}}},
    {"Radio straniere per imparare le lingue",
     {"Irene", "Vorrei ascoltare radio in inglese e in spagnolo per esercitarmi."},
     {{{"Giulia", "Prova le radio di notizie: parlano chiaro e lentamente."}, {}}}},
    {"Partite in diretta: quali radio le trasmettono?",
     {"Davide", "La domenica non ho la televisione: dove ascolto le partite?"},
     {{{"Marco", "Radio Calcio Totale fa tutte le dirette di serie A."},
       {"Davide", "Perfetto, grazie."}}}},
    {"Consigli per le cuffie",
     {"Silvia", "Quali cuffie usate per ascoltare la radio dal computer?"},
     {{{"Beppe", "Per la radio bastano cuffie semplici, l'importante è che siano comode."}, {}}}},
    {"Emittenti di musica anni '60",
     {"Franco", "Cerco canzoni degli anni Sessanta, italiane e straniere."},
     {{{"Chiara", "Radio Bella Età trasmette solo quelle, tutto il giorno."}, {}}}},
    {"Aggiornamento alla versione 4.5",
     {"Tommaso", "Ho aggiornato: le notizie scorrevoli sono una bella novità."},
     {{{"Irene", "Anche per me, le leggo tra una canzone e l'altra."}, {}}}},
    {"Le notizie scorrevoli: si possono cambiare?",
     {"Carla", "Vorrei vedere solo le notizie di sport."},
     {{{"Staff Sintonia", "Nelle opzioni puoi scegliere la categoria delle notizie."}, {}}}},
    {"Grazie agli sviluppatori",
     {"Marta", "Uso Sintonia da anni e non mi ha mai lasciata senza musica. Grazie!"},
     {{{"Staff Sintonia", "Grazie a te: messaggi così ci fanno andare avanti."}, {}}}},
}};

} // namespace

std::span<const ForumTopic, kForumTopicCount> forum_topics() { return kTopics; }

} // namespace station
