#include "statistics/StatisticsLock.h"

std::recursive_mutex& GetStatisticsLock()
{
    static std::recursive_mutex lock;
    return lock;
}
