#pragma once

#include <QDialog>

// The small web search window.
class TFrm_GoogleFinder final : public QDialog
{
    Q_OBJECT

public:
    explicit TFrm_GoogleFinder(QWidget *parent = nullptr);
};
