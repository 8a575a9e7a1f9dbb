#pragma once
// The whole project as JSON: its identity, addresses and notes, and every
// volume with its inputs, openings, device counts and every figure of its
// calculation. A figure that is not valid is null. Texts are UTF-8, lengths
// metres, areas square metres, volumes cubic metres, masses grams and
// densities grams per cubic metre.

#include <string>

class CProject;

// The JSON text, indented by two spaces, ended by a line feed.
std::string ProjectJson(const CProject& project);
