#pragma once

#include "settings/personalslots.h"

#include <QStringList>

#include <optional>

class Dialogs;
class StationPicker;
class QWidget;

// Choosing a station on the service's search page: the picker window shows the page, the
// page's title confirms the choice and its saved source holds the station.
namespace PersonalPick {

inline constexpr char PagePath[] = "/Radio/radioPersonale.asp";
inline constexpr char NothingChosenText[] = "Nessuna radio selezionata";
// How long the pick waits for the confirmation page's save to finish.
inline constexpr int CaptureWaitMs = 10000;

// The title of the page once a station is chosen: "Radio personale - " and the site's name.
QString confirmationTitle();

// The chosen station from the saved page: id on line 39 (0 when not a number), name on
// line 41, caption on line 43; missing lines give empty values.
TRadio fromCapture(const QStringList &lines);

// Shows `picker` on the search page of `serverRoot` and returns the station the user
// confirmed, or nothing (with a message when the page was left without a choice, with an
// error box when the saved page cannot be read).
std::optional<TRadio> pickStation(StationPicker &picker, const QString &serverRoot, Dialogs &dialogs,
                                  QWidget *messageParent);

} // namespace PersonalPick
