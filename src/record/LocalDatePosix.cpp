#include "record/LocalDate.h"

#include <ctime>

int LocalDate::SystemOffsetSeconds()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    if (!localtime_r(&now, &local))
        return 0;
    return static_cast<int>(local.tm_gmtoff);
}
