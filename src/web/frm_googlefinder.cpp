#include "web/frm_googlefinder.h"

TFrm_GoogleFinder::TFrm_GoogleFinder(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_GoogleFinder"));
    setWindowTitle(QString::fromUtf8("Ricerca con Google"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}
