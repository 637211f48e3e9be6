#pragma once

#include <optional>
#include <string>

// Latitude and longitude as the Preferences show and take them: "41.00° N", "74.00° W", the
// hemisphere's letter for the sign. Typed, a number may carry a letter (N, S, E or W, either
// case, S and W making it negative) or a sign, and the degree mark is optional.

enum class CoordinateAxis { Latitude, Longitude };

std::string coordinateText(double degrees, CoordinateAxis axis);
// Nothing for a text that is no coordinate of this axis, or lies outside ±90 or ±180 degrees.
std::optional<double> coordinateFromText(const std::string &text, CoordinateAxis axis);
