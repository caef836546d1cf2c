#pragma once

#include <optional>
#include <string>

// Sets an environment variable of the test process (UTF-8 name and value) and puts back what it
// was, or removes it, when the test ends, so that no test leaves a driver or a path to the next.
class ScopedVariable
{
public:
    ScopedVariable(std::string name, const std::string& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    static std::optional<std::string> get(const std::string& name);
    static void set(const std::string& name, const std::optional<std::string>& value);

    std::string m_name;
    std::optional<std::string> m_previous;
};
