#pragma once
// The application-wide error handler: logs the raw message, puts a Thai
// explanation in front of the messages it recognises, and shows the error window.
#include <QString>

namespace meridox {

// The Thai explanation for a message (first matching row wins), or empty.
QString explainError(const QString& message);
// Explanation, line break, the message in capitals, line break.
QString errorWindowText(const QString& message);
// Logs and shows one error; a failing error log does not stop the window.
void handleError(const QString& message);
// Installs handleError as the application's exception handler and
// TFrShowError as the error window.
void installErrorHandler();

} // namespace meridox
