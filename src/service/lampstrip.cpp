#include "service/lampstrip.h"

#include <QLabel>
#include <QPixmap>

namespace LampStrip {

namespace {

QLabel *picture(QWidget *parent, const QString &name, const QString &file, int left, int top)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(QPixmap(file));
    label->setGeometry(left, top, 7, 7);
    return label;
}

} // namespace

void build(QWidget *pnlTv)
{
    const QString off = QStringLiteral(":/service/pictures/lamp_off.png");
    const QString on = QStringLiteral(":/service/pictures/lamp_on.png");
    picture(pnlTv, QStringLiteral("Img_ServerOn"), on, 0, 0)->hide();
    picture(pnlTv, QStringLiteral("Img_ServerOff"), off, 0, 0)->hide();
    picture(pnlTv, QStringLiteral("Img_Server0"), off, 604, 51);
    for (int n = 1; n <= 6; ++n) {
        QLabel *lamp = picture(pnlTv, QStringLiteral("Img_Server%1").arg(n), off, 561 + 7 * (n - 1), 51);
        lamp->setAccessibleName(QStringLiteral("Mirror %1").arg(n));
    }
}

void setLamp(QWidget *root, int n, bool lit)
{
    if (!root)
        return;
    auto *lamp = root->findChild<QLabel *>(QStringLiteral("Img_Server%1").arg(n));
    auto *source = root->findChild<QLabel *>(lit ? QStringLiteral("Img_ServerOn") : QStringLiteral("Img_ServerOff"));
    if (!lamp || !source)
        return;
    lamp->setPixmap(source->pixmap());
    lamp->setProperty("lit", lit);
    lamp->setAccessibleDescription(lit ? QStringLiteral("in use") : QString());
}

} // namespace LampStrip
