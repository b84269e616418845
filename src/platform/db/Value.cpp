#include "platform/db/Value.h"

namespace meridox::db {

qint64 Value::asInteger() const
{
    if (isNull())
        return 0;
    bool ok = false;
    qint64 i = m_v.toLongLong(&ok);
    if (ok)
        return i;
    return static_cast<qint64>(m_v.toDouble());
}

double Value::asFloat() const
{
    return isNull() ? 0.0 : m_v.toDouble();
}

QDate Value::asDate() const
{
    if (isNull())
        return {};
    if (m_v.metaType().id() == QMetaType::QDate)
        return m_v.toDate();
    if (m_v.metaType().id() == QMetaType::QDateTime)
        return m_v.toDateTime().date();
    const QString s = m_v.toString();
    return QDate::fromString(s.left(10), Qt::ISODate);
}

QDateTime Value::asDateTime() const
{
    if (isNull())
        return {};
    switch (m_v.metaType().id()) {
    case QMetaType::QDateTime:
        return m_v.toDateTime();
    case QMetaType::QDate:
        return m_v.toDate().startOfDay();
    default:
        break;
    }
    QString s = m_v.toString();
    if (s.size() > 10 && s[10] == u' ')
        s[10] = u'T';
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDateTime::fromString(s, Qt::ISODate);
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(s.left(10), Qt::ISODate);
        if (d.isValid())
            dt = d.startOfDay();
    }
    return dt;
}

QVariant toSqlValue(const QVariant& v)
{
    if (v.isNull() || !v.isValid())
        return v;
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    default:
        return v;
    }
}

} // namespace meridox::db
