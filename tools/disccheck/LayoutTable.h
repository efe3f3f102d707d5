// The table of the files a disc holds for the launcher, as the README shows it to a disc's
// author: made from the launcher's own layout, so that the two cannot disagree.
#pragma once

#include <string>

// A Markdown table, header included: each file's path under the disc's root and what it is for.
std::string LayoutTable();
