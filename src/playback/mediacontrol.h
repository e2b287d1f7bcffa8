#pragma once

#include "platform/mediaplayer.h"
#include "playback/playrequest.h"
#include "playback/stationwalk.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

struct CatalogueStore;
class Playback;

// What the media controls reach beyond playback.
struct MediaControlHooks
{
    std::function<qint32(int slot)> favouriteId; // the id of personal station 1..15, 0 when empty
    std::function<void()> raise;                 // the window comes back from the tray
    std::function<void()> quit;                  // as the "Esci" menu entry does
};

// The desktop's media controls on the main window: play plays the last station again the
// way it was played, pause and stop leave the listening pane silent, next and previous
// walk the list the station came from. A burst of play, next and previous requests plays
// once, the last one, after a short settle.
class MediaControl final : public QObject, public MediaCommands
{
    Q_OBJECT

signals:
    void stateChanged(const Media::State &state);

public:
    static constexpr int SettleMs = 250;

    MediaControl(Playback &playback, const CatalogueStore &catalogue, MediaControlHooks hooks,
                 QObject *parent = nullptr);
    ~MediaControl() override;

    // Where the state goes and the commands come from; nullptr: nowhere.
    void setRemote(MediaRemote *remote);
    void command(Media::Command command) override;
    void step(int steps) override;
    // The lists may have changed (a catalogue arrived or went, the favourites were saved).
    void refresh();
    // The user took the listening pane back or forward in its history: after a pause or a
    // stop it shows a page again, which plays.
    void listeningPaneMoved();

    Media::State state() const { return m_published; }
    PlayRequest lastPlayed() const { return m_last; }
    bool settling() const { return m_settle.isActive(); }

private:
    void Played(const PlayRequest &request);
    void sounding();
    void play();
    void silence(Media::Status status);
    void settleOn(const PlayRequest &request);
    void settled();
    const PlayRequest &current() const { return m_pending ? *m_pending : m_last; }
    bool filled(StationWalk::List list, int slot) const;
    int walk(int steps) const;
    void publish();

    Playback &m_playback;
    const CatalogueStore &m_catalogue;
    MediaControlHooks m_hooks;
    MediaRemote *m_remote = nullptr;
    PlayRequest m_last;                   // what played last
    std::optional<PlayRequest> m_pending; // what plays once the requests settle
    QTimer m_settle;
    Media::Status m_status = Media::Status::Stopped;
    bool m_silent = false; // the pane was made silent and nothing played since
    Media::State m_published;
};
