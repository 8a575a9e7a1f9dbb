#pragma once
// A property that every input must keep. A broken one prints what and where,
// then aborts, so that the fuzzer keeps the input and a replay fails.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                    \
  do                                                                                             \
  {                                                                                              \
    if (!(condition))                                                                            \
    {                                                                                            \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);     \
      std::abort();                                                                              \
    }                                                                                            \
  } while (0)
