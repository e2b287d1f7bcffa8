#include "recording/installpanel.h"

#include "platform/clickablelabel.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

// The panel's two pictures, drawn here: a download arrow and the component's box.
QPixmap downloadPicture()
{
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 128, 192));
    painter.setPen(Qt::NoPen);
    painter.drawRect(24, 6, 16, 26);
    QPainterPath head;
    head.moveTo(10, 30);
    head.lineTo(54, 30);
    head.lineTo(32, 52);
    head.closeSubpath();
    painter.drawPath(head);
    painter.setBrush(QColor(113, 184, 255));
    painter.drawRect(8, 54, 48, 6);
    return picture;
}

QPixmap componentPicture()
{
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 64, 96), 2));
    painter.setBrush(QColor(113, 184, 255));
    painter.drawRoundedRect(8, 14, 48, 40, 6, 6);
    painter.setBrush(QColor(255, 0, 0));
    painter.drawEllipse(QPointF(32, 34), 10, 10);
    return picture;
}

ClickableLabel *item(QWidget *parent, const QString &name, const QString &accessible)
{
    auto *label = new ClickableLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(accessible);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

InstallPanel::InstallPanel(QWidget *parent, const QString &installerAddress)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("Pnl_InizializzaRecording"));
    setAccessibleName(QStringLiteral("Installazione del componente di registrazione"));
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);

    auto *layout = new QVBoxLayout(this);
    layout->addStretch();

    auto *intro = item(this, QStringLiteral("Lbl_InizializzaTesto"), QStringLiteral("Istruzioni di installazione"));
    intro->setText(QString::fromUtf8("Per utilizzare la funzione di registrazione, è necessario installare il componente "
                                     "gratuito presente al seguente link:"));
    intro->setWordWrap(true);

    auto *link = item(this, QStringLiteral("Lbl_InizializzaLink"), QStringLiteral("Installa il componente"));
    link->setText(installerAddress);
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
    QPalette blue = link->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    link->setPalette(blue);

    auto *hint = item(this, QStringLiteral("Lbl_InizializzaEsegui"), QStringLiteral("Suggerimento di installazione"));
    hint->setText(QStringLiteral("Per una corretta installazione, rispondere ESEGUI quando richiesto"));
    hint->setWordWrap(true);

    auto *download = item(this, QStringLiteral("Img_InizializzaDownload"), QStringLiteral("Scarica il componente"));
    download->setPixmap(downloadPicture());
    auto *component = item(this, QStringLiteral("Img_InizializzaComponente"), QStringLiteral("Componente di registrazione"));
    component->setPixmap(componentPicture());

    auto *pictures = new QHBoxLayout;
    pictures->addStretch();
    pictures->addWidget(download);
    pictures->addWidget(component);
    pictures->addStretch();

    layout->addWidget(intro);
    layout->addWidget(link);
    layout->addWidget(hint);
    layout->addLayout(pictures);
    layout->addStretch();

    for (ClickableLabel *label : {intro, link, hint, download, component})
        connect(label, &ClickableLabel::clicked, this, &InstallPanel::clicked);
}
