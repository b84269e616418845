#include "platform/db/ServerName.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>

namespace meridox::db {

namespace {

// libpq key=value pairs; values may be quoted with single quotes.
QMap<QString, QString> parseKeyValues(const QString& text)
{
    QMap<QString, QString> out;
    int i = 0;
    const int n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        int keyStart = i;
        while (i < n && text[i] != u'=' && !text[i].isSpace())
            ++i;
        const QString key = text.mid(keyStart, i - keyStart).trimmed();
        while (i < n && text[i].isSpace())
            ++i;
        if (i < n && text[i] == u'=')
            ++i;
        while (i < n && text[i].isSpace())
            ++i;
        QString value;
        if (i < n && text[i] == u'\'') {
            ++i;
            while (i < n && text[i] != u'\'') {
                if (text[i] == u'\\' && i + 1 < n)
                    ++i;
                value += text[i++];
            }
            ++i;
        } else {
            while (i < n && !text[i].isSpace())
                value += text[i++];
        }
        if (!key.isEmpty())
            out.insert(key.toLower(), value);
    }
    return out;
}

} // namespace

ServerName ServerName::parse(const QString& raw)
{
    const QString text = raw.trimmed();
    ServerName s;
    if (text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(text);
        s.engine = Engine::PostgreSQL;
        s.host = QUrl::fromPercentEncoding(url.host(QUrl::FullyEncoded).toUtf8());
        s.port = url.port(0);
        if (!url.userName().isEmpty())
            s.user = url.userName();
        s.password = url.password();
        const QUrlQuery q(url);
        for (const auto& [k, v] : q.queryItems(QUrl::FullyDecoded)) {
            if (k == QLatin1String("host"))
                s.host = v;
            else if (k == QLatin1String("port"))
                s.port = v.toInt();
            else if (k == QLatin1String("user"))
                s.user = v;
            else
                s.options.insert(k, v);
        }
        return s;
    }
    if (text.contains(u'=') && !text.startsWith(QLatin1String("sqlite:"))) {
        s.engine = Engine::PostgreSQL;
        auto kv = parseKeyValues(text);
        s.host = kv.take(QStringLiteral("host"));
        s.port = kv.take(QStringLiteral("port")).toInt();
        if (kv.contains(QStringLiteral("user")))
            s.user = kv.take(QStringLiteral("user"));
        s.password = kv.take(QStringLiteral("password"));
        kv.remove(QStringLiteral("dbname"));
        s.options = kv;
        return s;
    }
    s.engine = Engine::SQLite;
    QString path = text.startsWith(QLatin1String("sqlite:")) ? text.mid(7) : text;
    if (path.isEmpty())
        path = QStringLiteral("./data");
    s.directory = QDir::cleanPath(QDir(path).absolutePath());
    return s;
}

ServerName ServerName::fromServerDat(const QString& folder)
{
    QFile f(QDir(folder).filePath(QStringLiteral("Server.Dat")));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return parse(QDir(folder).filePath(QStringLiteral("data")));
    const QString first = QString::fromUtf8(f.readLine()).trimmed();
    if (first.isEmpty())
        return parse(QDir(folder).filePath(QStringLiteral("data")));
    // A relative directory is relative to the folder holding Server.Dat.
    ServerName s = parse(first);
    if (s.engine == Engine::SQLite) {
        QString path = first.startsWith(QLatin1String("sqlite:")) ? first.mid(7) : first;
        if (QDir::isRelativePath(path))
            s.directory = QDir::cleanPath(QDir(folder).absoluteFilePath(path));
    }
    return s;
}

QString ServerName::describe() const
{
    if (engine == Engine::SQLite)
        return directory;
    QString d = QStringLiteral("host=%1").arg(host.isEmpty() ? QStringLiteral("localhost") : host);
    if (port)
        d += QStringLiteral(" port=%1").arg(port);
    d += QStringLiteral(" user=%1").arg(user);
    return d;
}

} // namespace meridox::db
