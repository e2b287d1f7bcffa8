#pragma once

#include "settings/stationpicker.h"

// The picker of a personal station or of the start-up station.
class TFrm_RadioPersonale final : public StationPicker
{
    Q_OBJECT

public:
    TFrm_RadioPersonale(PaneFactory &panes, Dialogs &dialogs, const QString &tempFolder, QWidget *parent = nullptr)
        : StationPicker(QStringLiteral("Frm_RadioPersonale"), QStringLiteral("Selezione radio personale"), panes,
                        dialogs, tempFolder, parent)
    {
    }
};
