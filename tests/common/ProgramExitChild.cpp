// Prints a text without flushing it, then ends through ProgramExit with the status it was given.

#include "common/ProgramExit.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    const int status = argc > 1 ? std::atoi(argv[1]) : 1;
    // Held in a buffer until a flush, whatever the C runtime would choose for a pipe (Windows'
    // writes each printf through at once), and through both kinds of stream.
    static char buffer[BUFSIZ];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    std::printf("ended ");
    std::cout << "with " << status;
    return ProgramExit::after(status);
}
