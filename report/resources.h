#pragma once
// Files compiled into the programs from resources/embed (pictures).

#include <span>

// The bytes of an embedded file by its name ("wordmark.png"); empty if unknown.
std::span<const unsigned char> EmbeddedResource(const char* name);
