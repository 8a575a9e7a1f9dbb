#pragma once
// The whole project as JSON: its identity, addresses and notes, and every
// volume with its inputs, openings, device counts and every figure of its
// calculation. A figure that is not valid, and any number that is not
// finite, is null. Texts are UTF-8, lengths metres, areas square metres,
// volumes cubic metres, masses grams and densities grams per cubic metre.

#include <functional>
#include <string>
#include <string_view>

class CProject;

// The JSON text, indented by two spaces, ended by a line feed. It is handed
// to `write` piece by piece as it is made, so that the memory it takes does
// not grow with the project; false as soon as `write` returns false.
bool WriteProjectJson(const CProject& project, const std::function<bool(std::string_view)>& write);

// The same text as one string.
std::string ProjectJson(const CProject& project);
