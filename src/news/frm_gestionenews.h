#pragma once

#include <QDialog>

// The news settings window: category and display time of the ticker.
class TFrm_GestioneNews final : public QDialog
{
    Q_OBJECT

public:
    explicit TFrm_GestioneNews(QWidget *parent = nullptr);
};
