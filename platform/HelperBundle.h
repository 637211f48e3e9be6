#pragma once

#include <optional>
#include <string>

// The background helper's bundle: a folder "Tavorin Helper.app" with "Contents/Info.plist" (its
// "CFBundleVersion", the version it was built as) and its program in "Contents/bin".

inline constexpr char HelperBundleName[] = "Tavorin Helper.app";
inline constexpr char HelperProgramName[] = "tavorin-helper";

std::string helperExecutable(const std::string &bundlePath);

// What the application does with the user's copy of the helper, from the installed bundle.
enum class HelperCopyStep {
    Keep,     // the same files
    Install,  // no copy yet
    Replace,  // a copy that differs in any file (another version, another build): stop it first
    None,     // no installed bundle to copy from
};
HelperCopyStep helperCopyStep(const std::string &resource, const std::string &installed);

// The program that installed the user's copy, kept in the helper's own preferences: once it is
// gone (its package removed) the helper leaves.
bool recordInstallingApplication(const std::string &program);
bool installingApplicationIsGone();

// Replaces `installed` by a copy of `resource`; false when the copy failed.
bool copyBundle(const std::string &resource, const std::string &installed);
