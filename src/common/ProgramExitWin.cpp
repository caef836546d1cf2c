#include "common/ProgramExit.h"

#include <cstdio>
#include <iostream>
#include <windows.h>

int ProgramExit::after(int status)
{
    // What is still buffered for a terminal or a log goes out first: nothing else flushes it.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
    return status; // not reached
}
