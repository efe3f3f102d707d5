// printf-style formatting into a std::string, shared by both report implementations.
#pragma once

#include <cstdarg>
#include <string>

std::string FormatReport(const char* format, va_list args);
