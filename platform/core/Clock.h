#pragma once
// "Now" for the price-list expiry and the order letters' date, replaceable in tests.

#include <ctime>
#include <functional>

namespace qx {

std::time_t Now(); // seconds since the epoch, or the test's clock when one is set
void SetNowForTesting(std::function<std::time_t()> now); // empty function restores the real clock

} // namespace qx
