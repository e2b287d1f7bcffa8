#include "settings/proxy.h"

#include "platform/dialogs.h"
#include "platform/languagetext.h"
#include "platform/proxycontrol.h"
#include "platform/textfile.h"

#include <QFile>

Proxy::Proxy(QString settingsFolder, ProxyControl &control, Dialogs &dialogs, const LanguageTextSource &texts,
             QWidget *messageParent)
    : m_settingsFolder(std::move(settingsFolder))
    , m_control(control)
    , m_dialogs(dialogs)
    , m_texts(texts)
    , m_messageParent(messageParent)
{
}

QString Proxy::filePath() const
{
    return m_settingsFolder + QLatin1String(ProxySettings::FileName);
}

void Proxy::ReadAtStartup()
{
    if (QFile::exists(filePath())) {
        QString failure;
        if (const std::optional<QStringList> lines = TextFile::readLines(filePath(), failure))
            m_settings = ProxySettings::fromLines(*lines);
        else
            m_dialogs.error(m_messageParent, failure);
    }
    apply();
}

void Proxy::apply()
{
    switch (m_settings.outcome()) {
    case ProxySettings::Outcome::Proxy: m_control.ApplyProxy(true, m_settings.address, m_settings.port); break;
    case ProxySettings::Outcome::Direct: m_control.ApplyProxy(false, m_settings.address, m_settings.port); break;
    case ProxySettings::Outcome::Untouched: break; // the desktop's settings, or what was set before
    }
}

void Proxy::askFor(QString &stored, int questionKey, int captionKey, int inputCaptionKey, int promptKey)
{
    if (!stored.isEmpty() && m_dialogs.question(m_messageParent, m_texts.LanguageText(captionKey),
                                                m_texts.LanguageText(questionKey))) {
        stored.clear();
        return;
    }
    QString answer = stored;
    if (!m_dialogs.input(m_messageParent, m_texts.LanguageText(inputCaptionKey),
                         m_texts.LanguageText(promptKey) + QLatin1Char(':'), answer))
        return; // a cancelled box gives its default back: nothing changes
    if (!answer.isEmpty())
        stored = answer.left(ProxySettings::MaxTextLength);
}

void Proxy::EditProxy()
{
    askFor(m_settings.address, 69, 70, 72, 73);
    askFor(m_settings.port, 75, 76, 78, 79);
    if (m_settings.address.isEmpty() && m_settings.port.isEmpty())
        m_settings.useBrowserDefaults = m_dialogs.question(m_messageParent, m_texts.LanguageText(82),
                                                           m_texts.LanguageText(81));
    const QString failure = TextFile::writeLines(filePath(), m_settings.toLines());
    if (!failure.isEmpty()) {
        m_dialogs.error(m_messageParent, failure);
        return;
    }
    apply();
}
