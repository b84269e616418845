#include "platform/chat/SendLine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QMutexLocker>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <QtDebug>

#include <algorithm>
#include <memory>

namespace meridox {

namespace {

QMutex g_endpointMutex;
QString g_endpoint; // guarded by g_endpointMutex

// The endpoint without its query and credentials, for the log.
QString endpointForLog(const QUrl& url)
{
    return url.toString(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment);
}

// Kept back from the bound for aborting the request and tearing down the network objects.
constexpr int kTeardownReserveMs = 150;

bool post(const QString& token, const QString& message)
{
    QElapsedTimer clock;
    clock.start();
    if (!QCoreApplication::instance()) {
        qWarning("SendLine: no application object; the chat notice is not sent");
        return false;
    }
    const QString key = token.trimmed();
    if (key.isEmpty()) {
        qWarning("SendLine: the chat token is empty; the chat notice is not sent");
        return false;
    }
    if (std::any_of(key.begin(), key.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; })) {
        qWarning("SendLine: the chat token holds a control character; the chat notice is not sent");
        return false;
    }
    if (message.isEmpty()) {
        qWarning("SendLine: the message is empty; the chat notice is not sent");
        return false;
    }
    const QString endpoint = chatNotifyEndpoint();
    const QUrl url(endpoint, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("https") && scheme != QLatin1String("http"))) {
        qWarning("SendLine: the chat endpoint \"%s\" is not an http(s) address; the chat notice is not sent",
                 qPrintable(endpoint));
        return false;
    }

    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setRawHeader("Authorization", "Bearer " + key.toUtf8());
    // The token must not follow a redirect to another address.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    const int waitMs = int(qMax<qint64>(0, kSendLineTimeoutMs - kTeardownReserveMs - clock.elapsed()));
    const QByteArray body = "message=" + QUrl::toPercentEncoding(message);

    // Everything lives on this thread and dies before the return: no event loop of the
    // caller is needed, and nothing is left running behind.
    QNetworkAccessManager manager;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    bool timedOut = false;
    std::unique_ptr<QNetworkReply> reply(manager.post(request, body));
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    deadline.start(waitMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    const QString where = endpointForLog(url);
    if (timedOut && !reply->isFinished()) {
        QObject::disconnect(reply.get(), nullptr, &loop, nullptr);
        reply->abort();
        qWarning("SendLine: no answer from %s within %d ms; the chat notice may not have arrived",
                 qPrintable(where), kSendLineTimeoutMs);
        return false;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
        const QString answer =
            reply->isReadable() ? QString::fromUtf8(reply->read(300)).simplified() : QString();
        const QString http = status != 0 ? QStringLiteral(" (HTTP %1)").arg(status) : QString();
        qWarning("SendLine: the chat notice to %s failed: %s%s%s", qPrintable(where),
                 qPrintable(reply->errorString()), qPrintable(http),
                 qPrintable(answer.isEmpty() ? QString() : QStringLiteral(": ") + answer));
        return false;
    }
    return true;
}

} // namespace

void setChatNotifyEndpoint(const QString& url)
{
    QMutexLocker lock(&g_endpointMutex);
    g_endpoint = url.trimmed();
}

QString chatNotifyEndpoint()
{
    const QString fromEnvironment = qEnvironmentVariable(kChatNotifyEndpointVariable).trimmed();
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    {
        QMutexLocker lock(&g_endpointMutex);
        if (!g_endpoint.isEmpty())
            return g_endpoint;
    }
    return QString::fromLatin1(kDefaultChatNotifyEndpoint);
}

bool SendLine(const QString& token, const QString& message) noexcept
{
    try {
        return post(token, message);
    } catch (const std::exception& e) {
        qWarning("SendLine: the chat notice failed: %s", e.what());
    } catch (...) {
        qWarning("SendLine: the chat notice failed");
    }
    return false;
}

} // namespace meridox
