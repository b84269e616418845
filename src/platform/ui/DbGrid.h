#pragma once
// A grid over the rows of a data set: columns chosen at run time, each with
// its own cell editor (text, number with fixed decimals, date, drop-down
// list, edit with a button), a footer row for sums, alternate rows in light
// blue, Tab and Enter moving between cells, Down on the last row adding a
// line and an untouched new line dropped when the grid is left.
#include "platform/ui/DataControls.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

namespace meridox::ui {

// The classic toolkit's colour 16776176 ($00FFFAF0, blue-green-red order).
QColor colorFromBgr(quint32 bgr);
inline const QColor AlternateRowColor = colorFromBgr(16776176);

struct GridColumn {
    enum Kind { Text, Number, Date, Combo, Button };
    QString field;
    QString title;
    int width = 80;
    Kind kind = Text;
    int decimals = 2;         // Number
    ValueMap values;          // Combo
    bool readOnly = false;
    bool footerSum = false;   // the footer shows the column's total
    std::function<void(int row)> onButton;  // Button: the "..." of the cell
};

class DbGrid;

class DataSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DataSetModel(DataSource* source, DbGrid* grid);
    int rowCount(const QModelIndex& = {}) const override;
    int columnCount(const QModelIndex& = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    void reload()
    {
        beginResetModel();
        endResetModel();
    }

private:
    DataSource* m_source;
    DbGrid* m_grid;
};

class DbGrid : public QTableView {
    Q_OBJECT
public:
    DbGrid(DataSource* source, QWidget* parent = nullptr);
    ~DbGrid() override;

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    int columnOf(const QString& field) const;
    void setColumnReadOnly(const QString& field, bool readOnly);

    DataSource* source() { return m_source; }
    db::DataSet& dataSet() { return m_source->dataSet(); }

    bool allowInsert = true;
    bool allowDelete = true;
    // Asked before Ctrl+Delete removes a line; defaults to a Yes/No question.
    std::function<bool()> confirmDelete;

    // A text in the footer in place of the sum (e.g. a count).
    void setFooterText(const QString& field, const QString& text);
    QString footerText(int column) const;
    static QString formatNumber(double value, int decimals);

    // Adds a line at the end and puts the cursor in its first editable cell.
    void appendLine();
    // Drops the new line when nothing was typed into it.
    void dropUnfinishedLine();
    // Tab and Enter: the next cell; past the last cell of the last line a new line.
    void advance();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void updateGeometries() override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    friend class DataSetModel;
    void placeFooter();
    int firstEditableColumn() const;

    DataSource* m_source;
    DataSetModel* m_model;
    QWidget* m_footer = nullptr;
    QList<GridColumn> m_columns;
    QHash<int, QString> m_footerTexts;
    int m_newLine = -1;        // the line added by the grid, until typed in
    bool m_newLineTouched = false;
    QMetaObject::Connection m_focusWatch;
};

class DbGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit DbGridDelegate(DbGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* editor, QEvent* event) override;

private:
    DbGrid* m_grid;
};

} // namespace meridox::ui
