#pragma once
// A demo company signed in as user 1, with helpers to add the rows a case needs.
#include "data/U_DM.h"
#include "platform/db/Query.h"
#include "server/demo/Demo.h"
#include "support/DemoServer.h"
#include "support/TestServer.h"

#include <algorithm>
#include <memory>

namespace meridox::test {

class LookupFixture : public ::testing::TestWithParam<db::Engine> {
protected:
    void SetUp() override
    {
        MERIDOX_REQUIRE_ENGINE(GetParam());
        m_demo = std::make_unique<DemoServer>(GetParam());
        m_demo->signIn(2, 1);
    }
    void TearDown() override { m_demo.reset(); }

    static QString S(const char* s) { return QString::fromUtf8(s); }

    qint64 insert(const QString& table, const std::vector<std::pair<QString, QVariant>>& values)
    {
        server::insertRow(m_demo->company(), table, values);
        db::Query q(m_demo->company(), S("SELECT MAX(Id) AS Id FROM ") + table);
        return q.open().field(S("Id")).asInteger();
    }
    qint64 idOf(const QString& table, const QString& code)
    {
        db::Query q(m_demo->company(), S("SELECT Id FROM ") + table + S(" WHERE Code = :Code"));
        return q.bind(S("Code"), code).open().field(S("Id")).asInteger();
    }
    // A goods product with VAT 7 and warehouse WH01 unless the values say otherwise.
    qint64 product(const QString& code, std::vector<std::pair<QString, QVariant>> values = {})
    {
        std::vector<std::pair<QString, QVariant>> row{{S("Code"), code},
                                                      {S("ThaiName"), code},
                                                      {S("ProductType"), S("P")},
                                                      {S("TaxCode"), idOf(S("Tax"), S("V7"))},
                                                      {S("DefaultWh"), idOf(S("Warehouse"), S("WH01"))}};
        for (auto& v : values) {
            auto same = std::find_if(row.begin(), row.end(),
                                     [&](const auto& r) { return r.first.compare(v.first, Qt::CaseInsensitive) == 0; });
            if (same != row.end())
                same->second = v.second;
            else
                row.push_back(v);
        }
        return insert(S("Product"), row);
    }
    qint64 unit(qint64 productId, const QString& name, int fraction, std::vector<std::pair<QString, QVariant>> values = {})
    {
        std::vector<std::pair<QString, QVariant>> row{{S("Product"), productId}, {S("UnitName"), name}, {S("Fraction"), fraction}};
        for (auto& v : values)
            row.push_back(v);
        return insert(S("ProductUnits"), row);
    }
    void companySql(const QString& sql, const std::vector<std::pair<QString, QVariant>>& binds = {})
    {
        db::Query q(m_demo->company(), sql);
        for (auto& b : binds)
            q.bind(b.first, b.second);
        q.exec();
    }
    // Changes one setting of the Config row and makes the data module read it again.
    void setConfig(const QString& column, const QVariant& value)
    {
        companySql(S("UPDATE Config SET ") + column + S(" = :V"), {{S("V"), value}});
        TDM::instance().ReloadConfig();
    }
    ui::RecordingDialogs& dialogs() { return m_demo->dialogs(); }

    std::unique_ptr<DemoServer> m_demo;
};

} // namespace meridox::test
