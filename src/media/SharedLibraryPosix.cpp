#include "media/SharedLibrary.h"

#include <dlfcn.h>

SharedLibrary::SharedLibrary(const char* name)
    : m_handle(::dlopen(name, RTLD_NOW | RTLD_LOCAL))
{ }

void* SharedLibrary::symbol(const char* name) const
{
    return m_handle ? ::dlsym(m_handle, name) : nullptr;
}
