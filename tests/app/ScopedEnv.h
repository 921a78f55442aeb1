#pragma once

#include <cstdlib>
#include <string>

// Sets (or, with null, unsets) an environment variable for a scope.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : m_name(name), m_had(std::getenv(name) != nullptr)
    {
        m_old = m_had ? std::getenv(name) : "";
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { m_had ? setenv(m_name.c_str(), m_old.c_str(), 1) : unsetenv(m_name.c_str()); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name, m_old;
    bool m_had;
};
