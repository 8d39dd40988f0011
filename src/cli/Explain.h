#pragma once
// The working behind a result of calculator 1 or 2, tier by tier, from the
// engine's breakdown of its walk.

#include <string>
#include <vector>

namespace wexel::cli {

// The lines explaining the Wexels for `capacity` (a text the calculator
// accepted) of the conversion `name`.
std::vector<std::string> explainToWX(const std::string& name, const std::string& capacity);

// The lines explaining the capacity that `wexels` cover.
std::vector<std::string> explainToCapacity(const std::string& name, const std::string& wexels);

} // namespace wexel::cli
