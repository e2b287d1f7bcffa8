#include "news/frm_gestionenews.h"

TFrm_GestioneNews::TFrm_GestioneNews(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_GestioneNews"));
    setWindowTitle(QString::fromUtf8("Gestione news"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}
