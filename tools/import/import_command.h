// lexmora-import's main form: a dictionary file of another program added to
// a group of a program folder.
#pragma once

namespace lexmora::tools {

// Runs "lexmora-import --dir DIR [--format F] FILE (--group N | --new-group
// NAME --code-page CP) [--json]"; the exit status (0 done, 1 failed, 2 usage).
int RunImportCommand(int argc, char** argv);

}  // namespace lexmora::tools
