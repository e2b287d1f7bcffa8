#pragma once

#include "app/languagetable.h"
#include "platform/languagetext.h"

class QWidget;

// The language in use and the rewriting of the captions and hints that follow it.
class Language final : public LanguageTextSource
{
public:
    void fill() { m_table.fill(); }
    int CurrentLanguage() const { return m_current; }
    // A row outside 1..4 counts as Italian.
    void setCurrentLanguage(int row) { m_current = normalisedLanguage(row); }
    QString LanguageText(int key) const override { return m_table.text(m_current, key); }

    // Makes `n` the language in use and rewrites the texts of the main window and, where
    // they exist, of the options dialog and the scheduled-station picker.
    void ApplyLanguage(int n, QWidget *mainWindow);

private:
    TTraduzione m_table;
    int m_current = LanguageRow::Italian;
};
