#include "settings/frm_radioprogrammata.h"

TFrm_RadioProgrammata::TFrm_RadioProgrammata(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_RadioProgrammata"));
    setWindowTitle(QString::fromUtf8("Selezione radio personale"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}
