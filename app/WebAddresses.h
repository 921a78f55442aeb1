#pragma once

// The maker's pages that the Help menu opens: ours to set, and set here only.
// Both are placeholders until the maker's real addresses are known.
namespace WebAddresses
{
inline constexpr const char* kWebSite = "https://www.brennix.example/";
inline constexpr const char* kSupport = "https://www.brennix.example/support/";
} // namespace WebAddresses
