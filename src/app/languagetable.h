#pragma once

#include <QString>

#include <array>

// Language rows of the interface text table.
namespace LanguageRow {
inline constexpr int Italian = 1;
inline constexpr int English = 2;
inline constexpr int French = 3;
inline constexpr int Spanish = 4;
inline constexpr int Count = 4;
} // namespace LanguageRow

// A language row outside 1..4 (for instance a damaged language line of the options
// file) never reaches the table: it counts as Italian.
constexpr int normalisedLanguage(int row) noexcept
{
    return row >= LanguageRow::Italian && row <= LanguageRow::Count ? row : LanguageRow::Italian;
}

// The interface texts, addressed by language row and key. Rows 1 to 4 are the four
// languages; row 5 is part of the table but never filled. The main window owns one
// value, fills it once while it is being created and only reads it afterwards.
class TTraduzione {
public:
    static constexpr int Rows = 5;
    static constexpr int Keys = 128;

    // Fills rows 1..4 with the fixed texts; row 5 stays empty.
    void fill();

    // The text of a key (1..128) in a row (1..5). Outside those ranges, and before
    // fill(), the text is empty.
    QString text(int row, int key) const;

private:
    std::array<std::array<QString, Keys>, Rows> m_texts;
};
