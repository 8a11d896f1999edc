#ifndef VORN_BASE_VERSION_H_
#define VORN_BASE_VERSION_H_

// The version printed by -V, written into the JSON export and expanded
// from ${vorn-version}.
inline constexpr const char kVersion[] = "0.6.1";

#endif  // VORN_BASE_VERSION_H_
