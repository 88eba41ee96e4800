// <regex> for the tests that read the data's text files. GCC 12 takes a member inside the header
// itself for uninitialized (a known false alarm of its optimizer): silenced for that header alone.
#pragma once

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop
#else
#include <regex>
#endif
