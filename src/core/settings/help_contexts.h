// Help contexts: the numbered topics of the help pages, the anchor each has
// in every language's page, and which window component opens which topic.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lexmora {

inline constexpr int kHelpContents = 1;  // Help -> "Help", tool button 11

struct HelpContextRec {
  int context;
  std::string_view topic;  // what the topic is about, in English
};

// Every help context, ascending.
std::span<const HelpContextRec> HelpContexts();
bool IsHelpContext(int context);

// The anchor of a context in a help page ("context-6"); empty for a number
// that is not a help context.
std::string HelpContextAnchor(int context);

// The help page of an interface language, relative to the program folder
// ("help/english.html"); empty for an index outside 0..4.
std::string HelpPageName(int interfaceLang);

// The program's home page, shipped in the program folder.
inline constexpr std::string_view kHomePageName = "help/home.html";

// The help context of a component (by object name) of a window (by its
// object name; the window itself is a component of its own); 0 for none.
int ComponentHelpContext(std::string_view window, std::string_view component);

// The context a help request on a focused component opens: chain holds the
// object names from the focused component up through its parents, the
// window last; the first with a context wins. 0 when none has one.
int NearestHelpContext(std::span<const std::string> chain);

}  // namespace lexmora
