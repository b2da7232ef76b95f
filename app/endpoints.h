// Every address the program talks to, kept together.  The service pages are
// placeholders under domains reserved for examples: whoever deploys the
// program sets the real ones here.
#pragma once

namespace tovrin::endpoints {

// Opened by the start-up connection test; any answer counts as online.
inline constexpr char kConnectionTestUrl[] = "https://www.example.com/";

// The parcel-tracking service's start page, shown in the page window's browser.
inline constexpr wchar_t kServiceStartPage[] = L"https://parcels.example.com/";

// The service's web version on the app platform: the platform's host, then
// the fixed path and the service's app id.
inline constexpr char kWebVersionUrl[] = "https://apps.example.org/app/enter?appid=101074";

// The makers' feedback forum.
inline constexpr char kFeedbackUrl[] = "https://forum.example.org/feedback";

}  // namespace tovrin::endpoints
