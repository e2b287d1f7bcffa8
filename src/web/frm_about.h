#pragma once

#include <QDialog>

class Shell;

// The About box (400 x 312, modal, centred): the program's name and version, the logo,
// the maker's site, the contacts and the translators.
class TFrm_About final : public QDialog
{
    Q_OBJECT

public:
    // `mainSite` and `secondSite` are host[:port] of the maker's main and second sites.
    TFrm_About(Shell &shell, const QString &mainSite, const QString &secondSite, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
};
