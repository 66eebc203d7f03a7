// The word the user right-clicks in an article: words are delimited by
// space, full stop, semicolon, comma, colon, round brackets, braces and the
// double quote; trailing ! ? ; , . / @ are dropped from a clicked word.
#pragma once

#include <QString>

namespace lexmora::gui {

bool IsWordDelimiter(QChar ch);

// The word of text that contains position pos (or ends just before it);
// empty when pos is on a delimiter with no word before it.
QString WordAt(const QString& text, int pos);

// The clicked word without its trailing punctuation.
QString TrimClickedWord(QString word);

// Text up to its first carriage return (or paragraph/line separator).
QString BeforeFirstReturn(const QString& text);

}  // namespace lexmora::gui
