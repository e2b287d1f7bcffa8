#pragma once

#include "settings/proxysettings.h"

#include <QString>

class Dialogs;
class LanguageTextSource;
class ProxyControl;
class QWidget;

// The user's proxy: read from "PrxSN.txt" at start, changed with EditProxy ("Gestione
// Proxy"), and applied by one rule: a proxy when both address and port are given,
// otherwise a direct connection unless the desktop's own settings are to stay in force.
class Proxy
{
public:
    Proxy(QString settingsFolder, ProxyControl &control, Dialogs &dialogs, const LanguageTextSource &texts,
          QWidget *messageParent);

    // Before the first page is requested.
    void ReadAtStartup();
    void EditProxy();

    const ProxySettings &settings() const { return m_settings; }
    QString filePath() const;

private:
    void apply();
    // The question about a stored value, then the input box; the stored value is replaced
    // by a non-empty answer.
    void askFor(QString &stored, int questionKey, int captionKey, int inputCaptionKey, int promptKey);

    QString m_settingsFolder;
    ProxyControl &m_control;
    Dialogs &m_dialogs;
    const LanguageTextSource &m_texts;
    QWidget *m_messageParent;
    ProxySettings m_settings;
};
