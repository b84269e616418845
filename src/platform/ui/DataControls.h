#pragma once
// Data-aware controls: each shows one field of the current row of a data set
// and writes what the user types back into it as a pending change. A data
// source stands between the data set and its controls and grids, so they
// all follow the same current row and refresh together.
#include "platform/db/DataSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QPair>
#include <QVariant>
#include <QVector>

namespace meridox::ui {

class DataSource : public QObject {
    Q_OBJECT
public:
    // Keeps any field-change handler the data set already has and calls it first.
    explicit DataSource(db::DataSet& dataSet, QObject* parent = nullptr);
    db::DataSet& dataSet() { return *m_ds; }

    // Changes made through the source refresh every bound control.
    void setField(const QString& field, const QVariant& value);
    void append();
    void remove();
    void setRecNo(int row);
    // Moves the current row for a grid that already shows it (no reload).
    void follow(int row);
    // After the data set was opened, closed or moved in code.
    void refresh() { emit changed(); }

signals:
    void changed();                        // rows changed (reload)
    void moved();                          // the current row changed
    void fieldChanged(const QString& field);  // a value of the current row changed

private:
    db::DataSet* m_ds;
};

// An edit on a text or number field; writes on every edit.
class DbEdit : public QLineEdit {
    Q_OBJECT
public:
    DbEdit(DataSource* source, const QString& field, QWidget* parent = nullptr);
    QString field() const { return m_field; }
    // Upper-case input, as the code fields take it.
    void setUpperCase(bool on) { m_upper = on; }

private:
    void load();
    void store(const QString& text);
    DataSource* m_source;
    QString m_field;
    bool m_upper = false;
    bool m_loading = false;
};

// A check box on a one-letter flag field: checked stores "Y", unchecked "N".
class DbCheckBox : public QCheckBox {
    Q_OBJECT
public:
    DbCheckBox(DataSource* source, const QString& field, const QString& caption, QWidget* parent = nullptr);

private:
    void load();
    DataSource* m_source;
    QString m_field;
    bool m_loading = false;
};

// A list of shown texts and the values stored for them.
using ValueMap = QVector<QPair<QString, QVariant>>;

// A drop-down list over a value map; a stored value not in the map shows no item.
class DbComboBox : public QComboBox {
    Q_OBJECT
public:
    DbComboBox(DataSource* source, const QString& field, const ValueMap& values, QWidget* parent = nullptr);

private:
    void load();
    DataSource* m_source;
    QString m_field;
    ValueMap m_values;
    bool m_loading = false;
};

// A date shown and typed as "dd/mm/yyyy"; an incomplete date stores NULL.
class DbDateEdit : public QLineEdit {
    Q_OBJECT
public:
    DbDateEdit(DataSource* source, const QString& field, QWidget* parent = nullptr);
    static QString format(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString(); }
    static QDate parse(const QString& text) { return QDate::fromString(text.trimmed(), QStringLiteral("dd/MM/yyyy")); }

private:
    void load();
    DataSource* m_source;
    QString m_field;
    bool m_loading = false;
};

} // namespace meridox::ui
