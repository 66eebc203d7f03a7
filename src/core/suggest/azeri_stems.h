// Azeri word forms to the headwords they may come from: suffixes stripped
// with vowel harmony, buffer consonants and the alternations of the stem's
// last consonant, verbs given in their dictionary form (the infinitive).
// Works on folded text (search_folding.h), so that a form typed without
// the Azeri letters is understood as well as one typed with them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

// The candidate headword keys (folded) of a folded word form, the fewest
// suffixes stripped first, without duplicates and without the form itself.
// A candidate is only a guess: the caller keeps those that are headwords.
std::vector<std::u16string> AzeriStemCandidates(std::u16string_view folded);

}  // namespace lexmora
