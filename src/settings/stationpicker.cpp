#include "settings/stationpicker.h"

#include "platform/screencentre.h"

#include "platform/webpane.h"
#include "service/pickercapture.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

StationPicker::StationPicker(const QString &name, const QString &caption, PaneFactory &panes, Dialogs &dialogs,
                             const QString &tempFolder, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    resize(544, 390);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_browser = panes.createPane(this, QStringLiteral("WebBrowser1"));
    m_browser->widget()->setAccessibleName(caption);
    layout->addWidget(m_browser->widget(), 1);

    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("Pnl_Pulsanti"));
    bar->setAutoFillBackground(true);
    QPalette black = bar->palette();
    black.setColor(QPalette::Window, Qt::black);
    bar->setPalette(black);
    auto *buttons = new QHBoxLayout(bar);
    buttons->addStretch(1);
    const struct { const char *name; const char *text; DialogCode result; } closers[] = {
        {"BitBtn1", "Esci senza salvare", QDialog::Rejected}, {"BitBtn2", "Salva ed esci", QDialog::Accepted}};
    for (const auto &c : closers) {
        auto *button = new QPushButton(QString::fromUtf8(c.text), bar);
        button->setObjectName(QLatin1String(c.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, result = c.result] { done(result); });
        buttons->addWidget(button);
    }
    layout->addWidget(bar);

    connect(m_browser, &WebPane::titleChange, this, &StationPicker::WebBrowser1TitleChange);
    m_capture = new PickerCapture(*m_browser, dialogs, this, tempFolder, this);
}

StationPicker::~StationPicker() = default;

void StationPicker::WebBrowser1TitleChange(const QString &text)
{
    m_lastTitle = text;
}

void StationPicker::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}
