#include "playback/mediacontrol.h"

#include "playback/playback.h"
#include "service/catalogue.h"
#include "service/webaddress.h"

MediaControl::MediaControl(Playback &playback, const CatalogueStore &catalogue, MediaControlHooks hooks,
                           QObject *parent)
    : QObject(parent)
    , m_playback(playback)
    , m_catalogue(catalogue)
    , m_hooks(std::move(hooks))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &MediaControl::settled);
    connect(&m_playback, &Playback::played, this, &MediaControl::Played);
}

MediaControl::~MediaControl()
{
    if (m_remote)
        m_remote->attach(nullptr);
}

void MediaControl::setRemote(MediaRemote *remote)
{
    if (m_remote)
        m_remote->attach(nullptr);
    m_remote = remote;
    if (m_remote) {
        m_remote->attach(this);
        m_remote->publish(m_published);
    }
}

// Every way into the listening pane ends here, the window's own and ours.
void MediaControl::Played(const PlayRequest &request)
{
    m_last = request;
    sounding();
}

// The listening pane plays again: nothing waits to be played, nothing is silenced.
void MediaControl::sounding()
{
    m_pending.reset();
    m_settle.stop();
    m_silent = false;
    m_status = Media::Status::Playing;
    publish();
}

void MediaControl::listeningPaneMoved()
{
    if (m_silent)
        sounding();
}

void MediaControl::command(Media::Command command)
{
    switch (command) {
    case Media::Command::Play: play(); break;
    case Media::Command::Pause: silence(Media::Status::Paused); break;
    case Media::Command::PlayPause:
        if (m_status == Media::Status::Playing)
            silence(Media::Status::Paused);
        else
            play();
        break;
    case Media::Command::Stop: silence(Media::Status::Stopped); break;
    case Media::Command::Raise:
        if (m_hooks.raise)
            m_hooks.raise();
        break;
    case Media::Command::Quit:
        if (m_hooks.quit)
            m_hooks.quit();
        break;
    }
}

void MediaControl::play()
{
    // Nothing played yet: nothing to play again.
    if (m_status == Media::Status::Playing || m_last.way == PlayRequest::Way::None)
        return;
    settleOn(m_last);
}

void MediaControl::silence(Media::Status status)
{
    if (m_status == Media::Status::Stopped)
        return; // already silent; a pause does not turn a stop into a pause
    m_pending.reset();
    m_settle.stop();
    if (!m_silent) {
        m_playback.Silence();
        m_silent = true;
    }
    // Stopped names nothing; paused still stands on its station.
    if (status == Media::Status::Stopped)
        m_playback.NowPlayingNotice(false, true);
    m_status = status;
    publish();
}

void MediaControl::step(int steps)
{
    const int slot = walk(steps);
    if (slot == 0)
        return; // no list, an empty one, or its end: nothing happens
    const PlayRequest &from = current();
    const qint32 id = StationWalk::positionOf(from).list == StationWalk::List::Favourites && m_hooks.favouriteId
        ? m_hooks.favouriteId(slot)
        : 0;
    settleOn(StationWalk::requestFor(from, slot, id));
}

void MediaControl::settleOn(const PlayRequest &request)
{
    m_pending = request;
    m_status = Media::Status::Playing;
    m_settle.start(); // a further request starts the settle anew
    publish();
}

void MediaControl::settled()
{
    if (!m_pending)
        return;
    const PlayRequest request = *m_pending;
    m_pending.reset();
    const PlayRequest before = m_last;
    m_last = PlayRequest();
    m_playback.Replay(request); // comes back through Played
    if (m_last.way == PlayRequest::Way::None) {
        // The station is no longer there to play (the list changed meanwhile).
        m_last = before;
        if (m_silent)
            m_status = Media::Status::Stopped;
    }
    publish();
}

bool MediaControl::filled(StationWalk::List list, int slot) const
{
    switch (list) {
    case StationWalk::List::Catalogue1:
    case StationWalk::List::Catalogue3: {
        const CatalogueEntry *entry = m_catalogue.slot(list == StationWalk::List::Catalogue1 ? 1 : 3, slot);
        return entry && !entry->Name.isEmpty() && WebAddress::isWebPage(entry->Url);
    }
    case StationWalk::List::Favourites: return m_hooks.favouriteId && m_hooks.favouriteId(slot) != 0;
    case StationWalk::List::None: break;
    }
    return false;
}

int MediaControl::walk(int steps) const
{
    const StationWalk::Position from = StationWalk::positionOf(current());
    return StationWalk::walk(from, steps, [this, list = from.list](int slot) { return filled(list, slot); });
}

void MediaControl::refresh()
{
    publish();
}

void MediaControl::publish()
{
    Media::State state;
    state.status = m_status;
    state.canPlay = m_last.way != PlayRequest::Way::None;
    state.canPause = m_status == Media::Status::Playing;
    state.canGoNext = walk(1) != 0;
    state.canGoPrevious = walk(-1) != 0;
    if (state == m_published)
        return;
    m_published = state;
    emit stateChanged(state);
    if (m_remote)
        m_remote->publish(state);
}
