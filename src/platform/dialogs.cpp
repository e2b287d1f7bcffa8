#include "platform/dialogs.h"

#include <QInputDialog>
#include <QMessageBox>

namespace {

// A box whose text is shown as it is, never as markup: it may carry texts from pages.
int ask(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text,
        QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

const QString ProgramName = QStringLiteral("Sintonia");

} // namespace

void QtDialogs::message(QWidget *parent, const QString &text)
{
    ask(parent, QMessageBox::Information, ProgramName, text, QMessageBox::Ok);
}

void QtDialogs::error(QWidget *parent, const QString &text)
{
    ask(parent, QMessageBox::Critical, ProgramName, text, QMessageBox::Ok);
}

bool QtDialogs::question(QWidget *parent, const QString &title, const QString &text)
{
    return ask(parent, QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtDialogs::input(QWidget *parent, const QString &title, const QString &prompt, QString &value)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = text;
    return ok;
}
