// Integrity of the schema declaration and its upgrade scripts, for both
// databases: what the installer and the upgrade runner would trip over.
#include "server/schema/Schema.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace meridox::schema {
namespace {

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

struct Database {
    const char* name;
    const DatabaseSchema& (*schema)();
    const std::vector<UpgradeScript>& (*upgrades)();
};

void PrintTo(const Database& db, std::ostream* os) { *os << db.name; }

// Columns of every table as the upgrade runner leaves them, script by script.
class CatalogueModel {
public:
    explicit CatalogueModel(const DatabaseSchema& base)
    {
        for (const Table& t : base.tables)
            addTable(t);
    }

    bool hasTable(const std::string& t) const { return m_columns.count(lower(t)) > 0; }
    bool hasColumn(const std::string& t, const std::string& c) const
    {
        const auto it = m_columns.find(lower(t));
        return it != m_columns.end() && it->second.count(lower(c)) > 0;
    }

    // Applies a step as the runner does: a step on a missing table is skipped.
    void apply(const UpgradeStep& s)
    {
        if (s.kind == UpgradeStep::Kind::CreateTable)
            addTable(s.newTable);
        else if (s.kind == UpgradeStep::Kind::AddColumn && hasTable(s.table))
            m_columns[lower(s.table)].insert(lower(s.column.name));
    }

private:
    void addTable(const Table& t)
    {
        auto& cols = m_columns[lower(t.name)];
        for (const Column& c : t.columns)
            cols.insert(lower(c.name));
    }

    std::map<std::string, std::set<std::string>> m_columns;
};

// What a Fill statement names: the table it updates, the columns it assigns
// and the columns it tests for NULL at the top level of its WHERE clause.
struct FillNames {
    std::string table;
    std::vector<std::string> columns;
};

FillNames parseFill(const std::string& sql)
{
    std::vector<std::string> tokens;
    for (size_t i = 0; i < sql.size();) {
        const unsigned char ch = sql[i];
        if (std::isspace(ch)) {
            ++i;
        } else if (std::isalpha(ch) || ch == '_') {
            size_t j = i;
            while (j < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[j])) || sql[j] == '_'))
                ++j;
            tokens.push_back(sql.substr(i, j - i));
            i = j;
        } else if (ch == '\'') {
            const size_t j = sql.find('\'', i + 1);
            tokens.push_back("'");
            i = j == std::string::npos ? sql.size() : j + 1;
        } else if ((ch == '<' || ch == '>') && i + 1 < sql.size() && (sql[i + 1] == '>' || sql[i + 1] == '=')) {
            tokens.push_back(sql.substr(i, 2));
            i += 2;
        } else {
            tokens.push_back(std::string(1, char(ch)));
            ++i;
        }
    }

    FillNames out;
    if (tokens.size() < 3 || lower(tokens[0]) != "update" || lower(tokens[2]) != "set")
        return out;
    out.table = tokens[1];
    enum { Set, Where } clause = Set;
    int depth = 0;
    for (size_t i = 3; i < tokens.size(); ++i) {
        const std::string& t = tokens[i];
        if (t == "(") {
            ++depth;
            continue;
        }
        if (t == ")") {
            --depth;
            continue;
        }
        if (depth != 0)
            continue;
        if (lower(t) == "where") {
            clause = Where;
            continue;
        }
        const std::string next = i + 1 < tokens.size() ? lower(tokens[i + 1]) : "";
        const std::string prev = lower(tokens[i - 1]);
        if (clause == Set && next == "=" && (prev == "set" || prev == ","))
            out.columns.push_back(t);
        if (clause == Where && next == "is" && prev != ".")
            out.columns.push_back(t);
    }
    return out;
}

std::string where(const UpgradeScript& script, const UpgradeStep& step)
{
    return script.name + ": " + step.table + (step.column.name.empty() ? "" : "." + step.column.name) +
           (step.sql.empty() ? "" : " [" + step.sql + "]");
}

class SchemaDeclaration : public ::testing::TestWithParam<Database> {
protected:
    const DatabaseSchema& base() const { return GetParam().schema(); }
    const std::vector<UpgradeScript>& scripts() const { return GetParam().upgrades(); }

    // Every table the database can hold: the base ones and those a script creates.
    std::vector<const Table*> allTables() const
    {
        std::vector<const Table*> all;
        for (const Table& t : base().tables)
            all.push_back(&t);
        for (const UpgradeScript& s : scripts())
            for (const UpgradeStep& step : s.steps)
                if (step.kind == UpgradeStep::Kind::CreateTable)
                    all.push_back(&step.newTable);
        return all;
    }
};

TEST_P(SchemaDeclaration, NamesAreDeclaredOnceIgnoringCase)
{
    std::set<std::string> objects;
    for (const Table* t : allTables()) {
        EXPECT_TRUE(objects.insert(lower(t->name)).second) << "table declared twice: " << t->name;
        std::set<std::string> columns;
        for (const Column& c : t->columns)
            EXPECT_TRUE(columns.insert(lower(c.name)).second) << "column declared twice: " << t->name << "." << c.name;
    }
    for (const View& v : base().views) {
        EXPECT_TRUE(objects.insert(lower(v.name)).second) << "view name taken: " << v.name;
        EXPECT_FALSE(v.sql.empty()) << v.name;
    }
}

TEST_P(SchemaDeclaration, ColumnsAreWellFormed)
{
    const std::vector<const Table*> tables = allTables();
    std::vector<std::pair<std::string, const Column*>> columns;
    for (const Table* t : tables) {
        int identities = 0;
        for (const Column& c : t->columns) {
            columns.push_back({t->name, &c});
            identities += c.type == Type::Id;
        }
        EXPECT_LE(identities, 1) << t->name << " has more than one identity";
    }
    for (const UpgradeScript& s : scripts())
        for (const UpgradeStep& step : s.steps)
            if (step.kind == UpgradeStep::Kind::AddColumn) {
                columns.push_back({step.table, &step.column});
                // ALTER TABLE cannot add an identity, nor a NOT NULL column without a default.
                EXPECT_NE(step.column.type, Type::Id) << where(s, step);
                EXPECT_TRUE(!step.column.notNull || !step.column.defaultValue.empty()) << where(s, step);
            }

    for (const auto& [table, c] : columns) {
        EXPECT_FALSE(c->name.empty()) << table;
        if (c->type == Type::Text)
            EXPECT_GT(c->size, 0) << table << "." << c->name << " has no size";
        if (!c->references.empty()) {
            const bool known = std::any_of(tables.begin(), tables.end(), [&](const Table* t) {
                return lower(t->name) == lower(c->references);
            });
            EXPECT_TRUE(known) << table << "." << c->name << " refers to undeclared " << c->references;
        }
    }
}

TEST_P(SchemaDeclaration, IndexesNameDeclaredColumns)
{
    for (const Table* t : allTables())
        for (const Index& index : t->indexes) {
            EXPECT_FALSE(index.columns.empty()) << t->name;
            for (const std::string& c : index.columns)
                EXPECT_TRUE(std::any_of(t->columns.begin(), t->columns.end(),
                                        [&](const Column& col) { return lower(col.name) == lower(c); }))
                    << t->name << " index names unknown column " << c;
        }
}

TEST_P(SchemaDeclaration, UpgradeStepsAddOnlyWhatTheBaseLacks)
{
    for (const UpgradeScript& s : scripts()) {
        EXPECT_FALSE(s.name.empty());
        for (const UpgradeStep& step : s.steps) {
            const Table* inBase = findTable(base(), step.table);
            if (step.kind == UpgradeStep::Kind::AddColumn && inBase)
                EXPECT_FALSE(std::any_of(inBase->columns.begin(), inBase->columns.end(),
                                         [&](const Column& c) { return lower(c.name) == lower(step.column.name); }))
                    << where(s, step) << " is already a base column";
            if (step.kind == UpgradeStep::Kind::CreateTable)
                EXPECT_EQ(inBase, nullptr) << where(s, step) << " is already a base table";
        }
    }
}

// Indexes and fills run against the columns the script itself provides, so
// each is checked once its whole script has been applied.
TEST_P(SchemaDeclaration, IndexesAndFillsNameColumnsThatExistAfterTheirScript)
{
    CatalogueModel model(base());
    for (const UpgradeScript& s : scripts()) {
        for (const UpgradeStep& step : s.steps)
            model.apply(step);
        for (const UpgradeStep& step : s.steps) {
            if (!model.hasTable(step.table))
                continue;  // another module's table: the runner skips the step
            if (step.kind == UpgradeStep::Kind::CreateIndex) {
                EXPECT_FALSE(step.indexName.empty()) << where(s, step);
                for (const std::string& c : step.index.columns)
                    EXPECT_TRUE(model.hasColumn(step.table, c)) << where(s, step) << " indexes missing " << c;
            }
            if (step.kind == UpgradeStep::Kind::Fill) {
                const FillNames names = parseFill(step.sql);
                EXPECT_EQ(lower(names.table), lower(step.table)) << where(s, step);
                EXPECT_FALSE(names.columns.empty()) << where(s, step) << " names no column";
                for (const std::string& c : names.columns)
                    EXPECT_TRUE(model.hasColumn(step.table, c)) << where(s, step) << " names missing " << c;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothDatabases, SchemaDeclaration,
                         ::testing::Values(Database{"Config", &configSchema, &configUpgrades},
                                           Database{"Company", &companySchema, &companyUpgrades}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SchemaFillParser, FindsAssignedAndNullTestedColumns)
{
    struct Case {
        const char* sql;
        const char* table;
        std::vector<std::string> columns;
    };
    const Case cases[] = {
        {"UPDATE Config SET A = 'N' WHERE A IS NULL", "Config", {"A", "A"}},
        {"update Product set X = UseSerial, Y = 1 where X is null", "Product", {"X", "Y", "X"}},
        {"UPDATE Config SET M = (SELECT m.Id FROM Misc m WHERE m.Code = 'THB') WHERE M IS NULL", "Config", {"M", "M"}},
        {"UPDATE T SET F = 'N' WHERE F IS NULL OR TRIM(F) = ''", "T", {"F", "F"}},
        {"DELETE FROM T", "", {}},
    };
    for (const Case& c : cases) {
        const FillNames names = parseFill(c.sql);
        EXPECT_EQ(names.table, c.table) << c.sql;
        EXPECT_EQ(names.columns, c.columns) << c.sql;
    }
}

TEST(SchemaLookup, FindsTablesIgnoringCase)
{
    ASSERT_NE(findTable(companySchema(), "pohd"), nullptr);
    EXPECT_EQ(findTable(companySchema(), "POHD")->name, "PoHd");
    EXPECT_EQ(findTable(companySchema(), "PoHdX"), nullptr);
    EXPECT_EQ(findTable(companySchema(), "PoH"), nullptr);
    EXPECT_NE(findTable(configSchema(), "username"), nullptr);
    EXPECT_EQ(findTable(configSchema(), "PoHd"), nullptr);
}

} // namespace
} // namespace meridox::schema
