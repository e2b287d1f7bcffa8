#include "news/newsfile.h"

#include "settings/optionsfile.h"

int NewsFile::category() const
{
    return OptionsFile::decimal(categoryText, 0);
}

int NewsFile::secondsFrom(const QString &text)
{
    const int seconds = OptionsFile::decimal(text, DefaultSeconds);
    return seconds >= 1 ? seconds : DefaultSeconds;
}

NewsFile NewsFile::fromLines(const QStringList &lines)
{
    NewsFile file;
    if (lines.isEmpty())
        return file;
    file.categoryText = lines[0].left(100);
    file.seconds = secondsFrom(lines.value(1));
    return file;
}

QStringList NewsFile::toLines(int category, int seconds)
{
    return {QString::number(category), QString::number(seconds)};
}
