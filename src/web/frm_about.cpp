#include "web/frm_about.h"

TFrm_About::TFrm_About(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_About"));
    setWindowTitle(QString::fromUtf8("About - Sintonia by Ventaglio"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}
