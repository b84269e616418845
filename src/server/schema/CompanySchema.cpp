// The company database, assembled from its parts, and the table lookup.
#include "server/schema/SchemaParts.h"

#include <algorithm>
#include <cctype>

namespace meridox::schema {

const DatabaseSchema& companySchema()
{
    static const DatabaseSchema schema = [] {
        DatabaseSchema s;
        detail::addControlTables(s.tables);
        detail::addMasterTables(s.tables);
        detail::addDocumentTables(s.tables);
        detail::addSharedTables(s.tables);
        detail::addCompanyViews(s.views);
        return s;
    }();
    return schema;
}

const Table* findTable(const DatabaseSchema& schema, const std::string& name)
{
    const auto sameName = [&name](const Table& t) {
        return std::equal(t.name.begin(), t.name.end(), name.begin(), name.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    const auto it = std::find_if(schema.tables.begin(), schema.tables.end(), sameName);
    return it == schema.tables.end() ? nullptr : &*it;
}

} // namespace meridox::schema
