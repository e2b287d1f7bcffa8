#include "settings/frm_gestioneopzioni.h"

TFrm_GestioneOpzioni::TFrm_GestioneOpzioni(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_GestioneOpzioni"));
    setWindowTitle(QString::fromUtf8("Opzioni Sintonia"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
}
