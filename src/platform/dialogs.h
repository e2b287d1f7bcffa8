#pragma once

#include <QString>

class QWidget;

// Message and input boxes. The program shows them through this interface so that tests
// can script the answers.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual void message(QWidget *parent, const QString &text) = 0;
    // The application's standard error box.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(QWidget *parent, const QString &title, const QString &text) = 0;
    // An input box; returns false when cancelled, otherwise true with the text in `value`.
    virtual bool input(QWidget *parent, const QString &title, const QString &prompt, QString &value) = 0;
};

class QtDialogs final : public Dialogs
{
public:
    void message(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    bool question(QWidget *parent, const QString &title, const QString &text) override;
    bool input(QWidget *parent, const QString &title, const QString &prompt, QString &value) override;
};
