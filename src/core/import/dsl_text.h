// The text of a DSL file: its bytes decoded to UTF-16 and its {{comments}}
// taken out.
#pragma once

#include <string>
#include <string_view>

namespace lexmora {

// The text without its byte order mark. UTF-16 LE or BE by the mark (or, with
// none, by the zero byte of an ASCII first character), else UTF-8. A file
// that is not UTF-8 (a #SOURCE_CODE_PAGE header, or mostly bad sequences
// past ASCII) is read in the 8-bit code page the header names, or failing
// that the one its languages are written in. A UTF-16 file of odd length
// throws ImportError naming fileName, unless head is set: then the bytes are
// the start of a file, cut anywhere.
std::u16string DecodeDslText(std::string_view bytes, std::string_view fileName, bool head = false);

// Takes out every "{{...}}" comment (it may run over several lines; one left
// open ends with its line). "\{" is a brace of the text and starts none.
void RemoveDslComments(std::u16string& text);

}  // namespace lexmora
