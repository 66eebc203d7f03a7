#include "context_word.h"

namespace lexmora::gui {

bool IsWordDelimiter(QChar ch) {
  switch (ch.unicode()) {
    case ' ': case '.': case ';': case ',': case ':': case '(': case ')': case '{': case '}': case '"':
    case '\t': case 0x00A0: case 0x2029: case 0x2028: case 0xFFFC: case '\r': case '\n':
      return true;
    default:
      return false;
  }
}

QString WordAt(const QString& text, int pos) {
  if (pos < 0 || pos > text.size()) return {};
  int start = pos;
  int end = pos;
  while (start > 0 && !IsWordDelimiter(text[start - 1])) --start;
  while (end < text.size() && !IsWordDelimiter(text[end])) ++end;
  return text.mid(start, end - start);
}

QString TrimClickedWord(QString word) {
  static const QString trailing = QStringLiteral("!?;,./@");
  while (!word.isEmpty() && trailing.contains(word.back())) word.chop(1);
  return word;
}

QString BeforeFirstReturn(const QString& text) {
  int cut = text.size();
  for (QChar stop : {QChar('\r'), QChar(0x2029), QChar(0x2028), QChar('\n')}) {
    const int at = text.indexOf(stop);
    if (at >= 0 && at < cut) cut = at;
  }
  return text.left(cut);
}

}  // namespace lexmora::gui
