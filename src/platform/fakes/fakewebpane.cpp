#include "platform/fakes/fakewebpane.h"

#include <QFile>
#include <QWidget>

FakeWebPane::FakeWebPane(QWidget *parent, const QString &name, QStringList *journal)
    : WebPane(parent)
    , m_widget(new QWidget(parent))
    , m_journal(journal)
{
    setObjectName(name);
    m_widget->setObjectName(name);
}

void FakeWebPane::navigate(const QString &address)
{
    m_navigations.append(address);
    if (m_journal)
        m_journal->append(objectName() + QStringLiteral(": ") + address);
    m_history.resize(m_historyIndex + 1);
    m_history.append(address);
    m_historyIndex = m_history.size() - 1;
    m_location = address;
    m_busy = true;
    const qsizetype colon = address.indexOf(QLatin1Char(':'));
    m_protocol = colon > 0 ? address.left(colon + 1) : QString();
}

bool FakeWebPane::goBack()
{
    if (m_historyIndex <= 0)
        return false;
    ++m_backs;
    if (m_journal)
        m_journal->append(objectName() + QStringLiteral(": back"));
    m_location = m_history[--m_historyIndex];
    return true;
}

bool FakeWebPane::goForward()
{
    if (m_historyIndex + 1 >= m_history.size())
        return false;
    m_location = m_history[++m_historyIndex];
    return true;
}

void FakeWebPane::emitTitle(const QString &title)
{
    m_title = title;
    emit titleChange(title);
}

void FakeWebPane::emitProgress(int progress)
{
    if (progress >= ProgressMax)
        m_busy = false;
    emit progressChange(progress, ProgressMax);
}

void FakeWebPane::finishLoad(const QString &title)
{
    emitTitle(title);
    emitProgress(ProgressMax);
}

void FakeWebPane::setSaveResult(bool ok, const QByteArray &content)
{
    m_saveOk = ok;
    m_saveContent = content;
}

void FakeWebPane::saveDocument(const QString &filePath)
{
    ++m_saves;
    bool ok = m_saveOk;
    if (ok) {
        QFile file(filePath);
        ok = file.open(QIODevice::WriteOnly) && file.write(m_saveContent) == m_saveContent.size();
    }
    QMetaObject::invokeMethod(this, [this, filePath, ok] { emit documentSaved(filePath, ok); },
                              Qt::QueuedConnection);
}

WebPane *FakePaneFactory::createPane(QWidget *parent, const QString &name)
{
    auto *pane = new FakeWebPane(parent, name, &journal);
    m_panes.insert(name, pane);
    return pane;
}
