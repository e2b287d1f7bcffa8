#include "platform/fakes/fakeplatform.h"

bool ScriptedDialogs::question(QWidget *, const QString &, const QString &text)
{
    questions.append(text);
    return questionAnswers.isEmpty() ? false : questionAnswers.takeFirst();
}

bool ScriptedDialogs::input(QWidget *, const QString &, const QString &prompt, QString &value)
{
    prompts.append(prompt);
    if (inputAnswers.isEmpty())
        return false;
    const QString answer = inputAnswers.takeFirst();
    if (answer.isNull())
        return false;
    value = answer;
    return true;
}

int ScriptedRandom::draw(int n)
{
    const int value = draws.isEmpty() ? 0 : draws.takeFirst();
    return n < 1 ? 0 : ((value % n) + n) % n;
}
