#pragma once

#include <QDialog>

// The picker of a scheduled station, on the service's search page.
class TFrm_RadioProgrammata final : public QDialog
{
    Q_OBJECT

public:
    explicit TFrm_RadioProgrammata(QWidget *parent = nullptr);
};
