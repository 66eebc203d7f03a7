// The program folder of an installed program, which its users cannot write.
#pragma once

#include <QString>

namespace lexmora::platform {

// The executable path the program folder is taken from. An executable in a
// folder with the group table that the user cannot write (an installed
// program) runs on the user's own program folder, $XDG_DATA_HOME/lexmora
// (~/.local/share/lexmora), brought up to date with the installed one at
// every start; the path returned is the executable's name there. Anything
// else, or a user folder that cannot be made, keeps the path given.
QString ExecutableForUser(const QString& executablePath);

}  // namespace lexmora::platform
