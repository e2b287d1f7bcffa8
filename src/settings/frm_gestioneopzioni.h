#pragma once

#include <QDialog>

// The options dialog with its three pages.
class TFrm_GestioneOpzioni final : public QDialog
{
    Q_OBJECT

public:
    explicit TFrm_GestioneOpzioni(QWidget *parent = nullptr);
};
