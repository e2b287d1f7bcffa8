#include "news/frm_news.h"

TFrm_News::TFrm_News(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Frm_News"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
}
