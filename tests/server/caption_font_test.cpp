// The row-width estimate of imported captions against the font the client's station
// rows really use (bold 11-pixel Tahoma, or the font that stands in for it here).
#include "cp1252.h"
#include "import_text.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace station {
namespace {

QFont row_font() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  font.setBold(true);
  return font;
}

TEST(CaptionFont, NoCharacterIsWiderThanItsEstimate) {
  const QFontMetrics metrics(row_font());
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    const std::string utf8 = cp1252_to_utf8(std::string(1, static_cast<char>(byte)));
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (byte == 0x7F || (byte >= 0x80 && byte < 0xA0 && text.at(0).unicode() < 0xA0))
      continue; // no character there
    EXPECT_LE(metrics.horizontalAdvance(text), row_text_width(utf8)) << "byte " << byte;
  }
}

TEST(CaptionFont, CaptionsFitTheRow) {
  const QFontMetrics metrics(row_font());
  for (const char *name :
       {"Radio Musica Classica Italiana Sempre", "WWWWWWWWWWWWWWWWWWWWWWWW",
        "Über Müßiggänger Rádió Œuvre – “Citazioni” €uro", "mmmm mmmm mmmm mmmm mmmm",
        "iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii", "Radio Città"}) {
    const std::string caption = fit_caption(name);
    const QString text = QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    EXPECT_LE(metrics.horizontalAdvance(text), kRowPixels) << caption;
    EXPECT_LE(metrics.boundingRect(text).width(), kRowPixels) << caption;
  }
}

} // namespace
} // namespace station

int main(int argc, char **argv) {
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
