#include "platform/ui/DataControls.h"

namespace meridox::ui {

DataSource::DataSource(db::DataSet& dataSet, QObject* parent) : QObject(parent), m_ds(&dataSet)
{
    auto previous = m_ds->onFieldChange;
    m_ds->onFieldChange = [this, previous](const QString& f) {
        if (previous)
            previous(f);
        emit fieldChanged(f);
    };
}

void DataSource::setField(const QString& field, const QVariant& value)
{
    m_ds->setField(field, value);
}

void DataSource::append()
{
    m_ds->append();
    emit changed();
}

void DataSource::remove()
{
    m_ds->remove();
    emit changed();
}

void DataSource::setRecNo(int row)
{
    m_ds->setRecNo(row);
    emit changed();
}

void DataSource::follow(int row)
{
    if (row == m_ds->recNo())
        return;
    m_ds->setRecNo(row);
    emit moved();
}

namespace {
bool hasRow(db::DataSet& ds, const QString& field)
{
    return ds.hasField(field) && !ds.eof();
}
} // namespace

// ---------------------------------------------------------------------------

DbEdit::DbEdit(DataSource* source, const QString& field, QWidget* parent)
    : QLineEdit(parent), m_source(source), m_field(field)
{
    connect(source, &DataSource::changed, this, &DbEdit::load);
    connect(source, &DataSource::moved, this, &DbEdit::load);
    connect(source, &DataSource::fieldChanged, this, [this](const QString& f) {
        if (f.compare(m_field, Qt::CaseInsensitive) == 0)
            load();
    });
    connect(this, &QLineEdit::textEdited, this, &DbEdit::store);
    load();
}

void DbEdit::load()
{
    if (m_loading)
        return;
    m_loading = true;
    db::DataSet& ds = m_source->dataSet();
    const QString text = hasRow(ds, m_field) ? ds.field(m_field).asString() : QString();
    if (text != this->text())
        setText(text);
    m_loading = false;
}

void DbEdit::store(const QString& typed)
{
    QString text = typed;
    if (m_upper && text != text.toUpper()) {
        const int pos = cursorPosition();
        text = text.toUpper();
        setText(text);
        setCursorPosition(pos);
    }
    db::DataSet& ds = m_source->dataSet();
    if (!hasRow(ds, m_field))
        return;
    m_loading = true;
    m_source->setField(m_field, text.isEmpty() ? QVariant() : QVariant(text));
    m_loading = false;
}

// ---------------------------------------------------------------------------

DbCheckBox::DbCheckBox(DataSource* source, const QString& field, const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), m_source(source), m_field(field)
{
    connect(source, &DataSource::changed, this, &DbCheckBox::load);
    connect(source, &DataSource::moved, this, &DbCheckBox::load);
    connect(source, &DataSource::fieldChanged, this, [this](const QString& f) {
        if (f.compare(m_field, Qt::CaseInsensitive) == 0)
            load();
    });
    connect(this, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading || !hasRow(m_source->dataSet(), m_field))
            return;
        m_loading = true;
        m_source->setField(m_field, on ? QStringLiteral("Y") : QStringLiteral("N"));
        m_loading = false;
    });
    load();
}

void DbCheckBox::load()
{
    if (m_loading)
        return;
    m_loading = true;
    db::DataSet& ds = m_source->dataSet();
    setChecked(hasRow(ds, m_field) && ds.field(m_field).isYes());
    m_loading = false;
}

// ---------------------------------------------------------------------------

DbComboBox::DbComboBox(DataSource* source, const QString& field, const ValueMap& values, QWidget* parent)
    : QComboBox(parent), m_source(source), m_field(field), m_values(values)
{
    for (const auto& [text, value] : m_values)
        addItem(text, value);
    connect(source, &DataSource::changed, this, &DbComboBox::load);
    connect(source, &DataSource::moved, this, &DbComboBox::load);
    connect(source, &DataSource::fieldChanged, this, [this](const QString& f) {
        if (f.compare(m_field, Qt::CaseInsensitive) == 0)
            load();
    });
    connect(this, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_loading || i < 0 || !hasRow(m_source->dataSet(), m_field))
            return;
        m_loading = true;
        m_source->setField(m_field, m_values[i].second);
        m_loading = false;
    });
    load();
}

void DbComboBox::load()
{
    if (m_loading)
        return;
    m_loading = true;
    db::DataSet& ds = m_source->dataSet();
    int index = -1;
    if (hasRow(ds, m_field)) {
        const QString stored = ds.field(m_field).asString();
        for (int i = 0; i < m_values.size(); ++i)
            if (m_values[i].second.toString() == stored && !ds.field(m_field).isNull())
                index = i;
    }
    setCurrentIndex(index);
    m_loading = false;
}

// ---------------------------------------------------------------------------

DbDateEdit::DbDateEdit(DataSource* source, const QString& field, QWidget* parent)
    : QLineEdit(parent), m_source(source), m_field(field)
{
    setInputMask(QStringLiteral("99/99/9999;_"));
    connect(source, &DataSource::changed, this, &DbDateEdit::load);
    connect(source, &DataSource::moved, this, &DbDateEdit::load);
    connect(source, &DataSource::fieldChanged, this, [this](const QString& f) {
        if (f.compare(m_field, Qt::CaseInsensitive) == 0)
            load();
    });
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!hasRow(m_source->dataSet(), m_field))
            return;
        const QDate d = parse(text);
        m_loading = true;
        m_source->setField(m_field, d.isValid() ? QVariant(d) : QVariant());
        m_loading = false;
    });
    load();
}

void DbDateEdit::load()
{
    if (m_loading)
        return;
    m_loading = true;
    db::DataSet& ds = m_source->dataSet();
    const QString text = hasRow(ds, m_field) ? format(ds.field(m_field).asDate()) : QString();
    setText(text);
    m_loading = false;
}

} // namespace meridox::ui
