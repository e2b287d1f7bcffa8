#include "settings/frm_radioprogrammata.h"

#include <QGridLayout>
#include <QPushButton>

TFrm_RadioProgrammata::TFrm_RadioProgrammata(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_RadioProgrammata"));
    setWindowTitle(QStringLiteral("Selezione radio personale"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto *layout = new QGridLayout(this);
    const struct { const char *name; const char *text; } buttons[] = {
        {"BitBtn1", "Esci senza salvare"}, {"BitBtn2", "Salva ed esci"}};
    int column = 0;
    for (const auto &b : buttons) {
        auto *button = new QPushButton(QString::fromUtf8(b.text), this);
        button->setObjectName(QLatin1String(b.name));
        layout->addWidget(button, 1, column++);
    }
}
