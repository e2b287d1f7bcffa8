#pragma once

#include <QFrame>

// Pnl_InizializzaRecording: lies over the recording page while the recorder component is
// not installed. Its three texts and two pictures all lead to the installer.
class InstallPanel final : public QFrame
{
    Q_OBJECT

signals:
    void clicked();

public:
    InstallPanel(QWidget *parent, const QString &installerAddress);
};
