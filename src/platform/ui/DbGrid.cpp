#include "platform/ui/DbGrid.h"

#include "platform/text/NumberFormat.h"
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QDoubleValidator>

namespace meridox::ui {

QColor colorFromBgr(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace {

// The footer row under the cells, aligned with the columns above it.
class FooterBar : public QWidget {
public:
    explicit FooterBar(DbGrid* grid) : QWidget(grid), m_grid(grid) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().button());
        p.setPen(palette().mid().color());
        p.drawLine(0, 0, width(), 0);
        p.setPen(palette().buttonText().color());
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        const QHeaderView* h = m_grid->horizontalHeader();
        const int x0 = m_grid->viewport()->x() - x();
        for (int c = 0; c < m_grid->columns().size(); ++c) {
            const QString text = m_grid->footerText(c);
            if (text.isEmpty() || h->isSectionHidden(c))
                continue;
            const QRect cell(x0 + h->sectionViewportPosition(c), 0, h->sectionSize(c), height());
            const bool number = m_grid->columns()[c].kind == GridColumn::Number;
            p.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft), text);
        }
    }

private:
    DbGrid* m_grid;
};

// An edit with a small button beside it, for cells that open a lookup.
class ButtonEdit : public QWidget {
public:
    ButtonEdit(QWidget* parent, std::function<void()> onButton) : QWidget(parent)
    {
        auto* lay = new QHBoxLayout(this);
        lay->setContentsMargins(0, 0, 0, 0);
        lay->setSpacing(0);
        edit = new QLineEdit(this);
        edit->setFrame(false);
        auto* b = new QToolButton(this);
        b->setText(QStringLiteral("..."));
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::PointingHandCursor);
        lay->addWidget(edit, 1);
        lay->addWidget(b);
        setFocusProxy(edit);
        QObject::connect(b, &QToolButton::clicked, this, [onButton] {
            if (onButton)
                onButton();
        });
    }
    QLineEdit* edit;
};

} // namespace

// ---------------------------------------------------------------------------

DataSetModel::DataSetModel(DataSource* source, DbGrid* grid) : QAbstractTableModel(grid), m_source(source), m_grid(grid) {}

int DataSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_source->dataSet().recordCount();
}

int DataSetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_grid->m_columns.size();
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= m_grid->m_columns.size())
        return {};
    const GridColumn& col = m_grid->m_columns[index.column()];
    db::DataSet& ds = m_source->dataSet();
    if (role == Qt::TextAlignmentRole)
        return col.kind == GridColumn::Number ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::BackgroundRole && col.readOnly)
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (!ds.hasField(col.field) || index.row() >= ds.recordCount())
        return {};
    const db::Value v = ds.field(index.row(), col.field);
    if (role == Qt::EditRole)
        return v.variant();
    if (v.isNull())
        return QString();
    switch (col.kind) {
    case GridColumn::Number:
        return DbGrid::formatNumber(v.asFloat(), col.decimals);
    case GridColumn::Date:
        return DbDateEdit::format(v.asDate());
    case GridColumn::Combo:
        for (const auto& [text, value] : col.values)
            if (value.toString() == v.asString())
                return text;
        return QString();
    default:
        return v.asString();
    }
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const GridColumn& col = m_grid->m_columns[index.column()];
    db::DataSet& ds = m_source->dataSet();
    if (col.readOnly || !ds.hasField(col.field))
        return false;
    if (ds.field(index.row(), col.field).variant() == value)
        return true;
    m_source->follow(index.row());
    ds.setField(index.row(), col.field, value);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.isValid() && !m_grid->m_columns[index.column()].readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant DataSetModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (o == Qt::Horizontal)
        return section < m_grid->m_columns.size() ? m_grid->m_columns[section].title : QVariant();
    return QVariant();
}

// ---------------------------------------------------------------------------

DbGrid::DbGrid(DataSource* source, QWidget* parent) : QTableView(parent), m_source(source)
{
    m_model = new DataSetModel(source, this);
    setModel(m_model);
    setItemDelegate(new DbGridDelegate(this));
    m_footer = new FooterBar(this);
    setViewportMargins(0, 0, 0, fontMetrics().height() + 8);
    setAlternatingRowColors(true);
    QPalette pal = palette();
    pal.setColor(QPalette::AlternateBase, AlternateRowColor);
    setPalette(pal);
    setTabKeyNavigation(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::SelectedClicked);
    setWordWrap(true);
    setShowGrid(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    verticalHeader()->setFixedWidth(14);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setHighlightSections(false);

    confirmDelete = [] { return Dialogs::instance().question(QStringLiteral("Delete record?"), Qt::blue); };

    connect(source, &DataSource::changed, this, [this] {
        m_model->reload();
        const int r = dataSet().recNo();
        if (r < m_model->rowCount())
            setCurrentIndex(m_model->index(r, std::max(0, currentIndex().column())));
        m_footer->update();
    });
    connect(source, &DataSource::moved, this, [this] {
        const int r = dataSet().recNo();
        if (r < m_model->rowCount() && currentIndex().row() != r)
            setCurrentIndex(m_model->index(r, std::max(0, currentIndex().column())));
    });
    connect(source, &DataSource::fieldChanged, this, [this](const QString&) {
        const int r = dataSet().recNo();
        if (r == m_newLine)
            m_newLineTouched = true;
        if (r < m_model->rowCount())
            emit m_model->dataChanged(m_model->index(r, 0), m_model->index(r, m_model->columnCount() - 1));
        m_footer->update();
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, m_footer, qOverload<>(&QWidget::update));
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_footer, qOverload<>(&QWidget::update));
    // Leaving the grid for another control of the window drops an untouched new line.
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (!now || !old || now->window() != window())
            return;
        const bool wasIn = old == this || isAncestorOf(old);
        const bool isIn = now == this || isAncestorOf(now);
        if (wasIn && !isIn)
            dropUnfinishedLine();
    });
}

DbGrid::~DbGrid()
{
    disconnect(m_focusWatch);
}

void DbGrid::setColumns(const QList<GridColumn>& columns)
{
    m_columns = columns;
    m_footerTexts.clear();
    m_model->reload();
    for (int c = 0; c < m_columns.size(); ++c)
        setColumnWidth(c, m_columns[c].width);
    m_footer->update();
}

int DbGrid::columnOf(const QString& field) const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].field.compare(field, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void DbGrid::setColumnReadOnly(const QString& field, bool readOnly)
{
    const int c = columnOf(field);
    if (c >= 0)
        m_columns[c].readOnly = readOnly;
}

void DbGrid::setFooterText(const QString& field, const QString& text)
{
    const int c = columnOf(field);
    if (c >= 0)
        m_footerTexts[c] = text;
    m_footer->update();
}

QString DbGrid::formatNumber(double value, int decimals)
{
    QString picture = QStringLiteral("#,##0");
    if (decimals > 0)
        picture += u'.' + QString(decimals, u'0');
    return meridox::formatNumber(value, picture);
}

QString DbGrid::footerText(int column) const
{
    if (m_footerTexts.contains(column))
        return m_footerTexts[column];
    if (column < 0 || column >= m_columns.size() || !m_columns[column].footerSum)
        return {};
    const GridColumn& col = m_columns[column];
    db::DataSet& ds = m_source->dataSet();
    if (!ds.hasField(col.field))
        return formatNumber(0, col.decimals);
    double sum = 0;
    for (int r = 0; r < ds.recordCount(); ++r)
        sum += ds.field(r, col.field).asFloat();
    return formatNumber(sum, col.decimals);
}

int DbGrid::firstEditableColumn() const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (!m_columns[c].readOnly && !isColumnHidden(c))
            return c;
    return 0;
}

void DbGrid::appendLine()
{
    if (m_newLine >= 0 && !m_newLineTouched && m_newLine < m_model->rowCount()) {
        setCurrentIndex(m_model->index(m_newLine, firstEditableColumn()));
        return;
    }
    // Defaults a window sets for a new line do not count as typing.
    m_source->append();
    m_newLine = dataSet().recNo();
    m_newLineTouched = false;
    setCurrentIndex(m_model->index(m_newLine, firstEditableColumn()));
}

void DbGrid::dropUnfinishedLine()
{
    const int r = m_newLine;
    m_newLine = -1;
    if (r < 0 || m_newLineTouched || r >= dataSet().recordCount() || dataSet().state(r) != db::RowState::Inserted)
        return;
    dataSet().setRecNo(r);
    m_source->remove();
}

void DbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.row() != previous.row()) {
        // Moving off an untouched new line drops it, as leaving the grid does.
        if (m_newLine >= 0 && previous.row() == m_newLine && !m_newLineTouched && current.row() != m_newLine) {
            QMetaObject::invokeMethod(this, [this] { dropUnfinishedLine(); }, Qt::QueuedConnection);
        }
        m_source->follow(current.row());
    }
}

QModelIndex DbGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    return QTableView::moveCursor(action, modifiers);
}

void DbGrid::keyPressEvent(QKeyEvent* e)
{
    const QModelIndex cur = currentIndex();
    const bool lastRow = !cur.isValid() || cur.row() == m_model->rowCount() - 1;
    const bool onNewLine = cur.isValid() && cur.row() == m_newLine && !m_newLineTouched;
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
        if (e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
            break;
        advance();
        e->accept();
        return;
    case Qt::Key_Down:
        if (lastRow && allowInsert && !onNewLine && e->modifiers() == Qt::NoModifier) {
            appendLine();
            e->accept();
            return;
        }
        break;
    case Qt::Key_Insert:
        if (allowInsert) {
            appendLine();
            e->accept();
            return;
        }
        break;
    case Qt::Key_Delete:
        if ((e->modifiers() & Qt::ControlModifier) && allowDelete && cur.isValid()) {
            if (!confirmDelete || confirmDelete()) {
                if (cur.row() == m_newLine)
                    m_newLine = -1;
                dataSet().setRecNo(cur.row());
                m_source->remove();
            }
            e->accept();
            return;
        }
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(e);
}

void DbGrid::advance()
{
    const QModelIndex cur = currentIndex();
    if (!cur.isValid()) {
        if (m_model->rowCount() > 0)
            setCurrentIndex(m_model->index(0, firstEditableColumn()));
        else if (allowInsert)
            appendLine();
        return;
    }
    const bool lastCell = cur.row() == m_model->rowCount() - 1 && cur.column() == m_model->columnCount() - 1;
    if (lastCell) {
        const bool onNewLine = cur.row() == m_newLine && !m_newLineTouched;
        if (allowInsert && !onNewLine)
            appendLine();
        return;
    }
    setCurrentIndex(QTableView::moveCursor(MoveNext, Qt::NoModifier));
}

void DbGrid::resizeEvent(QResizeEvent* e)
{
    QTableView::resizeEvent(e);
    placeFooter();
}

void DbGrid::updateGeometries()
{
    // The table sets its margins for the headers; the footer row takes the bottom one.
    QTableView::updateGeometries();
    const QMargins m = viewportMargins();
    const int h = fontMetrics().height() + 8;
    if (m.bottom() != h)
        setViewportMargins(m.left(), m.top(), m.right(), h);
    placeFooter();
}

void DbGrid::placeFooter()
{
    if (!m_footer)
        return;
    const QRect vp = viewport()->geometry();
    const int h = fontMetrics().height() + 8;
    m_footer->setGeometry(vp.left() - verticalHeader()->width(), vp.bottom() + 1, vp.width() + verticalHeader()->width(), h);
    m_footer->raise();
}

// ---------------------------------------------------------------------------

QWidget* DbGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const GridColumn& col = m_grid->columns()[index.column()];
    switch (col.kind) {
    case GridColumn::Number: {
        auto* e = new QLineEdit(parent);
        auto* v = new QDoubleValidator(e);
        v->setDecimals(col.decimals);
        v->setNotation(QDoubleValidator::StandardNotation);
        v->setLocale(QLocale::c());
        e->setValidator(v);
        e->setAlignment(Qt::AlignRight);
        e->setFrame(false);
        return e;
    }
    case GridColumn::Date: {
        auto* e = new QLineEdit(parent);
        e->setInputMask(QStringLiteral("99/99/9999;_"));
        e->setFrame(false);
        return e;
    }
    case GridColumn::Combo: {
        auto* c = new QComboBox(parent);
        for (const auto& [text, value] : col.values)
            c->addItem(text, value);
        return c;
    }
    case GridColumn::Button: {
        const int row = index.row();
        auto cb = col.onButton;
        auto* be = new ButtonEdit(parent, [cb, row] {
            if (cb)
                cb(row);
        });
        be->edit->installEventFilter(const_cast<DbGridDelegate*>(this));
        return be;
    }
    default:
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void DbGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const GridColumn& col = m_grid->columns()[index.column()];
    const QVariant v = index.data(Qt::EditRole);
    switch (col.kind) {
    case GridColumn::Number:
        static_cast<QLineEdit*>(editor)->setText(v.isNull() ? QString() : QString::number(v.toDouble(), 'f', col.decimals));
        return;
    case GridColumn::Date:
        static_cast<QLineEdit*>(editor)->setText(DbDateEdit::format(db::Value(v).asDate()));
        return;
    case GridColumn::Combo: {
        auto* c = static_cast<QComboBox*>(editor);
        c->setCurrentIndex(v.isNull() ? -1 : c->findData(v.toString()));
        if (c->currentIndex() < 0)
            for (int i = 0; i < c->count(); ++i)
                if (c->itemData(i).toString() == v.toString())
                    c->setCurrentIndex(i);
        return;
    }
    case GridColumn::Button:
        static_cast<ButtonEdit*>(editor)->edit->setText(v.toString());
        return;
    default:
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void DbGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const GridColumn& col = m_grid->columns()[index.column()];
    switch (col.kind) {
    case GridColumn::Number: {
        const QString t = static_cast<QLineEdit*>(editor)->text().trimmed();
        bool ok = false;
        const double d = QLocale::c().toDouble(t, &ok);
        model->setData(index, t.isEmpty() || !ok ? QVariant() : QVariant(d), Qt::EditRole);
        return;
    }
    case GridColumn::Date: {
        const QDate d = DbDateEdit::parse(static_cast<QLineEdit*>(editor)->text());
        model->setData(index, d.isValid() ? QVariant(d) : QVariant(), Qt::EditRole);
        return;
    }
    case GridColumn::Combo: {
        auto* c = static_cast<QComboBox*>(editor);
        model->setData(index, c->currentIndex() < 0 ? QVariant() : col.values[c->currentIndex()].second, Qt::EditRole);
        return;
    }
    case GridColumn::Button: {
        const QString t = static_cast<ButtonEdit*>(editor)->edit->text();
        model->setData(index, t.isEmpty() ? QVariant() : QVariant(t), Qt::EditRole);
        return;
    }
    default: {
        auto* e = qobject_cast<QLineEdit*>(editor);
        if (e) {
            model->setData(index, e->text().isEmpty() ? QVariant() : QVariant(e->text()), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
    }
}

bool DbGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const bool plain = !(k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
        if (plain && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Tab)) {
            // Enter and Tab write the cell and move to the next one.
            QWidget* editor = qobject_cast<QWidget*>(object);
            while (editor && editor->parentWidget() != m_grid->viewport())
                editor = editor->parentWidget();
            if (editor) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_grid->advance();
                return true;
            }
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace meridox::ui
