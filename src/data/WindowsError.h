#pragma once

#include <string>

// The system's own words for a Windows error code, in UTF-8 (asked as UTF-16: the narrow form
// would come in the ANSI code page), for the messages a teacher reads.
class WindowsError
{
public:
    static std::string reason(unsigned long code);
};
