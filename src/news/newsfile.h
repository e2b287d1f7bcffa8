#pragma once

#include <QString>
#include <QStringList>

// "NewsSN.txt": the category the ticker shows ("0" none) and the display time in seconds.
struct NewsFile
{
    static constexpr char FileName[] = "NewsSN.txt";
    static constexpr int DefaultSeconds = 30;

    QString categoryText = QStringLiteral("0");
    int seconds = DefaultSeconds;

    // The category as a number: 0 when the text is not one.
    int category() const;
    // A display time typed or read: a whole number of seconds from 1, otherwise 30.
    static int secondsFrom(const QString &text);

    static NewsFile fromLines(const QStringList &lines);
    static QStringList toLines(int category, int seconds);
};
