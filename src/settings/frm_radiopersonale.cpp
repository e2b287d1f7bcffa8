#include "settings/frm_radiopersonale.h"

TFrm_RadioPersonale::TFrm_RadioPersonale(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_RadioPersonale"));
    setWindowTitle(QString::fromUtf8("Selezione radio personale"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}
