#pragma once
// The two tier walks without their error handlers: they throw RuntimeError.
// MSU2WX/WX2MSU wrap them with the error box; the explanations use them
// directly, so showing the working never reports an error a second time.

#include "engine/ModMath.h"

#include <string>

namespace wexel::detail {

double capacityWalk(const std::string& amount, const std::string& conversionName,
                    Breakdown* working);
double wexelWalk(std::string& wexels, const std::string& conversionName, std::string& startCapacity,
                 Breakdown* working);

} // namespace wexel::detail
