#pragma once
// A field value as the windows read it: NULL reads as an empty text, 0, or an
// invalid date, as the classic data sets did.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace meridox::db {

class Value {
public:
    Value() = default;
    Value(QVariant v) : m_v(std::move(v)) {}

    bool isNull() const { return m_v.isNull() || !m_v.isValid(); }
    QString asString() const { return isNull() ? QString() : m_v.toString(); }
    qint64 asInteger() const;
    int asInt() const { return static_cast<int>(asInteger()); }
    double asFloat() const;
    QDate asDate() const;
    QDateTime asDateTime() const;
    // A one-letter flag: NULL and empty read as "N".
    bool isYes() const { return asString().trimmed().compare(QLatin1String("Y"), Qt::CaseInsensitive) == 0; }
    const QVariant& variant() const { return m_v; }

private:
    QVariant m_v;
};

// Values as the embedded engine stores them: dates as "yyyy-MM-dd" and
// date-times as "yyyy-MM-dd HH:mm:ss.zzz", so text comparison orders them.
QVariant toSqlValue(const QVariant& v);

} // namespace meridox::db
