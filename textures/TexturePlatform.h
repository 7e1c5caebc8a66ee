#pragma once

// What the texture readers need from the platform: a message box with no
// owner, resources of the running executable, and files. The program installs
// the real message box and resource table at start-up; tests install their own.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Textures {

using MessageBoxHandler = std::function<void(const std::string& text, const std::string& caption)>;

// Replaces the message box; returns the one installed before.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
// Modal: returns when the user has closed the box.
void ShowMessageBox(const std::string& text, const std::string& caption);

enum class LookupStatus { Found, Missing, Unreadable };

struct LoadedBytes {
    LookupStatus status = LookupStatus::Missing;
    std::vector<std::uint8_t> bytes;
    std::string error;  // why a file could not be opened or read
};

using ResourceFinder = std::function<LoadedBytes(std::string_view type, std::string_view name)>;

ResourceFinder SetResourceFinder(ResourceFinder finder);
LoadedBytes LoadResource(std::string_view type, std::string_view name);

// The resource named by a file name: everything before its first ".".
std::string_view ResourceNameOf(std::string_view fileName);

// Relative names resolve against the current directory. When no file has the
// exact name, one whose last component differs only in letter case is taken
// (the program writes "1.jpg" and reads "1.JPG"). POSIX has no share modes:
// other programs may write the file while we read it.
LoadedBytes LoadFile(const std::string& fileName);

}  // namespace Textures
