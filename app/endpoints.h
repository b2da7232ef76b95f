// Every address the program talks to, kept together.  The service pages are
// placeholders under a domain reserved for examples: whoever deploys the
// program sets the real ones here.
#pragma once

namespace tovrin::endpoints {

// Opened by the start-up connection test; any answer counts as online.
inline constexpr char kConnectionTestUrl[] = "https://www.example.com/";

}  // namespace tovrin::endpoints
