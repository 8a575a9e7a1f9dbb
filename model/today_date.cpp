#include "model/today_date.h"

#include <ctime>

std::string TodayDate()
{
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr)
    return {};
  char buffer[128];
  std::size_t n = std::strftime(buffer, sizeof buffer, "%x", &local);
  return std::string(buffer, n);
}
