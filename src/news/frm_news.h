#pragma once

#include <QWidget>

// The news ticker that slides in at the bottom right of the screen.
class TFrm_News final : public QWidget
{
    Q_OBJECT

public:
    explicit TFrm_News(QWidget *parent = nullptr);
};
