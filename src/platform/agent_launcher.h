// Starting the companion agent program that lives beside the dictionary.
#pragma once

#include <QString>
#include <QStringList>

namespace lexmora::platform {

// The agent's executable in the program folder.
QString AgentProgramPath(const QString& programDir);

// Starts the agent detached, working folder = the program folder. A missing
// executable or a failed start is silent; returns whether it started.
bool StartAgent(const QString& programDir, const QStringList& arguments = {});

// Asks a running agent of this user to end ("close" on its socket). Nothing
// happens when none runs; returns whether one was told.
bool CloseAgent();

}  // namespace lexmora::platform
