#pragma once

#include <QDialog>

// The picker of a personal station, on the service's search page.
class TFrm_RadioPersonale final : public QDialog
{
    Q_OBJECT

public:
    explicit TFrm_RadioPersonale(QWidget *parent = nullptr);
};
