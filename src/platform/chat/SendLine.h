#pragma once
// Chat notices to LINE groups: the message is posted to the notify service of the
// installation, addressed by the token of the group.
#include <QString>

namespace meridox {

// The endpoint used when neither the environment nor the start-up names one.
inline constexpr const char* kDefaultChatNotifyEndpoint = "https://notify-api.line.me/api/notify";

// The environment variable that, when set and not empty, overrides every other endpoint.
inline constexpr const char* kChatNotifyEndpointVariable = "MERIDOX_CHAT_NOTIFY_URL";

// The longest a SendLine call takes, connection and answer included, in milliseconds.
inline constexpr int kSendLineTimeoutMs = 5000;

// The installation's endpoint, set by start-up from the software settings. An empty text
// clears it (the default is then used). Safe to call from any thread.
void setChatNotifyEndpoint(const QString& url);

// The endpoint SendLine posts to: MERIDOX_CHAT_NOTIFY_URL when set and not empty, else the
// value given to setChatNotifyEndpoint, else kDefaultChatNotifyEndpoint.
QString chatNotifyEndpoint();

// Posts `message` (UTF-8, line breaks kept) as the form field "message" with the header
// "Authorization: Bearer <token>". Returns within kSendLineTimeoutMs whether or not the
// message was delivered, never throws, and may be called from any thread, with or without a
// running event loop (it runs a local one that ignores user input). A failure is written to
// the application log (qWarning), never shown. Returns true when the service accepted the
// message (HTTP 2xx); callers need not look at it. An empty token or message sends nothing.
bool SendLine(const QString& token, const QString& message) noexcept;

} // namespace meridox
