#include "web/frm_about.h"

#include "platform/clickablelabel.h"
#include "platform/screencentre.h"
#include "platform/shell.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel *text(QWidget *parent, const QString &name, const QString &content)
{
    auto *label = new QLabel(content, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

TFrm_About::TFrm_About(Shell &shell, const QString &mainSite, const QString &secondSite, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Frm_About"));
    setWindowTitle(QStringLiteral("About - Sintonia by Ventaglio"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(400, 312);

    const QString mainRoot = QStringLiteral("http://") + mainSite + QLatin1Char('/');
    const QString forum = QStringLiteral("http://") + secondSite + QStringLiteral("/Forum");
    const auto link = [this, &shell](const QString &name, const QString &caption, const QString &address) {
        auto *l = new ClickableLabel(name, caption, this);
        QFont underlined = l->font();
        underlined.setUnderline(true);
        l->setFont(underlined);
        connect(l, &ClickableLabel::clicked, this, [&shell, address] { shell.open(address); });
        return l;
    };

    auto *grid = new QGridLayout(this);
    auto *logo = link(QStringLiteral("Image1"), QString(), mainRoot);
    logo->setPixmap(QPixmap(QStringLiteral(":/app/pictures/tray.png")).scaled(48, 48, Qt::KeepAspectRatio,
                                                                              Qt::SmoothTransformation));
    logo->setAccessibleName(QStringLiteral("Sintonia"));
    grid->addWidget(logo, 0, 0, 3, 1, Qt::AlignTop);
    int row = 0;
    const auto line = [&](const QString &caption, QWidget *value) {
        grid->addWidget(text(this, QStringLiteral("Lbl_Caption%1").arg(row), caption), row, 1, Qt::AlignTop);
        grid->addWidget(value, row, 2);
        ++row;
    };
    line(QStringLiteral("Autore:"), text(this, QStringLiteral("Label4"),
                                         QStringLiteral("Il gruppo di Sintonia per Linux, dal lavoro di Ventaglio")));
    line(QStringLiteral("Nome applicativo:"), text(this, QStringLiteral("Label5"), QStringLiteral("Sintonia - Versione: 4.5")));
    line(QString(), link(QStringLiteral("Label8"), mainSite, mainRoot));
    grid->addWidget(text(this, QStringLiteral("Lbl_Contatti"), QStringLiteral("Contatti:")), row++, 1);
    int contact = 1;
    for (const char *what : {"Per commenti o suggerimenti sul software:", "Per segnalare radio non funzionanti:",
                             "Per segnalare nuove radio:"}) {
        line(QString::fromUtf8(what), link(QStringLiteral("Lbl_Forum%1").arg(contact++), QStringLiteral("Visita il forum"), forum));
    }
    line(QStringLiteral("Traduzioni:"),
         text(this, QStringLiteral("Lbl_Traduzioni"),
              QStringLiteral("English, Français, Español: i volontari della comunità di Sintonia")));
    auto *close = new QPushButton(QStringLiteral("Esci"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(close, row, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
}

void TFrm_About::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}
