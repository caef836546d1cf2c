#include "app/CommandLine.h"

CommandLine::CommandLine(int argc, char** argv)
    : m_arguments(read(argc, argv))
{
    for (std::string& argument : m_arguments)
        m_pointers.push_back(argument.data());
    m_pointers.push_back(nullptr);
    m_argc = static_cast<int>(m_arguments.size());
}
