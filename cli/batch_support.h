#pragma once
// What the batch programs (vantor-cli and vantor-pdf) share: how they read
// their arguments, name a project after its file and speak on the terminal.

#include <string>

// "vantor-cli: MESSAGE" on standard error, as one line that shows whatever
// the message holds and never acts on it.
void Complain(const std::string& message);
// An argument that starts with "-" (and is not "-" alone).
bool IsOption(const std::string& arg);
// The file's title: its name without the folder and without ".ad".
std::string FileTitle(const std::string& path);
// Writes bytes to standard output; false (reason on standard error) on failure.
bool WriteStdout(const std::string& bytes);
