#pragma once

#include "settings/stationpicker.h"

// The picker of a scheduled station; its caption and buttons follow the interface language.
class TFrm_RadioProgrammata final : public StationPicker
{
    Q_OBJECT

public:
    TFrm_RadioProgrammata(PaneFactory &panes, Dialogs &dialogs, const QString &tempFolder, QWidget *parent = nullptr)
        : StationPicker(QStringLiteral("Frm_RadioProgrammata"), QStringLiteral("Selezione radio personale"), panes,
                        dialogs, tempFolder, parent)
    {
    }
};
