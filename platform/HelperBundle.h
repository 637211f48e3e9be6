#pragma once

#include <optional>
#include <string>

// The background helper's bundle: a folder "Tavorin Helper.app" with "Contents/Info.plist" (its
// "CFBundleVersion") and its program in "Contents/bin".

inline constexpr char HelperBundleName[] = "Tavorin Helper.app";
inline constexpr char HelperProgramName[] = "tavorin-helper";

// The version rule: letters a and b read as 1 and 2, the leading number taken in single
// precision times 10000, and 999 added to a whole release ("1.0" 10999, "1.0a1" 10110, "1.1" 11999).
int helperVersionNumber(const std::string &versionText);
std::optional<std::string> bundleVersion(const std::string &bundlePath);
// A copy without a readable version counts as 0, that is 999.
int bundleVersionNumber(const std::string &bundlePath);

std::string helperExecutable(const std::string &bundlePath);

// Replaces `installed` by a copy of `resource`; false when the copy failed.
bool copyBundle(const std::string &resource, const std::string &installed);
