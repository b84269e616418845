#pragma once
// One declaration of every table, column, key, index and view, read by the
// installer (fresh databases) and by the upgrade steps (catalogue tests) on
// both engines. Column types are logical; the dialect maps them.
#include <string>
#include <vector>

namespace meridox::schema {

enum class Type {
    Id,       // identity integer primary key
    Integer,
    Double,   // money and quantities
    Text,     // VARCHAR(size); compared without regard to case
    Memo,     // unbounded text
    Flag,     // CHAR(1) "Y"/"N"
    Date,
    DateTime,
    Blob,
};

struct Column {
    std::string name;
    Type type = Type::Text;
    int size = 0;               // Text only
    bool notNull = false;
    std::string defaultValue;   // SQL literal, e.g. "'N'" or "0"; empty = none
    std::string references;     // "Table" (its Id) for a foreign key; empty = none
};

struct Index {
    std::vector<std::string> columns;
    bool unique = false;
};

struct Table {
    std::string name;
    std::vector<Column> columns;
    std::vector<Index> indexes;
};

// A view; its SQL must run unchanged on both engines.
struct View {
    std::string name;
    std::string sql;
};

struct DatabaseSchema {
    std::vector<Table> tables;
    std::vector<View> views;
};

// Column builders, so declarations read as one line per column.
inline Column id(std::string name = "Id") { return {std::move(name), Type::Id, 0, true, {}, {}}; }
inline Column integer(std::string name, bool notNull = false) { return {std::move(name), Type::Integer, 0, notNull, {}, {}}; }
inline Column number(std::string name, bool notNull = false) { return {std::move(name), Type::Double, 0, notNull, {}, {}}; }
inline Column text(std::string name, int size, bool notNull = false) { return {std::move(name), Type::Text, size, notNull, {}, {}}; }
inline Column memo(std::string name) { return {std::move(name), Type::Memo, 0, false, {}, {}}; }
inline Column flag(std::string name, bool notNull = false) { return {std::move(name), Type::Flag, 1, notNull, {}, {}}; }
inline Column date(std::string name, bool notNull = false) { return {std::move(name), Type::Date, 0, notNull, {}, {}}; }
inline Column datetime(std::string name, bool notNull = false) { return {std::move(name), Type::DateTime, 0, notNull, {}, {}}; }
inline Column blob(std::string name) { return {std::move(name), Type::Blob, 0, false, {}, {}}; }
// An integer column holding the Id of a row of another table.
inline Column ref(std::string name, std::string table, bool notNull = false)
{
    return {std::move(name), Type::Integer, 0, notNull, {}, std::move(table)};
}
inline Column withDefault(Column c, std::string sqlLiteral)
{
    c.defaultValue = std::move(sqlLiteral);
    return c;
}

inline Index key(std::vector<std::string> columns) { return {std::move(columns), false}; }
inline Index uniqueKey(std::vector<std::string> columns) { return {std::move(columns), true}; }

// One step of an upgrade script. Every step tests the catalogue first and
// changes nothing when its object is already there, so a script can run on
// every start. A step on a table this database does not have (a table of
// another module of the suite) is skipped.
struct UpgradeStep {
    enum class Kind {
        AddColumn,    // `table` gets `column`
        CreateTable,  // `newTable`
        CreateIndex,  // index `indexName` on `table`
        Fill,         // `sql`, an idempotent statement (e.g. NULL flags set to 'N'), run when `table` exists
    };
    Kind kind = Kind::AddColumn;
    std::string table;
    Column column;
    Table newTable;
    std::string indexName;
    Index index;
    std::string sql;
};

struct UpgradeScript {
    std::string name;                 // e.g. "SQLUpdateConfig"
    std::vector<UpgradeStep> steps;
};

inline UpgradeStep addColumn(std::string table, Column c)
{
    UpgradeStep s;
    s.kind = UpgradeStep::Kind::AddColumn;
    s.table = std::move(table);
    s.column = std::move(c);
    return s;
}
inline UpgradeStep createTable(Table t)
{
    UpgradeStep s;
    s.kind = UpgradeStep::Kind::CreateTable;
    s.table = t.name;
    s.newTable = std::move(t);
    return s;
}
inline UpgradeStep createIndex(std::string table, std::string name, Index index)
{
    UpgradeStep s;
    s.kind = UpgradeStep::Kind::CreateIndex;
    s.table = std::move(table);
    s.indexName = std::move(name);
    s.index = std::move(index);
    return s;
}
inline UpgradeStep fill(std::string table, std::string sql)
{
    UpgradeStep s;
    s.kind = UpgradeStep::Kind::Fill;
    s.table = std::move(table);
    s.sql = std::move(sql);
    return s;
}

// The upgrade scripts of each database, in the order they run at start-up.
const std::vector<UpgradeScript>& configUpgrades();
const std::vector<UpgradeScript>& companyUpgrades();

// The base schema of each database, before any upgrade step.
const DatabaseSchema& configSchema();
const DatabaseSchema& companySchema();

// Looks a table up by name, ignoring case; nullptr when not declared.
const Table* findTable(const DatabaseSchema& schema, const std::string& name);

} // namespace meridox::schema
