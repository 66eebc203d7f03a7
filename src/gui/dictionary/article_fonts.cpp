#include "article_fonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#include <array>

namespace lexmora::gui {

namespace {

QString FirstInstalled(const QStringList& candidates, const QString& otherwise) {
  const QStringList installed = QFontDatabase::families();
  for (const QString& name : candidates)
    if (installed.contains(name, Qt::CaseInsensitive)) return name;
  return otherwise;
}

// Families that carry Latin Extended (Azeri), Cyrillic and IPA letters.
const QStringList& WideCoverageFamilies() {
  static const QStringList families = {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                                       QStringLiteral("Liberation Sans"), QStringLiteral("FreeSans")};
  return families;
}

}  // namespace

QString MappedFamily(const QString& storedName) {
  static QHash<QString, QString> cache;
  const QString key = storedName.toLower();
  auto it = cache.find(key);
  if (it != cache.end()) return *it;
  QString family;
  if (key == QLatin1String("arial") || key.isEmpty()) {
    // Metric-compatible with Arial first, so that lines break as designed.
    family = FirstInstalled({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                             QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans")},
                            QStringLiteral("Sans Serif"));
  } else if (key == QLatin1String("arial unicode ms")) {
    // Transcriptions need IPA letters: the families with the widest coverage.
    family = FirstInstalled({QStringLiteral("Arial Unicode MS"), QStringLiteral("DejaVu Sans"),
                             QStringLiteral("Noto Sans"), QStringLiteral("Liberation Sans")},
                            QStringLiteral("Sans Serif"));
  } else {
    family = FirstInstalled({storedName}, MappedFamily(QStringLiteral("Arial")));
  }
  cache.insert(key, family);
  return family;
}

QFont MappedFont(const QString& storedName) {
  QFont font;
  QStringList families{MappedFamily(storedName)};
  for (const QString& f : WideCoverageFamilies())
    if (!families.contains(f)) families << f;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QTextCharFormat ArticleStyleFormat(int style) {
  static std::array<QTextCharFormat, kArticleStyleCount + 1> formats;
  static bool built = false;
  if (!built) {
    built = true;
    // Slot 0: the view's own initial style.
    {
      QTextCharFormat& f = formats[0];
      f.setFontFamilies(MappedFont(QStringLiteral("Arial")).families());
      f.setFontPointSize(10);
      f.setFontWeight(QFont::Bold);
      f.setForeground(QColor(0x00, 0x00, 0xFF));
    }
    const ArticleStyleArray& table = ArticleStyleTable();
    for (int i = 0; i < kArticleStyleCount; ++i) {
      const TFontInfo& info = table[static_cast<std::size_t>(i)];
      QTextCharFormat& f = formats[static_cast<std::size_t>(i + 1)];
      f.setFontFamilies(MappedFont(QString::fromStdString(info.fontName)).families());
      // Empty styles keep the size of the view's default text.
      f.setFontPointSize(info.size > 0 ? info.size : 10);
      const std::uint32_t c = info.colour;
      f.setForeground(QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                             static_cast<int>((c >> 16) & 0xFF)));
      f.setFontWeight(info.fontStyle & kBold ? QFont::Bold : QFont::Normal);
      f.setFontItalic(info.fontStyle & kItalic);
      f.setFontUnderline(info.fontStyle & kUnderline);
      f.setFontStrikeOut(info.fontStyle & kStrikeOut);
    }
  }
  const int slot = style >= 0 && style < kArticleStyleCount ? style + 1 : 0;
  return formats[static_cast<std::size_t>(slot)];
}

}  // namespace lexmora::gui
