#pragma once

class QProcess;

// A helper program that starts helpers of its own (LibreOffice's launcher starts the office
// itself) is ended with all of them: the program is started as the leader of a process group,
// and the whole group is killed.
namespace ProcessGroup {

// Call before QProcess::start.
void startAsGroupLeader(QProcess& process);
// Kills the group of a process started as its leader, and waits for the leader.
void kill(QProcess& process);

} // namespace ProcessGroup
