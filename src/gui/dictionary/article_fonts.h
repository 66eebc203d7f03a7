// Fonts of the article styles and the word list: the font names stored in
// the style table are mapped to the best installed equivalents, so that
// Azeri, Cyrillic and IPA letters all show.
#pragma once

#include <QFont>
#include <QString>
#include <QTextCharFormat>

#include "article/article_styles.h"

namespace lexmora::gui {

// The installed family that stands in for a stored font name ("Arial",
// "Arial Unicode MS"); the name itself when it is installed and no better
// equivalent is known.
QString MappedFamily(const QString& storedName);

// A font of the mapped family with fallbacks for letters it lacks.
QFont MappedFont(const QString& storedName);

// The character format of one article style: font, size in points, colour,
// bold/italic/underline/strike-out. Style -1 is the view's own initial
// style (Arial 10, blue, bold).
QTextCharFormat ArticleStyleFormat(int style);

}  // namespace lexmora::gui
