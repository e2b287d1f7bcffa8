#pragma once

#include <QDialog>

// The About box.
class TFrm_About final : public QDialog
{
    Q_OBJECT

public:
    explicit TFrm_About(QWidget *parent = nullptr);
};
