// SendLine against a real HTTP server on 127.0.0.1: what goes over the wire, the endpoint
// choice, and that every failure (refused, silent, closed, rejected) returns within the bound,
// without throwing, with a line in the application log.
#include "platform/chat/SendLine.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace meridox;

namespace {

struct HttpRequest {
    QByteArray method;
    QByteArray path;
    QMap<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
};

// A one-file HTTP server for the tests, living on the thread that creates it.
class LocalHttpServer {
public:
    // Answer: a full HTTP answer to each request; NeverAnswer: reads and stays silent;
    // CloseAtOnce: hangs up on accepting; PlainAtOnce: an HTTP answer to the first bytes,
    // whatever they are (a TLS client gets no handshake).
    enum class Mode { Answer, NeverAnswer, CloseAtOnce, PlainAtOnce };

    explicit LocalHttpServer(Mode mode, int status = 200, QByteArray answer = R"({"status":200,"message":"ok"})")
        : m_mode(mode), m_status(status), m_answer(std::move(answer))
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { acceptAll(); });
        if (!m_server.listen(QHostAddress::LocalHost, 0))
            ADD_FAILURE() << "the test server cannot listen: " << m_server.errorString().toStdString();
    }

    QString url(const char* path = "/api/notify") const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(QLatin1String(path));
    }

    QList<HttpRequest> requests() const
    {
        QMutexLocker lock(&m_mutex);
        return m_requests;
    }
    int connections() const { return m_connections; }

private:
    void acceptAll()
    {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            ++m_connections;
            socket->setParent(&m_server);
            if (m_mode == Mode::CloseAtOnce) {
                socket->abort();
                continue;
            }
            auto buffer = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
                buffer->append(socket->readAll());
                if (m_mode == Mode::PlainAtOnce) {
                    socket->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\n\r\n");
                    socket->disconnectFromHost();
                    return;
                }
                HttpRequest request;
                if (parse(*buffer, request))
                    answer(socket, request);
            });
        }
    }

    static bool parse(const QByteArray& data, HttpRequest& request)
    {
        const qsizetype end = data.indexOf("\r\n\r\n");
        if (end < 0)
            return false;
        const QList<QByteArray> lines = data.left(end).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length", "0").toLongLong();
        if (data.size() - (end + 4) < length)
            return false;
        request.body = data.mid(end + 4, length);
        return true;
    }

    void answer(QTcpSocket* socket, const HttpRequest& request)
    {
        {
            QMutexLocker lock(&m_mutex);
            m_requests.append(request);
        }
        if (m_mode != Mode::Answer)
            return; // reads everything, says nothing
        QByteArray response = "HTTP/1.1 " + QByteArray::number(m_status) + " Test\r\n"
                              "Content-Type: application/json;charset=UTF-8\r\n"
                              "Content-Length: " + QByteArray::number(m_answer.size()) + "\r\n"
                              "Connection: close\r\n\r\n" + m_answer;
        socket->write(response);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    Mode m_mode;
    int m_status;
    QByteArray m_answer;
    mutable QMutex m_mutex;
    QList<HttpRequest> m_requests;
    int m_connections = 0;
};

// Keeps the warnings written while it lives (from any thread).
class LogCapture {
public:
    LogCapture()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&LogCapture::handler);
    }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    QStringList warnings() const
    {
        QMutexLocker lock(&m_mutex);
        return m_warnings;
    }
    QString all() const { return warnings().join(QLatin1Char('\n')); }

private:
    static void handler(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtWarningMsg && s_current) {
            QMutexLocker lock(&s_current->m_mutex);
            s_current->m_warnings.append(text);
        }
    }
    static inline LogCapture* s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
    mutable QMutex m_mutex;
    QStringList m_warnings;
};

// Sets MERIDOX_CHAT_NOTIFY_URL for one test and restores it afterwards.
class EndpointVariable {
public:
    explicit EndpointVariable(const QString& value)
        : m_had(qEnvironmentVariableIsSet(kChatNotifyEndpointVariable)),
          m_old(qgetenv(kChatNotifyEndpointVariable))
    {
        if (value.isNull())
            qunsetenv(kChatNotifyEndpointVariable);
        else
            qputenv(kChatNotifyEndpointVariable, value.toUtf8());
    }
    ~EndpointVariable()
    {
        if (m_had)
            qputenv(kChatNotifyEndpointVariable, m_old);
        else
            qunsetenv(kChatNotifyEndpointVariable);
        setChatNotifyEndpoint(QString());
    }

private:
    bool m_had;
    QByteArray m_old;
};

// The time a call may take: the bound, and a little for a busy machine running the tests
// (SendLine itself aims below the bound).
constexpr qint64 kBoundWithSlackMs = kSendLineTimeoutMs + 500;

// A port on 127.0.0.1 where nothing listens.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

const QString kToken = QStringLiteral("tok-ABC123xyz");
const QString kMessage = QString::fromUtf8(" PO6700012\r\n  Vendor Code : V-001\r\n"
                                           "  ยอดสั่งซื้อ : 1,250.50\r\n  อนุมัติแล้ว & 100% = +ok");

// Sends kMessage to the current endpoint, expecting it not to arrive: the call returns within
// the bound, says so, and throws nothing.
void expectUndeliveredWithinTheBound()
{
    QElapsedTimer clock;
    clock.start();
    bool delivered = true;
    EXPECT_NO_THROW(delivered = SendLine(kToken, kMessage));
    EXPECT_LE(clock.elapsed(), kBoundWithSlackMs);
    EXPECT_FALSE(delivered);
}

} // namespace

TEST(SendLine, PostsTheMessageAsAFormWithTheBearerToken)
{
    LocalHttpServer server(LocalHttpServer::Mode::Answer);
    EndpointVariable env(server.url());
    LogCapture log;

    bool delivered = false;
    EXPECT_NO_THROW(delivered = SendLine(kToken, kMessage));
    EXPECT_TRUE(delivered) << log.all().toStdString();

    const QList<HttpRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 1);
    const HttpRequest& r = requests.first();
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.path, "/api/notify");
    EXPECT_EQ(r.headers.value("authorization"), "Bearer tok-ABC123xyz");
    EXPECT_EQ(r.headers.value("content-type"), "application/x-www-form-urlencoded");
    ASSERT_TRUE(r.body.startsWith("message="));
    EXPECT_FALSE(r.body.contains('&')) << "one field only";
    EXPECT_TRUE(r.body.contains("%0D%0A")) << "the line breaks travel as CR LF";
    const QByteArray utf8 = QByteArray::fromPercentEncoding(r.body.mid(8));
    EXPECT_EQ(utf8, kMessage.toUtf8());
    EXPECT_EQ(QString::fromUtf8(utf8), kMessage);
    EXPECT_TRUE(log.warnings().isEmpty()) << log.all().toStdString();
}

TEST(SendLine, EndpointComesFromTheEnvironmentThenTheSettingThenTheDefault)
{
    EndpointVariable unset{QString()};
    EXPECT_EQ(chatNotifyEndpoint(), QStringLiteral("https://notify-api.line.me/api/notify"));
    setChatNotifyEndpoint(QStringLiteral(" https://chat.example.test/notify "));
    EXPECT_EQ(chatNotifyEndpoint(), QStringLiteral("https://chat.example.test/notify"));
    qputenv(kChatNotifyEndpointVariable, "https://override.example.test/api");
    EXPECT_EQ(chatNotifyEndpoint(), QStringLiteral("https://override.example.test/api"));
    qputenv(kChatNotifyEndpointVariable, "");
    EXPECT_EQ(chatNotifyEndpoint(), QStringLiteral("https://chat.example.test/notify"));
    setChatNotifyEndpoint(QString());
    EXPECT_EQ(chatNotifyEndpoint(), QStringLiteral("https://notify-api.line.me/api/notify"));
}

TEST(SendLine, UsesTheEndpointSetAtStartUp)
{
    LocalHttpServer server(LocalHttpServer::Mode::Answer);
    EndpointVariable unset{QString()};
    setChatNotifyEndpoint(server.url("/custom/path"));
    EXPECT_TRUE(SendLine(kToken, QStringLiteral("hello")));
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().first().path, "/custom/path");
    EXPECT_EQ(server.requests().first().body, "message=hello");
}

TEST(SendLine, ARejectedTokenIsLoggedWithoutTheToken)
{
    LocalHttpServer server(LocalHttpServer::Mode::Answer, 401, R"({"status":401,"message":"Invalid access token"})");
    EndpointVariable env(server.url());
    LogCapture log;
    bool delivered = true;
    EXPECT_NO_THROW(delivered = SendLine(kToken, kMessage));
    EXPECT_FALSE(delivered);
    EXPECT_EQ(server.requests().size(), 1);
    ASSERT_EQ(log.warnings().size(), 1);
    EXPECT_TRUE(log.all().contains(QLatin1String("401"))) << log.all().toStdString();
    EXPECT_FALSE(log.all().contains(kToken));
}

TEST(SendLine, AnUnreachableEndpointReturnsWithinTheBound)
{
    EndpointVariable env(QStringLiteral("http://127.0.0.1:%1/api/notify").arg(closedPort()));
    LogCapture log;
    expectUndeliveredWithinTheBound();
    ASSERT_EQ(log.warnings().size(), 1);
    EXPECT_TRUE(log.all().startsWith(QLatin1String("SendLine:"))) << log.all().toStdString();
}

TEST(SendLine, AServerThatNeverAnswersIsLeftAfterTheBound)
{
    LocalHttpServer server(LocalHttpServer::Mode::NeverAnswer);
    EndpointVariable env(server.url());
    LogCapture log;
    expectUndeliveredWithinTheBound();
    EXPECT_EQ(server.requests().size(), 1) << "the request reached the server";
    ASSERT_EQ(log.warnings().size(), 1) << log.all().toStdString();
}

TEST(SendLine, AServerThatHangsUpReturnsWithinTheBound)
{
    LocalHttpServer server(LocalHttpServer::Mode::CloseAtOnce);
    EndpointVariable env(server.url());
    LogCapture log;
    expectUndeliveredWithinTheBound();
    EXPECT_GE(server.connections(), 1);
    EXPECT_FALSE(log.warnings().isEmpty());
}

TEST(SendLine, WorksFromAThreadWithoutAnEventLoop)
{
    for (const auto mode : {LocalHttpServer::Mode::Answer, LocalHttpServer::Mode::NeverAnswer}) {
        SCOPED_TRACE(mode == LocalHttpServer::Mode::Answer ? "answering server" : "silent server");
        // The server answers on this thread while the call waits on its own.
        LocalHttpServer server(mode);
        EndpointVariable env(server.url());
        std::atomic<bool> done{false};
        std::atomic<bool> delivered{false};
        std::atomic<qint64> elapsed{0};
        std::thread worker([&] {
            QElapsedTimer clock;
            clock.start();
            delivered = SendLine(kToken, kMessage);
            elapsed = clock.elapsed();
            done = true;
        });
        const bool returned = QTest::qWaitFor([&] { return done.load(); }, 3 * kSendLineTimeoutMs);
        worker.join();
        EXPECT_TRUE(returned);
        EXPECT_LE(elapsed.load(), kBoundWithSlackMs);
        EXPECT_EQ(delivered.load(), mode == LocalHttpServer::Mode::Answer);
        ASSERT_EQ(server.requests().size(), 1);
        EXPECT_EQ(QByteArray::fromPercentEncoding(server.requests().first().body.mid(8)), kMessage.toUtf8());
    }
}

TEST(SendLine, NothingIsSentWithoutATokenOrAMessage)
{
    LocalHttpServer server(LocalHttpServer::Mode::Answer);
    EndpointVariable env(server.url());
    LogCapture log;
    EXPECT_FALSE(SendLine(QString(), kMessage));
    EXPECT_FALSE(SendLine(QStringLiteral("   "), kMessage));
    EXPECT_FALSE(SendLine(kToken, QString()));
    EXPECT_FALSE(SendLine(QStringLiteral("tok\r\nX-Injected: 1"), kMessage));
    QTest::qWait(50);
    EXPECT_EQ(server.connections(), 0);
    EXPECT_EQ(log.warnings().size(), 4);
}

TEST(SendLine, AnEndpointThatIsNoWebAddressIsLogged)
{
    for (const char* bad : {"not a url", "ftp://127.0.0.1/notify", "http://"}) {
        SCOPED_TRACE(bad);
        EndpointVariable env(QString::fromLatin1(bad));
        LogCapture log;
        bool delivered = true;
        EXPECT_NO_THROW(delivered = SendLine(kToken, kMessage));
        EXPECT_FALSE(delivered);
        EXPECT_EQ(log.warnings().size(), 1);
    }
}

TEST(SendLine, WorksFromInsideARunningEventLoop)
{
    // The window's thread calls it from an event handler while its own loop runs.
    LocalHttpServer server(LocalHttpServer::Mode::Answer);
    EndpointVariable env(server.url());
    bool done = false;
    bool delivered = false;
    QTimer::singleShot(0, [&] {
        delivered = SendLine(kToken, QStringLiteral("from a handler"));
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 2 * kSendLineTimeoutMs));
    EXPECT_TRUE(delivered);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().first().body, "message=from%20a%20handler");
}

TEST(SendLine, AnHttpsEndpointThatSpeaksNoTlsFailsWithinTheBound)
{
    LocalHttpServer server(LocalHttpServer::Mode::PlainAtOnce);
    QString url = server.url();
    url.replace(QLatin1String("http://"), QLatin1String("https://"));
    EndpointVariable env(url);
    LogCapture log;
    expectUndeliveredWithinTheBound();
    EXPECT_GE(server.connections(), 1);
    EXPECT_EQ(log.warnings().size(), 1) << log.all().toStdString();
}
