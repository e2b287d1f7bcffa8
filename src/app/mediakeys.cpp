#include "app/mediakeys.h"

#include "app/frm_sintonia.h"
#include "app/windowmodes.h"
#include "playback/mediacontrol.h"
#include "playback/playback.h"
#include "service/cataloguecapture.h"
#include "service/mirrors.h"
#include "settings/options.h"

#include <QAction>

namespace MediaKeys {

MediaControl *build(TFrm_Sintonia &window, MediaRemote *remote)
{
    MediaControlHooks hooks;
    hooks.favouriteId = [&window](int n) {
        const TRadio *radio = window.options().personalSlots().slot(n);
        return radio ? radio->Id : 0;
    };
    hooks.raise = [&window] { window.modes().ShowFromTray(); };
    // Quit is the "Esci" menu entry.
    hooks.quit = [&window] {
        if (auto *esci = window.findChild<QAction *>(QStringLiteral("Esci2")))
            esci->trigger();
    };
    auto *media = new MediaControl(window.playback(), window.catalogue().store(), std::move(hooks), &window);
    QObject::connect(&window.catalogue(), &CatalogueCapture::catalogueParsed, media, &MediaControl::refresh);
    QObject::connect(&window.mirrors(), &Mirrors::catalogueRequested, media, &MediaControl::refresh);
    QObject::connect(&window.options(), &Options::changed, media, &MediaControl::refresh);
    media->setRemote(remote);
    return media;
}

} // namespace MediaKeys
