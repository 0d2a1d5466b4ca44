#pragma once
// `moderate list | approve ID | reject ID`: review of uploaded wallpapers.
#include <filesystem>
#include <string>
#include <vector>

// Prints or changes moderation states; returns the process exit code.
int moderate(const std::filesystem::path &data, const std::vector<std::string> &rest);
